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

namespace {

bool follows(const char16_t *at, const char16_t *end, QStringView word) {
    return end - at >= word.size() && QStringView(at, word.size()) == word;
}

// Bit i: commandWords[i] is in the line. Every word starts with '>', so most lines, which
// hold none, cost one pass; the runner reads each line twice (as the next, then as the
// current one).
unsigned wordsIn(QStringView line) {
    const char16_t *p = line.utf16();
    const char16_t *const end = p + line.size();
    unsigned found = 0;
    for (; p != end; ++p) {
        if (*p != u'>')
            continue;
        for (std::size_t i = 0; i < commandWords.size(); ++i)
            found |= follows(p, end, commandWords[i].text) ? 1u << i : 0u;
    }
    return found;
}

} // namespace

LineKind kindOf(QStringView line) {
    const unsigned words = wordsIn(line);
    for (std::size_t i = 0; i < commandWords.size(); ++i) {
        if (words & (1u << i))
            return commandWords[i].kind;
    }
    return LineKind::Text;
}

bool makesPreviousWait(QStringView next) {
    const unsigned words = wordsIn(next);
    for (std::size_t i = 0; i < commandWords.size(); ++i) {
        if (commandWords[i].makesWait && (words & (1u << i)))
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
