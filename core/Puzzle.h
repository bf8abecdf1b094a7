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
    int32_t ColCount = 0;
    int32_t RowCount = 0;
    int32_t Grid[MaxCols + 1][MaxRows + 1] = {};
    int32_t RowClues[MaxRows + 1][MaxRowClueSlots + 1] = {};
    int32_t RowClueCount[MaxRows + 1] = {};
    int32_t ColClues[MaxCols + 1][MaxColClueSlots + 1] = {};
    int32_t ColClueCount[MaxCols + 1] = {};
    bool RowDone[MaxRows + 1] = {};
    bool ColDone[MaxCols + 1] = {};
    int32_t MaxRowClues = 0;
    int32_t MaxColClues = 0;
};

// Board size for a size level.
inline int32_t ColCountFor(int32_t mode) {
    return 3 * mode + 7;
}
inline int32_t RowCountFor(int32_t mode) {
    return 2 * mode + 5;
}
// A stored size level may be anything; the capacities only hold 1..9.
int32_t ClampMode(int32_t mode);

// Fills a new random board of p.ColCount x p.RowCount. The order of the draws is fixed,
// so a seed always gives the same board.
void GeneratePuzzle(Puzzle& p, RandomGenerator& rnd);
// Recomputes clues, done flags and maxima from the filled cells of the grid.
void ComputeClues(Puzzle& p);
// True when no hidden filled cell is left.
bool IsSolved(const Puzzle& p);
