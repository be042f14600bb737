// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"
#include "album/datafiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <span>

class AlbumTest : public QObject {
    Q_OBJECT
  private slots:
    void catalogues_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("entries"); // leading entries; the rest must be empty
        const QString file = "syasin";
        QTest::newRow("empty") << file << QStringList{} << QStringList{"【0番】"};
        QStringList many, ordinary, special;
        for (int i = 0; i < 40; ++i) {
            many += {QString::number(i), "", ">"};
            ordinary << QString("【%1番】\r\n%1\r\n").arg(i);
            special << QString("【特別%1番】\r\n%1\r\n").arg(i);
        }
        QTest::newRow("31 at most") << file << many << ordinary.mid(0, 31);
        QTest::newRow("16 special at most") << "tsyasin" << many << special.mid(0, 16);
    }
    void catalogues() {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, entries);
        GameFolder folder;
        folder.text("dat/" + file + ".dat", lines, !lines.isEmpty());
        Game game(folder, false);
        QVERIFY(game.loaded);
        const std::span<const QString> table =
            file == "syasin" ? std::span<const QString>(game->st.photoTexts)
                             : std::span<const QString>(game->st.specialPhotoTexts);
        for (qsizetype i = 0; i < qsizetype(table.size()); ++i)
            QCOMPARE(table[i], entries.value(i));
    }

    // Read, sorted by text, and written back from the bytes each entry was read as.
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
        const QByteArray huge = QByteArray(70000, '1') + "\x81";
        QTest::newRow("longer than a write block") << QByteArray("t1\r\n" + huge + "\r\n05\r\n")
                                                   << QByteArray("05\r\n" + huge + "\r\nt1\r\n");
    }
    void albumRoundTrip() {
        QFETCH(QByteArray, album);
        QFETCH(QByteArray, written);
        GameFolder folder;
        folder.bytes("dat/save.dat", album);
        Game game(folder, false);
        QVERIFY(game.loaded);
        writeAlbum(*game);
        QCOMPARE(folder.read("dat/save.dat"), written);
    }

    // Entries added in play sort in among the read ones, behind equal texts.
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

    // Special entries take the special catalogue's text; a number that no catalogue has
    // shows none.
    void entriesShowTheirText() {
        Turn t;
        t.fom().st.photoTexts.fill("x"); // so that a read past either table shows
        t.fom().st.specialPhotoTexts.fill("x");
        t.fom().st.specialPhotoTexts[3] = "three";
        AlbumList &list = *t.fom().LST;
        for (const char *e : {"t03", "32", "99999999999"}) {
            list.add(e);
            t.folder.picture(e, Qt::cyan, {4, 4});
        }
        for (int row = 0; row < 3; ++row) {
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(row).center());
            QCOMPARE(t.game->caption(), list.text(row) == "t03" ? "three" : QString());
        }
    }

    // Keys and a dragged press show the row they land on, as a click does. Only a selected
    // row is discarded; clearing all asks first, also with nothing to clear.
    void pickDiscardAndClearAll() {
        Turn t;
        t.fom().st.photoTexts[3] = "three";
        t.fom().st.photoTexts[5] = "five";
        AlbumList &list = *t.fom().LST;
        for (const char *e : {"05", "03", "05"})
            list.add(e);
        t.fom().activateWindow();
        list.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&t.fom()));
        QTest::keyClick(&list, Qt::Key_End);
        QCOMPARE(t.game->caption(), QStringLiteral("five"));
        QWidget *view = list.viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, list.rowRect(2).center());
        QTest::mouseMove(view, list.rowRect(0).center());
        QTest::mouseRelease(view, Qt::LeftButton, {}, list.rowRect(0).center());
        QCOMPARE(t.game->caption(), QStringLiteral("three"));

        auto press = [&](int button, bool answer = true) {
            t.game->clearAllAnswer = answer;
            QTest::mouseClick(t.fom().LstCom[button], Qt::LeftButton);
            return list.count();
        };
        list.clearSelection(); // row 0 stays current
        QCOMPARE(press(0), 3);
        list.setCurrentRow(1);
        QCOMPARE(press(0), 2);
        QCOMPARE(list.text(1), QStringLiteral("05"));
        QCOMPARE(press(0), 2); // a discard leaves nothing to discard next
        QCOMPARE(press(1, false), 2);
        QCOMPARE(press(1), 0);
        QCOMPARE(press(1), 0);
        QCOMPARE(t.game->questionsAsked, 3);
    }

    // The real question, answered by its buttons as a player sees them.
    void clearAllQuestionInJapanese() {
        Fom fom;
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
