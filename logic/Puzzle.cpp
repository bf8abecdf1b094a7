// SPDX-License-Identifier: MIT
// Board generation and the solved test.
#include "logic/Puzzle.h"

#include "logic/RandomGenerator.h"

#include <algorithm>

int32_t clampMode(int32_t mode) {
    return std::clamp<int32_t>(mode, MinMode, MaxMode);
}

namespace {

// Counts the runs of one line; cellAt(i) gives the state of its i-th cell.
template <typename CellAt> int32_t countRuns(int32_t length, CellAt cellAt, int32_t* clues) {
    int32_t count = 0;
    bool inRun = false;
    for (int32_t i = 1; i <= length; ++i) {
        if (cellAt(i) > CellState::HiddenEmpty) {
            if (!inRun) {
                clues[++count] = 1;
                inRun = true;
            } else {
                ++clues[count];
            }
        } else {
            inRun = false;
        }
    }
    return count;
}

} // namespace

void computeClues(Puzzle& p) {
    for (int32_t row = 1; row <= p.rowCount; ++row)
        p.rowClueCount[row] = countRuns(
            p.colCount, [&](int32_t col) { return p.grid[col][row]; }, p.rowClues[row]);
    for (int32_t col = 1; col <= p.colCount; ++col)
        p.colClueCount[col] = countRuns(
            p.rowCount, [&](int32_t row) { return p.grid[col][row]; }, p.colClues[col]);
    for (int32_t col = 1; col <= p.colCount; ++col)
        p.colDone[col] = false;
    for (int32_t row = 1; row <= p.rowCount; ++row)
        p.rowDone[row] = false;
    p.maxColClues = 0;
    for (int32_t col = 1; col <= p.colCount; ++col)
        p.maxColClues = std::max(p.maxColClues, p.colClueCount[col]);
    p.maxRowClues = 0;
    for (int32_t row = 1; row <= p.rowCount; ++row)
        p.maxRowClues = std::max(p.maxRowClues, p.rowClueCount[row]);
}

void generatePuzzle(Puzzle& p, RandomGenerator& rnd) {
    const int32_t density = rnd.random(6) + 8;
    for (int32_t col = 1; col <= p.colCount; ++col)
        for (int32_t row = 1; row <= p.rowCount; ++row)
            p.grid[col][row] = CellState::HiddenEmpty;
    // Every line gets at least one filled cell, so no clue list is ever empty.
    for (int32_t col = 1; col <= p.colCount; ++col)
        p.grid[col][rnd.random(p.rowCount) + 1] = CellState::HiddenFilled;
    for (int32_t row = 1; row <= p.rowCount; ++row)
        p.grid[rnd.random(p.colCount) + 1][row] = CellState::HiddenFilled;
    // n + 1 draws; a draw on a filled cell is simply lost.
    const int32_t n = (p.colCount * p.rowCount) / 10 * density;
    for (int32_t i = 0; i <= n; ++i) {
        const int32_t row = rnd.random(p.rowCount) + 1;
        const int32_t col = rnd.random(p.colCount) + 1;
        p.grid[col][row] = CellState::HiddenFilled;
    }
    computeClues(p);
}

bool isSolved(const Puzzle& p) {
    for (int32_t col = 1; col <= p.colCount; ++col)
        for (int32_t row = 1; row <= p.rowCount; ++row)
            if (p.grid[col][row] == CellState::HiddenFilled) return false;
    return true;
}
