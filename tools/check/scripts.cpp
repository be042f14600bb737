// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck.h"
#include "runtime/error.h"
#include "runtime/textfile.h"
#include "script/lines.h"
#include "script/runner.h"
#include "script/stage.h"

#include <QHash>
#include <QSet>
#include <algorithm>

// One script, played by the game's own event runner on a stage that records what a player
// sees; what the checker says of its pacing is what the runner did.
namespace check {
namespace {

using script::LineKind;

using script::CommandWord;
using script::commandWords;
using script::PageEdit;

QString wordOf(LineKind kind) {
    for (const CommandWord &w : commandWords) {
        if (w.kind == kind)
            return w.text.toString();
    }
    return {};
}

// What a line of each kind is read as, in the order of LineKind.
constexpr QStringView meanings[] = {
    u"改ページ",   u"イベントの終わり",     u"選択肢", u"ゲームの終わり（新しいゲームが始まる）",
    u"画像の表示", u"別のイベントへの移動", u"文"};

QString meaningOf(LineKind kind) {
    return meanings[int(kind)].toString();
}

const CommandWord *startWord(const QString &text) {
    for (const CommandWord &w : commandWords) {
        if (text.startsWith(w.text))
            return &w;
    }
    return nullptr;
}

// The first look-ahead word in a line, for messages.
QString waitWordIn(const QString &text) {
    for (const CommandWord &w : commandWords) {
        if (w.makesWait && text.contains(w.text))
            return w.text.toString();
    }
    return {};
}

// A command word written in capitals or full width: the runner compares exactly.
QString lookalikeWordIn(const QString &text) {
    if (!text.contains(u'>') && !text.contains(u'＞') && !text.contains(u'﹥'))
        return {};
    const QString folded = text.normalized(QString::NormalizationForm_KC).toLower();
    for (const CommandWord &w : commandWords) {
        if (folded.contains(w.text) && !text.contains(w.text))
            return w.text.toString();
    }
    return {};
}

// A text line that starts like a command, e.g. a misspelt ">syuryou".
bool looksLikeUnknownCommand(const QString &text) {
    return text.size() >= 2 && text[0] == u'>' && text[1].unicode() < 0x80 && text[1].isLetter();
}

// What takes a line off the screen: the first four are commands, named in handings.
enum class Wipe { PageBreak, EventEnd, NewGame, Chain, EndOfFile, NewPage };
struct Handing {
    QStringView word;
    QStringView result;
};
constexpr Handing handings[] = {{u">p", u"消えます"},
                                {u">syuuryou", u"イベントが終わります"},
                                {u">end", u"新しいゲームが始まります"},
                                {u">ive", u"次のイベントに移ります"}};

QString unreadAfterCommand(int line, Wipe how) {
    const Handing &h = handings[int(how)];
    return QStringLiteral("この行は読まれません。%1行目の「%2」で%3。")
        .arg(QString::number(line), h.word, h.result);
}

// What the runner did on screen, at which of its lines (counted as it reads them, from 1;
// 0 for the end it supplies itself).
struct Mark {
    enum What { Shown, Cleared, Picture, Question, Chain, Ended, NewGame } what = Shown;
    int line = 0;
    bool waits = false;     // Shown: the line waits for a click
    bool overflows = false; // Shown: the page has more lines than its places
    int rows = 0;           // Shown: rows that do not fit the message area, if any
    int visible = 0;        // ... and the rows it shows
    QString name;           // Picture, Chain: the name given
};

// The runner's stage for one play of a script: it records, and it refuses the pictures and
// events the game cannot open, as the game does, unless told to let one pass so that the
// play can go on past a fault already known.
class Recorder : public Stage {
  public:
    Recorder(GameCheck &game, const QSet<int> &letPass) : game_(game), letPass_(letPass) {
        st.appDir = game.root();
        st.datDir = st.appDir + QStringLiteral("dat/");
    }
    QList<Mark> marks;
    std::optional<std::pair<int, bool>> failure; // the line, and whether the event ended
    QSet<int> refused;                           // lines this stage refused
    bool over = false;

    bool captionEmpty() const override { return caption_.isEmpty(); }
    void clearCaption() override {
        caption_.clear();
        pageReported_ = false;
        if (starting_)
            starting_ = false;
        else
            mark(Mark::Cleared);
    }
    void appendCaption(const QString &text) override {
        caption_ += text;
        if (text == u"\r\n")
            return;
        Mark &m = mark(Mark::Shown);
        m.waits = !st.autoAdvance;
        if (pageReported_)
            return;
        // Lines only ever go below the page's last, so the first one that does not fit is
        // the first the player cannot see.
        if (caption_.count(u"\r\n") >= script::pagePlaces) {
            m.overflows = pageReported_ = true;
        } else if (PageView *view = game_.pages()) {
            const PageView::Fit fit = view->fit(caption_);
            if (!fit.fits) {
                pageReported_ = true;
                m.rows = fit.rows;
                m.visible = fit.visible;
            }
        }
    }
    void showPicture(const QString &name) override {
        if (starting_)
            return; // the event's own picture, checked with the others the game needs
        mark(Mark::Picture).name = name;
        if (!game_.opensPicture(name))
            refuse();
    }
    void showChoices(const QString &, const QString &, int, int) override {
        mark(Mark::Question);
        over = true;
    }
    void showIndicator(bool) override {}
    void startMessageTimer() override {}
    void stopMessageTimer() override {}
    void showScreen(Screen screen) override { starting_ = screen == Screen::Event; }
    void GameStt() override {
        mark(Mark::Ended);
        over = true;
    }
    void Form_Activate() override {
        mark(Mark::NewGame);
        over = true;
    }
    void startEvent(const QString &name) override {
        mark(Mark::Chain).name = name;
        if (!game_.opensEvent(name))
            refuse();
        over = true;
    }
    void eventFailed(int lineNo, const QString &, const rt::RuntimeError &) override {
        failure = {lineNo, true};
    }
    double Rnd() override { return 0; }

  private:
    Mark &mark(Mark::What what) {
        Mark &m = marks.emplace_back();
        m.what = what;
        m.line = st.lineNo;
        return m;
    }
    void refuse() {
        if (letPass_.contains(st.lineNo))
            return;
        refused.insert(st.lineNo);
        throw rt::RuntimeError(QStringLiteral("ファイルが見つかりません。"));
    }

    GameCheck &game_;
    const QSet<int> &letPass_;
    QString caption_;
    bool starting_ = false;
    bool pageReported_ = false;
};

class ScriptPlay {
  public:
    ScriptPlay(GameCheck &game, const QString &name, EventOutline &outline)
        : game_(game), out_(game.out), name_(name), file_(game.datFile(name)), outline_(outline) {}
    void play(TextReader &reader);

  private:
    // Editor line numbers of the runner's lines; 0 is the end after the last.
    int number(int line) const {
        if (line > 0)
            return lines_[line - 1].number;
        return lines_.isEmpty() ? 0 : lines_.last().number + lines_.last().bareLineFeeds;
    }
    const QString &text(int line) const { return lines_[line - 1].text; }
    bool inFile(int line) const { return line >= 1 && line <= lines_.size(); }
    void findings(const QList<Mark> &marks, int failedLine);
    void lexicalUpTo(int line);
    // The last line a mark stands for: the end the runner supplies stands after them all,
    // or after the line that failed.
    int upTo(const Mark &m, int failedLine) const {
        return m.line > 0 ? m.line : failedLine > 0 ? failedLine : int(lines_.size()) + 1;
    }
    void waitLost(const Mark &shown, const Mark *next);
    void pageFull(const Mark &shown);
    void emptyLines(int from, int to);
    void failed(int line, bool endsEvent);
    void ending(const Mark &last, bool firstStep);
    void lexical(const TextLine &line, LineKind kind);
    void operandWarnings(const TextLine &line, LineKind kind);
    void caption(const TextLine &line);
    void unreadAfter(int line, const QString &why);

    GameCheck &game_;
    Findings &out_;
    QString name_;
    QString file_;
    EventOutline &outline_;
    QList<TextLine> lines_;
    QHash<int, bool> failures_; // line -> whether the event ended there
    int lexicalDone_ = 0;       // lines read so far by lexical()
};

void ScriptPlay::play(TextReader &reader) {
    TextChecks bytes(out_, file_, Severity::Error);
    while (!reader.atEnd()) {
        lines_.append(reader.next());
        bytes.line(lines_.last(), reader.atEnd());
    }
    bytes.finish(reader);

    // Played as a player clicks through it. Each fault the game cannot get past is heard
    // once, then let pass so that the lines after it are played too.
    constexpr int replays = 64;
    QSet<int> letPass;
    for (;;) {
        Recorder stage(game_, letPass);
        try {
            IveStt(stage, name_);
            while (!stage.over && !stage.failure)
                IveStep(stage);
        } catch (const rt::RuntimeError &) {
            stage.failure = {stage.st.lineNo, false};
        }
        if (rt::isOpen(stage.st.fileNo))
            rt::closeFile(stage.st.fileNo);
        if (stage.failure)
            failures_.insert(stage.failure->first, stage.failure->second);
        const int line = stage.failure ? stage.failure->first : 0;
        if (stage.failure && stage.refused.contains(line) && letPass.size() < replays) {
            letPass.insert(line);
            continue;
        }
        const bool stops = stage.failure && !stage.refused.contains(line);
        findings(stage.marks, stops ? line : 0);
        if (stops) {
            lexicalUpTo(line);
            failed(line, stage.failure->second);
        }
        return;
    }
}

void ScriptPlay::lexicalUpTo(int line) {
    for (; lexicalDone_ < std::min(line, int(lines_.size())); ++lexicalDone_) {
        const TextLine &l = lines_[lexicalDone_];
        lexical(l, script::kindOf(l.text));
    }
}

void ScriptPlay::findings(const QList<Mark> &marks, int failedLine) {
    bool firstStep = true;
    int pageStart = 0; // the line that began the page: the event's start or a ">p"
    QSet<int> referred;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const Mark &m = marks[i];
        lexicalUpTo(upTo(m, failedLine));
        switch (m.what) {
        case Mark::Shown:
            if (pageStart >= 0)
                emptyLines(pageStart, m.line);
            pageStart = -1;
            if (m.overflows) {
                for (int line = m.line - 1; line >= 1 && text(line).isEmpty(); --line) {
                    if (line == 1 || !text(line - 1).isEmpty())
                        out_.warning(
                            file_, number(line), QStringLiteral("page-overflow"),
                            QStringLiteral("10行で一杯のページの後の空行なので、ページが切り替わら"
                                           "ず、この後の文が前のページに続けて表示されます（メッセ"
                                           "ージ欄が10行を超えます）。「>p」で区切ってください。"));
                }
            } else if (m.rows > 0) {
                out_.warning(
                    file_, number(m.line), QStringLiteral("page-too-long"),
                    QStringLiteral(
                        "この行から下はメッセージ欄に収まらず、見えません。折り返す長い行"
                        "があるため、このページは %1 行分になり、メッセージ欄（幅 %2 ピクセル"
                        "の画面で %3 行分）からはみ出します。「>p」でページを分けるか、文を"
                        "短くしてください。")
                        .arg(m.rows)
                        .arg(PageView::referenceScreenWidth)
                        .arg(m.visible));
            }
            firstStep = false;
            if (!m.waits) {
                const Mark *next = nullptr; // what the runner did next, pictures aside
                for (qsizetype j = i + 1; !next && j < marks.size(); ++j)
                    next = marks[j].what == Mark::Picture ? nullptr : &marks[j];
                waitLost(m, next);
            } else {
                pageFull(m);
            }
            break;
        case Mark::Cleared:
            if (script::kindOf(text(m.line)) == LineKind::PageBreak)
                pageStart = m.line;
            break;
        case Mark::Picture:
            if (!referred.contains(m.line)) {
                referred.insert(m.line);
                game_.referPicture(m.name, file_, number(m.line), failures_.value(m.line));
            }
            break;
        case Mark::Chain:
            if (m.name.isEmpty() && !game_.opensEvent(m.name)) {
                out_.error(file_, number(m.line), QStringLiteral("operand-missing"),
                           QStringLiteral("「>ive」の後にイベントの名前がありません。") +
                               failureEnd(failures_.value(m.line)));
                return; // played no further
            }
            game_.referEvent(m.name, GameCheck::Via::Chain, file_, number(m.line),
                             failures_.value(m.line));
            [[fallthrough]];
        case Mark::Ended:
        case Mark::NewGame:
        case Mark::Question:
            if (pageStart >= 0)
                emptyLines(pageStart, upTo(m, failedLine));
            ending(m, firstStep);
            return;
        }
    }
}

// A line that goes on by itself, and what takes it away before a player could read it.
// A line that waits only because it takes the page's last place.
void ScriptPlay::pageFull(const Mark &shown) {
    const int after = shown.line + 1;
    if (inFile(after) && !text(after).isEmpty() && !script::makesPreviousWait(text(after)) &&
        script::kindOf(text(after)) == LineKind::Text) {
        out_.warning(file_, number(shown.line), QStringLiteral("page-full"),
                     QStringLiteral("ページの10行目なので、この行でクリックを待ち、次の行から新"
                                    "しいページになります。区切りたい所に「>p」を置いてくださ"
                                    "い。"));
    }
}

void ScriptPlay::waitLost(const Mark &shown, const Mark *next) {
    const QString gap = QString::number(number(shown.line + 1));
    int line = shown.line + 1;
    while (inFile(line) &&
           (text(line).isEmpty() || (script::kindOf(text(line)) == LineKind::Picture &&
                                     !script::makesPreviousWait(text(line)))))
        ++line;
    if (inFile(line) && script::makesPreviousWait(text(line))) {
        const LineKind kind = script::kindOf(text(line));
        if (kind == LineKind::Question || kind == LineKind::Text || kind == LineKind::Picture) {
            out_.warning(file_, number(shown.line), QStringLiteral("wait-lost"),
                         QStringLiteral("%1行目の「%2」との間に空行か「>img」の行（%3行目）がある"
                                        "ため、この行はクリックを待ちません。待たせたい命令は文の"
                                        "すぐ下に置いてください。")
                             .arg(QString::number(number(line)), waitWordIn(text(line)), gap));
            return;
        }
    }
    if (!next || next->what == Mark::Question)
        return;
    Wipe how = Wipe::NewPage;
    switch (next->what) {
    case Mark::Cleared:
        if (script::kindOf(text(next->line)) == LineKind::PageBreak)
            how = Wipe::PageBreak;
        break;
    case Mark::Ended:
        how = next->line > 0 ? Wipe::EventEnd : Wipe::EndOfFile;
        break;
    case Mark::NewGame:
        how = Wipe::NewGame;
        break;
    case Mark::Chain:
        how = Wipe::Chain;
        break;
    default:
        return; // shown below it
    }
    const QString at = QString::number(number(next->line));
    QString message;
    if (how == Wipe::EndOfFile) {
        message = QStringLiteral("この後には空行か「>img」の行（%1行目から）しかないため、この行は"
                                 "クリックを待たず、すぐにイベントが終わります。最後の文をファイル"
                                 "の最後の行にしてください。")
                      .arg(gap);
    } else if (how == Wipe::NewPage) {
        message = QStringLiteral("%1行目からの空行でページの10行分が埋まり、%2行目の文から新しい"
                                 "ページになるため、この行はクリックを待たず、このページはすぐに"
                                 "消えます。")
                      .arg(gap, at);
    } else {
        const Handing &h = handings[int(how)];
        message = QStringLiteral("%1行目の「%2」との間に空行か「>img」の行（%3行目）があるため、こ"
                                 "の行はクリックを待たず、すぐに%4。待たせたい命令は文のすぐ下に置"
                                 "いてください。")
                      .arg(at, h.word, gap, h.result);
    }
    out_.error(file_, number(shown.line), QStringLiteral("wait-lost"), message);
}

// Empty lines at a page's first place show nothing.
void ScriptPlay::emptyLines(int from, int to) {
    for (int line = from + 1; line < to; ++line) {
        if (text(line).isEmpty())
            out_.warning(file_, number(line), QStringLiteral("empty-first-line"),
                         QStringLiteral("ページの最初の空行は何も表示しません。"));
    }
}

// A line the game cannot get past that no picture or event would mend.
void ScriptPlay::failed(int line, bool endsEvent) {
    const QString &t = text(line);
    const LineKind kind = script::kindOf(t);
    if (kind == LineKind::Question) {
        const int captions = std::min(2, int(lines_.size()) - line);
        out_.error(file_, number(line), QStringLiteral("question-captions"),
                   QStringLiteral("「>qst」の後には選択肢の見出しが2行要りますが、%1行しかありませ"
                                  "ん。%2")
                       .arg(captions)
                       .arg(failureEnd(endsEvent)));
    } else if (kind == LineKind::Picture || kind == LineKind::Chain) {
        out_.error(file_, number(line), QStringLiteral("operand-missing"),
                   QStringLiteral("「%1」の後に区切りの1文字と名前がありません。%2")
                       .arg(wordOf(kind), failureEnd(endsEvent)));
    }
}

// How the script hands over, and what it leaves unread.
void ScriptPlay::ending(const Mark &last, bool firstStep) {
    const int at = number(last.line);
    switch (last.what) {
    case Mark::Ended:
        if (firstStep) {
            out_.warning(file_, last.line > 0 ? at : 0, QStringLiteral("shows-nothing"),
                         QStringLiteral("このイベントは文を一つも表示しないうちに終わります。"));
        }
        outline_.ending = Handover::Closes;
        if (last.line > 0)
            unreadAfter(last.line, unreadAfterCommand(at, Wipe::EventEnd));
        return;
    case Mark::Question: {
        outline_.endLine = at;
        caption(lines_[last.line]);
        caption(lines_[last.line + 1]);
        outline_.ending = Handover::Question;
        game_.referEvent(name_ + QStringLiteral("_1"), GameCheck::Via::Branch, file_, at);
        game_.referEvent(name_ + QStringLiteral("_2"), GameCheck::Via::Branch, file_, at);
        unreadAfter(last.line + 2,
                    QStringLiteral("この行は読まれません。%1行目の選択肢の見出しでこのスクリプト"
                                   "は終わります。")
                        .arg(number(last.line + 2)));
        return;
    }
    case Mark::NewGame:
    case Mark::Chain: {
        const bool chain = last.what == Mark::Chain;
        outline_.ending = chain ? Handover::Chain : Handover::NewGame;
        outline_.chainTarget = last.name;
        outline_.endLine = at;
        if (firstStep) {
            outline_.passesInto = chain ? last.name : QStringLiteral("0");
            outline_.passLine = at;
            outline_.passAtOnce = last.line > 1; // the lines before it ran in the same step
        }
        unreadAfter(last.line, unreadAfterCommand(at, chain ? Wipe::Chain : Wipe::NewGame));
        return;
    }
    default:
        return;
    }
}

void ScriptPlay::lexical(const TextLine &line, LineKind kind) {
    const QString &text = line.text;
    const CommandWord *start = startWord(text);
    const bool command = start && start->kind != LineKind::Text; // not ">hit"
    if (command && start->kind != kind) {
        out_.error(file_, line.number, QStringLiteral("command-shadowed"),
                   QStringLiteral("この行は「%1」で始まりますが、先に調べられる「%2」も含むため%3"
                                  "として読まれ、「%1」は働きません。")
                       .arg(start->text.toString(), wordOf(kind), meaningOf(kind)));
    } else if (!command && kind != LineKind::Text) {
        // Blanks before the word are a slip; words before it are text the player never sees.
        const QString word = wordOf(kind);
        const QStringView before = QStringView(text).left(text.indexOf(word));
        const bool textBefore = !std::all_of(before.begin(), before.end(), isBlank);
        QString message =
            textBefore ? QStringLiteral("文の途中に「%1」があります。ゲームは命令の言葉を行のどこに"
                                        "あっても見つけるので、この行全体が%2として読まれ、文は表"
                                        "示されません。")
                             .arg(word, meaningOf(kind))
                       : QStringLiteral("「%1」の前に空白があります。この行は%2として働きます"
                                        "が、行の先頭に書いてください。")
                             .arg(word, meaningOf(kind));
        if (kind == LineKind::Picture || kind == LineKind::Chain) {
            message +=
                QStringLiteral("名前は6文字目からの「%1」になります。").arg(shown(text.mid(5)));
        }
        out_.add(textBefore ? Severity::Error : Severity::Warning, file_, line.number,
                 QStringLiteral("command-not-at-start"), message);
    } else if (kind == LineKind::Picture && script::makesPreviousWait(text)) {
        out_.warning(file_, line.number, QStringLiteral("picture-makes-wait"),
                     QStringLiteral("画像の名前に「%1」が含まれるため、前の文の行がクリックを待ち"
                                    "ます。")
                         .arg(waitWordIn(text)));
    }

    if (kind == LineKind::Text && !text.isEmpty()) {
        const QString lookalike = lookalikeWordIn(text);
        if (start && start->text == u">hit") {
            out_.warning(file_, line.number, QStringLiteral("hit"),
                         QStringLiteral("「>hit」には働きがなく、この行は文として表示されます（前"
                                        "の文の行はクリックを待ちます）。"));
        } else if (text.contains(u">hit")) {
            out_.warning(file_, line.number, QStringLiteral("hit"),
                         QStringLiteral("行の途中の「>hit」のため、前の文の行がクリックを待ちます。"
                                        "この行は文として表示されます。"));
        } else if (!lookalike.isEmpty()) {
            out_.warning(file_, line.number, QStringLiteral("command-case"),
                         QStringLiteral("「%1」に似た書き方がありますが、命令は半角の小文字で書か"
                                        "ないと働かず、この行は文として表示されます。")
                             .arg(lookalike));
        } else if (looksLikeUnknownCommand(text)) {
            out_.warning(file_, line.number, QStringLiteral("unknown-command"),
                         QStringLiteral("「%1」という命令はありません。この行は文として表示されま"
                                        "す。")
                             .arg(shown(text)));
        }
        if (blankOnly(text) && !TextChecks::invisibleTail(line, &line == &lines_.last())) {
            out_.warning(file_, line.number, QStringLiteral("blank-line"),
                         QStringLiteral("空白だけの行です。ゲームは空行ではなく文の行として扱い、"
                                        "表示の間やクリックの待ちが入ります。何もない空行にして"
                                        "ください。"));
        }
    }

    if (kind == LineKind::Picture || kind == LineKind::Chain)
        operandWarnings(line, kind);
    if (command && start->kind == kind && kind != LineKind::Picture && kind != LineKind::Chain) {
        const QString rest = text.mid(start->text.size());
        if (!rest.isEmpty() && !blankOnly(rest)) {
            out_.warning(file_, line.number, QStringLiteral("command-rest"),
                         QStringLiteral("「%1」の後の「%2」は読み飛ばされ、表示されません。")
                             .arg(start->text.toString(), shown(rest)));
        }
    }
}

void ScriptPlay::operandWarnings(const TextLine &line, LineKind kind) {
    const QString word = wordOf(kind);
    bool ok = false;
    const QString name = script::operandOf(line.text, &ok);
    if (!ok)
        return; // the game cannot get past it: said with what follows
    if (name.isEmpty()) {
        if (kind == LineKind::Picture)
            out_.warning(file_, line.number, QStringLiteral("picture-empty-name"),
                         QStringLiteral("画像の名前が空なので、代わりに「dmy」が表示されます。"));
        return;
    }
    if (line.text.startsWith(word)) {
        const QChar separator = line.text[4];
        if (separator.isLetterOrNumber() || separator == u'_') {
            out_.warning(file_, line.number, QStringLiteral("operand-separator"),
                         QStringLiteral("「%1」と名前の間に区切りの1文字がありません。ゲームは5文"
                                        "字目の「%2」を区切りとして読み飛ばし、名前を「%3」と読み"
                                        "ます。")
                             .arg(word, QString(separator), shown(name)));
        } else if (isBlank(name.front()) || isBlank(name.back())) {
            out_.warning(file_, line.number, QStringLiteral("operand-blank"),
                         QStringLiteral("名前「%1」の前か後ろに空白があります。空白も名前の一部とし"
                                        "て読まれます。")
                             .arg(shown(name)));
        }
    }
}

void ScriptPlay::caption(const TextLine &line) {
    if (line.text.isEmpty()) {
        out_.warning(file_, line.number, QStringLiteral("caption-empty"),
                     QStringLiteral("選択肢の見出しが空で、ボタンに何も書かれません。"));
        return;
    }
    if (PageView *view = game_.pages()) {
        // Glyphs of about two thirds of their usual height are still easy to read; below
        // that, or below 8 pixels on the smallest screen, a player squints.
        const PageView::Glyphs glyphs = view->choiceGlyphs(line.text);
        if (glyphs.caption < std::max(8, glyphs.normal * 2 / 3))
            out_.warning(file_, line.number, QStringLiteral("caption-small"),
                         QStringLiteral("選択肢の見出しが長く、ボタンに収まるよう文字が小さくなり"
                                        "ます（幅%1の画面で高さ%2ピクセル、短い見出しなら%3ピク"
                                        "セル）。見出しを短くしてください。")
                             .arg(PageView::referenceScreenWidth)
                             .arg(glyphs.caption)
                             .arg(glyphs.normal));
    }
    for (const CommandWord &w : commandWords) {
        if (line.text.contains(w.text)) {
            out_.warning(file_, line.number, QStringLiteral("caption-command"),
                         QStringLiteral("選択肢の見出しの「%1」は命令として働かず、そのままボタンの"
                                        "文字になります。")
                             .arg(w.text.toString()));
            return;
        }
    }
}

void ScriptPlay::unreadAfter(int line, const QString &why) {
    // Trailing empty lines are harmless; the first line with something in it is not.
    for (int next = line + 1; inFile(next); ++next) {
        if (!text(next).isEmpty()) {
            out_.warning(file_, number(next), QStringLiteral("unread"), why);
            return;
        }
    }
}

} // namespace

void checkScriptLines(GameCheck &game, const QString &name, TextReader &reader,
                      EventOutline &outline) {
    ScriptPlay(game, name, outline).play(reader);
}

} // namespace check
