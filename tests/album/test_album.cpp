// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"
#include "album/datafiles.h"
#include "runtime/cp932.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace {

// The album file as the game leaves it after reading this one and writing it back.
QByteArray readAndWrite(const QByteArray &album) {
    GameFolder folder;
    folder.bytes("dat/save.dat", album);
    Game game(folder, false);
    if (!game.loaded)
        return "not loaded";
    writeAlbum(*game);
    return folder.read("dat/save.dat");
}

} // namespace

class AlbumTest : public QObject {
    Q_OBJECT
  private slots:
    void catalogues_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("entries"); // leading entries; the rest must be empty
        const QString h0 = QStringLiteral("【0番】"), h1 = QStringLiteral("【1番】"),
                      h2 = QStringLiteral("【2番】");
        QTest::newRow("two records")
            << QStringList{"A", "B", ">", "C"} << QStringList{h0 + "\r\nA\r\nB", h1 + "\r\nC"};
        QTest::newRow("separator first") << QStringList{">", "C"} << QStringList{h0, h1 + "\r\nC"};
        QTest::newRow("two separators")
            << QStringList{"A", ">", ">", "C"} << QStringList{h0 + "\r\nA", h1, h2 + "\r\nC"};
        QTest::newRow("blank line inside")
            << QStringList{"A", "", "B"} << QStringList{h0 + "\r\nA\r\n\r\nB"};
        QTest::newRow("trailing blank") << QStringList{"A", ""} << QStringList{h0 + "\r\nA\r\n"};
        QTest::newRow("separator last") << QStringList{"A", ">"} << QStringList{h0 + "\r\nA"};
        QTest::newRow("empty") << QStringList{} << QStringList{h0};
        QTest::newRow("spaced separator is text")
            << QStringList{"A", "> "} << QStringList{h0 + "\r\nA\r\n> "};
    }
    void catalogues() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, entries);
        GameFolder folder;
        if (lines.isEmpty())
            folder.bytes("dat/syasin.dat", {});
        else
            folder.text("dat/syasin.dat", lines);
        Game game(folder, false);
        QVERIFY(game.loaded);
        for (int i = 0; i < 32; ++i)
            QCOMPARE(game->st.photoTexts[i], i < entries.size() ? entries[i] : QString());
    }

    void capacities() {
        GameFolder folder;
        QStringList ordinary, special;
        for (int i = 0; i < 40; ++i)
            ordinary << QStringLiteral("o%1").arg(i) << ">";
        for (int i = 0; i < 20; ++i)
            special << QStringLiteral("s%1").arg(i) << ">";
        folder.text("dat/syasin.dat", ordinary);
        folder.text("dat/tsyasin.dat", special);
        Game game(folder, false);
        QCOMPARE(game->st.photoTexts[30], QStringLiteral("【30番】\r\no30"));
        QCOMPARE(game->st.photoTexts[31], QString());
        QCOMPARE(game->st.specialPhotoTexts[15], QStringLiteral("【特別15番】\r\ns15"));
        QCOMPARE(game->st.specialPhotoTexts[16], QString());
    }

    void albumIsReadSorted() {
        GameFolder folder;
        folder.text("dat/save.dat", {"t01", "07", "03", "07", "t00", "30"});
        Game game(folder, false);
        QStringList items;
        for (int i = 0; i < game->LST->count(); ++i)
            items << game->LST->text(i);
        QCOMPARE(items, (QStringList{"03", "07", "07", "30", "t00", "t01"}));
        game->LST->add("05");
        game->LST->add("t01");
        QCOMPARE(game->LST->text(1), QStringLiteral("05"));
        QCOMPARE(game->LST->text(7), QStringLiteral("t01"));
        QCOMPARE(game->LST->insertRow("07"), 4); // behind the equal ones
    }

    void albumRoundTrip_data() {
        QTest::addColumn<QByteArray>("album");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("empty entry first")
            << QByteArray("03\r\nt12\r\n\r\n") << QByteArray("\r\n03\r\nt12\r\n");
        QTest::newRow("no final line end") << QByteArray("07\r\n03") << QByteArray("03\r\n07\r\n");
        QTest::newRow("code unit order") << QByteArray("t00\r\nT03\r\n5\r\n05\r\n070\r\n07\r\n")
                                         << QByteArray("05\r\n07\r\n070\r\n5\r\nT03\r\nt00\r\n");
        // 0x8160 is U+FF5E: after あ (U+3042) although its bytes come first.
        QTest::newRow("text order, not byte order")
            << QByteArray("\x81\x60\r\n\x82\xa0\r\n") << QByteArray("\x82\xa0\r\n\x81\x60\r\n");
        // Bytes that are no character all read as U+FFFD: equal entries, kept in file order,
        // each written back as it stood.
        QTest::newRow("invalid bytes keep their order")
            << QByteArray("\xff\r\n07\r\n\x80\r\n\xff\r\nt\x81\r\n\xa0\r\n")
            << QByteArray("07\r\nt\x81\r\n\xff\r\n\x80\r\n\xff\r\n\xa0\r\n");
        // Two byte forms of one kanji (NEC and IBM rows): one text, both forms kept.
        QTest::newRow("one text, two byte forms")
            << QByteArray("\xfa\x5c\r\n\xed\x40\r\n03\r\n\xfa\x5c\r\n\xed\x40\r\n")
            << QByteArray("03\r\n\xfa\x5c\r\n\xed\x40\r\n\xfa\x5c\r\n\xed\x40\r\n");
        // Lines go out in blocks of 64 KiB: one longer than a block, between two others.
        const QByteArray huge = QByteArray(70000, 'x') + "\x81";
        QTest::newRow("longer than a write block") << QByteArray("t1\r\n" + huge + "\r\n05\r\n")
                                                   << QByteArray("05\r\nt1\r\n" + huge + "\r\n");
    }
    void albumRoundTrip() {
        QFETCH(QByteArray, album);
        QFETCH(QByteArray, written);
        QCOMPARE(readAndWrite(album), written);
    }

    // Entries read from the file and entries added later are written alike.
    void addedEntriesJoinReadOnes() {
        GameFolder folder;
        folder.bytes("dat/save.dat", "\xff\r\nt01\r\n03\r\n\xed\x40\r\n");
        Game game(folder, false);
        game->LST->add("05");
        game->LST->add(QStringLiteral("纊"));
        writeAlbum(*game);
        QCOMPARE(folder.read("dat/save.dat"),
                 QByteArray("03\r\n05\r\nt01\r\n\xed\x40\r\n\xfa\x5c\r\n\xff\r\n"));
    }

    // The album stays in a game folder that can be written; otherwise it goes to the
    // player's data folder (made at the first save), started from the shipped album, which
    // is never written.
    void albumPlaces_data() {
        QTest::addColumn<QString>("dat");
        QTest::addColumn<int>("writable"); // -1: the folder's own write access
        QTest::addColumn<bool>("inHome");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("file"); // the shipped album's name on disk
        const QByteArray three("03\r\n05\r\nt01\r\n");
        const QString save("save.dat");
        QTest::newRow("writable game folder") << "dat/" << -1 << false << three << save;
        QTest::newRow("read-only game folder") << "dat/" << 0 << true << three << save;
        QTest::newRow("missing data folder")
            << "none/" << -1 << true << QByteArray("05\r\n") << save;
        QTest::newRow("named in capitals") << "dat/" << -1 << false << three << "SAVE.DAT";
    }
    void albumPlaces() {
        QFETCH(QString, dat);
        QFETCH(int, writable);
        QFETCH(bool, inHome);
        QFETCH(QByteArray, saved);
        QFETCH(QString, file);
        GameFolder folder;
        const QByteArray shipped("t01\r\n03\r\n");
        folder.remove("dat/save.dat");
        folder.bytes("dat/" + file, shipped);
        const QString home = folder.path() + QStringLiteral("home"), datDir = folder.path() + dat;
        qputenv("XDG_DATA_HOME", home.toLocal8Bit());
        const AlbumPlace place =
            writable < 0 ? albumPlace(datDir) : albumPlace(datDir, writable, home);
        QCOMPARE(place.file, inHome ? home + "/mirutena/save.dat" : datDir + file);
        QCOMPARE(place.seed, inHome ? datDir + file : QString());

        Game game(folder, false);
        QVERIFY(game.loaded);
        for (int run = 0; run < 2; ++run) { // the second run reads what the first saved
            game->LST->clear();
            game->st.albumFile = place.file;
            game->st.albumSeed = place.seed;
            readAlbum(*game);
            if (run == 0)
                game->LST->add("05");
            writeAlbum(*game);
            QCOMPARE(game->LST->count(), int(saved.count('\n')));
        }
        QFile album(place.file);
        QVERIFY(album.open(QIODevice::ReadOnly));
        QCOMPARE(album.readAll(), saved);
        QCOMPARE(folder.read("dat/" + file), inHome ? shipped : saved);
        QCOMPARE(QDir(folder.path() + "dat").entryList({"save.dat"}).size(), 1); // no second
    }

    void albumEntriesShowPictureAndText() {
        Turn t;
        t.fom().st.photoTexts[7] = "seven";
        t.fom().st.photoTexts[0] = "zero";
        t.fom().st.specialPhotoTexts[3] = "three";
        t.folder.picture("T03", Qt::yellow, {4, 4});
        t.folder.picture("99", Qt::cyan, {4, 4});
        for (const char *e : {"07", "t03", "T03", "99", "t-1", "99999999999"})
            t.fom().LST->add(e);
        t.folder.picture("t-1", Qt::cyan, {4, 4});
        t.folder.picture("99999999999", Qt::cyan, {4, 4});
        auto select = [&](const QString &text) {
            for (int i = 0; i < t.fom().LST->count(); ++i) {
                if (t.fom().LST->text(i) == text) {
                    QTest::mouseClick(t.fom().LST->viewport(), Qt::LeftButton, {},
                                      t.fom().LST->rowRect(i).center());
                    return;
                }
            }
            QFAIL(qPrintable(text));
        };
        select("07");
        QCOMPARE(t.game->caption(), QStringLiteral("seven"));
        QCOMPARE(t.game->pictureAt(1, 1), QColor(7, 100, 0));
        select("t03");
        QCOMPARE(t.game->caption(), QStringLiteral("three"));
        select("T03");
        QCOMPARE(t.game->caption(), QStringLiteral("zero"));
        for (const char *outside : {"99", "t-1", "99999999999"}) {
            select(outside);
            QCOMPARE(t.game->caption(), QString());
            QCOMPARE(t.game->pictureAt(1, 1), QColor(Qt::cyan));
        }
        QVERIFY(t.game->errors.isEmpty());
    }

    // The keys show the row they land on, as a click does; a row that is only current,
    // not selected, is nothing to discard.
    void albumKeysAndCurrentRow() {
        Turn t;
        t.fom().st.photoTexts[3] = "three";
        t.fom().st.photoTexts[5] = "five";
        AlbumList &list = *t.fom().LST;
        for (const char *e : {"05", "03", "05"})
            list.add(e);
        t.fom().activateWindow();
        list.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&t.fom()));
        QVERIFY(list.hasFocus());
        list.setCurrentRow(1);
        QCOMPARE(t.game->caption(), QStringLiteral("five"));
        QTest::keyClick(&list, Qt::Key_Home);
        QCOMPARE(list.selectedRow(), 0);
        QCOMPARE(t.game->caption(), QStringLiteral("three"));
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(list.selectedRow(), 2);
        QCOMPARE(t.game->caption(), QStringLiteral("five"));
        QCOMPARE(t.game->pictureAt(1, 1), QColor(5, 100, 0));

        // A press dragged from one row onto another shows the row it ends on.
        QWidget *view = list.viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, list.rowRect(1).center());
        QTest::mouseMove(view, list.rowRect(0).center());
        QTest::mouseRelease(view, Qt::LeftButton, {}, list.rowRect(0).center());
        QCOMPARE(list.selectedRow(), 0);
        QCOMPARE(t.game->caption(), QStringLiteral("three"));

        list.setCurrentRow(2);
        list.clearSelection();
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(list.selectedRow(), -1);
        QTest::mouseClick(t.fom().LstCom[0], Qt::LeftButton);
        QCOMPARE(list.count(), 3);

        list.setCurrentRow(1);
        QTest::mouseClick(t.fom().LstCom[0], Qt::LeftButton);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.text(0), QStringLiteral("03"));
        QCOMPARE(list.text(1), QStringLiteral("05"));
        QCOMPARE(list.selectedRow(), -1); // a discard leaves nothing to discard next
        QCOMPARE(list.currentRow(), -1);
        QVERIFY(t.game->errors.isEmpty());
    }

    void discardAndClearAll() {
        Turn t;
        for (const char *e : {"03", "05", "05", "t01"})
            t.fom().LST->add(e);
        QTest::mouseClick(t.fom().LstCom[0], Qt::LeftButton); // nothing selected
        QCOMPARE(t.fom().LST->count(), 4);
        t.fom().LST->setCurrentRow(2);
        QTest::mouseClick(t.fom().LstCom[0], Qt::LeftButton);
        QCOMPARE(t.fom().LST->count(), 3);
        QCOMPARE(t.fom().LST->text(1), QStringLiteral("05"));
        QCOMPARE(t.fom().LST->text(2), QStringLiteral("t01"));
        t.game->clearAllAnswer = false;
        QTest::mouseClick(t.fom().LstCom[1], Qt::LeftButton);
        QCOMPARE(t.fom().LST->count(), 3);
        t.game->clearAllAnswer = true;
        QTest::mouseClick(t.fom().LstCom[1], Qt::LeftButton);
        QCOMPARE(t.fom().LST->count(), 0);
        QTest::mouseClick(t.fom().LstCom[1], Qt::LeftButton); // asked also when empty
        QCOMPARE(t.game->questionsAsked, 3);
    }

    // The real question, answered by its buttons as a player sees them.
    void clearAllQuestionInJapanese() {
        GameFolder folder;
        struct : Fom::Desktop {
            void exitProgram(int) override {}
        } realQuestion; // asks as the game does
        Fom::Options o;
        o.appDir = folder.path();
        o.desktop = &realQuestion;
        Fom fom(o);
        fom.Form_Load();
        fom.LST->add("03");
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen << box->windowTitle() << box->text() << box->defaultButton()->text();
            for (QAbstractButton *b : box->buttons())
                seen << b->text();
            box->button(QMessageBox::No)->click();
        });
        LstCom_Click(fom, 1);
        QCOMPARE(fom.LST->count(), 1);
        seen.sort();
        QCOMPARE(seen, (QStringList{"いいえ", "はい", "はい", "ミルテナ", "全消去します"}));
    }
};

QTEST_MAIN(AlbumTest)
#include "test_album.moc"
