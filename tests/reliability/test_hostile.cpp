// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <malloc.h>
#include <sys/mount.h>

// Under the address sanitizer freed blocks wait in a quarantine before reuse; keep it
// small so that the memory bounds below measure the game, not the sanitizer.
extern "C" const char *__asan_default_options() {
    return "quarantine_size_mb=4";
}

namespace {

// Resident memory of this process, now (VmRSS) or at its peak (VmHWM), in MiB.
double memoryMiB(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Starts a new peak from what is resident now ("5" resets the high-water mark).
double resetPeak() {
    ::malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return memoryMiB("VmRSS:");
}
double peakMiB() {
    return memoryMiB("VmHWM:");
}

// Clicks until the event is over, or gives up.
void playOut(Game &game, int clicks = 100) {
    for (int i = 0; i < clicks && game->st.eventActive && game.errors.isEmpty(); ++i)
        game.click();
}

// A PNG that declares width x height pixels and holds only its header.
QByteArray pngHeader(quint32 width, quint32 height) {
    QImage tiny(1, 1, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tiny.save(&buffer, "PNG");
    // IHDR data starts at 16: width then height, big-endian; its CRC follows at 29.
    auto put = [&](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    const QByteArray ihdr = png.mid(12, 17);
    quint32 crc = 0xffffffffu;
    for (char c : ihdr) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    put(29, ~crc);
    return png;
}

} // namespace

// Files that players and writers get wrong, and a machine that runs out of room: each
// gives the normal game or the error report naming the file, and the album survives.
class HostileFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void fullDiskKeepsTheOldAlbum() {
        GameFolder folder;
        const QString mountPoint = folder.path() + "small";
        QDir().mkpath(mountPoint);
        if (::mount("tmpfs", mountPoint.toLocal8Bit().constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("this machine does not let the tests mount a small tmpfs");
        struct Unmount {
            QByteArray path;
            ~Unmount() { ::umount2(path.constData(), MNT_DETACH); }
        } unmount{mountPoint.toLocal8Bit()};
        // The whole game on the small disk, its album a third of the room.
        const QString root = mountPoint + "/";
        QDir().mkpath(root + "dat");
        QDir().mkpath(root + "img");
        for (const QString &name : QDir(folder.path() + "dat").entryList(QDir::Files))
            QFile::copy(folder.dat(name), root + "dat/" + name);
        for (const QString &name : QDir(folder.path() + "img").entryList(QDir::Files))
            QFile::copy(folder.path() + "img/" + name, root + "img/" + name);
        QByteArray album;
        while (album.size() < 80 * 1024)
            album += "05\r\n";
        {
            QFile f(root + "dat/save.dat");
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(album) == album.size());
        }
        Fom::Options options;
        options.appDir = root;
        options.screenWidth = 1024;
        RecordingDesktop desktop;
        options.desktop = &desktop;
        Fom fom(options);
        fom.Form_Load();
        // Fill the disk so that a new album cannot fit beside the old one.
        QFile filler(root + "filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        fom.LST->add("t03");
        fom.close();
        QCOMPARE(desktop.exitStatus, 1);
        QCOMPARE(desktop.errors.size(), 1);
        QVERIFY2(desktop.errors[0].contains(root + "dat/save.dat"), qPrintable(desktop.errors[0]));
        QFile saved(root + "dat/save.dat");
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), album);
        QCOMPARE(QDir(root + "dat").entryList(QDir::Files | QDir::Hidden).size(), 4);
    }

    // Ten million page breaks pass in one step, reading one line at a time.
    void tenMillionLines() {
        GameFolder folder;
        QByteArray script("\x82\xa0\r\n");
        script.reserve(10'000'000 * 4 + 64);
        for (int i = 0; i < 10'000'000; ++i)
            script += ">p\r\n";
        script += "\x82\xa2\r\n"; // い
        folder.bytes("dat/0.dat", script);
        const qsizetype fileSize = script.size();
        script = QByteArray();
        const double before = resetPeak();
        Game game(folder);
        QCOMPARE(game.caption(), QStringLiteral("あ"));
        game.click();
        QCOMPARE(game.caption(), QStringLiteral("い"));
        QVERIFY(game.errors.isEmpty());
        const double used = peakMiB() - before;
        qInfo("10,000,000 lines (%lld bytes): peak grew by %.0f MiB", qlonglong(fileSize), used);
        QVERIFY2(used < 24, qPrintable(QString::number(used)));
    }

    void pictureBombIsRefusedNamingTheFile() {
        GameFolder folder;
        folder.text("dat/save.dat", {"07"});
        folder.bytes("img/bomb.dat", pngHeader(50000, 50000));
        folder.script("0", {">img bomb", "あ"});
        const double before = resetPeak();
        Game game(folder);
        QCOMPARE(game.errors.size(), 1);
        QVERIFY2(game.errors[0].contains(folder.path() + "img/bomb.dat"),
                 qPrintable(game.errors[0]));
        QCOMPARE(game.exitStatus, 1);
        QCOMPARE(folder.read("dat/save.dat"), QByteArray("07\r\n"));
        const double used = peakMiB() - before;
        qInfo("picture bomb: peak grew by %.0f MiB", used);
        QVERIFY(used < 64);
    }

    void invalidBytesEverywhere() {
        GameFolder folder;
        folder.bytes("dat/0.dat", "\x82\xa0\xff\x81\r\n\x80\xfd\r\n");
        folder.bytes("dat/syasin.dat", "\xff\xfe\r\n>\r\n\x81\r\n");
        folder.bytes("dat/save.dat", "\x82\xff\r\n03\r\n");
        Game game(folder);
        QVERIFY(game.errors.isEmpty());
        QVERIFY(game.caption().startsWith(QStringLiteral("あ")));
        QVERIFY(game.caption().contains(QChar(0xfffd)));
        QVERIFY(game->st.photoTexts[0].contains(QChar(0xfffd)));
        playOut(game);
        game->close();
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(folder.read("dat/save.dat"), QByteArray("03\r\n\x82\xff\r\n"));
    }

    // An edited album's 8 MB line: the list lays out only its start, the album keeps it
    // whole, and picking it reports the missing picture with the name cut short.
    void hugeAlbumLine() {
        GameFolder folder;
        const QByteArray album = "00\r\n" + QByteArray(8 << 20, '1') + "\r\n";
        folder.bytes("dat/save.dat", album);
        Game game(folder);
        playOut(game);
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

    void hugeScriptLine() {
        GameFolder folder;
        QByteArray script;
        script.reserve(200 * 1024 * 1024 + 16);
        const QByteArray kana("\x82\xa0"); // あ
        while (script.size() < 200 * 1024 * 1024)
            script += kana;
        script += "\r\n";
        folder.bytes("dat/0.dat", script);
        script = QByteArray();
        const double before = resetPeak();
        Game game(folder);
        QVERIFY(game.errors.isEmpty());
        QCOMPARE(game.caption().size(), qsizetype(100 * 1024 * 1024));
        QVERIFY(game.caption().startsWith(QStringLiteral("ああ")));
        QVERIFY(game->lbl->text().size() < 100000);
        playOut(game);
        QVERIFY(!game->st.eventActive);
        const double used = peakMiB() - before;
        qInfo("200 MB line: peak grew by %.0f MiB", used);
        QVERIFY2(used < 2048, qPrintable(QString::number(used)));
    }
};

QTEST_MAIN(HostileFilesTest)
#include "test_hostile.moc"
