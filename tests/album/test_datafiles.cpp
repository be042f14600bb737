#include "support/gamefolder.h"

#include "album/albumlist.h"

#include <QTest>

class DataFilesTest : public QObject {
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
            items << game->LST->item(i)->text();
        QCOMPARE(items, (QStringList{"03", "07", "07", "30", "t00", "t01"}));
        album::add(*game->LST, "05");
        album::add(*game->LST, "t01");
        QCOMPARE(game->LST->item(1)->text(), QStringLiteral("05"));
        QCOMPARE(game->LST->item(7)->text(), QStringLiteral("t01"));
        QCOMPARE(album::insertRow(*game->LST, "07"), 4); // behind the equal ones
    }

    void leadingNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("fits");
        QTest::newRow("two digits") << "07" << qint64(7) << true;
        QTest::newRow("capital T") << "T03" << qint64(0) << true;
        QTest::newRow("blanks") << " 1 2x" << qint64(12) << true;
        QTest::newRow("sign") << "-1" << qint64(-1) << true;
        QTest::newRow("plus") << "+3" << qint64(3) << true;
        QTest::newRow("none") << "" << qint64(0) << true;
        QTest::newRow("huge") << "99999999999" << qint64(99999999999) << false;
    }
    void leadingNumbers() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QFETCH(bool, fits);
        bool ok = false;
        QCOMPARE(album::leadingNumber(text, &ok), value);
        QCOMPARE(ok, fits);
    }
};

QTEST_MAIN(DataFilesTest)
#include "test_datafiles.moc"
