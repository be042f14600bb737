// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>
#include <random>

namespace rt {
namespace {

class Generator : public RandomSource {
  public:
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine); }
    std::mt19937_64 engine{0x6d697275};
};

Generator &generator() {
    static Generator g;
    return g;
}

} // namespace

RandomSource &gameRandom() {
    return generator();
}

void randomize() {
    generator().engine.seed(std::chrono::steady_clock::now().time_since_epoch().count() ^
                            std::chrono::system_clock::now().time_since_epoch().count());
}

} // namespace rt
