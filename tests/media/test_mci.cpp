#include "media/mci.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace media;

namespace {

constexpr int block = 512;
constexpr int rate = 44100;
// Renders are compared sample by sample, which another soundfont's chorus and modulation
// upset: pinned to timgm6mb-soundfont's, whatever the system's default one is.
const char *const pinnedSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A format-0 song at 120 bpm, 480 ticks a beat: one beat per note, then a beat of rest.
// Held: on an organ, which never dies away by itself, with the sustain pedal down throughout.
QByteArray song(const QList<int> &notes, bool held = false) {
    QByteArray track = held ? QByteArray("\x00\xC0\x10\x00\xB0\x40\x7F", 7)
                            : QByteArray("\x00\xC0\x00", 3); // piano
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
int songFrames(int notes) {
    return (notes + 1) * rate / 2;
}

const QByteArray tune = song({60, 67, 72});
const QByteArray heldTune = song({60, 67, 72}, true);

void write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

int send(const QByteArray &command) {
    return mciSendStringA(command.constData(), nullptr, 0, nullptr);
}

QByteArray mode(const char *alias) {
    char reply[32] = {};
    const int error = mciSendStringA(QByteArray("status ") + alias + " mode", reply, 32, nullptr);
    return error ? QByteArray::number(error) : QByteArray(reply);
}

// One block of both channels.
std::vector<float> render(const char *alias) {
    std::vector<float> left(block), right(block);
    if (mciRender(alias, left.data(), right.data(), block) != 0)
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
    float most = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        most = std::max(most, std::fabs(a[i] - b[i]));
    return most;
}

// Everything written to file descriptor 2 while it lives.
class StderrCapture {
  public:
    StderrCapture() {
        std::fflush(stderr);
        if (file.open()) {
            saved = dup(2);
            dup2(file.handle(), 2);
        }
    }
    ~StderrCapture() { restore(); }
    QByteArray text() {
        restore();
        file.seek(0);
        return file.readAll();
    }

  private:
    void restore() {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, 2);
        ::close(saved);
        saved = -1;
    }
    QTemporaryFile file;
    int saved = -1;
};

} // namespace

class MciTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QByteArray songPath, heldPath;

    QByteArray path(const QString &name) const { return QFile::encodeName(dir.filePath(name)); }
    QByteArray open(const QByteArray &file, const char *alias) const {
        return "open \"" + file + "\" alias " + alias;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        mciUseOfflineRendering(true);
        mciSetSoundfontForTests(pinnedSoundfont);
        songPath = path("bgm.mid");
        write(QString::fromLocal8Bit(songPath), tune);
        heldPath = path("held.mid");
        write(QString::fromLocal8Bit(heldPath), heldTune);
        // Needs timgm6mb-soundfont.
        QCOMPARE(send(open(songPath, "probe")), 0);
        QCOMPARE(send("close probe"), 0);
    }
    void init() { QCOMPARE(send(open(songPath, "M")), 0); }
    void cleanup() {
        send("close M");
        send("close H");
        mciUseOfflineRendering(true);
        mciSetSoundfontForTests(pinnedSoundfont);
    }

    void commands_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("error");
        QTest::newRow("play") << QByteArray("play M") << 0;
        QTest::newRow("any case") << QByteArray("PLAY m NOTIFY") << 0;
        QTest::newRow("from 0") << QByteArray("play M from 0 notify") << 0;
        QTest::newRow("from 000") << QByteArray("Play M FROM 000") << 0;
        QTest::newRow("status") << QByteArray("Status m MODE") << 0;
        QTest::newRow("seek") << QByteArray("SEEK m TO START NOTIFY") << 0;
        QTest::newRow("stop") << QByteArray("stop M notify") << 0;
        QTest::newRow("tabs and runs of blanks") << QByteArray("  play\tM \t from  0  ") << 0;
        QTest::newRow("quoted alias") << QByteArray("play \"m\"") << 0;

        QTest::newRow("empty") << QByteArray("") << MCIERR_MISSING_COMMAND_STRING;
        QTest::newRow("blanks only") << QByteArray(" \t ") << MCIERR_MISSING_COMMAND_STRING;
        QTest::newRow("unknown verb") << QByteArray("pause M") << MCIERR_UNRECOGNIZED_COMMAND;
        QTest::newRow("verb prefix") << QByteArray("pla M") << MCIERR_UNRECOGNIZED_COMMAND;
        QTest::newRow("play alone") << QByteArray("play") << MCIERR_MISSING_DEVICE_NAME;
        QTest::newRow("not open") << QByteArray("play MIDI") << MCIERR_INVALID_DEVICE_NAME;
        QTest::newRow("alias prefix") << QByteArray("play MM") << MCIERR_INVALID_DEVICE_NAME;
        QTest::newRow("unknown flag") << QByteArray("play M wait") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("from nothing") << QByteArray("play M from") << MCIERR_MISSING_PARAMETER;
        QTest::newRow("from word") << QByteArray("play M from start") << MCIERR_BAD_INTEGER;
        QTest::newRow("from negative") << QByteArray("play M from -1") << MCIERR_BAD_INTEGER;
        QTest::newRow("from middle")
            << QByteArray("play M from 500") << MCIERR_UNSUPPORTED_FUNCTION;
        QTest::newRow("notify twice")
            << QByteArray("play M notify notify") << MCIERR_DUPLICATE_FLAGS;
        QTest::newRow("status no item") << QByteArray("status M") << MCIERR_MISSING_PARAMETER;
        QTest::newRow("status item")
            << QByteArray("status M length") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("status extra")
            << QByteArray("status M mode now") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("seek alone") << QByteArray("seek M") << MCIERR_MISSING_PARAMETER;
        QTest::newRow("seek no to") << QByteArray("seek M start") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("seek to nothing") << QByteArray("seek M to") << MCIERR_MISSING_PARAMETER;
        QTest::newRow("seek to end") << QByteArray("seek M to end") << MCIERR_UNSUPPORTED_FUNCTION;
        QTest::newRow("stop extra") << QByteArray("stop M now") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("close alone") << QByteArray("close") << MCIERR_MISSING_DEVICE_NAME;
        QTest::newRow("close extra") << QByteArray("close M all") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("open alone") << QByteArray("open") << MCIERR_MISSING_DEVICE_NAME;
        QTest::newRow("open alias nothing")
            << QByteArray("open a.mid alias") << MCIERR_MISSING_STRING_ARGUMENT;
        QTest::newRow("open alias empty")
            << QByteArray("open a.mid alias \"\"") << MCIERR_MISSING_STRING_ARGUMENT;
        QTest::newRow("open alias twice")
            << QByteArray("open a.mid alias A alias B") << MCIERR_DUPLICATE_FLAGS;
        QTest::newRow("open flag")
            << QByteArray("open a.mid alias A shareable") << MCIERR_UNRECOGNIZED_KEYWORD;
        QTest::newRow("open open alias")
            << QByteArray("open a.mid alias m") << MCIERR_DUPLICATE_ALIAS;
        QTest::newRow("unterminated quote")
            << QByteArray("open \"/a b.mid alias A") << MCIERR_NO_CLOSING_QUOTE;
        QTest::newRow("word after quote")
            << QByteArray("open \"a.mid\"x alias A") << MCIERR_EXTRA_CHARACTERS;
        QTest::newRow("too many words")
            << QByteArray("stop M a b c d e f g") << MCIERR_UNRECOGNIZED_KEYWORD;
    }
    void commands() {
        QFETCH(QByteArray, command);
        QFETCH(int, error);
        StderrCapture capture;
        char reply[32];
        std::memset(reply, 'x', sizeof reply);
        QCOMPARE(mciSendStringA(command.constData(), reply, sizeof reply, nullptr), error);
        QCOMPARE(capture.text(), QByteArray());
        if (error) {
            QCOMPARE(reply[0], '\0');       // a failure answers nothing
            QCOMPARE(mode("M"), "stopped"); // and changes nothing
            QCOMPARE(peak(render("M")), 0.0f);
        }
    }

    void nullCommand() {
        char reply[4] = "abc";
        QCOMPARE(mciSendStringA(nullptr, reply, 4, nullptr), MCIERR_MISSING_COMMAND_STRING);
        QCOMPARE(reply[0], '\0');
        QCOMPARE(mciSendStringA(nullptr, nullptr, 0, nullptr), MCIERR_MISSING_COMMAND_STRING);
    }

    void replyLength_data() {
        QTest::addColumn<bool>("playing");
        QTest::addColumn<unsigned>("length");
        for (bool playing : {false, true})
            for (unsigned length : {0u, 1u, 2u, 7u, 8u, 9u, 15u}) {
                const QByteArray name =
                    (playing ? "playing, " : "stopped, ") + QByteArray::number(length);
                QTest::newRow(name.constData()) << playing << length;
            }
    }
    void replyLength() {
        QFETCH(bool, playing);
        QFETCH(unsigned, length);
        if (playing)
            QCOMPARE(send("play M"), 0);
        const QByteArray word = playing ? "playing" : "stopped";
        char reply[32];
        std::memset(reply, '#', sizeof reply);
        const int error = mciSendStringA("status M mode", reply, length, nullptr);
        QCOMPARE(error, length > unsigned(word.size()) ? 0 : MCIERR_PARAM_OVERFLOW);
        for (unsigned i = length; i < sizeof reply; ++i)
            QCOMPARE(reply[i], '#');
        if (length > 0)
            QCOMPARE(QByteArray(reply), word.left(int(length) - 1));

        QCOMPARE(mciSendStringA("status M mode", nullptr, 15, nullptr), MCIERR_PARAM_OVERFLOW);
        // Commands that answer nothing still only clear the first byte.
        std::memset(reply, '#', sizeof reply);
        QCOMPARE(mciSendStringA("seek M to start", reply, 3, nullptr), 0);
        QCOMPARE(QByteArray(reply, 4), QByteArray("\0###", 4));
    }

    void oneDevicePerAlias() {
        const QByteArray silent = path("silent.mid");
        write(QString::fromLocal8Bit(silent), song({}));
        StderrCapture capture;
        QCOMPARE(send(open(silent, "m")), MCIERR_DUPLICATE_ALIAS);
        // The first song is still the one under the alias.
        QCOMPARE(send("play M"), 0);
        QVERIFY(peak(render("M")) > 0.001f);
        QCOMPARE(send("close m notify"), 0);
        QCOMPARE(send("close M"), MCIERR_INVALID_DEVICE_NAME);
        QCOMPARE(mode("M"), QByteArray::number(MCIERR_INVALID_DEVICE_NAME));
        QCOMPARE(send("play M"), MCIERR_INVALID_DEVICE_NAME);
        QCOMPARE(mciRender("M", nullptr, nullptr, 0), MCIERR_INVALID_DEVICE_NAME);
        // Freed: the alias takes another song.
        QCOMPARE(send(open(silent, "M")), 0);
        QCOMPARE(send("play M"), 0);
        QCOMPARE(mode("M"), "playing");
        QCOMPARE(peak(render("M")), 0.0f);
        QCOMPARE(capture.text(), QByteArray());
    }

    void unquotedPathWithoutAlias() {
        const QByteArray command = "open " + songPath;
        QCOMPARE(send(command), 0);
        QCOMPARE(mode(songPath.constData()), "stopped");
        QCOMPARE(send("close " + songPath), 0);
    }

    void extensions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow(".mid") << "a.mid" << 0;
        QTest::newRow(".MID") << "B.MID" << 0;
        QTest::newRow(".midi") << "c with blanks.midi" << 0;
        QTest::newRow(".Rmi") << "d.Rmi" << 0;
        QTest::newRow(".wav") << "e.wav" << MCIERR_EXTENSION_NOT_FOUND;
        QTest::newRow("none") << "f" << MCIERR_EXTENSION_NOT_FOUND;
        QTest::newRow("dot in folder") << "g.mid/h" << MCIERR_EXTENSION_NOT_FOUND;
        QTest::newRow("after .mid") << "i.mid.bak" << MCIERR_EXTENSION_NOT_FOUND;
    }
    void extensions() {
        QFETCH(QString, name);
        QFETCH(int, error);
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path()));
        write(dir.filePath(name), tune);
        StderrCapture capture;
        QCOMPARE(send(open(path(name), "E")), error);
        QCOMPARE(capture.text(), QByteArray());
        QCOMPARE(send("close E"), error ? MCIERR_INVALID_DEVICE_NAME : 0);
    }

    void failedOpens_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // written unless empty and "missing"
        QTest::addColumn<QByteArray>("soundfont");
        QTest::addColumn<int>("error");
        QTest::addColumn<QByteArray>("line");
        const QByteArray standard; // the pinned soundfont
        const QByteArray cannotPlay = "ミルテナ: 音楽ファイルを再生できません: ";
        QTest::newRow("missing") << "no such song.mid" << QByteArray() << standard
                                 << MCIERR_FILE_NOT_FOUND
                                 << QByteArray("ミルテナ: 音楽ファイルが見つかりません: ");
        QTest::newRow("empty file")
            << "empty.mid" << QByteArray("") << standard << MCIERR_INVALID_FILE << cannotPlay;
        QTest::newRow("text") << "text.mid" << QByteArray("not a song at all\n") << standard
                              << MCIERR_INVALID_FILE << cannotPlay;
        QTest::newRow("header only")
            << "header.mid" << tune.left(14) << standard << MCIERR_INVALID_FILE << cannotPlay;
        QTest::newRow("cut inside the track")
            << "cut.mid" << tune.left(25) << standard << MCIERR_INVALID_FILE << cannotPlay;
        QTest::newRow("folder") << "folder.mid" << QByteArray("/") << standard
                                << MCIERR_INVALID_FILE << cannotPlay;
        QTest::newRow("no soundfont")
            << "ok.mid" << tune << QByteArray("") << MCIERR_SEQ_NOMIDIPRESENT
            << QByteArray("ミルテナ: MIDI 音源（サウンドフォント）が見つかりません");
        QTest::newRow("soundfont not one")
            << "ok2.mid" << tune << QByteArray("self") << MCIERR_SEQ_NOMIDIPRESENT
            << QByteArray("ミルテナ: MIDI 音源（サウンドフォント）が見つかりません");
    }
    void failedOpens() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, soundfont);
        QFETCH(int, error);
        QFETCH(QByteArray, line);
        const QByteArray file = path(name);
        if (contents == "/")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else if (!contents.isNull())
            write(dir.filePath(name), contents);
        if (soundfont == "self")
            mciSetSoundfontForTests(file.constData());
        else if (!soundfont.isNull())
            mciSetSoundfontForTests(soundfont.constData());

        StderrCapture capture;
        QCOMPARE(send(open(file, "F")), error);
        if (line.endsWith(": "))
            line += file;
        QCOMPARE(capture.text(), line + '\n');
        QCOMPARE(mode("F"), QByteArray::number(MCIERR_INVALID_DEVICE_NAME));
        // Nothing is left behind under the alias.
        mciSetSoundfontForTests(pinnedSoundfont);
        QCOMPARE(send(open(songPath, "F")), 0);
        QCOMPARE(send("close F"), 0);
    }

    void noAudioOutput() {
        // Make every sound server and card unreachable, even on a machine that has them.
        QTemporaryFile emptyAlsaConfig;
        QVERIFY(emptyAlsaConfig.open());
        qputenv("ALSA_CONFIG_PATH", emptyAlsaConfig.fileName().toLocal8Bit());
        qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
        qputenv("PIPEWIRE_REMOTE", "/nonexistent/pipewire");
        qputenv("SDL_AUDIODRIVER", "nonexistent");
        const auto restore = qScopeGuard([] {
            for (const char *name :
                 {"ALSA_CONFIG_PATH", "PULSE_SERVER", "PIPEWIRE_REMOTE", "SDL_AUDIODRIVER"})
                qunsetenv(name);
        });
        mciUseOfflineRendering(false);
        StderrCapture capture;
        QCOMPARE(send(open(songPath, "L")), MCIERR_HARDWARE);
        QCOMPARE(capture.text(), QByteArray("ミルテナ: 音声出力を開けません\n"));
        QCOMPARE(send("close L"), MCIERR_INVALID_DEVICE_NAME);
    }

    void silentUntilPlayed() {
        QCOMPARE(mode("M"), "stopped");
        for (int i = 0; i < 20; ++i)
            QCOMPARE(peak(render("M")), 0.0f);
        QCOMPARE(mode("M"), "stopped");
    }

    // Plays to the end, then rewinds and plays again, a few times over.
    void playsToTheEndAndAgain() {
        std::vector<float> first, middle;
        for (int run = 0; run < 3; ++run) {
            if (run > 0) {
                QCOMPARE(send("play M"), 0); // at the end: nothing to play
                QCOMPARE(mode("M"), "stopped");
                QCOMPARE(send("seek M to start"), 0);
                QCOMPARE(mode("M"), "stopped");
            }
            QCOMPARE(send("play M from 0"), 0);
            QCOMPARE(mode("M"), "playing");
            const std::vector<float> start = render("M");
            if (run == 0)
                first = start;
            QVERIFY2(peak(start) > 0.001f, "the song should sound at once");
            QVERIFY2(difference(start, first) < 0.02f * peak(first), "should start from the start");

            int frames = block;
            while (mode("M") == "playing" && frames < 4 * songFrames(3)) {
                const std::vector<float> samples = render("M");
                if (middle.empty() && frames >= rate * 3 / 4) // inside the second note
                    middle = samples;
                frames += block;
            }
            QCOMPARE(mode("M"), "stopped");
            QVERIFY2(frames >= songFrames(3) - block && frames <= songFrames(3) + rate / 10,
                     qPrintable(QStringLiteral("stopped after %1 frames").arg(frames)));
        }
        // The comparison above tells a start from any other part of the song.
        QVERIFY(difference(middle, first) > 0.2f * peak(first));
    }

    void stopKeepsThePlace() {
        QCOMPARE(send(open(heldPath, "H")), 0);
        QCOMPARE(send("play H"), 0);
        const std::vector<float> first = render("H");
        int frames = block;
        for (; frames < rate * 6 / 10; frames += block) // into the second note
            render("H");
        QCOMPARE(send("stop H"), 0);
        QCOMPARE(mode("H"), "stopped");
        std::vector<float> last;
        for (int i = 0; i < rate / block; ++i)
            last = render("H");
        QVERIFY2(peak(last) < 0.05f * peak(first), "stopped notes should die away");

        // Going on from there, the next sound is the third note, at one second.
        QCOMPARE(send("play H notify"), 0);
        QCOMPARE(mode("H"), "playing");
        while (peak(render("H")) < 0.3f * peak(first) && frames < songFrames(3))
            frames += block;
        QVERIFY2(std::abs(frames - rate) <= block,
                 qPrintable(QStringLiteral("third note after %1 frames").arg(frames)));
        while (mode("H") == "playing" && frames < 4 * songFrames(3)) {
            render("H");
            frames += block;
        }
        QVERIFY2(frames >= songFrames(3) - block && frames <= songFrames(3) + rate / 10,
                 qPrintable(QStringLiteral("stopped after %1 frames").arg(frames)));
    }

    void seekWhilePlaying() {
        QCOMPARE(send(open(heldPath, "H")), 0);
        QCOMPARE(send("play H"), 0);
        render("H"); // the organ's first milliseconds differ with what the channel played before
        const std::vector<float> first = render("H");
        for (int i = 0; i < 100; ++i)
            render("H");
        QCOMPARE(send("seek H to start"), 0);
        QCOMPARE(mode("H"), "stopped");
        std::vector<float> last;
        for (int i = 0; i < rate / block; ++i)
            last = render("H");
        QVERIFY2(peak(last) < 0.05f * peak(first), "a rewind should stop the song");
        QCOMPARE(send("play H"), 0);
        render("H");
        QVERIFY2(difference(render("H"), first) < 0.02f * peak(first), "should start over");
    }

    // The same loop with the song on FluidSynth's own audio thread (its file driver, which
    // keeps real time): the rewind and the restart are sent while that thread renders.
    void loopsOnTheAudioThread() {
        const QString raw = dir.filePath("out.raw");
        qputenv("MIRUTENA_AUDIO_DRIVER", "file");
        qputenv("MIRUTENA_AUDIO_FILE", QFile::encodeName(raw));
        mciUseOfflineRendering(false);
        const int opened = send(open(songPath, "R"));
        qunsetenv("MIRUTENA_AUDIO_DRIVER");
        qunsetenv("MIRUTENA_AUDIO_FILE");
        QCOMPARE(opened, 0);
        QCOMPARE(send("play R notify"), 0);
        // A frame is 4 bytes: two 16-bit channels.
        auto written = [&raw] { return QFileInfo(raw).size() / 4; };
        std::vector<qint64> restarts;
        QElapsedTimer clock;
        clock.start();
        while (restarts.size() < 2 && clock.elapsed() < 30000) {
            if (mode("R") == "stopped") {
                restarts.push_back(written());
                QCOMPARE(send("seek R to start"), 0);
                QCOMPARE(send("play R from 0"), 0);
                QCOMPARE(mode("R"), "playing");
            }
            QTest::qSleep(1);
        }
        QCOMPARE(restarts.size(), size_t(2));
        const qint64 end = written();
        while (written() < restarts[1] + rate / 2 && clock.elapsed() < 40000)
            QTest::qSleep(5);
        QCOMPARE(send("close R"), 0);

        QFile file(raw);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
        const qint64 frames = bytes.size() / 4;
        auto loudest = [&](qint64 from, qint64 to) {
            int most = 0;
            for (qint64 i = std::max<qint64>(from, 0) * 2; i < std::min(to, frames) * 2; ++i)
                most = std::max(most, std::abs(int(samples[i])));
            return most;
        };
        const int song = loudest(0, restarts[0]);
        QVERIFY2(song > 200, "the song should sound");
        // Each run plays the whole song: the first note at its start, the rest at its end.
        QVERIFY2(
            restarts[1] - restarts[0] >= songFrames(3) - rate / 10,
            qPrintable(
                QStringLiteral("the second run lasted %1 frames").arg(restarts[1] - restarts[0])));
        for (qint64 at : restarts) {
            QVERIFY2(loudest(at - rate / 4, at - rate / 8) < song / 4, "the song ends in its rest");
            QVERIFY2(loudest(at, at + rate / 4) > song / 2, "the song sounds again from its start");
        }
        QVERIFY(end >= restarts[1]);
    }

    void renderSeam() {
        float left[block], right[block];
        QCOMPARE(mciRender("nobody", left, right, block), MCIERR_INVALID_DEVICE_NAME);
        QCOMPARE(mciRender(nullptr, left, right, block), MCIERR_INVALID_DEVICE_NAME);
        QCOMPARE(mciRender("m", left, nullptr, block), MCIERR_MISSING_PARAMETER);
        QCOMPARE(mciRender("m", left, right, -1), MCIERR_MISSING_PARAMETER);
        QCOMPARE(mciRender("m", left, right, block), 0);
    }
};

QTEST_GUILESS_MAIN(MciTest)
#include "test_mci.moc"
