// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rt {

// Where the game's random numbers come from: uniform in [0, 1). Tests put a fixed
// sequence in its place.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// The game's own generator.
RandomSource &gameRandom();
// Seeds it from the clock; done once at start-up.
void randomize();

} // namespace rt
