#include "album/datafiles.h"
#include "checker.h"
#include "runtime/cp932.h"
#include "runtime/textfile.h"
#include "script/runner.h"
#include "support/gamefolder.h"
#include "testplay.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

// The story checker on crafted game folders: a complete clean one, then one fault at a time.
namespace {

using Files = QMap<QString, QByteArray>; // relative path -> new content
const QByteArray gone = QByteArrayLiteral("<gone>");
const QByteArray folder = QByteArrayLiteral("<folder>");
const QByteArray fifo = QByteArrayLiteral("<fifo>");
const QByteArray dangling = QByteArrayLiteral("<dangling>"); // a link to nothing

QByteArray crlf(const QStringList &lines) {
    QByteArray out;
    for (const QString &line : lines)
        out += rt::encodeCp932(line) + "\r\n";
    return out;
}

QByteArray utf8(const QStringList &lines) {
    return lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
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

// One note on a piano, as a Standard MIDI File.
QByteArray song() {
    const QByteArray track = QByteArray::fromHex("00903c64"
                                                 "60803c40"
                                                 "00ff2f00");
    QByteArray out = QByteArray::fromHex("4d546864"
                                         "00000006"
                                         "0000"
                                         "0001"
                                         "0060");
    out += "MTrk";
    out += QByteArray::fromHex("0000000c") + track;
    return out;
}

// Records "n枚目の写真", separated by ">" lines: record n on line 2n + 1, the separator
// before it on line 2n.
QStringList catalogueLines(int records, const QString &prefix = {}) {
    QStringList lines;
    for (int n = 0; n < records; ++n) {
        if (n > 0)
            lines << QStringLiteral(">");
        lines << prefix + QString::number(n) + QStringLiteral("枚目の写真");
    }
    return lines;
}

QByteArray catalogue(int records, const QString &prefix = {}) {
    return crlf(catalogueLines(records, prefix));
}

// One line of a catalogue changed, by its line number.
QByteArray catalogueWith(int records, int line, const QString &text, const QString &prefix = {}) {
    QStringList lines = catalogueLines(records, prefix);
    lines[line - 1] = text;
    return crlf(lines);
}

QStringList textLines(int count) {
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines << QStringLiteral("%1行目の文。").arg(n);
    return lines;
}

QString code(int n, bool special) {
    return (special ? QStringLiteral("t") : QString()) +
           QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Everything the game needs and nothing it does not: the checker must stay silent.
void writeCleanGame(GameFolder &game) {
    const char *formats[] = {"PNG", "BMP", "JPG"};
    for (int n = 0; n <= 30; ++n)
        game.bytes(QStringLiteral("img/%1.dat").arg(code(n, false)), image(formats[n % 3]));
    for (int n = 0; n <= 15; ++n)
        game.bytes(QStringLiteral("img/%1.dat").arg(code(n, true)), image(formats[n % 3]));
    game.bytes(QStringLiteral("img/park.dat"), image("JPG", Qt::green));
    game.bytes(QStringLiteral("bgm.mid"), song());
    game.bytes(QStringLiteral("dat/syasin.dat"), catalogue(31));
    game.bytes(QStringLiteral("dat/tsyasin.dat"), catalogue(16, QStringLiteral("特別な")));

    game.script(QStringLiteral("0"),
                {QStringLiteral("あたらしい朝。"), QStringLiteral("公園へ行ってみよう。")});
    for (int n = 1; n <= 5; ++n) {
        const QString name = QString::number(n);
        game.script(name, {QStringLiteral(">img park"), QStringLiteral("どうする？"),
                           QStringLiteral(">qst"), QStringLiteral("話しかける"),
                           QStringLiteral("見ているだけ")});
        game.script(name + QStringLiteral("_1"), {QStringLiteral("こんにちは。")});
        game.script(name + QStringLiteral("_2"), {QStringLiteral("今日はやめておこう。")});
    }
    game.script(QStringLiteral("6"),
                {QStringLiteral("雨の日。"), QStringLiteral(">p"), QStringLiteral(">img park"),
                 QStringLiteral("傘をさして歩いた。"), QStringLiteral(">ive 6b")});
    game.script(QStringLiteral("6b"), {QStringLiteral("晴れた。"), QStringLiteral(">syuuryou")});
    game.script(QStringLiteral("7"), {QStringLiteral("七日目。")});
    game.script(QStringLiteral("8"), {QStringLiteral("八日目。")});
    game.script(QStringLiteral("9_1"), {QStringLiteral("また会えたね。")});
    game.script(QStringLiteral("9_2"), {QStringLiteral("さようなら。")});
    game.script(QStringLiteral("gameover"),
                {QStringLiteral("倒れてしまった。"), QStringLiteral(">end")});
}

void apply(GameFolder &game, const Files &files) {
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = game.path() + it.key();
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
            game.bytes(it.key(), *it);
    }
}

// "file:line:severity:code", the parts a test pins down; the wording may change.
QStringList described(const check::Report &report) {
    QStringList out;
    for (const check::Finding &f : report.findings) {
        out << QStringLiteral("%1:%2:%3:%4")
                   .arg(f.file)
                   .arg(f.line)
                   .arg(f.severity == check::Severity::Error ? "error" : "warning")
                   .arg(f.code);
    }
    out.sort();
    return out;
}

QString listing(const check::Report &report) {
    QStringList lines;
    for (const check::Finding &f : report.findings)
        lines << check::formatFinding(f);
    return lines.join(u'\n');
}

using check::Handover;
using check::Pacing;

QString describe(const Pacing &pacing) {
    QStringList parts;
    for (const check::ShownLine &l : pacing.shown)
        parts << QStringLiteral("%1%2/%3").arg(l.line).arg(l.waits ? "w" : "").arg(l.rows);
    const char *ends[] = {"closes", "question", "chain", "new game", "broken"};
    return parts.join(u' ') + QStringLiteral(" -> ") + QLatin1String(ends[int(pacing.end)]) +
           (pacing.next.isEmpty() ? QString() : u' ' + pacing.next);
}

quint32 nextRandom(quint32 &seed) {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
}

int below(quint32 &seed, int n) {
    return int(nextRandom(seed) % quint32(n));
}

// Text, empty lines, page breaks, pictures and the words that the runner finds anywhere in
// a line, with a lone CR or LF here and there. Each line that can be shown carries its own
// line number, "L<n>", so that what the runner shows can be traced back to the file.
QByteArray randomScript(quint32 &seed) {
    QByteArray out;
    int number = 0;
    auto put = [&](const QString &line, const char *end = "\r\n") {
        out += rt::encodeCp932(line) + end;
        ++number;
    };
    auto mark = [&] { return QStringLiteral("L%1").arg(number + 1); };
    const int length = below(seed, 3) == 0 ? 12 + below(seed, 24) : 1 + below(seed, 10);
    for (int i = 0; i < length; ++i) {
        const int kind = below(seed, 20);
        if (kind <= 8) {
            put(mark(), below(seed, 15) == 0 ? "\r" : "\r\n");
        } else if (kind == 9) {
            put(mark(), "\n"); // joined to the next line
            put(mark());
        } else if (kind <= 11) {
            put(QString());
        } else {
            switch (kind) {
            case 12:
                put(QStringLiteral(">p"));
                break;
            case 13:
                put(QStringLiteral(">img park"));
                break;
            case 14:
                put(QStringLiteral(">hit") + mark());
                break;
            case 15:
                put(mark() + QStringLiteral(">hit"));
                break;
            case 16:
                put(QStringLiteral(">img park>hit"));
                break;
            case 17:
                put(QStringLiteral("a") + mark() + QStringLiteral(">pb"));
                break;
            case 18:
                put(QStringLiteral(">IMG park ") + mark());
                break;
            default:
                put(QStringLiteral("　") + mark());
                break;
            }
        }
    }
    switch (below(seed, 6)) {
    case 1:
        put(QStringLiteral(">syuuryou"));
        break;
    case 2:
        put(QStringLiteral(">qst"));
        put(QStringLiteral("C1"));
        put(QStringLiteral("C2"));
        break;
    case 3:
        put(QStringLiteral(">ive other"));
        break;
    case 4:
        put(QStringLiteral(">end"));
        break;
    case 5:
        put(QString());
        break;
    default:
        break; // the end of the file
    }
    if (below(seed, 4) == 0)
        put(mark());
    if (below(seed, 5) == 0 && out.endsWith("\r\n"))
        out.chop(2);
    return out;
}

// Records of text, empty and blank lines, with separators true and false.
QByteArray randomCatalogue(quint32 &seed) {
    static const QStringList words{"A", "B", ">", ">", ">", "", "  ", "　", "> "};
    QStringList lines;
    const int length = below(seed, 70);
    for (int i = 0; i < length; ++i)
        lines << words[below(seed, int(words.size()))];
    QByteArray out = crlf(lines);
    if (below(seed, 3) == 0 && out.endsWith("\r\n"))
        out.chop(2);
    return out;
}

// The real window, playing one script after another from its first line, clicking on at
// every step, and noting what each step shows.
class RealRunner {
  public:
    RealRunner() {
        folder.picture(QStringLiteral("park"), Qt::darkGreen);
        folder.picture(QStringLiteral("park>hit"), Qt::darkGreen);
        folder.script(QStringLiteral("other"), {QStringLiteral("別のイベント。")});
        game_ = std::make_unique<Game>(folder, false);
    }
    bool loaded() const { return game_->loaded; }
    QString name() const { return QStringLiteral("s%1").arg(played_); }
    QStringList errors() const { return game_->errors; }

    Pacing play(const QByteArray &script) {
        ++played_;
        const QString event = name();
        folder.bytes(QStringLiteral("dat/") + event + QStringLiteral(".dat"), script);
        Fom &fom = **game_;
        static const QRegularExpression marker(QStringLiteral("L(\\d+)"));
        Pacing seen;
        fom.entry([&] { IveStt(fom, event); });
        for (int step = 0; step < 1000 && game_->errors.isEmpty(); ++step) {
            const GameState &s = fom.st;
            if (s.eventName != event) {
                seen.end = s.eventName == u"0" ? Handover::NewGame : Handover::Chain;
                if (seen.end == Handover::Chain)
                    seen.next = s.eventName;
                break;
            }
            if (!s.eventActive) {
                seen.end = fom.Qstlbl[0]->isHidden() ? Handover::Closes : Handover::Question;
                break;
            }
            const QString caption = fom.lbl->caption();
            const QStringList rows = caption.split(QStringLiteral("\r\n"));
            const QRegularExpressionMatch m = marker.match(rows.last());
            seen.shown.append({m.hasMatch() ? m.captured(1).toInt() : -1, s.autoAdvance == False,
                               caption.isEmpty() ? 0 : int(rows.size())});
            fom.entry([&] { lbl_Click(fom); });
        }
        // What the script handed over to (a new game's opening, a chained event) ends here.
        if (rt::isOpen(fom.st.fileNo))
            rt::closeFile(fom.st.fileNo);
        fom.entry([&] { fom.GameStt(); });
        return seen;
    }

    GameFolder folder;

  private:
    std::unique_ptr<Game> game_;
    int played_ = 0;
};

} // namespace

namespace check {
char *toString(const Pacing &pacing) {
    return qstrdup(describe(pacing).toUtf8().constData());
}
} // namespace check

class CheckTest : public QObject {
    Q_OBJECT

    static QString script(const QString &name) { return QStringLiteral("dat/") + name + ".dat"; }
    static void row(const char *name, const Files &files, QStringList expected) {
        expected.sort();
        QTest::newRow(name) << files << expected;
    }

  private slots:
    void cleanGameHasNoFinding() {
        GameFolder game;
        writeCleanGame(game);
        const check::Report report = check::checkGame(game.path());
        QVERIFY2(report.findings.isEmpty(), qPrintable(listing(report)));
        QCOMPARE(report.errors, 0);
        QCOMPARE(report.warnings, 0);
    }

    void bundledGameHasNoError() {
        const check::Report report = check::checkGame(QStringLiteral(MIRUTENA_SOURCE_DIR "/game"));
        QVERIFY2(report.errors == 0, qPrintable(listing(report)));
    }

    void missingFileIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        row("album", {{"dat/save.dat", gone}}, {"dat/save.dat:0:warning:album-missing"});
        row("album is a folder", {{"dat/save.dat", folder}}, {"dat/save.dat:0:error:unreadable"});
        row("catalogue", {{"dat/syasin.dat", gone}}, {"dat/syasin.dat:0:error:catalogue-missing"});
        row("special catalogue", {{"dat/tsyasin.dat", gone}},
            {"dat/tsyasin.dat:0:error:catalogue-missing"});
        row("catalogue is a folder", {{"dat/tsyasin.dat", folder}},
            {"dat/tsyasin.dat:0:error:unreadable"});
        row("music", {{"bgm.mid", gone}}, {"bgm.mid:0:error:music-missing"});
        row("music is no song", {{"bgm.mid", "not a song"}}, {"bgm.mid:0:error:music-unplayable"});
        row("music is a folder", {{"bgm.mid", folder}}, {"bgm.mid:0:error:music-unplayable"});
        row("title picture", {{"img/ttl.dat", gone}}, {"img/ttl.dat:0:error:picture-missing"});
        row("event picture", {{"img/girl.dat", gone}}, {"img/girl.dat:0:error:picture-missing"});
        row("placeholder picture", {{"img/dmy.dat", gone}},
            {"img/dmy.dat:0:error:picture-missing"});
        row("photo", {{"img/17.dat", gone}}, {"img/17.dat:0:error:picture-missing"});
        row("first photo", {{"img/00.dat", gone}}, {"img/00.dat:0:error:picture-missing"});
        row("special photo", {{"img/t15.dat", gone}}, {"img/t15.dat:0:error:picture-missing"});
        row("photo in capitals", {{"img/t03.dat", gone}, {"img/T03.dat", image("PNG")}},
            {"img/t03.dat:0:error:picture-missing", "img/T03.dat:0:warning:picture-unused"});
        row("opening", {{"dat/0.dat", gone}}, {"dat/0.dat:0:error:event-missing"});
        row("milestone", {{"dat/7.dat", gone}}, {"dat/7.dat:0:error:event-missing"});
        row("ending", {{"dat/9_2.dat", gone}}, {"dat/9_2.dat:0:error:event-missing"});
        row("game over", {{"dat/gameover.dat", gone}}, {"dat/gameover.dat:0:error:event-missing"});
        row("no dat folder", {{"dat", gone}},
            {"dat:0:error:no-folder", "img/park.dat:0:warning:picture-unused"});
        row("no img folder", {{"img", gone}}, {"img:0:error:no-folder"});
    }
    void missingFileIsFound() { plantedFaultIsFound(); }

    void scriptFaultIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        const QString seven = script("7");
        auto in7 = [&](const QStringList &lines) { return Files{{seven, crlf(lines)}}; };
        row("chain target", in7({"七日目。", ">ive nowhere"}), {"dat/7.dat:2:error:event-missing"});
        row("chain target with a blank", in7({"七日目。", ">ive 6b "}),
            {"dat/7.dat:2:warning:operand-blank", "dat/7.dat:2:error:event-missing"});
        row("picture", in7({">img nothing", "七日目。"}), {"dat/7.dat:1:error:picture-missing"});
        row("branch", {{"dat/3_2.dat", gone}}, {"dat/3.dat:3:error:event-missing"});
        row("branch of a branch",
            {{"dat/3_1.dat", crlf({"もう一度聞く？", ">qst", "はい", "いいえ"})},
             {"dat/3_1_1.dat", crlf({"はい。"})}},
            {"dat/3_1.dat:2:error:event-missing"});
        row("branch of a chained event",
            {{"dat/6b.dat", crlf({"晴れた。", ">qst", "行く", "行かない"})},
             {"dat/6b_1.dat", crlf({"行こう。"})}},
            {"dat/6b.dat:2:error:event-missing"});
        row("one caption", in7({"どっち？", ">qst", "こっち"}),
            {"dat/7.dat:2:error:question-captions"});
        row("no caption", in7({"どっち？", ">qst"}), {"dat/7.dat:2:error:question-captions"});
        row("chain with an empty name to a script named so",
            {{seven, crlf({"七日目。", ">ive "})}, {"dat/.dat", crlf({"名前のないイベント。"})}},
            {});
        row("photo that is a link to nothing", {{"img/17.dat", dangling}},
            {"img/17.dat:0:error:picture-missing"});
        row("picture without a name", in7({">img", "七日目。"}),
            {"dat/7.dat:1:error:operand-missing"});
        row("chain without a name", in7({"七日目。", ">ive"}),
            {"dat/7.dat:2:error:operand-missing"});
        row("chain with an empty name", in7({"七日目。", ">ive "}),
            {"dat/7.dat:2:error:operand-missing"});
        row("picture with an empty name", in7({">img ", "七日目。"}),
            {"dat/7.dat:1:warning:picture-empty-name"});
        row("hit", in7({"七日目。", ">hit", "おわり"}), {"dat/7.dat:2:warning:hit"});
        row("hit inside a line", in7({"七日目。", "ここで>hitする", "おわり"}),
            {"dat/7.dat:2:warning:hit"});
        row("empty script", {{seven, QByteArray("")}}, {"dat/7.dat:0:error:script-empty"});
        row("script is a folder", {{seven, folder}}, {"dat/7.dat:0:error:unreadable"});
        row("script is a pipe", {{seven, fifo}}, {"dat/7.dat:0:error:unreadable"});
        row("unused script", {{"dat/extra.dat", crlf({"誰も呼ばない。"})}},
            {"dat/extra.dat:0:warning:script-unused"});
        row("unused picture", {{"img/old.dat", image("PNG")}},
            {"img/old.dat:0:warning:picture-unused"});
        row("picture named only after the end",
            {{seven, crlf({"七日目。", ">syuuryou", ">img old"})}, {"img/old.dat", image("PNG")}},
            {"dat/7.dat:3:warning:unread", "img/old.dat:0:warning:picture-unused"});
        row("branch of a question that is never read",
            {{seven, crlf({"七日目。", ">syuuryou", "どっち？", ">qst", "a", "b"})},
             {"dat/7_1.dat", crlf({"a。"})},
             {"dat/7_2.dat", crlf({"b。"})}},
            {"dat/7.dat:3:warning:unread", "dat/7_1.dat:0:warning:script-unused",
             "dat/7_2.dat:0:warning:script-unused"});
        row("lines after the end", in7({"七日目。", ">syuuryou", "", "読まれない行"}),
            {"dat/7.dat:4:warning:unread"});
        row("lines after the captions",
            {{script("3"), crlf({">img park", "どうする？", ">qst", "a", "b", "まだ続く"})}},
            {"dat/3.dat:6:warning:unread"});
        row("empty caption",
            {{script("3"), crlf({">img park", "どうする？", ">qst", "", "見ているだけ"})}},
            {"dat/3.dat:4:warning:caption-empty"});
        row("caption holding a command",
            {{script("3"), crlf({">img park", "どうする？", ">qst", "話しかける", ">p見る"})}},
            {"dat/3.dat:5:warning:caption-command"});
        row("chain loop",
            {{seven, crlf({">ive 7b"})}, {"dat/7b.dat", crlf({">img park", ">ive 7"})}},
            {"dat/7.dat:1:error:chain-loop"});
        row("new game that never shows a line", {{"dat/0.dat", crlf({">img park", ">end"})}},
            {"dat/0.dat:2:error:chain-loop"});
        row("event showing nothing", in7({">img park"}), {"dat/7.dat:0:warning:shows-nothing"});
        row("ending out of reach",
            {{script("5"), crlf({"五日目。"})}, {"dat/5_1.dat", gone}, {"dat/5_2.dat", gone}},
            {"dat/9_1.dat:0:warning:ending-unreachable"});
    }
    void scriptFaultIsFound() { plantedFaultIsFound(); }

    void waitFaultIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        auto in7 = [](const QStringList &lines) { return Files{{script("7"), crlf(lines)}}; };
        row("empty line before a page break", in7({"七日目。", "", ">p", "次のページ。"}),
            {"dat/7.dat:1:error:wait-lost"});
        row("picture before a page break", in7({"七日目。", ">img park", ">p", "次のページ。"}),
            {"dat/7.dat:1:error:wait-lost"});
        row("empty line at the end", in7({"七日目。", ""}), {"dat/7.dat:1:error:wait-lost"});
        row("empty line before the end", in7({"七日目。", "", ">syuuryou"}),
            {"dat/7.dat:1:error:wait-lost"});
        row("picture before a chain", in7({"七日目。", ">img park", ">ive 6b"}),
            {"dat/7.dat:1:error:wait-lost"});
        row("empty line before a new game",
            {{script("gameover"), crlf({"倒れてしまった。", "", ">end"})}},
            {"dat/gameover.dat:1:error:wait-lost"});
        row("empty line before a question",
            {{script("3"), crlf({">img park", "どうする？", "", ">qst", "a", "b"})}},
            {"dat/3.dat:2:warning:wait-lost"});
        row("earlier lines are not the ones lost", in7({"一行目。", "二行目。", "", ">p", "次。"}),
            {"dat/7.dat:2:error:wait-lost"});
        row("tenth line of a page", in7(textLines(11)), {"dat/7.dat:10:warning:page-full"});
        row("tenth line of a second page", in7(QStringList{"前のページ。", ">p"} + textLines(11)),
            {"dat/7.dat:12:warning:page-full"});
        row("empty line at the tenth place", in7(textLines(9) + QStringList{"", "次の文。"}),
            {"dat/7.dat:9:error:wait-lost"});
        row("empty line after a full page", in7(textLines(10) + QStringList{"", "続く文。"}),
            {"dat/7.dat:11:warning:page-overflow"});
        row("empty line at the top of a page", in7({"七日目。", ">p", "", "次のページ。"}),
            {"dat/7.dat:3:warning:empty-first-line"});
        row("blank-only line", in7({"七日目。", "　", "おわり"}),
            {"dat/7.dat:2:warning:blank-line"});
        // Ten rows fit the message area; a line that wraps pushes the page past them.
        const QString wide = QStringLiteral("十行目の文は長く、").repeated(4);
        row("ten rows fit", in7(textLines(9) << wide.left(30)), {});
        row("wrapped line out of sight", in7(textLines(9) << wide + QStringLiteral("。")),
            {"dat/7.dat:10:warning:page-too-long"});
        row("one warning per page", in7(QStringList{wide, wide} << textLines(8) << ">p" << wide),
            {"dat/7.dat:9:warning:page-too-long"});
    }
    void waitFaultIsFound() { plantedFaultIsFound(); }

    void misreadLineIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        auto in7 = [](const QStringList &lines) { return Files{{script("7"), crlf(lines)}}; };
        row("page break inside text", in7({"七日目。", "ボタン>pを押す", "おわり"}),
            {"dat/7.dat:2:error:command-not-at-start"});
        row("end of the event inside text", in7({"七日目。", "もう>syuuryouだ"}),
            {"dat/7.dat:2:error:command-not-at-start"});
        row("page break after blanks", in7({"七日目。", "  >p", "おわり"}),
            {"dat/7.dat:2:warning:command-not-at-start"});
        row("picture command after a blank", in7({"　>img park", "七日目。"}),
            {"dat/7.dat:1:warning:command-not-at-start", "dat/7.dat:1:error:picture-missing"});
        row("picture name holding >p", in7({">img photo>p", "七日目。"}),
            {"dat/7.dat:1:error:command-shadowed"});
        row("chain name holding >end", in7({"七日目。", ">ive legend>end"}),
            {"dat/7.dat:2:error:command-shadowed"});
        row("picture name holding >hit", in7({"七日目。", ">img park>hit", "おわり"}),
            {"dat/7.dat:2:warning:picture-makes-wait", "dat/7.dat:2:error:picture-missing"});
        row("capitals", in7({"七日目。", ">IMG park", "おわり"}),
            {"dat/7.dat:2:warning:command-case"});
        row("full width", in7({"七日目。", "＞ｐ", "おわり"}),
            {"dat/7.dat:2:warning:command-case"});
        row("misspelt command", in7({"七日目。", ">syuryou"}),
            {"dat/7.dat:2:warning:unknown-command"});
        row("text after a command", in7({"七日目。", ">p次のページ", "おわり"}),
            {"dat/7.dat:2:warning:command-rest"});
        row("no separator", in7({">imgpark", "七日目。"}),
            {"dat/7.dat:1:warning:operand-separator", "dat/7.dat:1:error:picture-missing"});
        row("two separators", in7({">img  park", "七日目。"}),
            {"dat/7.dat:1:warning:operand-blank", "dat/7.dat:1:error:picture-missing"});
        row("any one separator", in7({">img\tpark", ">img　park", "七日目。"}), {});
    }
    void misreadLineIsFound() { plantedFaultIsFound(); }

    void fileFaultIsFound_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");
        const QString seven = script("7");
        row("invalid byte", {{seven, crlf({"七日目。"}) + "\x81\x20" + crlf({"おわり"})}},
            {"dat/7.dat:2:error:invalid-bytes"});
        row("script in UTF-8", {{seven, utf8({"七日目。", "おわり"})}}, {"dat/7.dat:0:error:utf8"});
        row("script with a BOM", {{seven, "\xEF\xBB\xBF" + crlf({"seven"})}},
            {"dat/7.dat:0:error:utf8"});
        // Line numbers count the lines a writer sees, also where LF alone joins them.
        row("LF alone", {{seven, rt::encodeCp932(u"あ\nい\r\nう\r\n>img nothing\r\nえ\r\n")}},
            {"dat/7.dat:1:error:lf", "dat/7.dat:4:error:picture-missing"});
        row("LF everywhere", {{seven, rt::encodeCp932(u"七日目。\nおわり\n")}},
            {"dat/7.dat:1:error:lf"});
        row("lone CR", {{seven, rt::encodeCp932(u"七日目。\rおわり\r")}},
            {"dat/7.dat:1:warning:lone-cr"});
        row("no final line end", {{seven, rt::encodeCp932(u"七日目。\r\nおわり")}}, {});
        // The LF belongs to the name: the game looks for "6b\n.dat".
        row("LF alone at the very end", {{seven, rt::encodeCp932(u"七日目。\r\n>ive 6b\n")}},
            {"dat/7.dat:2:error:lf", "dat/7.dat:2:error:event-missing"});
        row("EOF mark at the end", {{seven, crlf({"七日目。"}) + "\x1A"}},
            {"dat/7.dat:2:warning:final-line"});
        row("blanks at the end", {{seven, crlf({"七日目。"}) + "  "}},
            {"dat/7.dat:2:warning:final-line"});
        row("control character", {{seven, crlf({"七日\x07目。"})}},
            {"dat/7.dat:1:warning:control"});
        row("album entry without picture", {{"dat/save.dat", crlf({"07", "99"})}},
            {"dat/save.dat:2:warning:album-entry", "dat/save.dat:2:error:picture-missing"});
        row("empty album entry", {{"dat/save.dat", crlf({"07", "", "t03"})}},
            {"dat/save.dat:2:warning:album-entry"});
        row("album in LF", {{"dat/save.dat", QByteArray("07\nt03\n")}},
            {"dat/save.dat:1:error:lf", "dat/save.dat:1:warning:album-entry",
             "dat/save.dat:1:error:picture-missing"});
        row("catalogue short", {{"dat/syasin.dat", catalogue(30)}},
            {"dat/syasin.dat:0:error:catalogue-count"});
        row("catalogue long", {{"dat/tsyasin.dat", catalogue(17)}},
            {"dat/tsyasin.dat:33:warning:catalogue-extra"});
        row("empty record", {{"dat/syasin.dat", catalogueWith(31, 11, QStringLiteral("　"))}},
            {"dat/syasin.dat:11:error:catalogue-empty-record"});
        row("catalogue starting with a separator",
            {{"dat/syasin.dat", crlf({">"}) + catalogue(30)}},
            {"dat/syasin.dat:1:error:catalogue-empty-record"});
        row("separator with a blank",
            {{"dat/tsyasin.dat",
              catalogueWith(16, 6, QStringLiteral("> "), QStringLiteral("特別な"))}},
            {"dat/tsyasin.dat:0:error:catalogue-count",
             "dat/tsyasin.dat:6:warning:catalogue-separator"});
        row("separator at the very end", {{"dat/syasin.dat", catalogue(31) + crlf({">"})}}, {});
        row("catalogue in UTF-8", {{"dat/tsyasin.dat", utf8({"特別な写真"})}},
            {"dat/tsyasin.dat:0:error:utf8", "dat/tsyasin.dat:0:error:catalogue-count"});
        row("picture that is text", {{"img/park.dat", "not a picture"}},
            {"img/park.dat:0:error:picture-unreadable"});
        row("truncated picture", {{"img/07.dat", image("PNG").left(40)}},
            {"img/07.dat:0:error:picture-unreadable"});
        row("picture is a folder", {{"img/park.dat", folder}},
            {"img/park.dat:0:error:picture-unreadable"});
        row("picture is a pipe", {{"img/girl.dat", fifo}},
            {"img/girl.dat:0:error:picture-unreadable"});
        row("unused picture that is no picture", {{"img/old.dat", "junk"}},
            {"img/old.dat:0:warning:picture-unused"});
        row("picture in any format",
            {{"img/ttl.dat", image("BMP")}, {"img/girl.dat", image("JPG")}}, {});
    }
    void fileFaultIsFound() { plantedFaultIsFound(); }

    void hugePictureIsRefused() {
        // A picture that declares 50,000 x 50,000 pixels is refused before any is allocated.
        QByteArray png = image("PNG");
        const QByteArray size = QByteArray::fromHex("0000c3500000c350");
        png.replace(16, 8, size);
        GameFolder game;
        writeCleanGame(game);
        game.bytes(QStringLiteral("img/park.dat"), png);
        QCOMPARE(described(check::checkGame(game.path())),
                 QStringList{"img/park.dat:0:error:picture-unreadable"});
    }

    void hugeLineIsRead() {
        GameFolder game;
        writeCleanGame(game);
        game.bytes(script("8"),
                   QByteArray(30 * 1024 * 1024, 'a') + "\r\n>p\r\n" + QByteArray(1024 * 1024, 'b'));
        const check::Report report = check::checkGame(game.path());
        QVERIFY2(report.findings.isEmpty(), qPrintable(listing(report)));
    }

    void manyFindingsAreCutShort() {
        GameFolder game;
        writeCleanGame(game);
        game.bytes(script("8"), crlf(textLines(100000)));
        const check::Report report = check::checkGame(game.path());
        // A warning at the tenth line of every page but the last.
        QCOMPARE(report.warnings, 9999);
        QCOMPARE(report.findings.size(), 21);
        QCOMPARE(report.findings.first().line, 10);
        QCOMPARE(report.findings.last().line, 210);
        QVERIFY(report.findings.last().message.contains(QStringLiteral("9979")));
    }

    void longChainsAndDeepBranchesAreFollowed() {
        GameFolder game;
        writeCleanGame(game);
        // 3000 events, each handing straight on to the next, and questions nested as deep
        // as a file name allows.
        const int n = 3000;
        const int depth = 120;
        game.bytes(script("7"), crlf({">ive c1"}));
        for (int i = 1; i < n; ++i)
            game.bytes(script(QStringLiteral("c%1").arg(i)),
                       crlf({QStringLiteral(">ive c%1").arg(i + 1)}));
        game.bytes(script(QStringLiteral("c%1").arg(n)), crlf({"着いた。"}));
        QString name = QStringLiteral("8");
        for (int i = 0; i < depth; ++i) {
            game.bytes(script(name), crlf({"どっち？", ">qst", "a", "b"}));
            game.bytes(script(name + "_2"), crlf({"おわり。"}));
            name += QStringLiteral("_1");
        }
        game.bytes(script(name), crlf({"おわり。"}));
        const check::Report report = check::checkGame(game.path());
        QVERIFY2(report.findings.isEmpty(), qPrintable(listing(report)));
    }

    void garbageIsReportedNotFatal() {
        GameFolder game;
        writeCleanGame(game);
        QByteArray noise;
        quint32 x = 12345;
        for (int i = 0; i < 200000; ++i) {
            x = x * 1103515245u + 12345u;
            noise += char(x >> 24);
        }
        game.bytes(script("8"), noise);
        game.bytes(QStringLiteral("dat/syasin.dat"), noise);
        game.bytes(QStringLiteral("dat/save.dat"), noise);
        game.bytes(QStringLiteral("img/park.dat"), noise);
        const check::Report report = check::checkGame(game.path());
        QVERIFY(report.errors > 0);
        for (const check::Finding &f : report.findings)
            QVERIFY2(!f.message.isEmpty() && !f.file.isEmpty(),
                     qPrintable(check::formatFinding(f)));
    }

    void findingsReadAsTheyShould() {
        GameFolder game;
        writeCleanGame(game);
        game.bytes(script("3_1"), crlf({"もう一度聞く？", ">qst", "はい", "いいえ"}));
        game.bytes(script("3_1_1"), crlf({"はい。"}));
        game.bytes(script("7"), crlf({"七日目。", ">hit"}));
        QString out;
        QString err;
        QCOMPARE(check::runCommandLine({game.path()}, QString(), out, err), 1);
        QCOMPARE(err, QString());
        QCOMPARE(out,
                 QStringLiteral(
                     "dat/3_1.dat:2: error: 分岐スクリプト「3_1_2」が見つかりません（dat/"
                     "3_1_2.dat）。この選択肢を選ぶとゲームが止まります。\n"
                     "dat/7.dat:2: warning: 「>hit」には働きがなく、この行は文として表示されます"
                     "（前の文の行はクリックを待ちます）。\n"
                     "エラー 1 件、警告 1 件\n"));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("fromProgramDir");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("clean folder")
            << QStringList{"GAME"} << false << 0 << QStringLiteral("エラー 0 件、警告 0 件");
        QTest::newRow("folder of the program")
            << QStringList{} << true << 0 << QStringLiteral("エラー 0 件、警告 0 件");
        QTest::newRow("after --") << QStringList{"--", "GAME"} << false << 0
                                  << QStringLiteral("エラー 0 件、警告 0 件");
        QTest::newRow("folder with errors")
            << QStringList{"GAME/img"} << false << 1 << QStringLiteral("エラー 3 件、警告 0 件");
        QTest::newRow("no such folder") << QStringList{"GAME/nothing"} << false << 2 << QString();
        QTest::newRow("a file") << QStringList{"GAME/bgm.mid"} << false << 2 << QString();
        QTest::newRow("two folders") << QStringList{"GAME", "GAME"} << false << 2 << QString();
        QTest::newRow("unknown option") << QStringList{"-x", "GAME"} << false << 2 << QString();
        QTest::newRow("help") << QStringList{"--help"} << false << 0 << QString();
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, fromProgramDir);
        QFETCH(int, status);
        QFETCH(QString, lastLine);
        GameFolder game;
        writeCleanGame(game);
        for (QString &a : arguments)
            a.replace(QStringLiteral("GAME/"), game.path())
                .replace(QStringLiteral("GAME"), game.path());
        QString out;
        QString err;
        const QString programDir = fromProgramDir ? game.path() : QStringLiteral("/nonexistent");
        QCOMPARE(check::runCommandLine(arguments, programDir, out, err), status);
        if (status == 2) {
            QVERIFY(out.isEmpty());
            QVERIFY(err.startsWith(QStringLiteral("mirutena-check: ")));
            if (arguments.size() == 1)
                QVERIFY2(err.contains(arguments.first()), qPrintable(err)); // names the folder
        } else if (!lastLine.isEmpty()) {
            QVERIFY(err.isEmpty());
            QVERIFY2(out.endsWith(lastLine + u'\n'), qPrintable(out));
        } else {
            QVERIFY(out.startsWith(QStringLiteral("使い方: mirutena-check")));
        }
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
        for (const char *done : {"書き換えたファイル: ", "書き換えの要るファイルはありません"}) {
            QString out;
            QCOMPARE(check::fixTextFiles(game.path(), out), 0);
            QVERIFY2(out.contains(QString::fromUtf8(done)), qPrintable(out));
            for (auto it = expected.cbegin(); it != expected.cend(); ++it)
                QVERIFY2(game.read(it.key()) == *it, qPrintable(it.key()));
        }
    }

    // A character CP932 lacks, or bytes in neither code: named, the file left as it was, the
    // others still converted, and the exit status 1.
    void fixLeavesWhatItCannotConvert() {
        GameFolder game;
        writeCleanGame(game);
        const Files left{{"dat/a.dat", QByteArray("L1\nL2 \xF0\x9F\x98\x80 \xE2\x99\xA5\n")},
                         {"dat/b.dat", QByteArray("\x80\x80 L1\n")}};
        apply(game, left);
        game.bytes("dat/6b.dat", utf8({"晴れた。", ">syuuryou"}).replace("\r\n", "\n"));
        QString out;
        QString err;
        QCOMPARE(check::runCommandLine({"--fix", game.path()}, QString(), out, err), 1);
        for (const char *part : {"dat/a.dat:2:4: error: 「😀」（U+1F600）", "dat/a.dat:2:6: error: ",
                                 "U+2665", "dat/b.dat: error: ", "エラー 3 件、警告 2 件\n"})
            QVERIFY2(out.contains(QString::fromUtf8(part)), qPrintable(out));
        for (auto it = left.cbegin(); it != left.cend(); ++it)
            QCOMPARE(game.read(it.key()), *it);
        QCOMPARE(game.read("dat/6b.dat"), crlf({"晴れた。", ">syuuryou"}));
    }

    void unreadableFolderIsRefused() {
        if (::geteuid() == 0)
            QSKIP("root reads every folder");
        GameFolder game;
        writeCleanGame(game);
        const QString folder = game.path() + QStringLiteral("dat");
        QVERIFY(QFile::setPermissions(folder, QFileDevice::WriteOwner));
        QString out;
        QString err;
        const int status = check::runCommandLine({folder}, QString(), out, err);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        QCOMPARE(status, 2);
        QVERIFY2(err.contains(QStringLiteral("読めません")) && err.contains(folder),
                 qPrintable(err));
    }

    // The installed program checks the folder it stands in, and prints UTF-8.
    void programChecksItsOwnFolder() {
        const QString built = QStringLiteral(MIRUTENA_GAME_DIR "/mirutena-check");
        if (!QFileInfo::exists(built))
            QSKIP("mirutena-check is not built");
        GameFolder game;
        writeCleanGame(game);
        game.script(QStringLiteral("7"),
                    {QStringLiteral("七日目。"), QStringLiteral(">ive どこにもない")});
        const QString program = game.path() + QStringLiteral("mirutena-check");
        QVERIFY(QFile::copy(built, program));
        QProcess run;
        run.start(program, {});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitStatus(), QProcess::NormalExit);
        QCOMPARE(run.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()),
                 QStringLiteral("dat/7.dat:2: error: 連鎖先のスクリプト「どこにもない」が見つかりま"
                                "せん（dat/どこにもない.dat）。ここでゲームが止まります。\n"
                                "エラー 1 件、警告 0 件\n"));

        run.start(program, {game.path() + QStringLiteral("ない")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 2);
        QCOMPARE(run.readAllStandardOutput(), QByteArray());
        QCOMPARE(QString::fromUtf8(run.readAllStandardError()),
                 QStringLiteral("mirutena-check: フォルダーがありません: ") + game.path() +
                     QStringLiteral("ない\n"));
    }

    void testPlayRefusesAMistake_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("unknown option") << QStringList{"--fast", "GAME", "7"} << "--fast";
        QTest::newRow("not a number") << QStringList{"--money", "lots", "GAME", "7"} << "lots";
        QTest::newRow("photos beyond the counter") << QStringList{"--photos", "54", "7"} << "53";
        QTest::newRow("no such event") << QStringList{"GAME", "nothing"} << "dat/nothing.dat";
        QTest::newRow("no event") << QStringList{} << "イベントの名前がありません";
        QTest::newRow("too many") << QStringList{"GAME", "7", "8"} << "多すぎます";
    }
    void testPlayRefusesAMistake() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, complaint);
        GameFolder game;
        writeCleanGame(game);
        arguments.replaceInStrings(QStringLiteral("GAME"), game.path());
        QString out;
        QString err;
        int status = -1;
        QVERIFY(!testplay::parse(QStringList{"mirutena-testplay"} + arguments, game.path(), out,
                                 err, status));
        QCOMPARE(status, 2);
        QVERIFY(out.isEmpty());
        QVERIFY2(err.startsWith("mirutena-testplay: ") && err.contains(complaint), qPrintable(err));
    }

    // The real window plays the event at once with the stats held within their limits and
    // the counters set; the base screen follows, and the album is never written.
    void testPlayStartsTheEventAtOnce_data() {
        QTest::addColumn<bool>("fails");
        QTest::newRow("window closed") << false;
        QTest::newRow("game stopped by an error") << true;
    }
    void testPlayStartsTheEventAtOnce() {
        QFETCH(bool, fails);
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
        QStringList errors;
        options.reportError = [&](const rt::RuntimeError &e) { errors << e.text(); };
        options.exitProgram = [](int) {};
        Fom fom(options);
        fom.Form_Load();
        fom.BgmTim.stop();
        fom.show();
        fom.startFirstGame();
        QCOMPARE(fom.st.eventName, QStringLiteral("7"));
        QCOMPARE(fom.lbl->caption(), QStringLiteral("七日目。"));
        QCOMPARE(fom.st.statValue, (std::array<std::int32_t, 3>{255, 0, 1234}));
        QCOMPARE(fom.windowTitle(), QStringLiteral("ミルテナ　　0:255"));
        QCOMPARE(fom.st.photoProgress, 12);
        QCOMPARE(fom.st.firstChoiceCount, 3);
        QCOMPARE(fom.st.eventSeen, (std::array<Flag, 10>{True, True, True, False, False, False,
                                                         False, True, False, False}));
        QCOMPARE(fom.LST->count(), 2);
        fom.entry([&] { lbl_Click(fom); });
        QVERIFY(!fom.st.eventActive && fom.com[0]->isVisible());
        if (fails)
            fom.fail(rt::RuntimeError(QStringLiteral("止まった")));
        else
            fom.entry([&] { fom.Form_Unload(); });
        QCOMPARE(errors.size(), fails ? 1 : 0);
        QCOMPARE(game.read("dat/save.dat"), album);
    }

    // The checker's reading of the pacing, held against the real runner: the same lines
    // shown, the same waits, the same rows on the page, the same hand-over at the end.
    void pacingMatchesTheRealRunner_data() {
        QTest::addColumn<QByteArray>("script");
        auto add = [](const char *name, const QStringList &lines) {
            QTest::newRow(name) << crlf(lines);
        };
        add("one line", {"L1"});
        add("wait before a page break", {"L1", "L2", ">p", "L4"});
        add("empty line takes the wait", {"L1", "", ">p", "L4"});
        add("picture takes the wait", {"L1", ">img park", ">syuuryou"});
        add("empty line at the end", {"L1", ""});
        add("hit", {"L1", ">hitL2", "L3"});
        add("hit inside a line", {"L1", "aL2>hit"});
        add("picture holding hit", {"L1", ">img park>hit", "L3"});
        add("page break inside text", {"L1", "aL2>pb", "L3"});
        add("capitals are text", {"L1", ">IMG park L2", ">END L3"});
        add("question", {"L1", ">qst", "C1", "C2", "L5"});
        add("chain", {"L1", ">ive other", "L3"});
        add("new game", {"L1", "", ">end"});
        add("first line chains", {">img park", ">ive other"});
        QStringList eleven;
        for (int n = 1; n <= 11; ++n)
            eleven << QStringLiteral("L%1").arg(n);
        add("tenth line waits", eleven);
        add("empty line at the tenth place", eleven.mid(0, 9) + QStringList{"", "L11", "L12"});
        add("empty line after a full page", eleven.mid(0, 10) + QStringList{"", "L12", "L13"});
        add("empty lines on an empty page", {">p", "", "", "L4", ">p", "", "L7"});
        QTest::newRow("lone CR and LF alone")
            << rt::encodeCp932(u"L1\rL2\nL3\r\n\r\nL5\n>p\r\nL7\r\n");
    }
    void pacingMatchesTheRealRunner() {
        QFETCH(QByteArray, script);
        RealRunner real;
        QVERIFY(real.loaded());
        const Pacing played = real.play(script);
        QVERIFY2(real.errors().isEmpty(), qPrintable(real.errors().join(u'\n')));
        QCOMPARE(played, check::predictPacing(real.folder.path(), real.name()));
    }

    void pacingMatchesTheRealRunnerOnRandomScripts() {
        RealRunner real;
        QVERIFY(real.loaded());
        quint32 seed = 20240607;
        for (int i = 0; i < 400; ++i) {
            const QByteArray script = randomScript(seed);
            const Pacing played = real.play(script);
            QVERIFY2(real.errors().isEmpty(), qPrintable(real.errors().join(u'\n')));
            const Pacing predicted = check::predictPacing(real.folder.path(), real.name());
            if (!(played == predicted)) {
                qWarning().noquote() << "script:" << rt::decodeCp932(script);
                qWarning().noquote() << "played:" << describe(played);
                qWarning().noquote() << "predicted:" << describe(predicted);
                QFAIL("the checker reads the pacing differently from the runner");
            }
        }
    }

    // The checker's records of a catalogue, held against the game's own reader: the same
    // entries filled, and the same ones with nothing to read but their heading.
    void catalogueRecordsMatchTheGamesReader() {
        GameFolder folder;
        Game game(folder, false);
        QVERIFY(game.loaded);
        QList<QByteArray> catalogues{QByteArray(),          crlf({">"}),
                                     crlf({">", ">"}),      crlf({"A", ">", "", ">", "  "}),
                                     catalogue(40),         catalogue(31) + crlf({">"}),
                                     catalogue(16) + "\r\n"};
        quint32 seed = 31;
        for (int i = 0; i < 300; ++i)
            catalogues << randomCatalogue(seed);
        const QString path = folder.path() + QStringLiteral("dat/syasin.dat");
        for (const QByteArray &bytes : std::as_const(catalogues)) {
            folder.bytes(QStringLiteral("dat/syasin.dat"), bytes);
            for (int capacity : {16, 31}) {
                std::array<QString, 32> table;
                readCatalogue(*game, QStringLiteral("syasin"), QStringLiteral("【"),
                              std::span<QString>(table).first(std::size_t(capacity) + 1), capacity);
                const QList<check::CatalogueRecord> records =
                    check::catalogueRecords(path, capacity);
                for (int n = 0; n <= capacity; ++n) {
                    const QString heading = QStringLiteral("【%1番】").arg(n);
                    const bool filled = !table[std::size_t(n)].isEmpty();
                    QVERIFY2(filled == (n == 0 || n < records.size()),
                             qPrintable(rt::decodeCp932(bytes)));
                    if (!filled)
                        continue;
                    QVERIFY(table[std::size_t(n)].startsWith(heading));
                    const bool visible =
                        !table[std::size_t(n)].mid(heading.size()).trimmed().isEmpty();
                    QVERIFY2(visible == (n < records.size() && records[n].visible),
                             qPrintable(rt::decodeCp932(bytes)));
                }
            }
        }
    }

    // Where the checker says the game stops, the real game stops, and nowhere else. The
    // opening "0" is the script under test; the game plays it with a click at every step.
    void gameStopsWhereTheCheckerSaysSo_data() {
        QTest::addColumn<Files>("files");
        QTest::addColumn<bool>("stops");
        auto opening = [](const QStringList &lines, Files more = {}) {
            more.insert(QStringLiteral("dat/0.dat"), crlf(lines));
            return more;
        };
        const Files branches{{"dat/0_1.dat", crlf({"一。"})}, {"dat/0_2.dat", crlf({"二。"})}};
        QTest::newRow("clean") << opening({"L1", ">img park", "L3"}) << false;
        QTest::newRow("missing picture") << opening({"L1", ">img nothing", "L3"}) << true;
        QTest::newRow("picture without room for a name") << opening({"L1", ">img"}) << true;
        QTest::newRow("picture with an empty name") << opening({"L1", ">img ", "L3"}) << false;
        QTest::newRow("picture after a blank") << opening({"　>img park", "L2"}) << true;
        QTest::newRow("picture without a separator") << opening({">imgpark", "L2"}) << true;
        QTest::newRow("picture name holding >hit") << opening({">img park>hit", "L2"}) << true;
        QTest::newRow("picture in capitals") << opening({">IMG nothing", "L2"}) << false;
        QTest::newRow("chain to nowhere") << opening({"L1", ">ive nowhere"}) << true;
        QTest::newRow("chain with an empty name") << opening({"L1", ">ive "}) << true;
        QTest::newRow("chain with a trailing blank")
            << opening({"L1", ">ive a "}, {{"dat/a.dat", crlf({"A。"})}}) << true;
        QTest::newRow("chain name ending in LF")
            << Files{{"dat/0.dat", "L1\r\n>ive a\n"}, {"dat/a.dat", crlf({"A。"})}} << true;
        QTest::newRow("chain to an empty script")
            << opening({"L1", ">ive a"}, {{"dat/a.dat", QByteArray()}}) << true;
        QTest::newRow("chain coming back without a line")
            << opening({">ive a"}, {{"dat/a.dat", crlf({">img park", ">ive 0"})}}) << true;
        QTest::newRow("chain coming back after a line")
            << opening({"L1", ">ive a"}, {{"dat/a.dat", crlf({">ive 0"})}}) << false;
        QTest::newRow("new game at once") << opening({"", ">end"}) << true;
        QTest::newRow("new game after a line") << opening({"L1", ">end"}) << false;
        QTest::newRow("question with one caption") << opening({"L1", ">qst", "C1"}) << true;
        QTest::newRow("question") << opening({"L1", ">qst", "C1", "C2"}, branches) << false;
        QTest::newRow("question hidden in text")
            << opening({"L1", "どうする>qst", "C1", "C2"}, branches) << false;
    }
    void gameStopsWhereTheCheckerSaysSo() {
        QFETCH(Files, files);
        QFETCH(bool, stops);
        GameFolder folder;
        folder.picture(QStringLiteral("park"), Qt::darkGreen);
        apply(folder, files);

        Game game(folder);
        QVERIFY(game.loaded);
        for (int step = 0; step < 50 && game.errors.isEmpty() && game->st.eventActive; ++step)
            game->entry([&] { lbl_Click(*game); });
        QCOMPARE(!game.errors.isEmpty(), stops);

        // Only the script's own faults: the small folder lacks most of a real game.
        const QStringList fatal{"event-missing",     "picture-missing", "operand-missing",
                                "question-captions", "script-empty",    "chain-loop"};
        QStringList found;
        for (const check::Finding &f : check::checkGame(folder.path()).findings) {
            if (f.severity == check::Severity::Error && f.line > 0 && fatal.contains(f.code))
                found << check::formatFinding(f);
            else if (f.code == u"script-empty")
                found << check::formatFinding(f);
        }
        QVERIFY2(found.isEmpty() != stops, qPrintable(found.join(u'\n') + game.errors.join(u'\n')));
    }

  private:
    void plantedFaultIsFound() {
        QFETCH(Files, files);
        QFETCH(QStringList, expected);
        GameFolder game;
        writeCleanGame(game);
        apply(game, files);
        const check::Report report = check::checkGame(game.path());
        QCOMPARE(described(report), expected);
        int errors = 0;
        for (const QString &e : std::as_const(expected))
            errors += e.contains(QStringLiteral(":error:"));
        QCOMPARE(report.errors, errors);
        QCOMPARE(report.warnings, int(expected.size()) - errors);
        for (const check::Finding &f : report.findings)
            QVERIFY2(!f.message.isEmpty(), qPrintable(check::formatFinding(f)));
    }
};

QTEST_MAIN(CheckTest)
#include "test_check.moc"
