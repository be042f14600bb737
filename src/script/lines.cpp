#include "lines.h"

namespace script {

LineKind kindOf(QStringView line) {
    if (line.contains(u">p"))
        return LineKind::PageBreak;
    if (line.contains(u">syuuryou"))
        return LineKind::EventEnd;
    if (line.contains(u">qst"))
        return LineKind::Question;
    if (line.contains(u">end"))
        return LineKind::GameEnd;
    if (line.contains(u">img"))
        return LineKind::Picture;
    if (line.contains(u">ive"))
        return LineKind::Chain;
    return LineKind::Text;
}

bool makesPreviousWait(QStringView next) {
    for (QStringView word : {u">p", u">qst", u">end", u">hit", u">syuuryou", u">ive"}) {
        if (next.contains(word))
            return true;
    }
    return false;
}

QString operandOf(const QString &line, bool *ok) {
    *ok = line.size() >= 5;
    return *ok ? line.mid(5) : QString();
}

} // namespace script
