// SPDX-License-Identifier: MIT
// The line solver and the picture search against brute force, and against generated boards.
#include "logic/FairJudge.h"
#include "logic/LineSolver.h"
#include "logic/PictureSearch.h"
#include "logic/Puzzle.h"
#include "logic/RandomGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

std::vector<int32_t> runsOf(uint32_t bits, int32_t length) {
    std::vector<int32_t> runs;
    int32_t run = 0;
    for (int32_t i = 0; i < length; ++i) {
        if (bits >> i & 1) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0) runs.push_back(run);
    return runs;
}

// Every line up to 7 cells, every clue list, every state of knowledge: a value survives
// exactly when some line with those clues and that knowledge has it.
TEST(LineSolver, ExactAgainstEveryLine) {
    for (int32_t n = 0; n <= 7; ++n) {
        std::map<std::vector<int32_t>, std::vector<uint32_t>> lines;
        for (uint32_t bits = 0; bits < (1u << n); ++bits)
            lines[runsOf(bits, n)].push_back(bits);
        // A clue list no line of this length has: too long for it.
        lines[std::vector<int32_t>{n + 1}];
        int32_t states = 1;
        for (int32_t i = 0; i < n; ++i)
            states *= 3;
        for (const auto& [clues, fitting] : lines)
            for (int32_t s = 0; s < states; ++s) {
                uint8_t cells[8];
                int32_t code = s;
                for (int32_t i = 0; i < n; ++i, code /= 3)
                    cells[i] = static_cast<uint8_t>(code % 3 + 1); // MayFill, MayEmpty, Unknown
                uint8_t want[8] = {};
                bool any = false;
                for (const uint32_t bits : fitting) {
                    bool agrees = true;
                    for (int32_t i = 0; i < n && agrees; ++i)
                        agrees = (cells[i] & ((bits >> i & 1) ? MayFill : MayEmpty)) != 0;
                    if (!agrees) continue;
                    any = true;
                    for (int32_t i = 0; i < n; ++i)
                        want[i] |= (bits >> i & 1) ? MayFill : MayEmpty;
                }
                uint8_t got[8];
                std::copy(cells, cells + n, got);
                const bool fits =
                    solveLine(clues.data(), static_cast<int32_t>(clues.size()), got, n);
                ASSERT_EQ(fits, any) << "length " << n << " state " << s;
                if (any) {
                    for (int32_t i = 0; i < n; ++i)
                        ASSERT_EQ(got[i], want[i])
                            << "length " << n << " state " << s << " cell " << i;
                } else {
                    for (int32_t i = 0; i < n; ++i)
                        ASSERT_EQ(got[i], cells[i]) << "a line without placement stays as it was";
                }
            }
    }
}

constexpr int32_t SmallCols = 4, SmallRows = 5;

Puzzle smallPuzzle(uint32_t bits) {
    Puzzle p;
    p.colCount = SmallCols;
    p.rowCount = SmallRows;
    for (int32_t r = 0; r < SmallRows; ++r)
        for (int32_t c = 0; c < SmallCols; ++c)
            p.grid[c + 1][r + 1] = (bits >> (r * SmallCols + c) & 1) ? CellState::HiddenFilled
                                                                     : CellState::HiddenEmpty;
    computeClues(p);
    return p;
}

bool cellOf(uint32_t bits, int32_t col, int32_t row) {
    return (bits >> (row * SmallCols + col) & 1) != 0;
}

uint32_t bitsOf(const Knowledge& k) {
    uint32_t bits = 0;
    for (int32_t r = 0; r < SmallRows; ++r)
        for (int32_t c = 0; c < SmallCols; ++c)
            if (k.at(c, r) == MayFill) bits |= 1u << (r * SmallCols + c);
    return bits;
}

// Numbers every line of a length by its clue list: lines with the same clues share a number.
std::vector<uint64_t> clueIds(int32_t length) {
    std::map<std::vector<int32_t>, uint64_t> ids;
    std::vector<uint64_t> out;
    for (uint32_t bits = 0; bits < (1u << length); ++bits)
        out.push_back(ids.emplace(runsOf(bits, length), ids.size()).first->second);
    return out;
}

// All 2^20 pictures of 4 x 5, grouped by their clues.
const std::vector<std::vector<uint32_t>>& pictureGroups() {
    static const std::vector<std::vector<uint32_t>> groups = [] {
        const std::vector<uint64_t> rowIds = clueIds(SmallCols), colIds = clueIds(SmallRows);
        std::vector<std::pair<uint64_t, uint32_t>> keyed;
        for (uint32_t bits = 0; bits < (1u << (SmallCols * SmallRows)); ++bits) {
            uint64_t key = 0;
            for (int32_t r = 0; r < SmallRows; ++r)
                key = key * 16 + rowIds[bits >> (r * SmallCols) & 0xF];
            for (int32_t c = 0; c < SmallCols; ++c) {
                uint32_t col = 0;
                for (int32_t r = 0; r < SmallRows; ++r)
                    col |= (cellOf(bits, c, r) ? 1u : 0u) << r;
                key = key * 32 + colIds[col];
            }
            keyed.emplace_back(key, bits);
        }
        std::sort(keyed.begin(), keyed.end());
        std::vector<std::vector<uint32_t>> out;
        for (size_t i = 0; i < keyed.size(); ++i) {
            if (i == 0 || keyed[i].first != keyed[i - 1].first) out.emplace_back();
            out.back().push_back(keyed[i].second);
        }
        return out;
    }();
    return groups;
}

// Every clue set of the small board: line solving keeps every picture that fits, and a search
// with one cell fixed against the group's first picture finds a picture exactly when one with
// that value exists, and finds one of them.
TEST(PictureSearch, EveryCellOfEverySmallClueSet) {
    int64_t ambiguous = 0;
    for (const std::vector<uint32_t>& group : pictureGroups()) {
        const Puzzle puzzle = smallPuzzle(group[0]);
        PictureSearch search(puzzle);
        Knowledge settled = unknownBoard(puzzle);
        ASSERT_TRUE(search.propagate(settled));
        uint32_t fixedByLines = 0;
        for (int32_t r = 0; r < SmallRows; ++r)
            for (int32_t c = 0; c < SmallCols; ++c) {
                for (const uint32_t bits : group)
                    ASSERT_TRUE(settled.at(c, r) & (cellOf(bits, c, r) ? MayFill : MayEmpty));
                if (settled.at(c, r) != Unknown) fixedByLines |= 1u << (r * SmallCols + c);
            }
        ambiguous += group.size() > 1 ? 1 : 0;
        for (int32_t r = 0; r < SmallRows; ++r)
            for (int32_t c = 0; c < SmallCols; ++c) {
                // A cell the lines settle has no other value in any picture (checked above).
                if (fixedByLines >> (r * SmallCols + c) & 1) continue;
                const bool other = !cellOf(group[0], c, r);
                Knowledge known = settled;
                known.set(c, r, other ? MayFill : MayEmpty);
                bool exists = false;
                for (const uint32_t bits : group)
                    exists = exists || cellOf(bits, c, r) == other;
                Knowledge found;
                const auto out = search.find(known, nullptr, 1 << 20, found);
                ASSERT_EQ(out == PictureSearch::Outcome::Found, exists);
                if (exists) {
                    ASSERT_NE(std::find(group.begin(), group.end(), bitsOf(found)), group.end());
                }
            }
    }
    EXPECT_EQ(pictureGroups().size(), 915743u);
    EXPECT_EQ(ambiguous, 101111);
}

// Fair judging on every ambiguous small clue set, with the player's board part uncovered and
// marked: a claim is taken exactly when a picture fits it and the board, and the new hidden
// picture is one of them.
TEST(FairJudge, AgreesWithBruteForceOnSmallBoards) {
    RandomGenerator rnd(7);
    for (const std::vector<uint32_t>& group : pictureGroups()) {
        if (group.size() == 1) continue;
        const uint32_t hidden =
            group[static_cast<size_t>(rnd.random(static_cast<int32_t>(group.size())))];
        // About a third of the cells settled by the player, as the hidden picture shows them.
        uint32_t settled = 0;
        for (int32_t i = 0; i < SmallCols * SmallRows; ++i)
            if (rnd.random(3) == 0) settled |= 1u << i;
        for (int32_t r = 0; r < SmallRows; ++r)
            for (int32_t c = 0; c < SmallCols; ++c) {
                const int32_t i = r * SmallCols + c;
                if (settled >> i & 1) continue;
                Puzzle puzzle = smallPuzzle(hidden);
                for (int32_t j = 0; j < SmallCols * SmallRows; ++j)
                    if (settled >> j & 1) {
                        int32_t& cell = puzzle.grid[j % SmallCols + 1][j / SmallCols + 1];
                        cell = cell == CellState::HiddenFilled ? CellState::Uncovered
                                                               : CellState::MarkedEmpty;
                    }
                const bool claim = !cellOf(hidden, c, r);
                bool exists = false;
                for (const uint32_t bits : group)
                    exists = exists || ((bits & settled) == (hidden & settled) &&
                                        cellOf(bits, c, r) == claim);
                const Judgement j = judgeClaim(puzzle, c + 1, r + 1, claim, 1 << 20, nullptr);
                ASSERT_EQ(j, exists ? Judgement::Reconsidered : Judgement::Denied);
                uint32_t now = 0;
                for (int32_t k = 0; k < SmallCols * SmallRows; ++k) {
                    const int32_t cell = puzzle.grid[k % SmallCols + 1][k / SmallCols + 1];
                    if (cell == CellState::HiddenFilled || cell == CellState::Uncovered)
                        now |= 1u << k;
                    // Settled cells keep their look.
                    if (settled >> k & 1) {
                        ASSERT_EQ(cell, (hidden >> k & 1) ? CellState::Uncovered
                                                          : CellState::MarkedEmpty);
                    }
                }
                if (exists) {
                    ASSERT_NE(std::find(group.begin(), group.end(), now), group.end());
                    ASSERT_EQ(cellOf(now, c, r), claim);
                } else {
                    ASSERT_EQ(now, hidden);
                }
            }
    }
}

TEST(FairJudge, ClaimsTheHiddenPictureAllowsNeedNoSearch) {
    Puzzle p = smallPuzzle(0b1001'0110'1001'0110'1111);
    for (int32_t r = 1; r <= SmallRows; ++r)
        for (int32_t c = 1; c <= SmallCols; ++c) {
            const bool filled = p.grid[c][r] == CellState::HiddenFilled;
            int64_t nodes = -1;
            EXPECT_EQ(judgeClaim(p, c, r, filled, 0, &nodes), Judgement::Agrees);
        }
    // A settled cell is never judged again.
    p.grid[1][1] = CellState::Uncovered;
    EXPECT_EQ(judgeClaim(p, 1, 1, false, 0), Judgement::Agrees);
}

// A search out of budget says so, and leaves the board as it was.
TEST(FairJudge, OutOfBudgetLeavesTheBoard) {
    // Rows and columns all "1" on 4 x 4: 24 pictures, none settled by line solving.
    Puzzle p;
    p.colCount = p.rowCount = 4;
    for (int32_t i = 1; i <= 4; ++i)
        p.grid[i][i] = CellState::HiddenFilled;
    computeClues(p);
    const Puzzle before = p;
    EXPECT_EQ(judgeClaim(p, 2, 1, true, 0), Judgement::Undecided);
    for (int32_t r = 1; r <= 4; ++r)
        for (int32_t c = 1; c <= 4; ++c)
            EXPECT_EQ(p.grid[c][r], before.grid[c][r]);
    EXPECT_EQ(judgeClaim(p, 2, 1, true), Judgement::Reconsidered);
    EXPECT_EQ(p.grid[2][1], CellState::HiddenFilled);
}

// Ambiguous boards of the generator per size level, seeds 1 to 200, as measured before fair
// judging existed; and the alternative pictures fit the clues.
TEST(PictureSearch, GeneratedBoardsKnownAmbiguity) {
    const int32_t ambiguousBySize[] = {5, 10, 11, 21, 23, 35, 30, 41, 45};
    for (int32_t m = 1; m <= 9; ++m) {
        int32_t ambiguous = 0;
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            Puzzle p;
            p.colCount = colCountFor(m);
            p.rowCount = rowCountFor(m);
            RandomGenerator rnd(seed);
            generatePuzzle(p, rnd);
            const FreeCells free = findFreeCells(p, 1 << 16);
            ASSERT_TRUE(free.complete);
            ambiguous += free.count > 0 ? 1 : 0;
            if (m == 1 && seed == 1) {
                EXPECT_EQ(free.count, 8);
            }
        }
        EXPECT_EQ(ambiguous, ambiguousBySize[m - 1]) << "size " << m;
    }
}

} // namespace
