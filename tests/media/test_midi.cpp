// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include "media/midi.h"

#include <QDir>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cstring>

using namespace audio;
using namespace media;

namespace {

// Stands in for the device: keeps every command and answers the mode query as told.
struct Recorder : MciSender {
    QList<QByteArray> commands;
    QByteArray answer; // copied into the reply, with the NUL where it fits; none: no answer
    int result = 0;
    bool forward = false; // pass everything on to the real device instead

    int send(const char *command, char *reply, unsigned length) override {
        commands << QByteArray(command);
        if (forward)
            return mci().send(command, reply, length);
        if (reply && !answer.isNull())
            std::memcpy(reply, answer.constData(), std::min<size_t>(answer.size() + 1, length));
        return result;
    }
};

const QList<QByteArray> poll = {"status MIDI mode"};
const QList<QByteArray> restart = {"status MIDI mode", "seek MIDI to start", "play MIDI from 0"};

} // namespace

class MidiTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString songPath, silentPath;

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir("あい うえ"));
        songPath = dir.filePath("あい うえ/bgm.mid");
        write(songPath, song({60, 67, 72}));
        silentPath = dir.filePath("silent.mid");
        write(silentPath, song({}));
    }

    void pollReadsTheMode_data() {
        QTest::addColumn<QByteArray>("answer");
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
        Recorder recorder;
        QFETCH(QByteArray, answer);
        recorder.answer = answer;
        QFETCH(int, result);
        recorder.result = result;
        QFETCH(bool, restarts);
        BgmTim_Timer(recorder);
        QCOMPARE(recorder.commands, restarts ? restart : poll);
    }

    void openingAgainLeavesOneSong() {
        const OfflineMusic offline;
        const auto close = qScopeGuard([] { MidiClose(mci()); });
        MidiOpen(mci(), silentPath);
        MidiOpen(mci(), songPath); // closes the silent one first
        MidiPlay(mci());
        QVERIFY(peak(render("MIDI")) > 0.001f);
        MidiClose(mci());
        QCOMPARE(mciSendStringA("close MIDI", nullptr, 0, nullptr), mciFailed);
    }

    // The game's loop on a real device, rendered offline, with the poll after every block:
    // each run plays the whole song and sounds again from its start.
    void loopsForever() {
        const OfflineMusic offline;
        Recorder recorder;
        recorder.forward = true;
        const auto close = qScopeGuard([] { MidiClose(mci()); });
        MidiOpen(recorder, songPath);
        MidiPlay(recorder);
        std::vector<float> first, middle;
        int runs = 0, frames = 0;
        for (int blocks = 0; blocks < 5 * (songFrames / block + 20) && runs < 5; ++blocks) {
            const std::vector<float> samples = render("MIDI");
            if (frames == 0) {
                ++runs;
                if (first.empty())
                    first = samples;
                QVERIFY2(peak(samples) > 0.001f, "should sound at once");
                QVERIFY2(difference(samples, first) < 0.02f * peak(first), "should start over");
            }
            if (frames == 70 * block) // inside the second note
                middle = samples;
            frames += block;
            recorder.commands.clear();
            BgmTim_Timer(recorder);
            if (recorder.commands != poll) {
                QCOMPARE(recorder.commands, restart);
                QVERIFY2(endsOnTime(frames), qPrintable(QString::number(frames)));
                frames = 0;
            }
        }
        QCOMPARE(runs, 5);
        // The comparison above tells a start from any other part of the song.
        QVERIFY(difference(middle, first) > 0.2f * peak(first));
    }
};

QTEST_GUILESS_MAIN(MidiTest)
#include "test_midi.moc"
