#include "lines.h"

#include <string_view>

namespace script {
namespace {

// Every command word starts with '>', so one pass over the line finds them all: the
// runner reads each line twice (as the next line, then as the current one), and most
// lines hold no '>' at all.
constexpr unsigned P = 1u << 0;
constexpr unsigned Syuuryou = 1u << 1;
constexpr unsigned Qst = 1u << 2;
constexpr unsigned End = 1u << 3;
constexpr unsigned Img = 1u << 4;
constexpr unsigned Ive = 1u << 5;
constexpr unsigned Hit = 1u << 6;

bool follows(const char16_t *at, const char16_t *end, std::u16string_view rest) {
    return std::size_t(end - at) >= rest.size() && std::u16string_view(at, rest.size()) == rest;
}

unsigned wordsIn(QStringView line) {
    const char16_t *p = line.utf16();
    const char16_t *const end = p + line.size();
    unsigned found = 0;
    for (; p != end; ++p) {
        if (*p != u'>')
            continue;
        const char16_t *at = p + 1;
        if (at == end)
            break;
        switch (*at) {
        case u'p':
            found |= P;
            break;
        case u's':
            found |= follows(at, end, u"syuuryou") ? Syuuryou : 0u;
            break;
        case u'q':
            found |= follows(at, end, u"qst") ? Qst : 0u;
            break;
        case u'e':
            found |= follows(at, end, u"end") ? End : 0u;
            break;
        case u'i':
            found |= follows(at, end, u"img") ? Img : follows(at, end, u"ive") ? Ive : 0u;
            break;
        case u'h':
            found |= follows(at, end, u"hit") ? Hit : 0u;
            break;
        default:
            break;
        }
    }
    return found;
}

} // namespace

LineKind kindOf(QStringView line) {
    const unsigned words = wordsIn(line);
    if (words & P)
        return LineKind::PageBreak;
    if (words & Syuuryou)
        return LineKind::EventEnd;
    if (words & Qst)
        return LineKind::Question;
    if (words & End)
        return LineKind::GameEnd;
    if (words & Img)
        return LineKind::Picture;
    if (words & Ive)
        return LineKind::Chain;
    return LineKind::Text;
}

bool makesPreviousWait(QStringView next) {
    return wordsIn(next) & (P | Qst | End | Hit | Syuuryou | Ive);
}

QStringView operandView(QStringView line, bool *ok) {
    *ok = line.size() >= 5;
    return *ok ? line.sliced(5) : QStringView();
}

QString operandOf(const QString &line, bool *ok) {
    return operandView(line, ok).toString();
}

} // namespace script
