#pragma once

#include <QString>
#include <QStringView>

// How a script line is read. A line is searched for the command words anywhere in it,
// case-sensitively, in a fixed order; the first word found decides.
namespace script {

enum class LineKind { PageBreak, EventEnd, Question, GameEnd, Picture, Chain, Text };

LineKind kindOf(QStringView line);
// A text line waits for a click when the line after it holds one of these words.
bool makesPreviousWait(QStringView next);
// The operand of ">img" and ">ive": the line from its sixth character on. A line too
// short to hold the word and its separator has none (nullopt-like: ok = false).
QString operandOf(const QString &line, bool *ok);
// The same as a view into line, for the runner's hot path.
QStringView operandView(QStringView line, bool *ok);

} // namespace script
