// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

class Fom;

// One turn: game over first, then a due milestone event, else the action of the button
// (0 park, 1 school, 2 company, 3 home).
void com_Click(Fom &fom, std::int16_t index);

// A photo code: two digits, or "t" and two digits for a special photo.
QString photoCode(int number, bool special);
// How many photos the park holds: "00" to "30", and "t00" to "t15".
constexpr int photoCount(bool special) {
    return special ? 16 : 31;
}
