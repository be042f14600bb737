// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker.h"
#include "runtime/cp932.h"
#include "script/runner.h"
#include "support/gamefolder.h"
#include "testplay.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <sys/stat.h>

// The story checker on crafted game folders: a complete clean one, then one fault at a time;
// and its reading of scripts and catalogues held against the game's own runner and reader.
namespace {

// Relative path (a name without "/" or "." is the script dat/NAME.dat) -> new content, or one of
// these.
using Files = QMap<QString, QByteArray>;
const QByteArray gone = "<gone>", folder = "<folder>", fifo = "<fifo>", dangling = "<dangling>";

// Lines separated by "|", in CP932 with CR LF.
QByteArray crlf(const QString &lines) {
    QByteArray out;
    for (const QString &line : lines.split(u'|'))
        out += rt::encodeCp932(line) + "\r\n";
    return out;
}

// "NAME=LINES;NAME=LINES...": files of lines, added to more.
Files s(const QString &layout, Files more = {}) {
    for (const QString &file : layout.split(u';'))
        more.insert(file.section(u'=', 0, 0), crlf(file.section(u'=', 1)));
    return more;
}

QByteArray image(const char *format, QColor colour = Qt::darkGreen) {
    QImage picture(12, 9, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

// Records "R<n>" separated by ">" lines: record n on line 2n + 1, its separator on line 2n.
QByteArray catalogue(int records, int line = 0, const QString &text = {}) {
    QStringList out;
    for (int n = 0; n < records; ++n)
        out << QStringLiteral(">") << QStringLiteral("R%1").arg(n);
    out.removeFirst();
    if (line > 0)
        out[line - 1] = text;
    return crlf(out.join(u'|'));
}

// Everything the game needs and nothing it does not: the checker must stay silent.
void writeCleanGame(GameFolder &game) {
    const char *formats[] = {"PNG", "BMP", "JPG"};
    for (int n = 0; n < 31 + 16; ++n) {
        const QString code =
            n < 31 ? QString::asprintf("%02d", n) : QString::asprintf("t%02d", n - 31);
        game.bytes("img/" + code + ".dat", image(formats[n % 3]));
    }
    game.bytes("img/park.dat", image("JPG", Qt::green));
    QVERIFY(QFile::copy(MIRUTENA_SOURCE_DIR "/game/bgm.mid", game.path() + "bgm.mid"));
    game.bytes("dat/syasin.dat", catalogue(31));
    game.bytes("dat/tsyasin.dat", catalogue(16));
    QString scripts = "0=L1;7=L1;8=L1;9_1=L1;9_2=L1;6=L1|>p|>img park|L4|>ive 6b;6b=L1|>syuuryou;"
                      "gameover=L1|>end";
    for (int n = 1; n <= 5; ++n)
        scripts += QStringLiteral(";%1=>img park|L2|>qst|C1|C2;%1_1=L1;%1_2=L1").arg(n);
    for (auto [name, text] : s(scripts).asKeyValueRange())
        game.bytes("dat/" + name + ".dat", text);
}

void apply(GameFolder &game, const Files &files) {
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString relative = it.key().contains(QRegularExpression("[/.]"))
                                     ? it.key()
                                     : QStringLiteral("dat/%1.dat").arg(it.key());
        const QString path = game.path() + relative;
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
        if (*it == folder)
            QVERIFY(QDir().mkpath(path));
        else if (*it == fifo)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (*it == dangling)
            QVERIFY(QFile::link(QStringLiteral("nowhere.dat"), path));
        else if (*it != gone)
            game.bytes(relative, *it);
    }
}

// "file:line:E|W:code" (error or warning), the parts a test pins down; the wording may
// change. A file is named without "dat/" and ".dat"; "~" marks a verdict that the event
// ends there and the game plays on.
QStringList described(const check::Report &report) {
    static const QRegularExpression dat(QStringLiteral("^dat/|\\.dat$"));
    QStringList out;
    for (const check::Finding &f : report.findings) {
        const QString severity = f.severity == check::Severity::Error ? "E" : "W";
        const bool ends = f.message.contains(QStringLiteral("イベントが終わり"));
        out << QString(f.file).remove(dat) +
                   QStringLiteral(":%1:%2:%3%4").arg(f.line).arg(severity, f.code, ends ? "~" : "");
    }
    out.sort();
    return out;
}

} // namespace

class CheckTest : public QObject {
    Q_OBJECT
    // A row named after what it expects, unless named.
    static void row(const Files &files, const QString &expected, const char *name = nullptr) {
        QStringList sorted = expected.split(u' ', Qt::SkipEmptyParts);
        sorted.sort();
        QTest::newRow(name ? name : qPrintable(expected)) << files << sorted;
    }

  private slots:
    void cleanGamesHaveNoError() {
        GameFolder game;
        writeCleanGame(game);
        const check::Report clean = check::checkGame(game.path());
        QVERIFY2(clean.findings.isEmpty() && clean.errors + clean.warnings == 0,
                 qPrintable(described(clean).join(u' ')));
        // The bundled game: every script, branch, picture and catalogue record it needs,
        // CP932 with CR LF throughout, and nothing that plays otherwise than it reads.
        const check::Report bundled = check::checkGame(MIRUTENA_SOURCE_DIR "/game");
        QVERIFY2(bundled.errors + bundled.warnings == 0, qPrintable(described(bundled).join(u' ')));
    }

    void plantedFaultIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        // Files the game needs, missing or not what they should be.
        row({{"dat/save.dat", folder}, {"dat/tsyasin.dat", folder}},
            "save:0:E:unreadable tsyasin:0:E:unreadable");
        row({{"dat/syasin.dat", gone}, {"dat/tsyasin.dat", gone}},
            "syasin:0:E:catalogue-missing tsyasin:0:E:catalogue-missing");
        // With no music the game plays on in silence.
        row({{"bgm.mid", gone}, {"dat/save.dat", gone}},
            "bgm.mid:0:W:music-missing save:0:W:album-missing");
        row({{"bgm.mid", "not a song"}}, "bgm.mid:0:E:music-unplayable");
        Files pictures{{"img/17.dat", dangling}};
        QString missing = "img/17:0:E:picture-missing";
        for (const char *name : {"ttl", "girl", "dmy", "00", "30", "t00", "t15"}) {
            pictures.insert(QStringLiteral("img/%1.dat").arg(name), gone);
            missing += QStringLiteral(" img/%1:0:E:picture-missing").arg(name);
        }
        row(pictures, missing);
        // Found as Windows finds them, but not so by every tool; never out of the game.
        row(s("7=>img sub\\Park|L2;8=>img ..\\..\\park|L2", {{"img/t03.dat", gone},
                                                             {"img/T03.dat", image("PNG")},
                                                             {"img/sub", folder},
                                                             {"img/sub/park.dat", image("PNG")}}),
            "img/t03:0:W:name-differs 7:1:W:name-differs 8:1:E:name-outside");
        row({{"0", gone}, {"8", gone}, {"9_2", gone}, {"gameover", gone}},
            "0:0:E:event-missing 8:0:E:event-missing 9_2:0:E:event-missing "
            "gameover:0:E:event-missing");
        row({{"dat/", gone}}, "dat:0:E:no-folder img/park:0:W:picture-unused");
        row({{"img/", gone}}, "img:0:E:no-folder");
        row(s("extra=L1", {{"img/old.dat", image("PNG")}, {"img/junk.dat", "junk"}}),
            "extra:0:W:script-unused img/old:0:W:picture-unused img/junk:0:W:picture-unused");
        // The last declares 50,000 x 50,000 pixels: refused before any is allocated.
        row({{"img/park.dat", "text"},
             {"img/07.dat", image("PNG").left(40)},
             {"img/ttl.dat", folder},
             {"img/girl.dat", fifo},
             {"img/t01.dat", image("PNG").replace(16, 8, QByteArray::fromHex("0000c3500000c350"))}},
            "img/park:0:E:picture-unreadable img/07:0:E:picture-unreadable "
            "img/ttl:0:E:picture-unreadable img/girl:0:E:picture-unreadable "
            "img/t01:0:E:picture-unreadable");

        // Where the game stops in a script.
        row(s("7=L1|>ive nowhere;8=>img nothing|L2;9_1=L1|>ive 6b "),
            "7:2:E:event-missing 8:1:E:picture-missing 9_1:2:W:operand-blank "
            "9_1:2:E:event-missing");
        // Met by the step before it at once: the event ends, and the game plays on.
        row(s("7=L1|>p|>ive nowhere;8=L1|>img park|>img nothing|L4;6b=L1|>p|>img;"
              "9_1=L1|>img park|>qst"),
            "7:3:E:event-missing~ 8:3:E:picture-missing~ 6b:3:E:operand-missing~ "
            "9_1:1:W:wait-lost 9_1:3:E:question-captions~");
        row(s("3_1=L1|>qst|a|b;3_1_1=L1;6b=L1|>qst|a|b;6b_1=L1", {{"3_2", gone}}),
            "3:3:E:event-missing 3_1:2:E:event-missing 6b:2:E:event-missing");
        row(s("7=L1|>qst|a;8=L1|>qst;0=L1|>end"),
            "7:2:E:question-captions 8:2:E:question-captions 0:2:E:never-ends");
        row(s("7=>img|L2;8=L1|>ive;6b=L1|>ive ;9_1=>img |L2"),
            "7:1:E:operand-missing 8:2:E:operand-missing 6b:2:E:operand-missing "
            "9_1:1:W:picture-empty-name");
        row({{"7", ""}, {"8", folder}, {"9_1", fifo}},
            "7:0:E:script-empty 8:0:E:unreadable 9_1:0:E:unreadable");
        row(s("7=>ive 7b;7b=>img park|>ive 7;0=>img park|>end;8=L1|>ive 8b;8b=L1|>ive 8"),
            "7:1:E:chain-loop~ 0:2:E:chain-loop~ 8:2:E:never-ends 8b:2:E:never-ends");

        // What a writer would not expect.
        row(s("7=L1|>syuuryou|L3|>qst|a|b;7_1=a;7_2=b;8=L1|>syuuryou||>img old;"
              "3=>img park|L2|>qst|a|b|L6",
              {{"img/old.dat", image("PNG")}}),
            "7:3:W:unread~ 7_1:0:W:script-unused 7_2:0:W:script-unused 8:4:W:unread~ "
            "img/old:0:W:picture-unused 3:6:W:unread");
        row(s("3=>img park|L2|>qst||b;4=>img park|L2|>qst|a|>px;6b=L1|>qst|" + QString(40, u'長') +
              "|" + QString(50, u'長') + ";6b_1=L1;6b_2=L1"),
            "3:4:W:caption-empty 4:5:W:caption-command 6b:4:W:caption-small");
        row(s("5=L1", {{"5_1", gone}, {"5_2", gone}}), "9_1:0:W:ending-unreachable");
        row(s("7=L1|>hit|L3;8=L1|x>hitx|L3;9_1=>img park"),
            "7:2:W:hit 8:2:W:hit 9_1:0:W:shows-nothing");
        // Before each command, and only the last text line.
        row(s("7=L1|L2||>p|L5;8=L1|>img park|>syuuryou;9_1=L1|;9_2=L1|>img park|>ive 6b;"
              "gameover=L1||>end"),
            "7:2:E:wait-lost 8:1:E:wait-lost~ 9_1:1:E:wait-lost~ 9_2:1:E:wait-lost "
            "gameover:1:E:wait-lost");
        row(s("3=>img park|L2||>qst|a|b"), "3:2:W:wait-lost");
        row(s("7=" + numbered(1, 11, "L") + ";8=L1|>p|" + numbered(3, 13, "L")),
            "7:10:W:page-full 8:12:W:page-full");
        row(s("7=" + numbered(1, 9, "L") + "||L11;8=" + numbered(1, 10, "L") + "||L12"),
            "7:9:E:wait-lost 8:11:W:page-overflow");
        row(s("7=L1|>p||L4;8=L1|　|L3"), "7:3:W:empty-first-line 8:2:W:blank-line");
        // Ten rows fit the message area; a line that wraps pushes the page past them.
        const QString wide = QStringLiteral("十行目の文は長く、").repeated(4);
        row(s("7=" + numbered(1, 9, "L") + '|' + wide + "。;8=" + numbered(1, 9, "L") + '|' +
              wide.left(30)),
            "7:10:W:page-too-long");
        row(s("7=" + wide + '|' + wide + '|' + numbered(3, 10, "L") + "|>p|" + wide),
            "7:9:W:page-too-long");

        // Lines the game reads otherwise than they look.
        row(s("7=L1|x>py|L3;8=L1|x>syuuryou"),
            "7:2:E:command-not-at-start 8:2:E:command-not-at-start");
        row(s("7=L1|  >p|L3;8=　>img park|L2"),
            "7:2:W:command-not-at-start 8:1:W:command-not-at-start 8:1:E:picture-missing");
        row(s("7=>img photo>p|L2;8=L1|>ive legend>end"),
            "7:1:E:command-shadowed 8:2:E:command-shadowed");
        row(s("7=L1|>img park>hit|L3"), "7:2:W:picture-makes-wait 7:2:E:picture-missing");
        row(s("7=L1|>IMG park|L3;8=L1|＞ｐ|L3;9_1=L1|>syuryou;9_2=L1|>px|L3"),
            "7:2:W:command-case 8:2:W:command-case 9_1:2:W:unknown-command 9_2:2:W:command-rest");
        row(s("7=>imgpark|L2;8=>img  park|L2"), "7:1:W:operand-separator 7:1:E:picture-missing "
                                                "8:1:W:operand-blank 8:1:E:picture-missing");

        // Bytes and line ends; line numbers count the lines a writer sees.
        row({{"7", "L1\r\n\x81\x20L2\r\n"}}, "7:2:E:invalid-bytes");
        row({{"7", "七日目。\r\nおわり\r\n"}, {"8", "\xEF\xBB\xBFL1\r\n"}},
            "7:0:E:utf8 8:0:E:utf8");
        row({{"7", "a\nb\r\nc\r\n>img nothing\r\nd\r\n"}, {"8", "L1\nL2\n"}},
            "7:1:E:lf 7:4:E:picture-missing 8:1:E:lf");
        // The LF belongs to the name: the game looks for "6b\n.dat".
        row({{"7", "L1\r\n>ive 6b\n"}}, "7:2:E:lf 7:2:E:event-missing");
        row({{"7", "L1\r\n\x1A"}, {"8", "L1\r\n  "}, {"9_1", "L1\rL2\r"}, {"9_2", "L\a1\r\n"}},
            "7:2:W:final-line 8:2:W:final-line 9_1:1:W:lone-cr 9_2:1:W:control");
        row(s("dat/save.dat=07|99||t03"),
            "save:2:W:album-entry save:2:E:picture-missing save:3:W:album-entry");
        row({{"dat/save.dat", "07\nt03\n"}},
            "save:1:E:lf save:1:W:album-entry save:1:E:picture-missing");
        row({{"dat/syasin.dat", catalogue(30)}, {"dat/tsyasin.dat", catalogue(17)}},
            "syasin:0:E:catalogue-count tsyasin:33:W:catalogue-extra");
        row({{"dat/syasin.dat", catalogue(31, 11, "　")},
             {"dat/tsyasin.dat", ">\r\n" + catalogue(15)}},
            "syasin:11:E:catalogue-empty-record tsyasin:1:E:catalogue-empty-record");
        row({{"dat/tsyasin.dat", catalogue(16, 6, "> ")}},
            "tsyasin:0:E:catalogue-count tsyasin:6:W:catalogue-separator");
        row({{"dat/tsyasin.dat", "特別な写真\r\n"}},
            "tsyasin:0:E:utf8 tsyasin:0:E:catalogue-count");

        // Sound, though odd: nothing to say.
        row(s("7=>img\tpark|>img　park|L3;9_1=L1|>ive ;dat/.dat=L1",
              {{"8", "L1\r\nL2"},
               {"dat/syasin.dat", catalogue(31) + ">\r\n"},
               {"img/ttl.dat", image("BMP")},
               {"img/girl.dat", image("JPG")}}),
            "", "sound oddities");
    }
    void plantedFaultIsFound() {
        QFETCH(Files, files);
        QFETCH(QStringList, expected);
        GameFolder game;
        writeCleanGame(game);
        apply(game, files);
        const check::Report report = check::checkGame(game.path());
        QCOMPARE(described(report).join(u' '), expected.join(u' '));
        const int errors = int(expected.filter(QStringLiteral(":E:")).size());
        QCOMPARE(report.errors, errors);
        QCOMPARE(report.warnings, int(expected.size()) - errors);
        for (const check::Finding &f : report.findings)
            QVERIFY2(!f.message.isEmpty(), qPrintable(check::formatFinding(f)));
    }

    // Huge, long and deep input is read to the end, and a file full of faults cannot bury
    // the others.
    void hostileInputIsRead() {
        GameFolder game;
        writeCleanGame(game);
        game.bytes("dat/8.dat", QByteArray(30 * 1024 * 1024, 'a') + "\r\n>p\r\nb");
        // 3000 events, each handing straight on to the next, and questions nested as deep
        // as a file name allows.
        game.script("7", {">ive c1"});
        for (int i = 1; i < 3000; ++i)
            game.script(QStringLiteral("c%1").arg(i), {QStringLiteral(">ive c%1").arg(i + 1)});
        game.script("c3000", {"L1"});
        QString name = QStringLiteral("9_2");
        for (int i = 0; i < 120; ++i, name += QStringLiteral("_1"))
            apply(game, s(name + "=L1|>qst|a|b;" + name + "_2=L1"));
        game.script(name, {"L1"});
        const check::Report deep = check::checkGame(game.path());
        QVERIFY2(deep.findings.isEmpty(), qPrintable(described(deep).join(u' ')));

        game.bytes("dat/9_1.dat",
                   crlf(numbered(1, 1000, "L"))); // a warning at each page's tenth line
        const QStringList found = described(check::checkGame(game.path()));
        QCOMPARE(found.filter("9_1:").size(), 21); // twenty, then one for the other 79
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const auto row = [](const char *name, const QStringList &arguments, int status,
                            const char *says) {
            QTest::newRow(name) << arguments << status << QString::fromUtf8(says);
        };
        const char *clean = "エラー 0 件、警告 0 件";
        const QString play = QStringLiteral("mirutena-testplay");
        row("clean folder", {"GAME"}, 0, clean);
        row("folder of the program", {}, 0, clean);
        row("folder with errors", {"GAME/img"}, 1, "エラー 2 件、警告 1 件");
        row("no such folder", {"GAME/nothing"}, 2, "ありません");
        row("a file", {"GAME/bgm.mid"}, 2, "ではありません");
        row("help", {"--help"}, 0, "使い方: mirutena-check");
        row("play: unknown option", {play, "--fast", "GAME", "7"}, 2, "--fast");
        row("play: not a number", {play, "--money", "lots", "GAME", "7"}, 2, "lots");
        row("play: photos beyond the counter", {play, "--photos", "54", "7"}, 2, "53");
        row("play: no such event", {play, "GAME", "nothing"}, 2, "dat/nothing.dat");
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, says);
        GameFolder game;
        writeCleanGame(game);
        arguments.replaceInStrings(QStringLiteral("GAME"), game.path().chopped(1));
        QString out;
        QString err;
        const bool play = arguments.value(0) == u"mirutena-testplay";
        int got = -1;
        if (play)
            QVERIFY(!testplay::parse(arguments, game.path(), out, err, got));
        else
            got = check::runCommandLine(arguments, game.path(), out, err);
        QCOMPARE(got, status);
        // Complaints go to standard error alone, naming the folder.
        QCOMPARE(out.isEmpty(), status == 2);
        QCOMPARE(err.startsWith(play ? "mirutena-testplay: " : "mirutena-check: "), status == 2);
        QVERIFY2((status == 2 ? err : out).contains(says), qPrintable(out + err));
        QVERIFY(status != 2 || arguments.size() != 1 || err.contains(arguments.first()));
    }

    // The bundled game as an editor on Linux saves it (UTF-8, LF, the JIS forms that an input
    // method types), and CP932 with LF or CR alone: --fix gives back the game's own bytes, and
    // a second run finds nothing left to do.
    void fixGivesBackTheGamesOwnBytes() {
        const QString jis = QStringLiteral("\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC");
        const QString windows = QStringLiteral("\uFF5E\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2");
        Files expected{{"dat/jis.dat", QByteArray::fromHex("81608161817c815c8191819281ca0d0a")},
                       {"dat/ends.dat", rt::encodeCp932(u"一\r\n二\r\n\r\n三")}};
        const QDir bundled(QStringLiteral(MIRUTENA_SOURCE_DIR "/game/dat"));
        for (const QString &name : bundled.entryList({"*.dat"}, QDir::Files)) {
            QFile file(bundled.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            expected.insert("dat/" + name, file.readAll());
        }
        GameFolder game;
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QString text =
                rt::decodeCp932(*it).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            for (int i = 0; i < jis.size(); ++i)
                text.replace(windows[i], jis[i]);
            game.bytes(it.key(), text.toUtf8());
        }
        game.bytes("dat/ends.dat", rt::encodeCp932(u"一\n二\r\r\n三"));
        // The names as typed, renamed to those that the converted scripts give.
        game.bytes("img/" + jis + ".dat", "picture");
        const QString renamed =
            "img/" + jis + ".dat: 名前を img/" + windows + ".dat に変えました。";
        for (const char *done : {"書き換えたファイル: ", "書き換えの要るファイルはありません"}) {
            QString out;
            QCOMPARE(check::fixTextFiles(game.path(), out), 0);
            QVERIFY2(out.contains(QString::fromUtf8(done)), qPrintable(out));
            QCOMPARE(out.contains(renamed), QString::fromUtf8(done).startsWith(u"書き換えた"));
            QCOMPARE(game.read("img/" + windows + ".dat"), QByteArray("picture"));
            QVERIFY(!QFile::exists(game.path() + "img/" + jis + ".dat"));
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                QVERIFY2(game.read(it.key()) == *it, qPrintable(it.key()));
        }
    }

    // A character CP932 lacks, or bytes in neither code: named, the file left as it was, the
    // others still converted, and the exit status 1.
    void fixLeavesWhatItCannotConvert() {
        GameFolder game;
        writeCleanGame(game);
        const Files left{{"dat/a.dat", "L1\nL2 \xF0\x9F\x98\x80 \xE2\x99\xA5\n"},
                         {"dat/b.dat", "\x80\x80 L1\n"}};
        apply(game, left);
        game.bytes("dat/6b.dat", "L1\n>syuuryou\n");
        QString out;
        QString err;
        QCOMPARE(check::runCommandLine({"--fix", game.path()}, QString(), out, err), 1);
        for (const char *part : {"dat/a.dat:2:4: error: 「😀」（U+1F600）", "dat/a.dat:2:6: error: ",
                                 "U+2665", "dat/b.dat: error: ", "エラー 3 件、警告 2 件\n"})
            QVERIFY2(out.contains(QString::fromUtf8(part)), qPrintable(out));
        for (auto it = left.cbegin(); it != left.cend(); ++it)
            QCOMPARE(game.read(it.key()), *it);
        QCOMPARE(game.read("dat/6b.dat"), crlf("L1|>syuuryou"));
    }

    // The real window plays the event at once with the stats held within their limits and
    // the counters set; the base screen follows, and the album is never written.
    void testPlayStartsTheEventAtOnce() {
        GameFolder game;
        game.script("7", {"七日目。"});
        const QByteArray album = "t03\r\n05\r\n"; // out of order: a save would sort it
        game.bytes("dat/save.dat", album);
        QString out;
        QString err;
        int status = -1;
        const auto plan =
            testplay::parse({"mirutena-testplay", "--fatigue", "300", "--skill", "-5", "--money",
                             "1234", "--photos", "12", "--first-choices", "3", game.path(), "7"},
                            {}, out, err, status);
        QVERIFY2(plan && status == 0, qPrintable(err));
        Fom::Options options;
        testplay::configure(options, *plan);
        RecordingDesktop desktop;
        options.desktop = &desktop;
        Fom fom(options);
        fom.Form_Load();
        fom.BgmTim.stop();
        fom.show();
        fom.startFirstGame();
        QCOMPARE(fom.st.eventName, QStringLiteral("7"));
        QCOMPARE(fom.lbl->caption(), QStringLiteral("七日目。"));
        QCOMPARE(fom.st.statValue, (std::array<std::int32_t, 3>{255, 0, 1234}));
        QCOMPARE(fom.st.photoProgress, 12);
        QCOMPARE(fom.st.firstChoiceCount, 3);
        QCOMPARE(fom.st.eventSeen, (std::array<Flag, 10>{True, True, True, False, False, False,
                                                         False, True, False, False}));
        QCOMPARE(fom.LST->count(), 2);
        fom.entry([&] { lbl_Click(fom); });
        QVERIFY(!fom.st.eventActive && fom.com[0]->isVisible());
        fom.entry([&] { fom.Form_Unload(); });
        QCOMPARE(desktop.errors.size(), 0);
        QCOMPARE(game.read("dat/save.dat"), album);
    }
};

QTEST_MAIN(CheckTest)
#include "test_check.moc"
