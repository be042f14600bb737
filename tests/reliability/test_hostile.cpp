// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"

#include <QBuffer>
#include <QDir>
#include <QTest>
#include <cstring>
#include <sys/mount.h>

// Files that players and writers get wrong, and a machine that runs out of room: each
// gives the normal game or the error report naming the file, and the album survives.
class HostileFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void fullDiskKeepsTheOldAlbum() {
        GameFolder folder;
        const QString dat = folder.path() + "dat/";
        QMap<QString, QByteArray> files;
        for (const QString &name : QDir(dat).entryList(QDir::Files))
            files[name] = folder.read("dat/" + name);
        files["save.dat"] = QByteArray("05\r\n").repeated(20000); // a third of the room
        if (::mount("tmpfs", dat.toLocal8Bit().constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("this machine does not let the tests mount a small tmpfs");
        struct Unmount {
            QByteArray path;
            ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
        } unmount{dat.toLocal8Bit()};
        for (auto f = files.cbegin(); f != files.cend(); ++f)
            folder.bytes("dat/" + f.key(), f.value());
        Game game(folder, false);
        // Fill the disk so that a new album cannot fit beside the old one.
        QFile filler(dat + "filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) == 4096 && filler.flush()) {
        }
        filler.close();
        game->LST->add("t03");
        game->close();
        QCOMPARE(game.exitStatus, 1);
        QCOMPARE(game.errors.size(), 1);
        QVERIFY2(game.errors[0].contains(dat + "save.dat"), qPrintable(game.errors[0]));
        QCOMPARE(folder.read("dat/save.dat"), files["save.dat"]);
        QCOMPARE(QDir(dat).entryList(QDir::Files | QDir::Hidden).size(), files.size() + 1);
    }

    // A header that declares 50,000 x 50,000 pixels is refused before any is decoded.
    void pictureBombIsRefusedNamingTheFile() {
        GameFolder folder;
        QBuffer bomb;
        QVERIFY(QImage(1, 1, QImage::Format_RGB32).save(&bomb, "BMP"));
        for (int at : {18, 22}) // width and height, little-endian
            std::memcpy(bomb.buffer().data() + at, "\x50\xc3\x00\x00", 4);
        folder.bytes("img/bomb.dat", bomb.buffer());
        folder.text("dat/save.dat", {"07"});
        folder.script("0", {">img bomb", "あ"});
        Game game(folder);
        QCOMPARE(game.errors.size(), 1);
        QVERIFY2(game.errors[0].contains(folder.path() + "img/bomb.dat"),
                 qPrintable(game.errors[0]));
        QCOMPARE(folder.read("dat/save.dat"), QByteArray("07\r\n"));
    }

    // An edited album's 8 MB line: the list lays out only its start, the album keeps it
    // whole, and picking it reports the missing picture with the name cut short.
    void hugeAlbumLine() {
        GameFolder folder;
        const QByteArray album = "00\r\n" + QByteArray(8 << 20, '1') + "\r\n";
        folder.bytes("dat/save.dat", album);
        Game game(folder);
        game.click();
        AlbumList &list = *game->LST;
        QCOMPARE(list.text(1).size(), qsizetype(8 << 20));
        QVERIFY(list.model()->data(list.model()->index(1, 0)).toString().size() < 1000);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(1).center());
        QCOMPARE(game.errors.size(), 1);
        QVERIFY2(game.errors[0].size() < 1000, qPrintable(game.errors[0].left(300)));
        QVERIFY(game.errors[0].startsWith(QStringLiteral("ファイルが見つかりません。")));
        QVERIFY(game.errors[0].endsWith(QStringLiteral("1111.dat")));
        QCOMPARE(folder.read("dat/save.dat"), album);
    }

    // A writer's runaway line is kept whole, but only its start is laid out.
    void hugeScriptLine() {
        GameFolder folder;
        folder.bytes("dat/0.dat", QByteArray("\x82\xa0").repeated(1 << 20) + "\r\n"); // あ
        Game game(folder);
        QCOMPARE(game.caption(), QString(1 << 20, u'あ'));
        QVERIFY(game->lbl->text().size() < 100000);
    }
};

QTEST_MAIN(HostileFilesTest)
#include "test_hostile.moc"
