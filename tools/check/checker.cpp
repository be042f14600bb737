// SPDX-License-Identifier: GPL-3.0-or-later
#include "checker.h"

#include "gamecheck.h"
#include "media/mci.h"
#include "media/picture.h"
#include "runtime/error.h"
#include "sim/actions.h"

#include <QDir>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace check {
namespace {

constexpr int listedPerKind = 20;
// More first-option picks than any story can be short of: a loop can be taken again.
constexpr int manyPicks = 255;

QString kindKey(const QString &file, const QString &code) {
    return file + u'\n' + code;
}

// The music layer reports its own failures on standard error; the checker says it better.
class QuietStderr {
  public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = ::dup(2);
        int null = ::open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, 2);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }

  private:
    int saved_ = -1;
};

QString startRole(const QString &name) {
    if (name == u"0")
        return QStringLiteral("新しいゲームを始めると流れるオープニング");
    if (name == u"9_1")
        return QStringLiteral("最後の節目で、最初の選択肢を5回以上選んでいたときのエンディング");
    if (name == u"9_2")
        return QStringLiteral("最後の節目で流れる、もう一つのエンディング");
    if (name == u"gameover")
        return QStringLiteral("疲れが限界に達したときのゲームオーバー");
    return QStringLiteral("物語の節目 %1 で流れるイベント").arg(name);
}

} // namespace

QString shown(const QString &text) {
    constexpr qsizetype most = 40;
    return text.size() <= most ? text : text.left(most) + QStringLiteral("…");
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

bool blankOnly(const QString &text) {
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isBlank);
}

// --- Findings ---------------------------------------------------------------------------

void Findings::add(Severity severity, const QString &file, int line, const QString &code,
                   const QString &message) {
    (severity == Severity::Error ? errors_ : warnings_) += 1;
    const QString key = kindKey(file, code);
    if (++perKind_[key] <= listedPerKind) {
        listed_.append({file, line, severity, code, message});
        return;
    }
    Hidden &h = hidden_[key];
    if (h.count++ == 0) {
        h.severity = severity;
        h.file = file;
        h.code = code;
        h.firstLine = line;
    }
}

Report Findings::take() {
    for (const Hidden &h : std::as_const(hidden_)) {
        listed_.append(
            {h.file, h.firstLine, h.severity, h.code,
             QStringLiteral("同じ種類の指摘がほかに %1 件あります（最初はここ）。").arg(h.count)});
    }
    std::stable_sort(listed_.begin(), listed_.end(), [](const Finding &a, const Finding &b) {
        return a.file != b.file ? a.file < b.file : a.line < b.line;
    });
    Report report{std::move(listed_), errors_, warnings_};
    *this = Findings();
    return report;
}

// --- FolderIndex ------------------------------------------------------------------------

namespace {
QString foldedStem(const QString &fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    QString stem = dot > 0 ? fileName.left(dot) : fileName;
    return stem.trimmed().toLower();
}
} // namespace

void FolderIndex::load(const QString &root, const QString &folder) {
    root_ = root;
    self_ = rt::findGameFile(root, folder);
    const QFileInfo info(self_.path);
    isFolder_ = self_.found && info.isDir();
    existsAsOther_ = self_.found && !isFolder_;
    if (!isFolder_)
        return;
    folder_ = self_.path.mid(root.size()) + u'/';
    for (const rt::FolderEntry &entry : rt::listFolder(self_.native)) {
        names_.append(entry.name);
        folded_.insert(foldedStem(entry.name), entry.name);
    }
}

const rt::GameFile &FolderIndex::find(const QString &fileName) const {
    auto it = found_.constFind(fileName);
    if (it == found_.cend())
        it = found_.insert(fileName, rt::findGameFile(root_, folder_ + fileName));
    return *it;
}

QString FolderIndex::nearMiss(const QString &fileName) const {
    QStringList near = folded_.values(foldedStem(fileName));
    near.removeAll(fileName);
    if (near.isEmpty())
        return {};
    std::sort(near.begin(), near.end());
    return QStringLiteral("似た名前の「%1」はあります。ゲームは名前を空白までそのまま使い、"
                          "「.dat」を付けて開きます。")
        .arg(near.first());
}

// --- TextChecks -------------------------------------------------------------------------

bool TextChecks::invisibleTail(const TextLine &line, bool lastInFile) {
    if (!lastInFile || line.end != LineEnd::None || line.text.isEmpty())
        return false;
    return std::all_of(line.text.cbegin(), line.text.cend(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F || c == u' ' || c == u'\u3000';
    });
}

void TextChecks::line(const TextLine &line, bool lastInFile) {
    if (line.bareLineFeeds > 0) {
        // A last LF with nothing after it is no line break to the game but part of the line.
        const bool trailing = lastInFile && line.end == LineEnd::None && line.text.endsWith(u'\n');
        const int joined = line.bareLineFeeds + 1 - (trailing ? 1 : 0);
        QString message =
            QStringLiteral("改行が LF だけの所があります。ゲームが行の終わりと見なすの"
                           "は CR LF と CR だけです。");
        if (joined > 1)
            message += QStringLiteral("ここから %1 行が1行につながって読まれます。").arg(joined);
        if (trailing) {
            message += QStringLiteral("ファイルの最後の LF は行の一部として読まれ、名前なら別の名前"
                                      "に、文なら余分な改行になります。");
        }
        out_.error(file_, line.number, QStringLiteral("lf"),
                   message + QStringLiteral("CR LF で保存し直してください。"));
    }
    if (line.end == LineEnd::Cr && loneCrCount_++ == 0)
        firstLoneCr_ = line.number;
    if (line.invalidBytes)
        invalidLines_.append(line.number);
    if (invisibleTail(line, lastInFile)) {
        const bool eofMark = line.text.contains(QChar(0x1A));
        out_.warning(file_, line.number, QStringLiteral("final-line"),
                     eofMark ? QStringLiteral("ファイルの終わりの EOF 文字（Ctrl+Z）は、ゲームには"
                                              "見えない文字の1行として読まれます。消してください。")
                             : QStringLiteral("ファイルの最後に、改行で終わらない見えない文字だけの"
                                              "行があり、ゲームはこれも1行として読みます。消して"
                                              "ください。"));
        return;
    }
    for (QChar c : line.text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0x7F) {
            out_.warning(file_, line.number, QStringLiteral("control"),
                         QStringLiteral("見えない制御文字（U+%1）が含まれ、文の一部として読まれ"
                                        "ます。")
                             .arg(QString::number(u, 16).toUpper().rightJustified(4, u'0')));
            break;
        }
    }
}

void TextChecks::finish(const TextReader &reader) {
    if (reader.looksLikeUtf8()) {
        out_.add(invalidSeverity_, file_, 0, QStringLiteral("utf8"),
                 QStringLiteral("%1で保存されているようです。ゲームは CP932（Shift_JIS）として読む"
                                "ので、文字化けします。CP932 で保存し直してください。")
                     .arg(reader.startsWithUtf8Bom() ? QStringLiteral("BOM 付きの UTF-8 ")
                                                     : QStringLiteral("UTF-8 ")));
    } else {
        for (int number : std::as_const(invalidLines_)) {
            out_.add(invalidSeverity_, file_, number, QStringLiteral("invalid-bytes"),
                     QStringLiteral("CP932（Shift_JIS）にないバイトがあり、その文字は「�」と表示"
                                    "されます。"));
        }
    }
    if (loneCrCount_ > 0) {
        out_.warning(
            file_, firstLoneCr_, QStringLiteral("lone-cr"),
            QStringLiteral("行の終わりが CR だけです（このファイルで %1 行、最初はここ）。"
                           "ゲームは CR LF と同じに読みますが、ほかの道具では行がつながって"
                           "見えることがあります。CR LF にそろえてください。")
                .arg(loneCrCount_));
    }
}

// --- GameCheck --------------------------------------------------------------------------

GameCheck::GameCheck(const QString &root) : root_(root.endsWith(u'/') ? root : root + u'/') {}

bool GameCheck::loadFolders() {
    if (!QFileInfo(root_).isDir()) {
        out.error(QStringLiteral("."), 0, QStringLiteral("no-folder"),
                  QStringLiteral("ゲームのフォルダーがありません。"));
        return false;
    }
    dat_.load(root_, QStringLiteral("dat"));
    img_.load(root_, QStringLiteral("img"));
    return true;
}

Report GameCheck::run() {
    if (!loadFolders())
        return out.take();
    for (auto [index, name] :
         {std::pair{&dat_, QStringLiteral("dat")}, std::pair{&img_, QStringLiteral("img")}}) {
        if (index->isFolder()) {
            noteName(index->self(), name, name, 0);
            continue;
        }
        const QString what = name == u"dat" ? QStringLiteral("スクリプト、写真の説明、アルバム")
                                            : QStringLiteral("絵と写真");
        out.error(
            name, 0, QStringLiteral("no-folder"),
            index->existsAsSomethingElse()
                ? QStringLiteral("%1 がフォルダーではありません。%2を置く場所です。")
                      .arg(name, what)
                : QStringLiteral("フォルダー %1 がありません。%2を置く場所です。").arg(name, what));
    }
    checkMusic();
    if (dat_.isFolder()) {
        checkAlbum();
        checkCatalogue(QStringLiteral("syasin"), false);
        checkCatalogue(QStringLiteral("tsyasin"), true);
        checkScripts();
        checkChainLoops();
        checkNeverEnding();
        checkFirstChoiceEnding();
        reportUnusedScripts();
    }
    if (img_.isFolder())
        checkPictures();
    return out.take();
}

void GameCheck::checkMusic() {
    const QString file = QStringLiteral("bgm.mid");
    const rt::GameFile found = rt::findGameFile(root_, file);
    // Without its tune the game plays on in silence: nothing stops or breaks.
    if (!found.found) {
        out.warning(
            file, 0, QStringLiteral("music-missing"),
            QStringLiteral("音楽のファイルがありません。ゲームは音楽なしで進み、ずっと流れる"
                           "はずの曲が鳴りません。"));
        return;
    }
    noteName(found, file, file, 0);
    if (!found.plain) {
        out.error(file, 0, QStringLiteral("music-unplayable"),
                  QStringLiteral("音楽のファイルが普通のファイルではありません。曲が鳴りません。"));
        return;
    }
    const QByteArray &path = found.native;
    if (path.contains('"'))
        return; // the command string cannot name it; the game itself could not either
    bool refused = false;
    {
        QuietStderr quiet; // FluidSynth's libraries may speak as they load
        refused = media::mciRefusesSong(path.constData());
    }
    if (refused) {
        out.error(file, 0, QStringLiteral("music-unplayable"),
                  QStringLiteral("曲として再生できません（Standard MIDI File ではないか、壊れて"
                                 "います）。曲が鳴りません。"));
    }
}

QString failureEnd(bool endsEvent) {
    return endsEvent ? QStringLiteral("ここでイベントが終わり、この後は再生されません。")
                     : QStringLiteral("ここでゲームが止まります。");
}

bool GameCheck::noteName(const rt::GameFile &found, const QString &asked, const QString &file,
                         int line) {
    if (found.outside) {
        out.error(file, line, QStringLiteral("name-outside"),
                  QStringLiteral("「%1」はゲームのフォルダーの外を指す名前なので、ゲームは開かず、"
                                 "ここで止まります。")
                      .arg(asked));
        return false;
    }
    if (!found.found || found.exact)
        return found.found;
    const QString onDisk = found.path.mid(root_.size());
    if (found.cp932Name) {
        out.warning(
            file, line, QStringLiteral("name-cp932"),
            QStringLiteral("「%1」の名前は CP932 のバイトのまま保存されています（Windows の"
                           "圧縮ファイルを Linux で展開したときなど）。ゲームは見つけますが、"
                           "ほかの道具では文字化けします。名前を UTF-8 にしてください。")
                .arg(onDisk));
    } else {
        out.warning(
            file, line, QStringLiteral("name-differs"),
            QStringLiteral("「%1」はファイル「%2」として見つかります。Windows とこのゲームは"
                           "大文字と小文字の違いや区切りの「\\」を気にしませんが、Linux で"
                           "作るゲームやほかの道具のために、名前をファイルにそろえてください。")
                .arg(asked, onDisk));
    }
    return true;
}

void GameCheck::referEvent(const QString &name, Via via, const QString &file, int line,
                           bool endsEvent) {
    const QString fileName = name + QStringLiteral(".dat");
    const rt::GameFile &found = dat_.find(fileName);
    const bool opens = noteName(found, datFile(name), file, line);
    if (!eventPresent_.contains(name)) {
        eventPresent_.insert(name, opens);
        if (opens)
            pendingEvents_.append(name);
    }
    if (opens || found.outside)
        return;
    QString message;
    switch (via) {
    case Via::Start:
        message = QStringLiteral("イベント「%1」のスクリプトがありません。%2で、始まるときにゲーム"
                                 "が止まります。")
                      .arg(name, startRole(name));
        break;
    case Via::Branch:
        message = QStringLiteral("分岐スクリプト「%1」が見つかりません（%2）。この選択肢を選ぶと"
                                 "ゲームが止まります。")
                      .arg(name, datFile(name));
        break;
    case Via::Chain:
        message = QStringLiteral("連鎖先のスクリプト「%1」が見つかりません（%2）。%3")
                      .arg(name, datFile(name), failureEnd(endsEvent));
        break;
    }
    const QString near = dat_.nearMiss(fileName);
    out.error(file, line, QStringLiteral("event-missing"),
              near.isEmpty() ? message : message + near);
}

bool GameCheck::opensPicture(const QString &name) const {
    if (!img_.isFolder())
        return false;
    const rt::GameFile &found =
        img_.find((name.isEmpty() ? QStringLiteral("dmy") : name) + QStringLiteral(".dat"));
    return found.found && !found.outside;
}

void GameCheck::referPicture(const QString &name, const QString &file, int line, bool endsEvent) {
    const QString fileName =
        (name.isEmpty() ? QStringLiteral("dmy") : name) + QStringLiteral(".dat");
    if (!img_.isFolder())
        return;
    const rt::GameFile &found = img_.find(fileName);
    if (noteName(found, QStringLiteral("img/") + fileName, file, line)) {
        picturesUsed_.insert(found.native, found);
        return;
    }
    if (found.outside)
        return;
    const QString near = img_.nearMiss(fileName);
    out.error(file, line, QStringLiteral("picture-missing"),
              QStringLiteral("画像「%1」が見つかりません（img/%2）。%3%4")
                  .arg(name, fileName, failureEnd(endsEvent), near));
}

void GameCheck::checkScripts() {
    QStringList starts{QStringLiteral("0")};
    for (int n = 1; n <= 8; ++n)
        starts << QString::number(n);
    starts << QStringLiteral("9_1") << QStringLiteral("9_2") << QStringLiteral("gameover");
    for (const QString &name : starts)
        referEvent(name, Via::Start, datFile(name), 0);
    // Breadth first, one read per script however often it is named.
    while (!pendingEvents_.isEmpty())
        checkScript(pendingEvents_.takeFirst());
}

void GameCheck::checkScript(const QString &name) {
    const QString file = datFile(name);
    EventOutline outline;
    const rt::GameFile &found = dat_.find(name + QStringLiteral(".dat"));
    scriptsRead_.insert(found.native);
    try {
        TextReader reader(found);
        if (reader.atEnd()) {
            out.error(file, 0, QStringLiteral("script-empty"),
                      QStringLiteral("スクリプトが空です。このイベントが始まるとゲームが止まり"
                                     "ます。"));
        } else {
            checkScriptLines(*this, name, reader, outline);
        }
    } catch (const rt::RuntimeError &e) {
        outline.ending = Handover::Broken;
        out.error(file, 0, QStringLiteral("unreadable"),
                  e.message() + QStringLiteral("このイベントが始まるとゲームが止まります。"));
    }
    events_.insert(name, outline);
}

void GameCheck::checkChainLoops() {
    // Each event passes into at most one other, so following the arrows finds every loop.
    QStringList names = events_.keys();
    std::sort(names.begin(), names.end());
    QHash<QString, int> state; // 1: on the current path, 2: done
    for (const QString &start : std::as_const(names)) {
        QStringList path;
        QString at = start;
        while (!state.contains(at) && events_.contains(at)) {
            state.insert(at, 1);
            path << at;
            const EventOutline &o = events_[at];
            if (!o.passesInto)
                break;
            at = *o.passesInto;
        }
        if (state.value(at) == 1 && events_.value(at).passesInto && path.contains(at)) {
            const QStringList loop = path.mid(path.indexOf(at)) << at;
            for (const QString &e : loop)
                failingLoop_.insert(e);
            // The failure climbs back through the loop until a step that ran at once meets it.
            const bool endsEvent = std::any_of(
                loop.begin(), loop.end(), [&](const QString &e) { return events_[e].passAtOnce; });
            out.error(datFile(at), events_[at].passLine, QStringLiteral("chain-loop"),
                      QStringLiteral("「%1」と、何も表示しないまま同じイベントに戻るため、%2")
                          .arg(loop.join(QStringLiteral("」→「")), failureEnd(endsEvent)));
        }
        for (const QString &p : std::as_const(path))
            state.insert(p, 2);
    }
}

void GameCheck::checkNeverEnding() {
    // The events from which some path leads out: back to the base screen, or to a fault
    // that is reported anyway. What is left repeats for ever.
    QSet<QString> exits = failingLoop_;
    const auto leadsOut = [&](const QString &name) {
        return !events_.contains(name) || exits.contains(name);
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = events_.cbegin(); it != events_.cend(); ++it) {
            if (exits.contains(it.key()))
                continue;
            const EventOutline &o = it.value();
            bool ends = false;
            switch (o.ending) {
            case Handover::Closes:
            case Handover::Broken:
                ends = true;
                break;
            case Handover::Question:
                ends = leadsOut(it.key() + QStringLiteral("_1")) ||
                       leadsOut(it.key() + QStringLiteral("_2"));
                break;
            case Handover::Chain:
                ends = leadsOut(o.chainTarget);
                break;
            case Handover::NewGame:
                ends = leadsOut(QStringLiteral("0"));
                break;
            }
            if (ends) {
                exits.insert(it.key());
                grew = true;
            }
        }
    }
    // Reported where the repetition is: an event that only leads into another's is not.
    const auto next = [&](const QString &name) {
        const EventOutline &o = events_[name];
        switch (o.ending) {
        case Handover::Question:
            return QStringList{name + QStringLiteral("_1"), name + QStringLiteral("_2")};
        case Handover::Chain:
            return QStringList{o.chainTarget};
        case Handover::NewGame:
            return QStringList{QStringLiteral("0")};
        default:
            return QStringList{};
        }
    };
    QStringList names = events_.keys();
    std::sort(names.begin(), names.end());
    for (const QString &name : std::as_const(names)) {
        if (exits.contains(name))
            continue;
        QSet<QString> seen;
        QStringList todo = next(name);
        while (!todo.isEmpty() && !seen.contains(name)) {
            const QString at = todo.takeLast();
            if (!exits.contains(at) && !seen.contains(at)) {
                seen.insert(at);
                todo += next(at);
            }
        }
        if (!seen.contains(name))
            continue;
        out.error(datFile(name), events_[name].endLine, QStringLiteral("never-ends"),
                  QStringLiteral("このイベントからは、どの道をたどってもふだんの画面に戻らず、同"
                                 "じ場面が繰り返し続きます。どこかで「>syuuryou」かファイルの終"
                                 "わりでイベントを終えてください。"));
    }
}

int GameCheck::firstChoicesFrom(const QString &name, QHash<QString, int> &memo,
                                QSet<QString> &open) {
    if (auto it = memo.constFind(name); it != memo.cend())
        return *it;
    // A story this deep has choices enough; the bound keeps the stack small.
    if (open.contains(name) || open.size() > 2000)
        return manyPicks;
    if (!events_.contains(name))
        return 0;
    open.insert(name);
    const EventOutline outline = events_.value(name);
    int picks = 0;
    switch (outline.ending) {
    case Handover::Closes:
    case Handover::Broken:
        break;
    case Handover::NewGame:
        picks = -1; // the count starts again with the new game
        break;
    case Handover::Chain:
        picks = firstChoicesFrom(outline.chainTarget, memo, open);
        break;
    case Handover::Question: {
        const int first = firstChoicesFrom(name + QStringLiteral("_1"), memo, open);
        const int second = firstChoicesFrom(name + QStringLiteral("_2"), memo, open);
        picks = std::max(first < 0 ? -1 : std::min(first + 1, manyPicks), second);
        break;
    }
    }
    open.remove(name);
    memo.insert(name, picks);
    return picks;
}

void GameCheck::checkFirstChoiceEnding() {
    if (!events_.contains(QStringLiteral("9_1")))
        return;
    QHash<QString, int> memo;
    QSet<QString> open;
    int most = 0;
    for (int n = 0; n <= 8; ++n)
        most += std::max(0, firstChoicesFrom(QString::number(n), memo, open));
    // The game-over event comes back on every click while the player stays worn out.
    if (firstChoicesFrom(QStringLiteral("gameover"), memo, open) > 0)
        most = manyPicks;
    if (most < 5) {
        out.warning(datFile(QStringLiteral("9_1")), 0, QStringLiteral("ending-unreachable"),
                    QStringLiteral("このエンディングは最初の選択肢を5回以上選んだときに始まりますが"
                                   "、この物語で最初の選択肢を選べるのは多くて %1 回なので、決して"
                                   "始まりません。")
                        .arg(most));
    }
}

void GameCheck::reportUnusedScripts() {
    QStringList names = dat_.names();
    std::sort(names.begin(), names.end());
    for (const QString &fileName : std::as_const(names)) {
        if (!fileName.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
            continue;
        const QString name = fileName.chopped(4);
        const rt::GameFile &found = dat_.find(fileName);
        if (!found.plain || scriptsRead_.contains(found.native))
            continue;
        if (QStringList{"save", "syasin", "tsyasin"}.contains(name, Qt::CaseInsensitive))
            continue;
        out.warning(datFile(name), 0, QStringLiteral("script-unused"),
                    QStringLiteral("どこからも始まらないスクリプトです。始まるのは「0」「1」〜「8」"
                                   "「9_1」「9_2」「gameover」と、読まれる選択肢の分岐（名前_1、"
                                   "名前_2）と「>ive」が名指すイベントだけです。"));
    }
}

void GameCheck::checkPictures() {
    struct Required {
        QString name;
        QString role;
    };
    QList<Required> required{
        {QStringLiteral("ttl"), QStringLiteral("ふだんの画面のタイトルの絵")},
        {QStringLiteral("girl"), QStringLiteral("どのイベントも最初に映す絵")},
        {QStringLiteral("dmy"), QStringLiteral("名前のない「>img」で映す代わりの絵")}};
    for (bool special : {false, true}) {
        for (int n = 0; n < photoCount(special); ++n) {
            required.append({photoCode(n, special), special
                                                        ? QStringLiteral("公園で撮れる特別な写真")
                                                        : QStringLiteral("公園で撮れる写真")});
        }
    }
    for (const Required &r : std::as_const(required)) {
        const QString fileName = r.name + QStringLiteral(".dat");
        const rt::GameFile &found = img_.find(fileName);
        if (noteName(found, imgFile(r.name), imgFile(r.name), 0)) {
            picturesUsed_.insert(found.native, found);
            continue;
        }
        const QString near = img_.nearMiss(fileName);
        out.error(imgFile(r.name), 0, QStringLiteral("picture-missing"),
                  QStringLiteral("画像「%1」がありません。%2で、映すときにゲームが止まります。%3")
                      .arg(r.name, r.role, near));
    }

    // Every picture of img/, and those used from elsewhere, by where they are.
    QMap<QString, rt::GameFile> files;
    for (const QString &fileName : img_.names()) {
        const rt::GameFile &found = img_.find(fileName);
        if (fileName.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive) && found.found)
            files.insert(found.path.mid(root_.size()), found);
    }
    for (const rt::GameFile &used : std::as_const(picturesUsed_))
        files.insert(used.path.mid(root_.size()), used);
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const bool used = picturesUsed_.contains(it->native);
        const QString &file = it.key();
        if (!it->plain) {
            if (used) {
                out.error(file, 0, QStringLiteral("picture-unreadable"),
                          QStringLiteral("普通のファイルではないので、画像として読めません。"));
            }
            continue;
        }
        bool readable = true;
        QString why;
        try {
            (void)loadPicture(*it);
        } catch (const rt::RuntimeError &e) {
            readable = false;
            why = e.message();
        }
        if (used && !readable) {
            out.error(file, 0, QStringLiteral("picture-unreadable"),
                      why +
                          QStringLiteral("形式が分からないか、壊れています（形式は中身で決まり、"
                                         "名前の「.dat」は関係ありません）。映すときにゲームが止ま"
                                         "ります。"));
        } else if (!used) {
            out.warning(file, 0, QStringLiteral("picture-unused"),
                        readable ? QStringLiteral("どこからも使われない画像です。")
                                 : QStringLiteral("どこからも使われない画像で、しかも画像として読め"
                                                  "ません。"));
        }
    }
}

Report checkGame(const QString &folder) {
    return GameCheck(folder).run();
}

QString formatFinding(const Finding &f) {
    const QString where = f.line > 0 ? f.file + u':' + QString::number(f.line) : f.file;
    const QString severity =
        f.severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
    return where + QStringLiteral(": ") + severity + QStringLiteral(": ") + f.message;
}

QString summaryLine(const Report &report) {
    return QStringLiteral("エラー %1 件、警告 %2 件").arg(report.errors).arg(report.warnings);
}

int runCommandLine(const QStringList &arguments, const QString &programDir, QString &out,
                   QString &err) {
    const QString usage = QStringLiteral(
        "使い方: mirutena-check [--fix] [ゲームのフォルダー]\n"
        "ゲームのフォルダー（省略すると、このプログラムのあるフォルダー）を、ゲーム"
        "と同じように読んで調べます。\n"
        "見つけたことを「ファイル:行: error|warning: 内容」の形で1行ずつ書き、最後"
        "に件数を書きます。\n"
        "  --fix  先に dat と img の名前の 〜 ‖ − — ¢ £ ¬ を Windows の形に変え、dat/*.dat を"
        "ゲームが読む形（CP932、改行 CR LF）に書き換えます。\n"
        "終了コード: 0 = エラーなし、1 = エラーあり、2 = 引数かフォルダーの誤り\n");
    QStringList args;
    bool fix = false;
    bool options = true;
    for (const QString &a : arguments) {
        if (options && (a == u"-h" || a == u"--help")) {
            out += usage;
            return 0;
        }
        if (options && a == u"--") {
            options = false;
        } else if (options && a == u"--fix") {
            fix = true;
        } else if (options && a.startsWith(u'-')) {
            err += QStringLiteral("mirutena-check: 知らないオプションです: ") + a + u'\n' + usage;
            return 2;
        } else {
            args << a;
        }
    }
    if (args.size() > 1) {
        err += QStringLiteral("mirutena-check: 調べるフォルダーは一つだけです。\n") + usage;
        return 2;
    }
    const QString folder = args.isEmpty() ? programDir : args.first();
    const QFileInfo info(folder);
    QString problem;
    if (!info.exists())
        problem = QStringLiteral("フォルダーがありません: ");
    else if (!info.isDir())
        problem = QStringLiteral("フォルダーではありません: ");
    else if (!info.isReadable() || !info.isExecutable())
        problem = QStringLiteral("フォルダーを読めません: ");
    if (!problem.isEmpty()) {
        err += QStringLiteral("mirutena-check: ") + problem + folder + u'\n';
        return 2;
    }
    const int fixErrors = fix ? fixTextFiles(folder, out) : 0;
    Report report = checkGame(folder);
    for (const Finding &finding : report.findings)
        out += formatFinding(finding) + u'\n';
    report.errors += fixErrors;
    out += summaryLine(report) + u'\n';
    return report.errors > 0 ? 1 : 0;
}

} // namespace check
