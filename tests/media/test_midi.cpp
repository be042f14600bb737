#include "media/mci.h"
#include "media/midi.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace media;

#if defined(__SANITIZE_ADDRESS__)
#define COUNT_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COUNT_ALLOCATIONS 0
#endif
#endif
#ifndef COUNT_ALLOCATIONS
#define COUNT_ALLOCATIONS 1
#endif

#if COUNT_ALLOCATIONS
// Counts the heap allocations of this thread while asked to; everything still goes to glibc.
extern "C" void *__libc_malloc(std::size_t);
extern "C" void *__libc_calloc(std::size_t, std::size_t);
extern "C" void *__libc_realloc(void *, std::size_t);
namespace {
thread_local bool counting = false;
long allocations = 0;
} // namespace
extern "C" void *malloc(std::size_t size) noexcept {
    allocations += counting;
    return __libc_malloc(size);
}
extern "C" void *calloc(std::size_t count, std::size_t size) noexcept {
    allocations += counting;
    return __libc_calloc(count, size);
}
extern "C" void *realloc(void *old, std::size_t size) noexcept {
    allocations += counting;
    return __libc_realloc(old, size);
}
#endif

namespace {

constexpr int block = 512;
constexpr int rate = 44100;

// A format-0 song at 120 bpm: one beat per note, then a beat of rest.
QByteArray song(const QList<int> &notes) {
    QByteArray track("\x00\xC0\x00", 3);
    for (int note : notes) {
        track += QByteArray("\x00\x90", 2) + char(note) + char(100);
        track += QByteArray("\x83\x60\x80", 3) + char(note) + char(0);
    }
    track += QByteArray("\x83\x60\xFF\x2F\x00", 5);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0MTrk", 18);
    const auto length = quint32(track.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        file += char((length >> shift) & 0xFF);
    return file + track;
}
constexpr int songFrames = 4 * rate / 2; // three notes and the rest

std::vector<float> render() {
    std::vector<float> left(block), right(block);
    if (mciRender("MIDI", left.data(), right.data(), block) != 0)
        return {};
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

float peak(const std::vector<float> &samples) {
    float most = 0;
    for (float s : samples)
        most = std::max(most, std::fabs(s));
    return most;
}

float difference(const std::vector<float> &a, const std::vector<float> &b) {
    if (a.size() != b.size())
        return INFINITY;
    float most = 0;
    for (size_t i = 0; i < a.size(); ++i)
        most = std::max(most, std::fabs(a[i] - b[i]));
    return most;
}

// Stands in for the device: keeps every command and answers the mode query as told.
struct Recorder {
    QList<QByteArray> commands;
    QByteArray answer; // copied into the reply, NUL included when terminated
    bool terminated = true;
    bool writes = true;
    int result = 0;
    bool forward = false; // pass everything on to the real device as well
    QByteArray replyOnArrival;
    unsigned replyLength = 0;
    bool callbackSeen = false;

    MciSender sender() {
        return [this](const char *command, char *reply, unsigned length, void *callback) {
            commands << QByteArray(command);
            callbackSeen = callbackSeen || callback;
            if (forward)
                return mciSendStringA(command, reply, length, callback);
            if (reply) {
                replyOnArrival = QByteArray(reply, 16);
                replyLength = length;
                if (writes) {
                    const int size = int(std::min<qsizetype>(answer.size(), length));
                    std::memcpy(reply, answer.constData(), size_t(size));
                    if (terminated && size < int(length))
                        reply[size] = '\0';
                }
            }
            return result;
        };
    }
};

const QByteArray statusQuery = "status MIDI mode";
const QList<QByteArray> restart = {"seek MIDI to start", "play MIDI from 0"};

} // namespace

class MidiTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString songPath;

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        songPath = dir.filePath("bgm.mid");
        QFile file(songPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(song({60, 67, 72}));
        file.close();
        mciUseOfflineRendering(true);
        // Runs are compared sample by sample: the soundfont of timgm6mb-soundfont, whatever
        // the system's default one is.
        mciSetSoundfontForTests("/usr/share/sounds/sf2/TimGM6mb.sf2");
    }
    void cleanup() {
        setMciSender({});
        mciSendStringA("close MIDI", nullptr, 0, nullptr);
    }

    void procedures_data() {
        QTest::addColumn<QString>("procedure");
        QTest::addColumn<QList<QByteArray>>("commands");
        QTest::newRow("MidiOpen") << "MidiOpen"
                                  << QList<QByteArray>{
                                         "close MIDI notify",
                                         "open \"/home/あい うえ/bgm.mid\" alias MIDI"};
        QTest::newRow("MidiClose") << "MidiClose" << QList<QByteArray>{"close MIDI notify"};
        QTest::newRow("MidiPlay") << "MidiPlay" << QList<QByteArray>{"play MIDI notify"};
        QTest::newRow("MidiStop") << "MidiStop" << QList<QByteArray>{"stop MIDI notify"};
    }
    void procedures() {
        QFETCH(QString, procedure);
        QFETCH(QList<QByteArray>, commands);
        Recorder recorder;
        setMciSender(recorder.sender());
        if (procedure == "MidiOpen")
            MidiOpen(QStringLiteral("/home/あい うえ/bgm.mid"));
        else if (procedure == "MidiClose")
            MidiClose();
        else if (procedure == "MidiPlay")
            MidiPlay();
        else
            MidiStop();
        QCOMPARE(recorder.commands, commands);
        QVERIFY(!recorder.callbackSeen);
    }

    void pollReadsTheMode_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("terminated");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("restarts");
        QTest::newRow("stopped") << QByteArray("stopped") << true << 0 << true;
        QTest::newRow("STOPPED") << QByteArray("STOPPED") << true << 0 << true;
        QTest::newRow("sToPpEd") << QByteArray("sToPpEd") << true << 0 << true;
        QTest::newRow("Stopped now") << QByteArray("Stopped now") << true << 0 << true;
        QTest::newRow("unterminated, all 15")
            << QByteArray("stoppedstopped!") << false << 0 << true;
        QTest::newRow("result ignored") << QByteArray("stopped") << true << 263 << true;
        QTest::newRow("stoppe") << QByteArray("stoppe") << true << 0 << false;
        QTest::newRow("stoppe, blanks after") << QByteArray("stoppe") << false << 0 << false;
        QTest::newRow("playing") << QByteArray("playing") << true << 0 << false;
        QTest::newRow("empty") << QByteArray("") << true << 0 << false;
        QTest::newRow("leading blank") << QByteArray(" stopped") << true << 0 << false;
        QTest::newRow("inner blank") << QByteArray("stop ped") << true << 0 << false;
        QTest::newRow("stopper") << QByteArray("stopper") << true << 0 << false;
        QTest::newRow("failed, no answer") << QByteArray() << true << 263 << false;
    }
    void pollReadsTheMode() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, terminated);
        QFETCH(int, result);
        QFETCH(bool, restarts);
        Recorder recorder;
        recorder.answer = answer;
        recorder.terminated = terminated;
        recorder.writes = !answer.isNull();
        recorder.result = result;
        setMciSender(recorder.sender());
        BgmTim_Timer();
        QList<QByteArray> expected{statusQuery};
        if (restarts)
            expected += restart;
        QCOMPARE(recorder.commands, expected);
        QCOMPARE(recorder.replyOnArrival, QByteArray(16, ' '));
        QCOMPARE(recorder.replyLength, 15u);
        QVERIFY(!recorder.callbackSeen);
    }

    // A fresh reply area every tick: yesterday's "stopped" must not restart the song again.
    void pollForgetsTheLastAnswer() {
        Recorder recorder;
        recorder.answer = "stopped";
        setMciSender(recorder.sender());
        BgmTim_Timer();
        recorder.writes = false;
        BgmTim_Timer();
        QCOMPARE(recorder.commands, QList<QByteArray>{statusQuery} + restart + QList{statusQuery});
        QCOMPARE(recorder.replyOnArrival, QByteArray(16, ' '));
    }

    void openingAgainLeavesOneSong() {
        const QString silent = dir.filePath("silent.mid");
        QFile file(silent);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(song({}));
        file.close();
        MidiOpen(silent);
        MidiOpen(songPath); // closes the silent one first
        MidiPlay();
        QVERIFY(peak(render()) > 0.001f);
        QCOMPARE(mciSendStringA("close MIDI", nullptr, 0, nullptr), 0);
        QCOMPARE(mciSendStringA("close MIDI", nullptr, 0, nullptr), MCIERR_INVALID_DEVICE_NAME);
        MidiOpen(songPath);
        MidiClose();
        QCOMPARE(mciSendStringA("close MIDI", nullptr, 0, nullptr), MCIERR_INVALID_DEVICE_NAME);
    }

    // The game's loop on a real device, rendered offline, with the poll after every block.
    void loopsForever() {
        Recorder recorder;
        recorder.forward = true;
        setMciSender(recorder.sender());
        MidiOpen(songPath);
        MidiPlay();
        std::vector<float> first;
        int runs = 0, frames = 0, restarts = 0;
        for (int blocks = 0; blocks < 5 * (songFrames / block + 20) && runs < 5; ++blocks) {
            const std::vector<float> samples = render();
            QCOMPARE(int(samples.size()), 2 * block);
            if (frames == 0) {
                ++runs;
                if (first.empty())
                    first = samples;
                QVERIFY2(peak(samples) > 0.001f, "should sound at once");
                QVERIFY2(
                    difference(samples, first) < 0.02f * peak(first),
                    qPrintable(QStringLiteral("run %1 should start from the start").arg(runs)));
            }
            frames += block;
            recorder.commands.clear();
            BgmTim_Timer();
            if (recorder.commands.size() > 1) {
                QCOMPARE(recorder.commands, QList<QByteArray>{statusQuery} + restart);
                QVERIFY2(frames >= songFrames - block && frames <= songFrames + rate / 10,
                         qPrintable(QStringLiteral("restarted after %1 frames").arg(frames)));
                frames = 0;
                ++restarts;
            }
        }
        QCOMPARE(runs, 5);
        QCOMPARE(restarts, 4);
    }

    // The poll runs every millisecond for the whole game.
    void pollCost() {
        MidiOpen(songPath);
        MidiPlay();
        render();
        BgmTim_Timer();
#if COUNT_ALLOCATIONS
        allocations = 0;
        counting = true;
        for (int i = 0; i < 1000; ++i)
            BgmTim_Timer();
        counting = false;
        QCOMPARE(allocations, 0L);
#endif
        constexpr int polls = 200000;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < polls; ++i)
            BgmTim_Timer();
        const qint64 elapsed = timer.nsecsElapsed();
        char reply[16] = {};
        mciSendStringA("status MIDI mode", reply, sizeof reply, nullptr);
        QCOMPARE(QByteArray(reply), "playing");
        qInfo("one poll: %.0f ns", double(elapsed) / polls);
    }
};

QTEST_GUILESS_MAIN(MidiTest)
#include "test_midi.moc"
