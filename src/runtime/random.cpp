// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>
#include <random>

namespace rt {
namespace {

std::mt19937_64 &engine() {
    static std::mt19937_64 e(0x6d697275);
    return e;
}

std::function<double()> & override() {
    static std::function<double()> f;
    return f;
}

} // namespace

double rnd() {
    if (override())
        return override()();
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine());
}

void randomize() {
    engine().seed(std::chrono::steady_clock::now().time_since_epoch().count() ^
                  std::chrono::system_clock::now().time_since_epoch().count());
}

void setRandomSource(std::function<double()> source) {
    override() = std::move(source);
}

} // namespace rt
