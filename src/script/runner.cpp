// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner.h"

#include "lines.h"
#include "media/picture.h"
#include "runtime/paths.h"
#include "runtime/textfile.h"
#include "shell/fom.h"

#include <QSet>
#include <cstdio>
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

QString scriptPath(const Fom &fom, const QString &name) {
    return fom.st.datDir + name + QStringLiteral(".dat");
}

void closeScript(Fom &fom) {
    if (rt::isOpen(fom.st.fileNo))
        rt::closeFile(fom.st.fileNo);
}

void enableTimer(QTimer &timer) {
    if (!timer.isActive())
        timer.start();
}

// A view into lineBuf: use it before anything reads the next line.
QStringView operandOrFail(Fom &fom) {
    bool ok = false;
    QStringView operand = script::operandView(fom.st.lineBuf, &ok);
    if (!ok) {
        throw RuntimeError(QStringLiteral("命令の後に名前がありません: ") + fom.st.lineBuf,
                           scriptPath(fom, fom.st.eventName));
    }
    return operand;
}

void readAhead(Fom &fom) {
    GameState &s = fom.st;
    if (rt::eof(s.fileNo)) {
        rt::closeFile(s.fileNo);
        s.nextLine = endOfScript;
    } else {
        s.nextLine = rt::lineInput(s.fileNo);
    }
}

void pauseRule(Fom &fom) {
    GameState &s = fom.st;
    if (script::waitsForClick(s.pageLines, s.nextLine)) {
        s.autoAdvance = False;
    } else {
        fom.ClickME->hide();
        s.autoAdvance = True;
    }
}

// Executes lineBuf. True when the next step is to run at once.
bool dispatch(Fom &fom) {
    GameState &s = fom.st;
    const LineKind kind = script::kindOf(s.lineBuf);
    switch (kind) {
    case LineKind::PageBreak:
        fom.lbl->clearCaption();
        s.pageLines = 0;
        return true;
    case LineKind::EventEnd: // back to the base screen
    case LineKind::GameEnd:  // a new game, which starts the opening
        closeScript(fom);
        if (kind == LineKind::EventEnd)
            fom.GameStt();
        else
            fom.Form_Activate();
        return false;
    case LineKind::Question:
        QstSet(fom);
        return false;
    case LineKind::Picture:
        PicSet(fom, operandOrFail(fom).toString());
        return true;
    case LineKind::Chain: {
        const QString name = operandOrFail(fom).toString();
        closeScript(fom);
        IveStt(fom, name);
        return false;
    }
    case LineKind::Text:
        break;
    }
    const script::TextPlace place =
        script::placeText(s.pageLines, s.lineBuf.isEmpty(), fom.lbl->caption().isEmpty());
    s.pageLines = place.pageLines;
    if (place.edit == PageEdit::NewPage)
        fom.lbl->clearCaption();
    else if (place.edit != PageEdit::None)
        fom.lbl->append(crlf);
    if (s.lineBuf.isEmpty())
        return true; // an empty line never waits
    fom.lbl->append(s.lineBuf);
    if (s.eventActive)
        enableTimer(fom.TimLBl);
    return false;
}

// A failure that ends the event instead of the game: a writer running the game from a
// terminal learns of it there.
void tellAbsorbed(const QString &line, const RuntimeError &error) {
    QString text = QStringLiteral("「%1」の行が失敗したため、イベントはここで終わります: %2")
                       .arg(line, error.message());
    if (!error.file().isEmpty())
        text += QStringLiteral(" (") + error.file() + u')';
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// The step's one recovery: the script is closed and the step's own line runs once more as
// the last of the event.
void recover(Fom &fom) {
    closeScript(fom);
    fom.st.nextLine = endOfScript;
}

struct StepResult {
    bool runsNext = false; // the next step is to run at once
    bool recovered = false;
};

// One step with its one recovery. A second failure leaves the step.
StepResult stepOnce(Fom &fom) {
    GameState &s = fom.st;
    s.lineBuf = s.nextLine;
    StepResult result;
    std::optional<RuntimeError> firstFailure;
    try {
        readAhead(fom);
    } catch (const RuntimeError &error) {
        // Reading past the end of a closed script is how every script ends, no failure.
        if (rt::isOpen(s.fileNo))
            firstFailure = error;
        result.recovered = true;
        recover(fom);
    }
    for (;;) {
        try {
            pauseRule(fom);
            result.runsNext = dispatch(fom);
            if (firstFailure)
                tellAbsorbed(s.lineBuf, *firstFailure);
            return result;
        } catch (const RuntimeError &error) {
            // The retry runs on a closed script, so it may fail for a reason of its own
            // (a question reading its second caption from the closed file): the first
            // failure is the one that names the script at fault.
            if (result.recovered)
                throw firstFailure ? *firstFailure : error;
            firstFailure = error;
            result.recovered = true;
            recover(fom);
        }
    }
}

} // namespace

void IveStt(Fom &fom, const QString &name) {
    ChainScope scope;
    GameState &s = fom.st;
    if (ChainScope::started.contains(name)) {
        throw RuntimeError(QStringLiteral("イベント「") + name +
                               QStringLiteral("」は、何も表示しないうちに自分自身をもう一度"
                                              "始めるため、先へ進めません。"),
                           scriptPath(fom, name));
    }

    s.eventActive = True;
    fom.showScreen(Fom::Screen::Event);
    PicSet(fom, QStringLiteral("girl"));
    s.pageLines = 0;
    fom.lbl->clearCaption();
    s.eventName = name;
    s.fileNo = rt::freeFile();
    rt::openFile(s.fileNo,
                 rt::findGameFile(s.appDir, QStringLiteral("dat/") + name + QStringLiteral(".dat")),
                 rt::FileMode::Input);
    s.nextLine = rt::lineInput(s.fileNo);
    // Only an event that really started counts: one that failed to open is retried by
    // the recovery and must fail again for its own cause.
    ChainScope::started.insert(name);
    IveStep(fom);
}

void IveStep(Fom &fom) {
    // Page breaks, pictures and empty lines pass on at once; a loop, not recursion, so a
    // run of any length costs neither stack nor memory.
    ChainScope scope;
    GameState &s = fom.st;
    // The step that ran the current one at once meets its failure with its own recovery.
    // Only that one is kept: its retry cannot fail where its first run did not.
    std::optional<QString> enclosingLine;
    bool enclosingRecovered = false;
    for (;;) {
        StepResult step;
        try {
            step = stepOnce(fom);
        } catch (const RuntimeError &error) {
            if (!enclosingLine || enclosingRecovered)
                throw;
            const QString failedLine = s.lineBuf;
            s.lineBuf = *enclosingLine;
            recover(fom);
            pauseRule(fom);
            step.runsNext = dispatch(fom);
            step.recovered = true;
            tellAbsorbed(failedLine, error);
        }
        if (!step.runsNext)
            return;
        enclosingLine = s.lineBuf;
        enclosingRecovered = step.recovered;
    }
}

void lbl_Click(Fom &fom) {
    if (fom.st.eventActive)
        IveStep(fom);
}

void TimLBl_Timer(Fom &fom) {
    if (fom.st.autoAdvance) {
        IveStep(fom);
    } else {
        fom.TimLBl.stop();
        fom.ClickME->show();
    }
}

void QstSet(Fom &fom) {
    GameState &s = fom.st;
    fom.TimLBl.stop();
    s.eventActive = False;
    fom.Qstlbl[0]->setText(buttonText(s.nextLine));
    if (!rt::isOpen(s.fileNo) || rt::eof(s.fileNo)) {
        throw RuntimeError(QStringLiteral("「>qst」の後に選択肢が二行ありません。"),
                           scriptPath(fom, s.eventName));
    }
    s.nextLine = rt::lineInput(s.fileNo);
    fom.Qstlbl[1]->setText(buttonText(s.nextLine));
    fom.Qstlbl[0]->show();
    fom.Qstlbl[1]->show();
    int r = int(fom.Rnd() * 2);
    fom.placeChoice(0, s.choiceTop.at(r));
    fom.placeChoice(1, s.choiceTop.at(1 - r));
    // The keyboard starts on the upper choice.
    fom.Qstlbl[r == 0 ? 0 : 1]->setFocus(Qt::OtherFocusReason);
    rt::closeFile(s.fileNo);
}

void Qstlbl_Click(Fom &fom, std::int16_t index) {
    if (index < 0 || index > 1)
        throw RuntimeError(QStringLiteral("インデックスが有効範囲にありません。"));
    IveStt(fom, fom.st.eventName + u'_' + QString::number(index + 1));
    // Stops at the top instead of wrapping back to no first choices at all.
    if (index == 0 && fom.st.firstChoiceCount < 255)
        ++fom.st.firstChoiceCount;
}
