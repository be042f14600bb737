// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio.h"

#include <QDir>
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
    QByteArray songPath, heldPath;
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
        QTest::newRow("text") << "text.mid" << QByteArray("not a song\n") << none << cannotPlay;
        QTest::newRow("cut in the track") << "cut.mid" << tune.left(25) << none << cannotPlay;
        QTest::newRow("folder") << "folder.mid" << QByteArray("/") << none << cannotPlay;
        QTest::newRow("no soundfont") << "ok.mid" << tune << QByteArray("") << noSoundfont;
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
            media::mciSetSoundfontForTests("");
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
};

QTEST_GUILESS_MAIN(MciTest)
#include "test_mci.moc"
