// SPDX-License-Identifier: MIT
// The game's random source: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

class RandomGenerator {
  public:
    explicit RandomGenerator(uint32_t seed = 0) : seed(seed) {}

    // Uniform integer in 0..n-1 (n >= 1).
    int32_t random(int32_t n);
    // Seeds from the low 32 bits of a high-resolution clock.
    void randomize();

    uint32_t seed;
};
