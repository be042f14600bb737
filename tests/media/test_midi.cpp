// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gamefolder.h"

#include "media/mci.h"
#include "media/midi.h"

#include <QTest>
#include <cmath>
#include <cstring>

using namespace media;

namespace {

constexpr int block = 512;
constexpr int songFrames = 2 * 44100; // three notes of a beat at 120 bpm, a beat of rest

// A format-0 song on the piano: one beat per note, then a beat of rest.
QByteArray song(const QList<int> &notes) {
    QByteArray track("\x00\xC0\x00", 3);
    for (int note : notes) {
        track += QByteArray("\x00\x90", 2) + char(note) + char(100);
        track += QByteArray("\x83\x60\x80", 3) + char(note) + char(0); // 480 ticks later
    }
    track += QByteArray("\x83\x60\xFF\x2F\x00", 5);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk\0\0\0", 21);
    return file + char(track.size()) + track; // under 256 bytes
}

// One block of both channels of the offline device.
std::vector<float> render() {
    std::vector<float> samples(2 * block);
    mciRender("MIDI", samples.data(), samples.data() + block, block);
    return samples;
}

// The largest difference between two blocks, or the loudest sample of one.
float most(const std::vector<float> &a, const std::vector<float> &b = {}) {
    float m = 0;
    for (size_t i = 0; i < a.size(); ++i)
        m = std::max(m, std::fabs(a[i] - (b.empty() ? 0 : b[i])));
    return m;
}

const QList<QByteArray> poll = {"status MIDI mode"};
const QList<QByteArray> restart = {"status MIDI mode", "seek MIDI to start", "play MIDI from 0"};

} // namespace

// The game's music commands, and the stand-in device that plays them offline. Runs are
// compared sample by sample: timgm6mb-soundfont, as others' chorus would upset that.
class MidiTest : public QObject {
    Q_OBJECT
    GameFolder dir;
    QString songPath = dir.path() + "あい うえ.mid"; // the quotes keep the blank in

  private slots:
    void initTestCase() {
        dir.bytes("あい うえ.mid", song({60, 67, 72}));
        dir.bytes("silent.mid", song({}));
        mciUseOfflineRendering(true);
        mciSetSoundfontForTests("/usr/share/sounds/sf2/TimGM6mb.sf2");
    }

    void pollReadsTheMode_data() {
        QTest::addColumn<QByteArray>("answer"); // copied with its NUL where it fits
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("restarts");
        for (const char *answer : {"sToPpEd", "Stopped now", "stoppedstopped!"})
            QTest::addRow("'%s'", answer) << QByteArray(answer) << 0 << true; // the last: no NUL
        QTest::newRow("result ignored") << QByteArray("stopped") << 1 << true;
        // After a "stopped": each tick asks with a fresh reply area.
        QTest::newRow("failed, no answer") << QByteArray() << 1 << false;
        for (const char *answer : {"stoppe ", "playing", " stopped"})
            QTest::addRow("'%s'", answer) << QByteArray(answer) << 0 << false;
    }
    void pollReadsTheMode() {
        QFETCH(QByteArray, answer);
        QFETCH(int, result);
        QFETCH(bool, restarts);
        QList<QByteArray> commands;
        FakeMci device([&](const char *command, char *reply, unsigned length) {
            commands << command;
            if (reply && !answer.isNull())
                std::memcpy(reply, answer.constData(), std::min<size_t>(answer.size() + 1, length));
            return result;
        });
        BgmTim_Timer(device);
        QCOMPARE(commands, restarts ? restart : poll);
    }

    // The game's loop on the device, with the poll after every block: each run plays the
    // whole song, reads as stopped at its end, and sounds again from its start.
    void loopsForever() {
        QList<QByteArray> commands;
        FakeMci device([&](const char *command, char *reply, unsigned length) {
            commands << command;
            return mci().send(command, reply, length);
        });
        MidiOpen(device, dir.path() + "silent.mid");
        MidiOpen(device, songPath); // closes the silent one first
        MidiPlay(device);
        std::vector<float> first;
        int runs = 0, frames = 0;
        for (int blocks = 0; blocks < 5 * (songFrames / block + 20) && runs < 5; ++blocks) {
            const std::vector<float> samples = render();
            if (frames == 0) {
                ++runs;
                first = first.empty() ? samples : first;
                QVERIFY2(most(samples) > 0.001f, "should sound at once");
                QVERIFY2(most(samples, first) < 0.02f * most(first), "should start over");
            }
            frames += block;
            commands.clear();
            BgmTim_Timer(device);
            if (commands != poll) {
                QCOMPARE(commands, restart);
                QVERIFY2(frames >= songFrames - block && frames <= songFrames + 4410,
                         qPrintable(QString::number(frames)));
                frames = 0;
            }
        }
        QCOMPARE(runs, 5);
        MidiClose(device);
        QCOMPARE(mciSendStringA("close MIDI", nullptr, 0, nullptr), mciFailed); // all freed
    }
};

QTEST_GUILESS_MAIN(MidiTest)
#include "test_midi.moc"
