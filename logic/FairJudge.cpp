// SPDX-License-Identifier: MIT
// The claim's cell is fixed to the claimed value, every cell the player has settled to its
// shown value, and the search looks for a picture close to the hidden one.
#include "logic/FairJudge.h"

#include "logic/PictureSearch.h"

namespace {

Knowledge playerKnowledge(const Puzzle& p) {
    Knowledge k = unknownBoard(p);
    for (int32_t r = 0; r < k.rows; ++r)
        for (int32_t c = 0; c < k.cols; ++c) {
            const int32_t state = p.grid[c + 1][r + 1];
            if (state == CellState::Uncovered) k.set(c, r, MayFill);
            if (state == CellState::MarkedEmpty) k.set(c, r, MayEmpty);
        }
    return k;
}

} // namespace

Judgement judgeClaim(Puzzle& puzzle, int32_t col, int32_t row, bool claimFilled, int64_t nodeBudget,
                     int64_t* nodesUsed) {
    const int32_t state = puzzle.grid[col][row];
    if (state != CellState::HiddenEmpty && state != CellState::HiddenFilled)
        return Judgement::Agrees;
    if ((state == CellState::HiddenFilled) == claimFilled) return Judgement::Agrees;

    Knowledge known = playerKnowledge(puzzle);
    known.set(col - 1, row - 1, claimFilled ? MayFill : MayEmpty);
    const Knowledge hidden = pictureOf(puzzle);
    PictureSearch search(puzzle);
    Knowledge other;
    const PictureSearch::Outcome outcome = search.find(known, &hidden, nodeBudget, other);
    if (nodesUsed) *nodesUsed = search.nodes();
    switch (outcome) {
    case PictureSearch::Outcome::None:
        return Judgement::Denied;
    case PictureSearch::Outcome::GaveUp:
        return Judgement::Undecided;
    case PictureSearch::Outcome::Found:
        break;
    }
    for (int32_t r = 1; r <= puzzle.rowCount; ++r)
        for (int32_t c = 1; c <= puzzle.colCount; ++c) {
            int32_t& cell = puzzle.grid[c][r];
            if (cell == CellState::HiddenEmpty || cell == CellState::HiddenFilled)
                cell = other.at(c - 1, r - 1) == MayFill ? CellState::HiddenFilled
                                                         : CellState::HiddenEmpty;
        }
    return Judgement::Reconsidered;
}
