// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "album/albumlist.h"
#include "sim/stats.h"

#include <QTest>
#include <atomic>
#include <cstring>
#include <thread>

namespace {

// How many pixels of the image hold for f(x, y, pixel).
template <class F> int count(const QImage &image, F f) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += f(x, y, image.pixel(x, y));
    return n;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT
  private slots:
    void layoutOnEveryScreen_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("font");
        QTest::newRow("800") << 800 << 7;
        QTest::newRow("1024") << 1024 << 9;
        QTest::newRow("1920") << 1920 << 14;
    }
    void layoutOnEveryScreen() {
        QFETCH(int, screen);
        QFETCH(int, font);
        GameFolder folder;
        Game game(folder, false, nullptr, screen);
        Fom &fom = *game;
        const int pixels = qRound(screen / 2.5);
        QCOMPARE(fom.size(), QSize(pixels, pixels));
        // Cells tile the client area: the picture view starts where the buttons end.
        QCOMPARE(fom.com[0]->geometry().right() + 1, fom.Pic->x());
        QCOMPARE(fom.Pic->geometry().right() + 1, fom.LST->x());
        QCOMPARE(fom.com[3]->geometry().bottom() + 1, fom.TurasaPic->y());
        QCOMPARE(fom.lbl->geometry(), fom.ClickME->geometry());
        QCOMPARE(fom.com[0]->font().pointSize(), font);

        // The money's last digit keeps clear of the picture view beside it.
        fom.st.statValue[2] = 300000;
        StatChg(fom, 2, 0);
        const QImage money = fom.KANELBL->grab().toImage();
        const int w = money.width();
        QVERIFY(count(money, [&](int x, int, QRgb p) { return x > w / 2 && qGray(p) < 220; }));
        QCOMPARE(count(money, [&](int x, int, QRgb p) { return x >= w - 2 && qGray(p) < 220; }), 0);

        // The click indicator frames the message area without covering any of its text.
        QImage painted(fom.ClickME->size(), QImage::Format_ARGB32_Premultiplied);
        painted.fill(Qt::transparent);
        fom.ClickME->render(&painted, {}, {}, QWidget::DrawChildren);
        const QRect text = fom.lbl->contentsRect();
        QVERIFY(text.width() > fom.lbl->width() * 3 / 4);
        QVERIFY(count(painted, [](int, int, QRgb p) { return qAlpha(p) != 0; }));
        QCOMPARE(
            count(painted, [&](int x, int y, QRgb p) { return qAlpha(p) && text.contains(x, y); }),
            0);
    }

    // No album yet is an empty one. At the close the album goes to disk before the music
    // is stopped and closed, so that a hang in the sound system cannot cost a photo.
    void shutdownSavesBeforeTheMusicEnds() {
        GameFolder folder;
        folder.remove("dat/save.dat");
        QStringList commands;
        QList<QByteArray> albumAt;
        FakeMci mci([&](const char *command, char *, unsigned) {
            commands << command;
            albumAt << folder.read("dat/save.dat");
            return 0;
        });
        Game game(folder, true, &mci);
        QCOMPARE(game->LST->count(), 0);
        game->LST->add("t01");
        game->LST->add("03");
        game->close();
        QCOMPARE(game.exitStatus, 0);
        QCOMPARE(commands, (QStringList{"stop MIDI notify", "close MIDI notify"}));
        QCOMPARE(albumAt[0], QByteArray("03\r\nt01\r\n"));
        game->entry([] { QFAIL("no handler runs after shutdown"); });
    }

    // The first frame already shows the opening. The music is opened and started once,
    // after that frame and off the window's thread, so a slow sound system never holds
    // up the game.
    void musicNeverDelaysTheGame() {
        GameFolder folder;
        QStringList commands; // the worker's, read once it is done
        std::atomic<bool> windowRan = false;
        bool openWaited = false;
        FakeMci mci([&](const char *command, char *reply, unsigned length) {
            if (std::strncmp(command, "open", 4) == 0) { // held until the window ran an event
                QMetaObject::invokeMethod(
                    qApp, [&] { windowRan = true; }, Qt::QueuedConnection);
                for (int i = 0; i < 500 && !windowRan; ++i)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                openWaited = windowRan;
            }
            if (std::strncmp(command, "status", 6) != 0)
                commands << command;
            if (reply && length)
                reply[0] = 0;
            return 0;
        });
        Game game(folder, false, &mci);
        game->show();
        QCOMPARE(game.caption(), QStringLiteral("はじまり"));
        QCOMPARE(commands, QStringList());
        QTRY_VERIFY(game->BgmTim.isActive());
        QVERIFY(openWaited);
        const QString open = "open \"" + folder.path() + "bgm.mid\" alias MIDI";
        QCOMPARE(commands, (QStringList{"close MIDI notify", open, "play MIDI notify"}));
    }

    // An album that cannot be read stops the start, and is never written over.
    void unreadableAlbumIsNeverOverwritten() {
        GameFolder folder;
        folder.remove("dat/save.dat");
        QVERIFY(QDir().mkpath(folder.dat("save.dat")));
        Game game(folder);
        QVERIFY(!game.loaded);
        QVERIFY(QFileInfo(folder.dat("save.dat")).isDir());
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
