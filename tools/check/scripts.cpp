// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamecheck.h"
#include "script/lines.h"

#include <algorithm>
#include <deque>

// One script, played line by line as the event runner plays it: the same recognition of
// command words, the same look-ahead, the same count of line places on a page.
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

// The lines of one script with room to look two ahead: the runner holds the next line,
// and a question reads two captions.
class LineQueue {
  public:
    explicit LineQueue(TextReader &reader) : reader_(reader) {}
    const TextLine *peek(std::size_t k) {
        while (buffer_.size() <= k && !reader_.atEnd())
            buffer_.push_back(reader_.next());
        return k < buffer_.size() ? &buffer_[k] : nullptr;
    }
    bool atEnd() { return peek(0) == nullptr; }
    TextLine take() {
        peek(0);
        TextLine line = std::move(buffer_.front());
        buffer_.pop_front();
        lastNumber_ = line.number + line.bareLineFeeds;
        return line;
    }
    int lastNumber() const { return lastNumber_; }

  private:
    TextReader &reader_;
    std::deque<TextLine> buffer_;
    int lastNumber_ = 0;
};

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

class ScriptPlay {
  public:
    ScriptPlay(GameCheck &game, const QString &name, TextReader &reader, EventOutline &outline)
        : game_(game), out_(game.out), name_(name), file_(game.datFile(name)), reader_(reader),
          lines_(reader), text_(game.out, file_, Severity::Error), outline_(outline) {}

    void play() {
        steps();
        text_.finish(reader_);
    }

  private:
    void steps();
    TextLine take() {
        TextLine line = lines_.take();
        text_.line(line, lines_.atEnd());
        return line;
    }
    void lexical(const TextLine &line, LineKind kind);
    std::optional<QString> operand(const TextLine &line, LineKind kind);
    void question(const TextLine &line);
    void caption(const TextLine &line);
    void wiped(int by, Wipe how);
    void checkFit(int line);
    void unreadAfter(const QString &why);

    GameCheck &game_;
    Findings &out_;
    QString name_;
    QString file_;
    TextReader &reader_;
    LineQueue lines_;
    TextChecks text_;
    EventOutline &outline_;

    std::uint8_t pageLines_ = 0;
    QString caption_;           // the message area's caption, as the runner builds it
    bool pageReported_ = false; // this page already has a warning about its size
    bool firstStep_ = true;     // still in the step that the event's start runs
    bool atOnce_ = false;       // this line runs at once after the step before it
    struct Pending {
        int line = 0;    // a shown line that goes on by itself
        int gapLine = 0; // the first empty or picture line after it
    };
    std::optional<Pending> pending_;
};

void ScriptPlay::steps() {
    bool runsNext = false; // the line before runs this one at once
    for (;;) {
        const bool fromFile = !lines_.atEnd();
        TextLine current;
        if (fromFile) {
            current = take();
        } else {
            current.text = QStringLiteral(">syuuryou"); // what the runner reads past the end
            current.number = lines_.lastNumber();
        }
        atOnce_ = runsNext;
        runsNext = false;
        const TextLine *next = lines_.peek(0);
        const QString nextText = next ? next->text : QStringLiteral(">syuuryou");
        const bool waits = script::waitsForClick(pageLines_, nextText);
        const LineKind kind = script::kindOf(current.text);
        if (fromFile)
            lexical(current, kind);

        if (pending_ && script::makesPreviousWait(current.text) &&
            (kind == LineKind::Question || kind == LineKind::Text || kind == LineKind::Picture)) {
            out_.warning(file_, pending_->line, QStringLiteral("wait-lost"),
                         QStringLiteral("%1行目の「%2」との間に空行か「>img」の行（%3行目）がある"
                                        "ため、この行はクリックを待ちません。待たせたい命令は文の"
                                        "すぐ下に置いてください。")
                             .arg(QString::number(current.number), waitWordIn(current.text),
                                  QString::number(pending_->gapLine)));
            pending_.reset();
        }

        switch (kind) {
        case LineKind::PageBreak:
            wiped(current.number, Wipe::PageBreak);
            pageLines_ = 0;
            caption_.clear();
            pageReported_ = false;
            runsNext = true;
            continue;
        case LineKind::EventEnd:
            wiped(current.number, fromFile ? Wipe::EventEnd : Wipe::EndOfFile);
            if (firstStep_) {
                out_.warning(
                    file_, fromFile ? current.number : 0, QStringLiteral("shows-nothing"),
                    QStringLiteral("このイベントは文を一つも表示しないうちに終わります。"));
            }
            outline_.ending = Handover::Closes;
            if (fromFile)
                unreadAfter(unreadAfterCommand(current.number, Wipe::EventEnd));
            return;
        case LineKind::Question:
            outline_.endLine = current.number;
            question(current);
            return;
        case LineKind::GameEnd:
            wiped(current.number, Wipe::NewGame);
            outline_.ending = Handover::NewGame;
            outline_.endLine = current.number;
            if (firstStep_) {
                outline_.passesInto = QStringLiteral("0");
                outline_.passLine = current.number;
                outline_.passAtOnce = atOnce_;
            }
            unreadAfter(unreadAfterCommand(current.number, Wipe::NewGame));
            return;
        case LineKind::Picture:
            if (std::optional<QString> picture = operand(current, kind))
                game_.referPicture(*picture, file_, current.number, atOnce_);
            if (pending_ && pending_->gapLine == 0)
                pending_->gapLine = current.number;
            runsNext = true;
            continue;
        case LineKind::Chain: {
            const std::optional<QString> target = operand(current, kind);
            wiped(current.number, Wipe::Chain);
            if (target) {
                game_.referEvent(*target, GameCheck::Via::Chain, file_, current.number, atOnce_);
                outline_.ending = Handover::Chain;
                outline_.chainTarget = *target;
                outline_.endLine = current.number;
                if (firstStep_) {
                    outline_.passesInto = *target;
                    outline_.passLine = current.number;
                    outline_.passAtOnce = atOnce_;
                }
            }
            unreadAfter(unreadAfterCommand(current.number, Wipe::Chain));
            return;
        }
        case LineKind::Text:
            break;
        }

        const script::TextPlace place =
            script::placeText(pageLines_, current.text.isEmpty(), caption_.isEmpty());
        pageLines_ = place.pageLines;
        switch (place.edit) {
        case PageEdit::None:
            if (!caption_.isEmpty()) {
                pageReported_ = true;
                out_.warning(
                    file_, current.number, QStringLiteral("page-overflow"),
                    QStringLiteral("10行で一杯のページの後の空行なので、ページが切り替わら"
                                   "ず、この後の文が前のページに続けて表示されます（メッセ"
                                   "ージ欄が10行を超えます）。「>p」で区切ってください。"));
            } else {
                out_.warning(file_, current.number, QStringLiteral("empty-first-line"),
                             QStringLiteral("ページの最初の空行は何も表示しません。"));
            }
            break;
        case PageEdit::LineBreak:
            caption_ += QStringLiteral("\r\n");
            break;
        case PageEdit::NewPage:
            if (!caption_.isEmpty())
                wiped(current.number, Wipe::NewPage);
            caption_ = current.text;
            pageReported_ = false;
            break;
        case PageEdit::Append:
            caption_ += QStringLiteral("\r\n") + current.text;
            break;
        }
        if (current.text.isEmpty()) {
            if (pending_ && pending_->gapLine == 0)
                pending_->gapLine = current.number;
            runsNext = true;
            continue;
        }

        checkFit(current.number);
        if (game_.tracing()) {
            const int rows = int(caption_.count(QStringLiteral("\r\n"))) + 1;
            outline_.shown.append({current.number, waits, rows});
        }
        pending_.reset();
        firstStep_ = false;
        if (!waits) {
            pending_ = Pending{current.number};
        } else if (!script::makesPreviousWait(nextText) && next && !next->text.isEmpty() &&
                   script::kindOf(next->text) == LineKind::Text) {
            // It waits only because it takes the page's last place.
            out_.warning(file_, current.number, QStringLiteral("page-full"),
                         QStringLiteral("ページの10行目なので、この行でクリックを待ち、次の行から新"
                                        "しいページになります。区切りたい所に「>p」を置いてくださ"
                                        "い。"));
        }
    }
}

// Lines only ever go below the page's last, so the first line that does not fit is the
// first that the player cannot see.
void ScriptPlay::checkFit(int line) {
    PageView *view = pageReported_ ? nullptr : game_.pages();
    if (!view)
        return;
    const PageView::Fit fit = view->fit(caption_);
    if (fit.fits)
        return;
    pageReported_ = true;
    out_.warning(
        file_, line, QStringLiteral("page-too-long"),
        QStringLiteral("この行から下はメッセージ欄に収まらず、見えません。折り返す長い行"
                       "があるため、このページは %1 行分になり、メッセージ欄（幅 %2 ピクセル"
                       "の画面で %3 行分）からはみ出します。「>p」でページを分けるか、文を"
                       "短くしてください。")
            .arg(fit.rows)
            .arg(PageView::referenceScreenWidth)
            .arg(fit.visible));
}

void ScriptPlay::wiped(int by, Wipe how) {
    if (!pending_)
        return;
    const Pending lost = *pending_;
    pending_.reset();
    const QString gap = QString::number(lost.gapLine);
    const QString at = QString::number(by);
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
    out_.error(file_, lost.line, QStringLiteral("wait-lost"), message);
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
        if (blankOnly(text) && !TextChecks::invisibleTail(line, lines_.atEnd())) {
            out_.warning(file_, line.number, QStringLiteral("blank-line"),
                         QStringLiteral("空白だけの行です。ゲームは空行ではなく文の行として扱い、"
                                        "表示の間やクリックの待ちが入ります。何もない空行にして"
                                        "ください。"));
        }
    }

    if (command && start->kind == kind && kind != LineKind::Picture && kind != LineKind::Chain) {
        const QString rest = text.mid(start->text.size());
        if (!rest.isEmpty() && !blankOnly(rest)) {
            out_.warning(file_, line.number, QStringLiteral("command-rest"),
                         QStringLiteral("「%1」の後の「%2」は読み飛ばされ、表示されません。")
                             .arg(start->text.toString(), shown(rest)));
        }
    }
}

std::optional<QString> ScriptPlay::operand(const TextLine &line, LineKind kind) {
    const QString word = wordOf(kind);
    bool ok = false;
    const QString name = script::operandOf(line.text, &ok);
    if (!ok) {
        out_.error(file_, line.number, QStringLiteral("operand-missing"),
                   QStringLiteral("「%1」の後に区切りの1文字と名前がありません。%2")
                       .arg(word, failureEnd(atOnce_)));
        return std::nullopt;
    }
    if (name.isEmpty()) {
        if (kind == LineKind::Chain && game_.hasScript(name))
            return name; // dat/.dat: odd, but the game finds it
        if (kind == LineKind::Chain) {
            out_.error(file_, line.number, QStringLiteral("operand-missing"),
                       QStringLiteral("「>ive」の後にイベントの名前がありません。") +
                           failureEnd(atOnce_));
            return std::nullopt;
        }
        out_.warning(file_, line.number, QStringLiteral("picture-empty-name"),
                     QStringLiteral("画像の名前が空なので、代わりに「dmy」が表示されます。"));
        return name;
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
    return name;
}

void ScriptPlay::question(const TextLine &line) {
    outline_.ending = Handover::Broken;
    const TextLine *first = lines_.peek(0);
    const TextLine *second = lines_.peek(1);
    if (!first || !second) {
        out_.error(file_, line.number, QStringLiteral("question-captions"),
                   QStringLiteral("「>qst」の後には選択肢の見出しが2行要りますが、%1行しかありませ"
                                  "ん。%2")
                       .arg(first ? 1 : 0)
                       .arg(failureEnd(atOnce_)));
        return;
    }
    caption(take());
    const TextLine last = take();
    caption(last);
    outline_.ending = Handover::Question;
    game_.referEvent(name_ + QStringLiteral("_1"), GameCheck::Via::Branch, file_, line.number);
    game_.referEvent(name_ + QStringLiteral("_2"), GameCheck::Via::Branch, file_, line.number);
    unreadAfter(
        QStringLiteral("この行は読まれません。%1行目の選択肢の見出しでこのスクリプトは終わり"
                       "ます。")
            .arg(last.number));
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

void ScriptPlay::unreadAfter(const QString &why) {
    // Trailing empty lines are harmless; the first line with something in it is not.
    while (const TextLine *line = lines_.peek(0)) {
        if (!line->text.isEmpty()) {
            out_.warning(file_, line->number, QStringLiteral("unread"), why);
            return;
        }
        lines_.take();
    }
}

} // namespace

void checkScriptLines(GameCheck &game, const QString &name, TextReader &reader,
                      EventOutline &outline) {
    ScriptPlay(game, name, reader, outline).play();
}

} // namespace check
