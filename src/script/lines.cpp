// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines.h"

namespace script {

const std::array<CommandWord, 7> commandWords{{
    {u">p", LineKind::PageBreak, true},
    {u">syuuryou", LineKind::EventEnd, true},
    {u">qst", LineKind::Question, true},
    {u">end", LineKind::GameEnd, true},
    {u">img", LineKind::Picture, false},
    {u">ive", LineKind::Chain, true},
    {u">hit", LineKind::Text, true},
}};

LineKind kindOf(QStringView line) {
    for (const CommandWord &word : commandWords) {
        if (word.kind != LineKind::Text && line.contains(word.text))
            return word.kind;
    }
    return LineKind::Text;
}

bool makesPreviousWait(QStringView next) {
    for (const CommandWord &word : commandWords) {
        if (word.makesWait && next.contains(word.text))
            return true;
    }
    return false;
}

QStringView operandView(QStringView line, bool *ok) {
    *ok = line.size() >= 5;
    return *ok ? line.sliced(5) : QStringView();
}

QString operandOf(const QString &line, bool *ok) {
    return operandView(line, ok).toString();
}

bool waitsForClick(std::uint8_t pageLines, QStringView next) {
    return makesPreviousWait(next) || pageLines == pagePlaces - 1;
}

TextPlace placeText(std::uint8_t pageLines, bool emptyLine, bool emptyCaption) {
    const auto place = std::uint8_t(pageLines % pagePlaces + 1);
    if (emptyLine)
        return {place, place != 1 ? PageEdit::LineBreak : PageEdit::None};
    return {place, !emptyCaption && place != 1 ? PageEdit::Append : PageEdit::NewPage};
}

} // namespace script
