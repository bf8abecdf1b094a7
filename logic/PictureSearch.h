// SPDX-License-Identifier: MIT
// Pictures that fit a board's clues: line solving over the whole board, and a bounded search.
#pragma once

#include "logic/LineSolver.h"
#include "logic/Puzzle.h"

#include <cstdint>

// What is known of every cell of a board, as the values it may still take. 0-based.
struct Knowledge {
    int32_t cols = 0;
    int32_t rows = 0;
    uint8_t cells[MaxRows][MaxCols] = {};

    uint8_t at(int32_t col, int32_t row) const { return cells[row][col]; }
    void set(int32_t col, int32_t row, uint8_t value) { cells[row][col] = value; }
};

// Nothing known yet: every cell of the puzzle's size may be either.
Knowledge unknownBoard(const Puzzle& puzzle);
// The puzzle's hidden picture, uncovered cells counted as filled.
Knowledge pictureOf(const Puzzle& puzzle);

class PictureSearch {
  public:
    enum class Outcome { Found, None, GaveUp };

    // Searches against the clues of puzzle; the puzzle must outlive the search.
    explicit PictureSearch(const Puzzle& puzzle) : m_puzzle(puzzle) {}

    // Narrows every line to what its clues allow, until nothing changes. False when some line
    // has no placement left, that is when no picture fits.
    bool propagate(Knowledge& known) const;

    // Looks for one picture that fits the clues and every known cell. At each guess the value
    // of preferred (a picture; may be null) is tried first, which leads to pictures close to
    // it. Gives up after nodeBudget guesses and dead ends: a count of steps, never a clock, so
    // that the answer is the same on every machine however busy.
    Outcome find(const Knowledge& known, const Knowledge* preferred, int64_t nodeBudget,
                 Knowledge& picture);

    // Guesses and dead ends of the last find.
    int64_t nodes() const { return m_nodes; }

  private:
    bool propagate(Knowledge& known, uint64_t dirtyRows, uint64_t dirtyCols) const;

    const Puzzle& m_puzzle;
    int64_t m_nodes = 0;
};

// The cells in which pictures fitting the clues differ from the puzzle's picture, found by
// asking for each cell whether a picture with the other value exists. Searches that run out of
// budget count as "no other picture" and make complete false.
struct FreeCells {
    int32_t count = 0;
    bool complete = true;
};
FreeCells findFreeCells(const Puzzle& puzzle, int64_t nodeBudgetPerCell);
