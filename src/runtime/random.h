// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace rt {

// The game's one random generator: uniform in [0, 1).
double rnd();
// Seeds it from the clock; done once at start-up.
void randomize();
// Tests put a fixed sequence in its place; an empty function restores the generator.
void setRandomSource(std::function<double()> source);

} // namespace rt
