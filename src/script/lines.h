// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>

// How a script line is read. A line is searched for the command words anywhere in it,
// case-sensitively, in a fixed order; the first word found decides. A plain search per
// word keeps the runner's benchmark row within its goal, so no scanner of its own.
namespace script {

enum class LineKind { PageBreak, EventEnd, Question, GameEnd, Picture, Chain, Text };

// The command words in the order a line is tested for them. ">hit" does nothing itself
// (its line is text); every word but ">img" makes the text line before it wait.
struct CommandWord {
    QStringView text;
    LineKind kind;
    bool makesWait;
};
extern const std::array<CommandWord, 7> commandWords;

LineKind kindOf(QStringView line);
// A text line waits for a click when the line after it holds one of these words.
bool makesPreviousWait(QStringView next);
// The operand of ">img" and ">ive": the line from its sixth character on. A line too
// short to hold the word and its separator has none (nullopt-like: ok = false).
QString operandOf(const QString &line, bool *ok);
// The same as a view into line, for the runner's hot path.
QStringView operandView(QStringView line, bool *ok);

// The page of the message area: pageLines counts its line places used, 0 to 10.
constexpr std::uint8_t pagePlaces = 10;

// The pause rule, decided before the step changes pageLines: the line shown now waits for
// a click when the next line makes it wait or when it takes the page's last place.
bool waitsForClick(std::uint8_t pageLines, QStringView next);

// What a text line does to the caption of the message area.
enum class PageEdit {
    None,      // an empty line at the first place adds nothing
    LineBreak, // an empty line elsewhere adds CR LF, also to an empty caption
    NewPage,   // the caption is cleared and the line becomes its first
    Append,    // CR LF and the line are added
};
struct TextPlace {
    std::uint8_t pageLines;
    PageEdit edit;
};
// The places run 1 to 10 and then 1 again; an empty line never clears the page.
TextPlace placeText(std::uint8_t pageLines, bool emptyLine, bool emptyCaption);

} // namespace script
