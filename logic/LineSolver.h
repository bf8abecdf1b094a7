// SPDX-License-Identifier: MIT
// What the clues of one line allow for each of its cells.
#pragma once

#include <cstdint>

// A cell as far as it is known: the set of values it may still take.
enum : uint8_t {
    MayFill = 1,
    MayEmpty = 2,
    Unknown = MayFill | MayEmpty,
};

// Narrows every cell of the line to the values that some placement of the runs allows, given
// what the cells may already be. Exact for one line: a value survives only when a whole
// placement of all runs agrees with it. Returns false when no placement fits at all; the cells
// are then left as they were. clues holds clueCount run lengths in order; length is at most 64.
bool solveLine(const int32_t* clues, int32_t clueCount, uint8_t* cells, int32_t length);
