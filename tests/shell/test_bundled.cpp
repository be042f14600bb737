// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include <QDirIterator>
#include <QTest>

// The sample game that ships, played through (the story checker's test reads its files).
class BundledGameTest : public QObject {
    Q_OBJECT
    // Plays on to the base screen, taking option `choice` at every question.
    void playToBase(Game &game, int choice, QStringList &seen) {
        for (int i = 0; i < 5000 && game.errors.isEmpty(); ++i) {
            if (!seen.contains(game->st.eventName))
                seen << game->st.eventName;
            if (game->Qstlbl[0]->isVisible())
                QTest::mouseClick(game->Qstlbl[choice], Qt::LeftButton);
            else if (game->st.eventActive)
                game.click();
            else
                return;
        }
        QVERIFY2(game.errors.isEmpty(), qPrintable(game.errors.join("\n")));
        QFAIL("the event never returned to the base screen");
    }

  private slots:
    void playsThroughToEitherEndingAndGameOver_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("ending");
        QTest::newRow("first options") << 0 << "9_1";
        QTest::newRow("second options") << 1 << "9_2";
    }
    void playsThroughToEitherEndingAndGameOver() {
        QFETCH(int, choice);
        QFETCH(QString, ending);
        GameFolder folder;
        const QDir source(MIRUTENA_SOURCE_DIR "/game/");
        for (QDirIterator it(source.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            folder.bytes(source.relativeFilePath(file.fileName()), file.readAll());
        }
        Game game(folder);
        QStringList seen;
        playToBase(game, choice, seen);
        for (int n = 1; n <= 9; ++n) {
            game->st.photoProgress = std::uint8_t(5 * n);
            QTest::mouseClick(game->com[3], Qt::LeftButton);
            QCOMPARE(game->st.eventName.left(1), QString::number(n));
            playToBase(game, choice, seen);
        }
        QVERIFY2(seen.contains(ending), qPrintable(seen.join(' ')));
        QCOMPARE(game->st.photoProgress, 0); // the ending started a new game
        game->st.statValue[0] = 255;
        QTest::mouseClick(game->com[0], Qt::LeftButton);
        QCOMPARE(game->st.eventName, QStringLiteral("gameover"));
        playToBase(game, choice, seen);
    }
};

QTEST_MAIN(BundledGameTest)
#include "test_bundled.moc"
