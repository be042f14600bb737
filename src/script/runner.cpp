// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner.h"

#include "lines.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"
#include "stage.h"

#include <QSet>
#include <optional>

using rt::RuntimeError;
using script::LineKind;
using script::PageEdit;

namespace {

const QString endOfScript = QStringLiteral(">syuuryou");
const QString crlf = QStringLiteral("\r\n");

// Events started within the current entry: a chain that comes back to one of them can
// never show anything. The outermost scope forgets them. Entries never nest across
// windows, so one set serves.
struct ChainScope {
    ChainScope() {
        if (depth++ == 0)
            started.clear();
    }
    ~ChainScope() { --depth; }
    static inline int depth = 0;
    static inline QSet<QString> started;
};

QString scriptPath(const Stage &stage, const QString &name) {
    return stage.st.datDir + name + QStringLiteral(".dat");
}

void closeScript(Stage &stage) {
    if (rt::isOpen(stage.st.fileNo))
        rt::closeFile(stage.st.fileNo);
}

// A view into lineBuf: use it before anything reads the next line.
QStringView operandOrFail(Stage &stage) {
    bool ok = false;
    QStringView operand = script::operandView(stage.st.lineBuf, &ok);
    if (!ok) {
        throw RuntimeError(QStringLiteral("命令の後に名前がありません: ") + stage.st.lineBuf,
                           scriptPath(stage, stage.st.eventName));
    }
    return operand;
}

void readAhead(Stage &stage) {
    GameState &s = stage.st;
    if (rt::eof(s.fileNo)) {
        rt::closeFile(s.fileNo);
        s.nextLine = endOfScript;
        s.nextLineNo = 0;
    } else {
        s.nextLine = rt::lineInput(s.fileNo);
        s.nextLineNo = s.lineNo + 1;
    }
}

void pauseRule(Stage &stage) {
    GameState &s = stage.st;
    if (script::waitsForClick(s.pageLines, s.nextLine)) {
        s.autoAdvance = False;
    } else {
        stage.showIndicator(false);
        s.autoAdvance = True;
    }
}

// Executes lineBuf. True when the next step is to run at once.
bool dispatch(Stage &stage) {
    GameState &s = stage.st;
    const LineKind kind = script::kindOf(s.lineBuf);
    switch (kind) {
    case LineKind::PageBreak:
        stage.clearCaption();
        s.pageLines = 0;
        return true;
    case LineKind::EventEnd: // back to the base screen
    case LineKind::GameEnd:  // a new game, which starts the opening
        closeScript(stage);
        if (kind == LineKind::EventEnd)
            stage.GameStt();
        else
            stage.Form_Activate();
        return false;
    case LineKind::Question:
        QstSet(stage);
        return false;
    case LineKind::Picture:
        stage.showPicture(operandOrFail(stage).toString());
        return true;
    case LineKind::Chain: {
        const QString name = operandOrFail(stage).toString();
        closeScript(stage);
        stage.startEvent(name);
        return false;
    }
    case LineKind::Text:
        break;
    }
    const script::TextPlace place =
        script::placeText(s.pageLines, s.lineBuf.isEmpty(), stage.captionEmpty());
    s.pageLines = place.pageLines;
    if (place.edit == PageEdit::NewPage)
        stage.clearCaption();
    else if (place.edit != PageEdit::None)
        stage.appendCaption(crlf);
    if (s.lineBuf.isEmpty())
        return true; // an empty line never waits
    stage.appendCaption(s.lineBuf);
    if (s.eventActive)
        stage.startMessageTimer();
    return false;
}

// The step's one recovery: the script is closed and the step's own line runs once more as
// the last of the event.
void recover(Stage &stage) {
    closeScript(stage);
    stage.st.nextLine = endOfScript;
    stage.st.nextLineNo = 0;
}

struct StepResult {
    bool runsNext = false; // the next step is to run at once
    bool recovered = false;
};

// One step with its one recovery. A second failure leaves the step.
StepResult stepOnce(Stage &stage) {
    GameState &s = stage.st;
    s.lineBuf = s.nextLine;
    s.lineNo = s.nextLineNo;
    StepResult result;
    std::optional<RuntimeError> firstFailure;
    try {
        readAhead(stage);
    } catch (const RuntimeError &error) {
        // Reading past the end of a closed script is how every script ends, no failure.
        if (rt::isOpen(s.fileNo))
            firstFailure = error;
        result.recovered = true;
        recover(stage);
    }
    for (;;) {
        try {
            pauseRule(stage);
            result.runsNext = dispatch(stage);
            if (firstFailure)
                stage.eventFailed(s.lineNo, s.lineBuf, *firstFailure);
            return result;
        } catch (const RuntimeError &error) {
            // The retry runs on a closed script, so it may fail for a reason of its own
            // (a question reading its second caption from the closed file): the first
            // failure is the one that names the script at fault.
            if (result.recovered)
                throw firstFailure ? *firstFailure : error;
            firstFailure = error;
            result.recovered = true;
            recover(stage);
        }
    }
}

} // namespace

void IveStt(Stage &stage, const QString &name) {
    ChainScope scope;
    GameState &s = stage.st;
    if (ChainScope::started.contains(name)) {
        throw RuntimeError(QStringLiteral("イベント「") + name +
                               QStringLiteral("」は、何も表示しないうちに自分自身をもう一度"
                                              "始めるため、先へ進めません。"),
                           scriptPath(stage, name));
    }

    s.eventActive = True;
    stage.showScreen(Stage::Screen::Event);
    stage.showPicture(QStringLiteral("girl"));
    s.pageLines = 0;
    stage.clearCaption();
    s.eventName = name;
    s.fileNo = rt::freeFile();
    rt::openFile(s.fileNo,
                 rt::findGameFile(s.appDir, QStringLiteral("dat/") + name + QStringLiteral(".dat")),
                 rt::FileMode::Input);
    s.nextLine = rt::lineInput(s.fileNo);
    s.nextLineNo = 1;
    // Only an event that really started counts: one that failed to open is retried by
    // the recovery and must fail again for its own cause.
    ChainScope::started.insert(name);
    IveStep(stage);
}

void IveStep(Stage &stage) {
    // Page breaks, pictures and empty lines pass on at once; a loop, not recursion, so a
    // run of any length costs neither stack nor memory.
    ChainScope scope;
    GameState &s = stage.st;
    // The step that ran the current one at once meets its failure with its own recovery.
    // Only that one is kept: its retry cannot fail where its first run did not.
    std::optional<QString> enclosingLine;
    int enclosingNo = 0;
    bool enclosingRecovered = false;
    for (;;) {
        StepResult step;
        try {
            step = stepOnce(stage);
        } catch (const RuntimeError &error) {
            if (!enclosingLine || enclosingRecovered)
                throw;
            const QString failedLine = s.lineBuf;
            const int failedNo = s.lineNo;
            s.lineBuf = *enclosingLine;
            s.lineNo = enclosingNo;
            recover(stage);
            pauseRule(stage);
            step.runsNext = dispatch(stage);
            step.recovered = true;
            stage.eventFailed(failedNo, failedLine, error);
        }
        if (!step.runsNext)
            return;
        enclosingLine = s.lineBuf;
        enclosingNo = s.lineNo;
        enclosingRecovered = step.recovered;
    }
}

void lbl_Click(Stage &stage) {
    if (stage.st.eventActive)
        IveStep(stage);
}

void TimLBl_Timer(Stage &stage) {
    if (stage.st.autoAdvance) {
        IveStep(stage);
    } else {
        stage.stopMessageTimer();
        stage.showIndicator(true);
    }
}

void QstSet(Stage &stage) {
    GameState &s = stage.st;
    stage.stopMessageTimer();
    s.eventActive = False;
    const QString first = s.nextLine;
    if (!rt::isOpen(s.fileNo) || rt::eof(s.fileNo)) {
        throw RuntimeError(QStringLiteral("「>qst」の後に選択肢が二行ありません。"),
                           scriptPath(stage, s.eventName));
    }
    s.nextLine = rt::lineInput(s.fileNo);
    s.nextLineNo = s.lineNo + 2;
    const int r = int(stage.Rnd() * 2);
    stage.showChoices(first, s.nextLine, s.choiceTop.at(r), s.choiceTop.at(1 - r));
    rt::closeFile(s.fileNo);
}

void Qstlbl_Click(Stage &stage, std::int16_t index) {
    if (index < 0 || index > 1)
        throw RuntimeError(QStringLiteral("インデックスが有効範囲にありません。"));
    IveStt(stage, stage.st.eventName + u'_' + QString::number(index + 1));
    // Stops at the top instead of wrapping back to no first choices at all.
    if (index == 0 && stage.st.firstChoiceCount < 255)
        ++stage.st.firstChoiceCount;
}
