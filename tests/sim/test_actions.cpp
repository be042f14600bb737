// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"
#include "sim/actions.h"
#include "sim/stats.h"

#include <QTest>

using Stats = std::array<std::int32_t, 3>;

class ActionsTest : public QObject {
    Q_OBJECT
  private slots:
    void statDisplaysAllRedrawn() {
        GameFolder folder;
        Game game(folder);
        QCOMPARE(game->windowTitle(), QStringLiteral("ミルテナ　　50:100"));
        QCOMPARE(game->KANELBL->text(), QStringLiteral("10"));
        QCOMPARE(game->TurasaPic->colour(), QColor(255, 0, 100));
        game->st.statValue[2] = 297000;
        StatChg(*game, 2, 4000);
        QCOMPARE(game->st.statValue[2], 300000);
        game->st.statValue[0] = 250; // money alone still redraws swatch and caption
        StatChg(*game, 2, -32000);
        QCOMPARE(game->KANELBL->text(), QStringLiteral("268000"));
        QCOMPARE(game->TurasaPic->colour(), QColor(255, 0, 250));
        QCOMPARE(game->windowTitle(), QStringLiteral("ミルテナ　　50:250"));
        StatChg(*game, 0, 30000);
        QCOMPARE(game->TurasaPic->colour(), QColor(255, 0, 255));
        QVERIFY(game->windowTitle().endsWith(QStringLiteral(":255")));
        for (int i = 0; i < 9; ++i)
            StatChg(*game, 2, -30000);
        QCOMPARE(game->KANELBL->text(), QStringLiteral("0"));
        QVERIFY_THROWS_EXCEPTION(rt::RuntimeError, StatChg(*game, 3, 0));
    }

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
        FixedRandom &random = t.game->random.reset(std::deque<double>(draws.begin(), draws.end()));
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
        FixedRandom &random = t.game->random.reset({r, r, r, r});
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
        t.game->random.reset({0, 0, 0, 0});
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
        FixedRandom &random = t.game->random.reset({0.99999, 0});
        t.fom().st.photoProgress = 50;
        t.stats(100, 99, 0);
        t.press(0);
        QCOMPARE(t.fom().st.photoProgress, 53);
        random.push({0.99999, 0});
        t.press(0);
        QCOMPARE(t.fom().st.photoProgress, 53);
        QCOMPARE(t.fom().LST->count(), 2);
    }
};

QTEST_MAIN(ActionsTest)
#include "test_actions.moc"
