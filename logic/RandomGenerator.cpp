// SPDX-License-Identifier: MIT
// The game's random source.
#include "logic/RandomGenerator.h"

#include <chrono>

int32_t RandomGenerator::random(int32_t n) {
    seed = seed * 134775813u + 1u;
    // The upper half of the 64-bit product lies in 0..n-1.
    return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
}

void RandomGenerator::randomize() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    seed = static_cast<uint32_t>(ticks);
}
