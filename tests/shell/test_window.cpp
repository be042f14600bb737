// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/datafiles.h"
#include "media/midi.h"
#include "sim/stats.h"

#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutOnEveryScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("font");
        QTest::newRow("800") << 800 << 320 << 7;
        QTest::newRow("1024") << 1024 << 410 << 9;
        QTest::newRow("1920") << 1920 << 768 << 14;
    }
    void layoutOnEveryScreen() {
        QFETCH(int, screen);
        QFETCH(int, pixels);
        QFETCH(int, font);
        GameFolder folder;
        Game game(folder, false, nullptr, screen);
        Fom &fom = *game;
        QCOMPARE(fom.size(), QSize(pixels, pixels));
        QCOMPARE(fom.st.choiceTop[0], 8);
        QCOMPARE(fom.st.choiceTop[1], 9);
        // Cells tile the client area: the picture view starts where the buttons end.
        QCOMPARE(fom.com[0]->geometry().right() + 1, fom.Pic->x());
        QCOMPARE(fom.Pic->geometry().right() + 1, fom.LST->x());
        QCOMPARE(fom.com[3]->geometry().bottom() + 1, fom.TurasaPic->y());
        QCOMPARE(fom.lbl->geometry(), fom.ClickME->geometry());
        QCOMPARE(fom.lbl->x(), qRound(0.3 * pixels / 10.6));
        QCOMPARE(fom.com[0]->font().pointSize(), font);
        // The money's last digit keeps clear of the picture view beside it.
        fom.st.statValue[2] = 300000;
        StatChg(fom, 2, 0);
        const QImage money = fom.KANELBL->grab().toImage();
        int right = -1;
        for (int y = 0; y < money.height(); ++y)
            for (int x = 0; x < money.width(); ++x)
                if (qGray(money.pixel(x, y)) < 220)
                    right = qMax(right, x);
        QVERIFY(right > money.width() / 2);
        QVERIFY2(money.width() - 1 - right >= 2, qPrintable(QString::number(right)));
    }

    // The indicator frames the message area without covering any of its text.
    void clickIndicatorClearsTheText_data() {
        QTest::addColumn<int>("screen");
        for (int screen : {800, 1024, 1920, 2560, 3840})
            QTest::newRow(QByteArray::number(screen)) << screen;
    }
    void clickIndicatorClearsTheText() {
        QFETCH(int, screen);
        GameFolder folder;
        Game game(folder, false, nullptr, screen);
        Fom &fom = *game;
        QImage painted(fom.ClickME->size(), QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        fom.ClickME->render(&painted, {}, {}, QWidget::DrawChildren);
        const QRect text = fom.lbl->contentsRect();
        QVERIFY(text.width() > fom.lbl->width() * 3 / 4);
        int covered = 0, drawn = 0;
        for (int y = 0; y < painted.height(); ++y) {
            for (int x = 0; x < painted.width(); ++x) {
                if (qAlpha(painted.pixel(x, y)) == 0)
                    continue;
                ++drawn;
                covered += text.contains(x, y);
            }
        }
        QVERIFY(drawn > 0);
        QCOMPARE(covered, 0);
    }

    void closingWritesAlbumAndEnds() {
        GameFolder folder;
        folder.text(QStringLiteral("dat/save.dat"), {QStringLiteral("07"), QStringLiteral("03")});
        Game game(folder);
        game->close();
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(folder.read(QStringLiteral("dat/save.dat")), QByteArray("03\r\n07\r\n"));
        game->entry([] { QFAIL("no handler runs after shutdown"); });
    }

    // The album goes to disk before the music is stopped and closed, so a hang in the
    // sound system at shutdown cannot cost the player a photo.
    void shutdownSavesBeforeTheMusicEnds() {
        GameFolder folder;
        folder.text(QStringLiteral("dat/save.dat"), {QStringLiteral("t01"), QStringLiteral("03")});
        QStringList commands;
        QList<QByteArray> albumAt;
        FakeMci mci([&](const char *command, char *, unsigned) {
            commands << QString::fromLatin1(command);
            albumAt << folder.read(QStringLiteral("dat/save.dat"));
            return 0;
        });
        Game game(folder, true, &mci);
        game->close();
        QCOMPARE(commands, (QStringList{"stop MIDI notify", "close MIDI notify"}));
        QCOMPARE(albumAt[0], QByteArray("03\r\nt01\r\n"));
    }

    // The first frame already shows the opening. The music is opened and started once,
    // after that frame and off the window's thread, so a slow sound system never holds
    // up the game; a game that ends before that never opens it.
    void musicNeverDelaysTheGame() {
        GameFolder folder;
        folder.script("0", {"opening line"});
        std::mutex lock;
        QStringList commands;
        std::atomic<bool> windowRan = false;
        bool openWaited = false;
        FakeMci mci([&](const char *command, char *reply, unsigned length) {
            const QString c = QString::fromLocal8Bit(command);
            if (c.startsWith(QStringLiteral("open"))) {
                // Held until the window has handled events of its own meanwhile.
                for (int i = 0; i < 500 && !windowRan; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                openWaited = windowRan;
            }
            if (!c.startsWith(QStringLiteral("status"))) {
                std::lock_guard<std::mutex> hold(lock);
                commands << c;
            }
            if (reply && length)
                reply[0] = 0;
            return 0;
        });
        auto recorded = [&] {
            std::lock_guard<std::mutex> hold(lock);
            return commands;
        };
        {
            Game game(folder, false, &mci);
            QVERIFY(game.loaded);
            game->show();
            QCOMPARE(game.caption(), QStringLiteral("opening line"));
            QCOMPARE(recorded(), QStringList());
            QVERIFY(QTest::qWaitForWindowExposed(&*game));
            QTRY_VERIFY(!recorded().isEmpty());
            QTimer::singleShot(0, [&] { windowRan = true; });
            const QString song = folder.path() + QStringLiteral("bgm.mid");
            QTRY_COMPARE(recorded(),
                         (QStringList{"close MIDI notify", "open \"" + song + "\" alias MIDI",
                                      "play MIDI notify"}));
            QVERIFY(openWaited);
            QVERIFY(game->BgmTim.isActive());
            commands.clear();
            game->close();
            QCOMPARE(recorded(), (QStringList{"stop MIDI notify", "close MIDI notify"}));
        }
        commands.clear();
        {
            Game game(folder, false, &mci);
            game->show();
            game->close(); // before the event loop ever ran
            QTest::qWait(400);
            QCOMPARE(recorded(), (QStringList{"stop MIDI notify", "close MIDI notify"}));
        }
        // What fails on the worker reaches the one way out: reported, the album saved.
        folder.text(QStringLiteral("dat/save.dat"), {QStringLiteral("t01"), QStringLiteral("03")});
        FakeMci failing([](const char *command, char *, unsigned) -> int {
            if (std::strncmp(command, "open", 4) == 0)
                throw std::bad_alloc();
            return 0;
        });
        Game game(folder, true, &failing);
        QTRY_COMPARE(game.errors.size(), 1);
        QCOMPARE(game.exitStatus, 1);
        QCOMPARE(folder.read(QStringLiteral("dat/save.dat")), QByteArray("03\r\nt01\r\n"));
    }

    void missingAlbumIsEmptyAndCreatedAtShutdown() {
        GameFolder folder;
        folder.remove(QStringLiteral("dat/save.dat"));
        Game game(folder);
        QVERIFY(game.loaded);
        QCOMPARE(game->LST->count(), 0);
        game->close();
        QCOMPARE(game.exitStatus, 0);
        QVERIFY(QFile::exists(folder.dat(QStringLiteral("save.dat"))));
    }

    void unreadableAlbumIsNeverOverwritten() {
        GameFolder folder;
        folder.remove(QStringLiteral("dat/save.dat"));
        QDir(folder.path()).mkpath(QStringLiteral("dat/save.dat")); // a directory
        Game game(folder);
        QVERIFY(!game.loaded);
        QVERIFY(QFileInfo(folder.dat(QStringLiteral("save.dat"))).isDir());
    }

    void failedSaveIsReported() {
        GameFolder folder;
        Game game(folder);
        folder.remove(QStringLiteral("dat/save.dat"));
        QDir(folder.path()).mkpath(QStringLiteral("dat/save.dat"));
        game->close();
        QCOMPARE(game.exitStatus, 1);
        QCOMPARE(game.errors.size(), 1);
        QVERIFY(game.errors[0].contains(QStringLiteral("書き込めません")));
        QVERIFY(game.errors[0].contains(folder.dat(QStringLiteral("save.dat"))));
        QVERIFY(QFileInfo(folder.dat(QStringLiteral("save.dat"))).isDir());
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
