// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace audio;
using media::mciFailed;

namespace {

int send(const QByteArray &command) {
    return media::mciSendStringA(command.constData(), nullptr, 0, nullptr);
}

QByteArray mode(const char *alias) {
    char reply[16] = {};
    const QByteArray status = QByteArray("status ") + alias + " mode";
    return media::mciSendStringA(status.constData(), reply, 15, nullptr) ? "failed" : reply;
}

// Renders on from `frames` until the mode reads stopped (or four songs' time has passed).
int playOut(const char *alias, int frames) {
    for (; mode(alias) == "playing" && frames < 4 * songFrames; frames += block)
        render(alias);
    return frames;
}

// The loudest of the last block after a second more.
float aSecondLater(const char *alias) {
    for (int i = 1; i < rate / block; ++i)
        render(alias);
    return peak(render(alias));
}

} // namespace

class MciTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QByteArray songPath, heldPath, silentPath;
    std::optional<OfflineMusic> offline;

    QByteArray path(const QString &name) const { return QFile::encodeName(dir.filePath(name)); }
    static QByteArray open(const QByteArray &file, const char *alias) {
        return "open \"" + file + "\" alias " + alias;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        songPath = path("a song.mid"); // the quotes keep the blank in
        write(dir.filePath("a song.mid"), song({60, 67, 72}));
        heldPath = path("held.mid");
        write(dir.filePath("held.mid"), song({60, 67, 72}, true));
        silentPath = path("silent.mid");
        write(dir.filePath("silent.mid"), song({}));
    }
    void init() {
        offline.emplace();
        QCOMPARE(send(open(songPath, "M")), 0); // needs timgm6mb-soundfont
    }
    void cleanup() {
        send("close M");
        send("close H");
        offline.reset();
    }

    // A failure answers nothing, says nothing and changes nothing.
    void notUnderstood_data() {
        QTest::addColumn<QByteArray>("command");
        for (const char *command : {"", "pause M", "play MM", "play M from 500", "seek M to end",
                                    "status M length", "open a.mid alias A"})
            QTest::newRow(command) << QByteArray(command);
        QTest::newRow("alias taken") << open(silentPath, "M");
    }
    void notUnderstood() {
        QFETCH(QByteArray, command);
        StderrCapture capture;
        char reply[16] = "x";
        QCOMPARE(media::mciSendStringA(command.constData(), reply, 15, nullptr), mciFailed);
        QCOMPARE(reply[0], '\0');
        QCOMPARE(capture.text(), QByteArray());
        QCOMPARE(mode("M"), "stopped");
        QCOMPARE(peak(render("M")), 0.0f);
        QCOMPARE(send("play M notify"), 0); // still the first song, at its start
        QVERIFY(peak(render("M")) > 0.001f);
    }

    void failedOpens_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents"); // none: no such file; "/": a folder
        QTest::addColumn<QByteArray>("machine");  // none: the pinned soundfont and no output
        QTest::addColumn<QByteArray>("line");
        const QByteArray none, tune = song({60, 67, 72});
        const QByteArray cannotPlay = "ミルテナ: 音楽ファイルを再生できません: ";
        const QByteArray noSoundfont = "ミルテナ: MIDI 音源（サウンドフォント）が見つかりません";
        QTest::newRow("missing") << "no such song.mid" << none << none
                                 << QByteArray("ミルテナ: 音楽ファイルが見つかりません: ");
        QTest::newRow("empty") << "empty.mid" << QByteArray("") << none << cannotPlay;
        QTest::newRow("text") << "text.mid" << QByteArray("not a song\n") << none << cannotPlay;
        QTest::newRow("header only") << "header.mid" << tune.left(14) << none << cannotPlay;
        QTest::newRow("cut in the track") << "cut.mid" << tune.left(25) << none << cannotPlay;
        QTest::newRow("folder") << "folder.mid" << QByteArray("/") << none << cannotPlay;
        QTest::newRow("no soundfont") << "ok.mid" << tune << QByteArray("") << noSoundfont;
        QTest::newRow("soundfont not one")
            << "ok2.mid" << tune << QByteArray("self") << noSoundfont;
        QTest::newRow("no audio output") << "ok3.mid" << tune << QByteArray("no audio")
                                         << QByteArray("ミルテナ: 音声出力を開けません");
    }
    void failedOpens() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, machine);
        QFETCH(QByteArray, line);
        const QByteArray file = path(name);
        if (contents == "/")
            QVERIFY(QDir(dir.path()).mkdir(name));
        else if (!contents.isNull())
            write(dir.filePath(name), contents);
        if (!machine.isNull() && machine != "no audio")
            media::mciSetSoundfontForTests(machine == "self" ? file.constData() : "");
        // Every sound server and card out of reach, even on a machine that has them.
        const std::pair<const char *, const char *> unreachable[] = {
            {"ALSA_CONFIG_PATH", "/nonexistent"},
            {"PULSE_SERVER", "unix:/nonexistent"},
            {"PIPEWIRE_REMOTE", "/nonexistent"},
            {"SDL_AUDIODRIVER", "nonexistent"}};
        for (const auto &[name, value] : unreachable)
            qputenv(name, value);
        const auto restore = qScopeGuard([&] {
            for (const auto &[name, value] : unreachable)
                qunsetenv(name);
        });
        media::mciUseOfflineRendering(machine != "no audio");
        StderrCapture capture;
        QCOMPARE(send(open(file, "F")), mciFailed);
        QCOMPARE(capture.text(), line + (line.endsWith(": ") ? file : QByteArray()) + '\n');
        QCOMPARE(mode("F"), "failed");
        offline.emplace(); // nothing is left behind under the alias
        QCOMPARE(send(open(songPath, "F")), 0);
        QCOMPARE(send("close F"), 0);
    }

    void stopKeepsThePlace() {
        QCOMPARE(send(open(heldPath, "H")), 0);
        QCOMPARE(send("play H"), 0);
        const std::vector<float> first = render("H");
        int frames = block;
        for (; frames < rate * 6 / 10; frames += block) // into the second note
            render("H");
        QCOMPARE(send("stop H notify"), 0);
        QCOMPARE(mode("H"), "stopped");
        QVERIFY2(aSecondLater("H") < 0.05f * peak(first), "stopped notes should die away");

        // Going on from there, the next sound is the third note, at one second.
        QCOMPARE(send("play H notify"), 0);
        QCOMPARE(mode("H"), "playing");
        for (; peak(render("H")) < 0.3f * peak(first) && frames < songFrames; frames += block) {
        }
        QVERIFY2(std::abs(frames - rate) <= block, qPrintable(QString::number(frames)));
        frames = playOut("H", frames);
        QVERIFY2(endsOnTime(frames), qPrintable(QString::number(frames)));
    }

    // "from 0" alone plays a finished song again from its start.
    void playFromTheStart() {
        QCOMPARE(send("play M"), 0);
        const std::vector<float> first = render("M");
        QVERIFY(endsOnTime(playOut("M", block)));
        QCOMPARE(send("play M from 0"), 0);
        QVERIFY(difference(render("M"), first) < 0.02f * peak(first));
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
        QVERIFY2(aSecondLater("H") < 0.05f * peak(first), "a rewind should stop the song");
        QCOMPARE(send("play H"), 0);
        render("H");
        QVERIFY2(difference(render("H"), first) < 0.02f * peak(first), "should start over");
    }

    // The game's loop with the song on FluidSynth's own audio thread (its file driver, which
    // keeps real time): the rewind and the restart are sent while that thread renders.
    void loopsOnTheAudioThread() {
        const QString raw = dir.filePath("out.raw");
        qputenv("MIRUTENA_AUDIO_DRIVER", "file");
        qputenv("MIRUTENA_AUDIO_FILE", QFile::encodeName(raw));
        media::mciUseOfflineRendering(false);
        const int opened = send(open(songPath, "R"));
        qunsetenv("MIRUTENA_AUDIO_DRIVER");
        qunsetenv("MIRUTENA_AUDIO_FILE");
        QCOMPARE(opened, 0);
        const auto close = qScopeGuard([] { send("close R"); });
        QCOMPARE(send("play R notify"), 0);
        auto written = [&raw] { return QFileInfo(raw).size() / 4; }; // two 16-bit channels
        std::vector<qint64> restarts;
        QElapsedTimer clock;
        clock.start();
        while (restarts.size() < 2 && clock.elapsed() < 30000) {
            if (mode("R") == "stopped") {
                restarts.push_back(written());
                QCOMPARE(send("seek R to start"), 0);
                QCOMPARE(send("play R from 0"), 0);
                QCOMPARE(mode("R"), "playing"); // even before the audio thread has rewound
            }
            QTest::qSleep(1);
        }
        QCOMPARE(restarts.size(), size_t(2));
        while (written() < restarts[1] + rate / 2 && clock.elapsed() < 40000)
            QTest::qSleep(5);
        QCOMPARE(send("close R"), 0);

        QFile file(raw);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
        auto loudest = [&](qint64 from, qint64 to) {
            int most = 0;
            for (qint64 i = std::max<qint64>(from, 0) * 2; i < std::min(to, bytes.size() / 4) * 2;
                 ++i)
                most = std::max(most, std::abs(int(samples[i])));
            return most;
        };
        const int song = loudest(0, restarts[0]);
        QVERIFY2(song > 200, "the song should sound");
        // Each run plays the whole song: the first note at its start, the rest at its end.
        QVERIFY2(restarts[1] - restarts[0] >= songFrames - rate / 10,
                 qPrintable(QString::number(restarts[1] - restarts[0])));
        for (qint64 at : restarts) {
            QVERIFY2(loudest(at - rate / 4, at - rate / 8) < song / 4, "the song ends in its rest");
            QVERIFY2(loudest(at, at + rate / 4) > song / 2, "the song sounds again from its start");
        }
    }
};

QTEST_GUILESS_MAIN(MciTest)
#include "test_mci.moc"
