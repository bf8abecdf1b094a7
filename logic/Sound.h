// SPDX-License-Identifier: MIT
// The game's sound effects, by what they mean. The number of each is its place in the list of
// wave sounds (sound n is item n - 1); 0 stops the sound that plays.
#pragma once

#include <cstdint>

enum class Sound : int32_t {
    Silence = 0,
    Solved = 1,   // the picture is complete
    Move = 2,     // a cell uncovered or marked
    Wrong = 3,    // a wrong move, charged
    LineDone = 4, // a row or column complete
};
