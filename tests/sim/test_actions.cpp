#include "support/gamefolder.h"

#include "album/albumlist.h"
#include "sim/actions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// The window on the base screen with chosen stats, ready for one turn.
struct Turn {
    GameFolder folder;
    std::unique_ptr<Game> game;
    Turn() {
        for (int i = 0; i <= 30; ++i)
            folder.picture(photoCode(i, false), QColor(i, 100, 0), {4, 4});
        for (int i = 0; i <= 15; ++i)
            folder.picture(photoCode(i, true), QColor(i, 0, 100), {4, 4});
        for (const char *e : {"1", "2", "9_1", "9_2", "gameover"})
            folder.script(e, {QStringLiteral("event ") + e});
        game = std::make_unique<Game>(folder);
        game->click(); // the opening's one line ends it
    }
    Fom &fom() { return *game->fom; }
    void stats(int fatigue, int skill, int money) { fom().st.statValue = {fatigue, skill, money}; }
    void press(int index) { QTest::mouseClick(fom().com[index], Qt::LeftButton); }
    std::array<std::int32_t, 3> values() { return fom().st.statValue; }
};

using Stats = std::array<std::int32_t, 3>;

class ActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void thresholds_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<Stats>("before");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<Stats>("after");
        QTest::addColumn<QString>("message");
        QTest::newRow("park 1000") << 0 << Stats{100, 40, 1000} << QList<double>{0, 0}
                                   << Stats{95, 41, 0} << "公園で休んだ";
        QTest::newRow("park 999") << 0 << Stats{100, 40, 999} << QList<double>{0, 0}
                                  << Stats{110, 41, 999} << "公園で休んだ";
        QTest::newRow("park skill capped") << 0 << Stats{100, 100, 0} << QList<double>{0, 0}
                                           << Stats{110, 100, 0} << "公園で休んだ";
        QTest::newRow("school 5000") << 1 << Stats{100, 10, 5000} << QList<double>{0.99999}
                                     << Stats{110, 40, 1} << "カメラの知識を学びました";
        QTest::newRow("school 4999")
            << 1 << Stats{100, 10, 4999} << QList<double>{} << Stats{110, 10, 4999}
            << "お金を持っていなかったので門前払いされました";
        QTest::newRow("company to 10000")
            << 2 << Stats{100, 10, 6000} << QList<double>{0.8, 0} << Stats{120, 15, 0}
            << "お金が貯まったのでカメラをよくしました";
        QTest::newRow("company below") << 2 << Stats{100, 10, 5000} << QList<double>{0.99}
                                       << Stats{120, 10, 9950} << "会社に行きました";
        QTest::newRow("company clamp")
            << 2 << Stats{100, 10, 300000} << QList<double>{0.5, 0.99} << Stats{120, 34, 290000}
            << "お金が貯まったのでカメラをよくしました";
        QTest::newRow("home poor")
            << 3 << Stats{30, 15, 400} << QList<double>{0.99} << Stats{0, 0, 0} << "家で休みました";
        QTest::newRow("fatigue 254 company") << 2 << Stats{254, 10, 0} << QList<double>{0}
                                             << Stats{255, 10, 0} << "会社に行きました";
    }
    void thresholds() {
        QFETCH(int, button);
        QFETCH(Stats, before);
        QFETCH(QList<double>, draws);
        QFETCH(Stats, after);
        QFETCH(QString, message);
        Turn t;
        FixedRandom random(std::deque<double>(draws.begin(), draws.end()));
        t.stats(before[0], before[1], before[2]);
        t.press(button);
        QCOMPARE(t.values(), after);
        QCOMPARE(t.game->caption(), message);
        QCOMPARE(random.draws(), int(draws.size())); // exactly the listed draws
        QVERIFY(!random.exhausted());
    }

    void photoChances_data() {
        QTest::addColumn<int>("skill"); // before the park's +1
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("code"); // empty: no photo
        QTest::newRow("51 never") << 49 << 0.99999 << "";
        QTest::newRow("51 ordinary") << 50 << 0.99999 << "30";
        QTest::newRow("90 no special") << 89 << 0.99999 << "30";
        QTest::newRow("91 special") << 90 << 0.99999 << "t15";
        QTest::newRow("100 special") << 99 << 0.9 << "t14";
    }
    void photoChances() {
        QFETCH(int, skill);
        QFETCH(double, r);
        QFETCH(QString, code);
        Turn t;
        FixedRandom random({r, r, r, r});
        t.stats(100, skill, 0);
        t.press(0);
        if (code.isEmpty()) {
            QCOMPARE(t.fom().LST->count(), 0);
            QCOMPARE(random.draws(), 2);
            return;
        }
        QCOMPARE(t.fom().LST->count(), 1);
        QCOMPARE(t.fom().LST->text(0), code);
        const bool special = code.startsWith('t');
        QCOMPARE(t.fom().st.photoProgress, special ? 3 : 1);
        QVERIFY(t.game->caption().startsWith(special ? QStringLiteral("特別な写真が撮れた\r\n\r\n")
                                                     : QStringLiteral("写真が撮れた\r\n\r\n")));
        QCOMPARE(random.draws(), special ? 2 : 3);
        QCOMPARE(t.game->pictureAt(1, 1).red(), code.right(2).toInt());
    }

    void milestoneTakesTheClick() {
        Turn t;
        FixedRandom random({0, 0, 0, 0});
        t.fom().st.photoProgress = 5;
        t.stats(100, 10, 0);
        t.press(3);
        QCOMPARE(t.game->caption(), QStringLiteral("event 1"));
        QCOMPARE(t.values(), (Stats{100, 10, 0}));
        t.game->click();
        t.press(3); // flag set: the action runs
        QCOMPARE(t.values(), (Stats{50, 0, 0}));
    }

    void gameOverBeforeMilestone() {
        Turn t;
        t.fom().st.photoProgress = 10;
        t.stats(255, 10, 0);
        t.press(0);
        QCOMPARE(t.game->caption(), QStringLiteral("event gameover"));
        QCOMPARE(t.fom().st.eventSeen[2], False);
        QCOMPARE(t.values(), (Stats{255, 10, 0}));
    }

    void endingsByFirstChoices_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("event");
        QTest::newRow("4") << 4 << "event 9_2";
        QTest::newRow("5") << 5 << "event 9_1";
    }
    void endingsByFirstChoices() {
        QFETCH(int, count);
        QFETCH(QString, event);
        Turn t;
        t.fom().st.photoProgress = 45;
        t.fom().st.firstChoiceCount = std::uint8_t(count);
        t.press(1);
        QCOMPARE(t.game->caption(), event);
    }

    void noEventAtFiftyAndProgressCeiling() {
        Turn t;
        FixedRandom random({0.99999, 0});
        t.fom().st.photoProgress = 50;
        t.stats(100, 99, 0);
        t.press(0);
        QCOMPARE(t.fom().st.photoProgress, 53);
        random.push({0.99999, 0});
        t.press(0);
        QCOMPARE(t.fom().st.photoProgress, 53);
        QCOMPARE(t.fom().LST->count(), 2);
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
        Fom::Options o;
        o.appDir = folder.path();
        o.exitProgram = [](int) {};
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

QTEST_MAIN(ActionsTest)
#include "test_actions.moc"
