// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class Fom;

// Adds delta to a stat and keeps it within 0 and its maximum, then redraws all three
// status displays (swatch, money label, window caption).
void StatChg(Fom &fom, std::int16_t index, std::int16_t delta);

// The clamp, in the order of its tests: at or above the maximum, above 0, else 0.
std::int32_t clampStat(std::int32_t sum, std::int32_t max);
