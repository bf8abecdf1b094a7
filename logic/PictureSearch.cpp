// SPDX-License-Identifier: MIT
// Whole-board line solving with a work list of changed lines, and a depth-first search that
// guesses one cell at a time and backtracks on contradictions.
#include "logic/PictureSearch.h"

#include <bit>
#include <vector>

Knowledge unknownBoard(const Puzzle& puzzle) {
    Knowledge k;
    k.cols = puzzle.colCount;
    k.rows = puzzle.rowCount;
    for (int32_t r = 0; r < k.rows; ++r)
        for (int32_t c = 0; c < k.cols; ++c)
            k.set(c, r, Unknown);
    return k;
}

Knowledge pictureOf(const Puzzle& puzzle) {
    Knowledge k;
    k.cols = puzzle.colCount;
    k.rows = puzzle.rowCount;
    for (int32_t r = 0; r < k.rows; ++r)
        for (int32_t c = 0; c < k.cols; ++c) {
            const int32_t state = puzzle.grid[c + 1][r + 1];
            k.set(c, r,
                  state == CellState::HiddenFilled || state == CellState::Uncovered ? MayFill
                                                                                    : MayEmpty);
        }
    return k;
}

bool PictureSearch::propagate(Knowledge& known) const {
    const uint64_t rows = known.rows >= 64 ? ~uint64_t{0} : (uint64_t{1} << known.rows) - 1;
    const uint64_t cols = known.cols >= 64 ? ~uint64_t{0} : (uint64_t{1} << known.cols) - 1;
    return propagate(known, rows, cols);
}

bool PictureSearch::propagate(Knowledge& known, uint64_t dirtyRows, uint64_t dirtyCols) const {
    uint8_t line[MaxCols > MaxRows ? MaxCols : MaxRows];
    while (dirtyRows != 0 || dirtyCols != 0) {
        while (dirtyRows != 0) {
            const int32_t r = std::countr_zero(dirtyRows);
            dirtyRows &= dirtyRows - 1;
            for (int32_t c = 0; c < known.cols; ++c)
                line[c] = known.at(c, r);
            if (!solveLine(&m_puzzle.rowClues[r + 1][1], m_puzzle.rowClueCount[r + 1], line,
                           known.cols))
                return false;
            for (int32_t c = 0; c < known.cols; ++c)
                if (line[c] != known.at(c, r)) {
                    if (line[c] == 0) return false;
                    known.set(c, r, line[c]);
                    dirtyCols |= uint64_t{1} << c;
                }
        }
        while (dirtyCols != 0) {
            const int32_t c = std::countr_zero(dirtyCols);
            dirtyCols &= dirtyCols - 1;
            for (int32_t r = 0; r < known.rows; ++r)
                line[r] = known.at(c, r);
            if (!solveLine(&m_puzzle.colClues[c + 1][1], m_puzzle.colClueCount[c + 1], line,
                           known.rows))
                return false;
            for (int32_t r = 0; r < known.rows; ++r)
                if (line[r] != known.at(c, r)) {
                    if (line[r] == 0) return false;
                    known.set(c, r, line[r]);
                    dirtyRows |= uint64_t{1} << r;
                }
        }
    }
    return true;
}

namespace {

// The open cell of the row with the fewest open cells: its guess settles the most.
bool pickGuess(const Knowledge& k, int32_t& col, int32_t& row) {
    int32_t best = k.cols + 1;
    for (int32_t r = 0; r < k.rows; ++r) {
        int32_t open = 0, first = -1;
        for (int32_t c = 0; c < k.cols; ++c)
            if (k.at(c, r) == Unknown) {
                if (open++ == 0) first = c;
            }
        if (open > 0 && open < best) {
            best = open;
            col = first;
            row = r;
        }
    }
    return best <= k.cols;
}

struct Guess {
    Knowledge before;
    int32_t col;
    int32_t row;
    uint8_t other;
};

} // namespace

PictureSearch::Outcome PictureSearch::find(const Knowledge& known, const Knowledge* preferred,
                                           int64_t nodeBudget, Knowledge& picture) {
    m_nodes = 0;
    std::vector<Guess> open;
    Knowledge cur = known;
    for (int32_t r = 0; r < cur.rows; ++r)
        for (int32_t c = 0; c < cur.cols; ++c)
            if (cur.at(c, r) == 0) return Outcome::None;
    bool fits = propagate(cur);
    for (;;) {
        if (fits) {
            int32_t col = 0, row = 0;
            if (!pickGuess(cur, col, row)) {
                picture = cur;
                return Outcome::Found;
            }
            const uint8_t first = preferred ? preferred->at(col, row) : uint8_t{MayFill};
            open.push_back({cur, col, row, static_cast<uint8_t>(Unknown & ~first)});
            cur.set(col, row, first);
            fits = propagate(cur, uint64_t{1} << row, uint64_t{1} << col);
        } else {
            if (open.empty()) return Outcome::None;
            Guess& g = open.back();
            cur = g.before;
            cur.set(g.col, g.row, g.other);
            fits = propagate(cur, uint64_t{1} << g.row, uint64_t{1} << g.col);
            open.pop_back();
        }
        if (++m_nodes > nodeBudget) return Outcome::GaveUp;
    }
}

FreeCells findFreeCells(const Puzzle& puzzle, int64_t nodeBudgetPerCell) {
    PictureSearch search(puzzle);
    const Knowledge own = pictureOf(puzzle);
    Knowledge settled = unknownBoard(puzzle);
    FreeCells result;
    if (!search.propagate(settled)) return result; // the clues contradict: nothing to compare
    bool isFree[MaxRows][MaxCols] = {};
    for (int32_t r = 0; r < own.rows; ++r)
        for (int32_t c = 0; c < own.cols; ++c) {
            if (settled.at(c, r) != Unknown || isFree[r][c]) continue;
            Knowledge known = settled;
            known.set(c, r, Unknown & ~own.at(c, r));
            Knowledge other;
            const PictureSearch::Outcome out = search.find(known, &own, nodeBudgetPerCell, other);
            if (out == PictureSearch::Outcome::GaveUp) result.complete = false;
            if (out != PictureSearch::Outcome::Found) continue;
            for (int32_t rr = 0; rr < own.rows; ++rr)
                for (int32_t cc = 0; cc < own.cols; ++cc)
                    if (other.at(cc, rr) != own.at(cc, rr)) isFree[rr][cc] = true;
        }
    for (int32_t r = 0; r < own.rows; ++r)
        for (int32_t c = 0; c < own.cols; ++c)
            result.count += isFree[r][c] ? 1 : 0;
    return result;
}
