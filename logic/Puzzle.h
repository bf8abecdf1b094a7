// SPDX-License-Identifier: MIT
// The one puzzle of the game: board size, cell states, clues, done flags.
#pragma once

#include <cstdint>

class RandomGenerator;

enum CellState : int32_t {
    HiddenEmpty = 0,
    HiddenFilled = 1,
    MarkedEmpty = 2,
    Uncovered = 3,
};

// Capacities; every array is 1-based, index 0 is unused.
constexpr int MaxCols = 40;
constexpr int MaxRows = 30;
constexpr int MaxRowClueSlots = 21;
constexpr int MaxColClueSlots = 16;
constexpr int MinMode = 1;
constexpr int MaxMode = 9;

struct Puzzle {
    int32_t colCount = 0;
    int32_t rowCount = 0;
    int32_t grid[MaxCols + 1][MaxRows + 1] = {};
    int32_t rowClues[MaxRows + 1][MaxRowClueSlots + 1] = {};
    int32_t rowClueCount[MaxRows + 1] = {};
    int32_t colClues[MaxCols + 1][MaxColClueSlots + 1] = {};
    int32_t colClueCount[MaxCols + 1] = {};
    bool rowDone[MaxRows + 1] = {};
    bool colDone[MaxCols + 1] = {};
    int32_t maxRowClues = 0;
    int32_t maxColClues = 0;
};

// Board size for a size level.
inline int32_t colCountFor(int32_t mode) {
    return 3 * mode + 7;
}
inline int32_t rowCountFor(int32_t mode) {
    return 2 * mode + 5;
}
// A stored size level may be anything; the capacities only hold 1..9.
int32_t clampMode(int32_t mode);

// Fills a new random board of p.colCount x p.rowCount. The order of the draws is fixed,
// so a seed always gives the same board.
void generatePuzzle(Puzzle& p, RandomGenerator& rnd);
// Recomputes clues, done flags and maxima from the filled cells of the grid.
void computeClues(Puzzle& p);
// True when no hidden filled cell is left.
bool isSolved(const Puzzle& p);
