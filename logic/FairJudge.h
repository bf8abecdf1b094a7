// SPDX-License-Identifier: MIT
// Fair judging: a claim about a hidden cell is wrong only when no picture allows it.
#pragma once

#include "logic/Puzzle.h"

#include <cstdint>

enum class Judgement {
    Agrees,       // the hidden picture has the claimed value
    Reconsidered, // another picture allows the claim and is now the hidden one
    Denied,       // no picture fitting the clues and the board so far allows the claim
    Undecided,    // the search ran out of budget: the claim can be judged neither way
};

// Guesses and dead ends one claim may cost before the search gives up. The generator's boards
// need a handful at most; the bound keeps a board that needed more from stalling the window. It
// counts steps, not time, so that a slow or busy machine judges exactly as a fast one.
constexpr int64_t FairNodeBudget = 256;

// Judges the claim that the hidden cell (col, row), 1-based, is filled (or empty). When the
// hidden picture disagrees but some picture fits every clue, every uncovered cell (filled),
// every marked cell (empty) and the claim, that picture becomes the hidden one: the hidden cells
// of the grid are rewritten, nothing else changes. Lines that were complete stay complete and
// no line becomes complete by the rewrite, since every picture has the same number of filled
// cells in each line.
// nodesUsed, when given, receives the guesses and dead ends the search took.
Judgement judgeClaim(Puzzle& puzzle, int32_t col, int32_t row, bool claimFilled,
                     int64_t nodeBudget = FairNodeBudget, int64_t* nodesUsed = nullptr);
