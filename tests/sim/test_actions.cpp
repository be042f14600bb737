// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"

#include <QTest>

using Stats = std::array<std::int32_t, 3>;
using Draws = QList<double>;

class ActionsTest : public QObject {
    Q_OBJECT
  private slots:
    // One turn: stats and photo progress before and after, the draws it takes, its message
    // and the photo it finds (its catalogue texts are empty).
    void turns_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<Stats>("before");
        QTest::addColumn<Draws>("draws");
        QTest::addColumn<Stats>("after");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("photo");
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("progressAfter");
        const auto row = [](const char *name, int button, Stats before, Draws draws, Stats after,
                            const QString &message, const QString &photo = {}, int progress = 0,
                            int progressAfter = 0) {
            QTest::newRow(name) << button << before << draws << after << message << photo
                                << progress << progressAfter;
        };
        const QString park = "公園で休んだ", photo = "写真が撮れた\r\n\r\n",
                      special = "特別な写真が撮れた\r\n\r\n", company = "会社に行きました",
                      camera = "お金が貯まったのでカメラをよくしました";
        const double top = 0.99999;
        row("park 1000", 0, {100, 40, 1000}, {0, 0}, {95, 41, 0}, park);
        row("park 999", 0, {100, 40, 999}, {0, 0}, {110, 41, 999}, park);
        row("skill 100 at most", 0, {100, 100, 0}, {0, 0}, {110, 100, 0}, park);
        row("skill 51, no photo", 0, {100, 49, 0}, {top, top}, {110, 50, 0}, park);
        row("skill 51, photo", 0, {100, 50, 0}, {top, top, top}, {110, 51, 0}, photo, "30", 0, 1);
        row("skill 90, ordinary", 0, {100, 89, 0}, {top, top, top}, {110, 90, 0}, photo, "30", 0,
            1);
        row("skill 91, special", 0, {100, 90, 0}, {top, top}, {110, 91, 0}, special, "t15", 0, 3);
        row("special 14", 0, {100, 99, 0}, {0.9, 0.9}, {110, 100, 0}, special, "t14", 0, 3);
        row("progress at 50", 0, {100, 99, 0}, {top, top}, {110, 100, 0}, special, "t15", 50, 53);
        row("progress past 50", 0, {100, 99, 0}, {top, top}, {110, 100, 0}, special, "t15", 53, 53);
        row("school 5000", 1, {100, 10, 5000}, {top}, {110, 40, 1}, "カメラの知識を学びました");
        row("school 4999", 1, {100, 10, 4999}, {}, {110, 10, 4999},
            "お金を持っていなかったので門前払いされました");
        row("company to 10000", 2, {100, 10, 6000}, {0.8, 0}, {120, 15, 0}, camera);
        row("company below", 2, {100, 10, 5000}, {0.99}, {120, 10, 9950}, company);
        row("money at most", 2, {100, 10, 300000}, {0.5, 0.99}, {120, 34, 290000}, camera);
        row("fatigue at most", 2, {254, 10, 0}, {0}, {255, 10, 0}, company);
        row("home to zero", 3, {30, 15, 400}, {0.99}, {0, 0, 0}, "家で休みました");
    }
    void turns() {
        QFETCH(int, button);
        QFETCH(Stats, before);
        QFETCH(Draws, draws);
        QFETCH(Stats, after);
        QFETCH(QString, message);
        QFETCH(QString, photo);
        QFETCH(int, progress);
        QFETCH(int, progressAfter);
        Turn t;
        FixedRandom &random = t.game->random.reset(std::deque<double>(draws.begin(), draws.end()));
        t.fom().st.photoProgress = std::uint8_t(progress);
        t.fom().st.statValue = before;
        t.press(button);
        QCOMPARE(t.fom().st.statValue, after);
        QCOMPARE(t.fom().st.photoProgress, progressAfter);
        QCOMPARE(t.game->caption(), message);
        QCOMPARE(random.draws(), int(draws.size())); // exactly the listed draws
        QCOMPARE(t.fom().LST->text(0), photo);
        if (!photo.isEmpty())
            QCOMPARE(t.game->pictureAt(1, 1).red(), photo.right(2).toInt());
        // Every display follows every stat, whichever one the action changed last.
        QCOMPARE(t.fom().windowTitle(), QString("ミルテナ　　%1:%2").arg(after[1]).arg(after[0]));
        QCOMPARE(t.fom().KANELBL->text(), QString::number(after[2]));
        QCOMPARE(t.fom().TurasaPic->colour(), QColor(255, 0, after[0]));
    }

    // An event that is due takes the turn, the stats untouched; the next turn acts.
    void events_data() {
        QTest::addColumn<int>("progress");
        QTest::addColumn<int>("firstChoices");
        QTest::addColumn<int>("fatigue");
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("next");
        const QString home = "家で休みました";
        QTest::newRow("milestone") << 5 << 0 << 100 << "event 1" << home;
        QTest::newRow("game over first") << 10 << 0 << 255 << "event gameover"
                                         << "event gameover";
        QTest::newRow("ending, 4 first choices") << 45 << 4 << 100 << "event 9_2" << home;
        QTest::newRow("ending, 5 first choices") << 45 << 5 << 100 << "event 9_1" << home;
    }
    void events() {
        QFETCH(int, progress);
        QFETCH(int, firstChoices);
        QFETCH(int, fatigue);
        QFETCH(QString, event);
        QFETCH(QString, next);
        Turn t;
        t.fom().st.photoProgress = std::uint8_t(progress);
        t.fom().st.firstChoiceCount = std::uint8_t(firstChoices);
        t.fom().st.statValue = {fatigue, 10, 0};
        t.press(3);
        QCOMPARE(t.game->caption(), event);
        QCOMPARE(t.fom().st.statValue, (Stats{fatigue, 10, 0}));
        t.game->click();
        t.press(3);
        QCOMPARE(t.game->caption(), next);
    }
};

QTEST_MAIN(ActionsTest)
#include "test_actions.moc"
