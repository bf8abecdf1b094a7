// Board generation and the solved test.
#include "Puzzle.h"

#include "RandomGenerator.h"

#include <algorithm>

int32_t ClampMode(int32_t mode) {
    return std::clamp<int32_t>(mode, MinMode, MaxMode);
}

namespace {

// Counts the runs of one line; cellAt(i) gives the state of its i-th cell.
template <typename CellAt> int32_t CountRuns(int32_t length, CellAt cellAt, int32_t* clues) {
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

void ComputeClues(Puzzle& p) {
    for (int32_t row = 1; row <= p.RowCount; ++row)
        p.RowClueCount[row] = CountRuns(
            p.ColCount, [&](int32_t col) { return p.Grid[col][row]; }, p.RowClues[row]);
    for (int32_t col = 1; col <= p.ColCount; ++col)
        p.ColClueCount[col] = CountRuns(
            p.RowCount, [&](int32_t row) { return p.Grid[col][row]; }, p.ColClues[col]);
    for (int32_t col = 1; col <= p.ColCount; ++col)
        p.ColDone[col] = false;
    for (int32_t row = 1; row <= p.RowCount; ++row)
        p.RowDone[row] = false;
    p.MaxColClues = 0;
    for (int32_t col = 1; col <= p.ColCount; ++col)
        p.MaxColClues = std::max(p.MaxColClues, p.ColClueCount[col]);
    p.MaxRowClues = 0;
    for (int32_t row = 1; row <= p.RowCount; ++row)
        p.MaxRowClues = std::max(p.MaxRowClues, p.RowClueCount[row]);
}

void GeneratePuzzle(Puzzle& p, RandomGenerator& rnd) {
    const int32_t density = rnd.Random(6) + 8;
    for (int32_t col = 1; col <= p.ColCount; ++col)
        for (int32_t row = 1; row <= p.RowCount; ++row)
            p.Grid[col][row] = CellState::HiddenEmpty;
    // Every line gets at least one filled cell, so no clue list is ever empty.
    for (int32_t col = 1; col <= p.ColCount; ++col)
        p.Grid[col][rnd.Random(p.RowCount) + 1] = CellState::HiddenFilled;
    for (int32_t row = 1; row <= p.RowCount; ++row)
        p.Grid[rnd.Random(p.ColCount) + 1][row] = CellState::HiddenFilled;
    // n + 1 draws; a draw on a filled cell is simply lost.
    const int32_t n = (p.ColCount * p.RowCount) / 10 * density;
    for (int32_t i = 0; i <= n; ++i) {
        const int32_t row = rnd.Random(p.RowCount) + 1;
        const int32_t col = rnd.Random(p.ColCount) + 1;
        p.Grid[col][row] = CellState::HiddenFilled;
    }
    ComputeClues(p);
}

bool IsSolved(const Puzzle& p) {
    for (int32_t col = 1; col <= p.ColCount; ++col)
        for (int32_t row = 1; row <= p.RowCount; ++row)
            if (p.Grid[col][row] == CellState::HiddenFilled) return false;
    return true;
}
