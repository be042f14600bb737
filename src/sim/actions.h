#pragma once

#include <QString>
#include <cstdint>

class Fom;

// One turn: game over first, then a due milestone event, else the action of the button
// (0 park, 1 school, 2 company, 3 home).
void com_Click(Fom &fom, std::int16_t index);

// A photo code: two digits, or "t" and two digits for a special photo.
QString photoCode(int number, bool special);
