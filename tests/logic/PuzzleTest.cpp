// SPDX-License-Identifier: MIT
// The random source, the generator, the clue runs and the solved test.
#include "logic/Puzzle.h"
#include "logic/CommandLine.h"
#include "logic/RandomGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string readFixture(const std::string& name) {
    std::ifstream in(std::string(MORVEK_TEST_DATA) + "/fixtures/" + name);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Builds a board from rows of '#' (filled) and '.' (empty).
Puzzle boardFrom(const std::vector<std::string>& rows) {
    Puzzle p;
    p.rowCount = static_cast<int32_t>(rows.size());
    p.colCount = static_cast<int32_t>(rows[0].size());
    for (int32_t r = 1; r <= p.rowCount; ++r)
        for (int32_t c = 1; c <= p.colCount; ++c)
            p.grid[c][r] =
                rows[r - 1][c - 1] == '#' ? CellState::HiddenFilled : CellState::HiddenEmpty;
    computeClues(p);
    return p;
}

std::vector<int32_t> rowCluesOf(const Puzzle& p, int32_t row) {
    return {p.rowClues[row] + 1, p.rowClues[row] + 1 + p.rowClueCount[row]};
}

} // namespace

TEST(RandomGeneratorTest, FollowsTheLinearCongruentialSequence) {
    // seed = seed * 134775813 + 1; result = high half of seed * n. Worked out by hand.
    RandomGenerator rnd(1);
    EXPECT_EQ(rnd.random(100), 3);
    EXPECT_EQ(rnd.seed, 134775814u);
    EXPECT_EQ(rnd.random(100), 86);
    EXPECT_EQ(rnd.seed, 3698175007u);
    EXPECT_EQ(rnd.random(100), 20);
    EXPECT_EQ(rnd.seed, 870078620u);
    // n = 1 always gives 0; the seed still advances.
    EXPECT_EQ(rnd.random(1), 0);
    EXPECT_EQ(rnd.seed, 1172187917u);
}

TEST(RandomGeneratorTest, StaysInRange) {
    RandomGenerator rnd(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        const int32_t v = rnd.random(34);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 34);
    }
}

// The fixtures come from tests/core/fixtures/reference_generator.py, written apart from the game.
TEST(GeneratePuzzle, MatchesTheReferenceBoards) {
    struct Case {
        int32_t mode;
        uint32_t seed;
        const char* fixture;
    };
    for (const Case& c :
         {Case{1, 12345, "mode1_seed12345.txt"}, Case{9, 12345, "mode9_seed12345.txt"},
          Case{5, 4294967295u, "mode5_seed4294967295.txt"}}) {
        SCOPED_TRACE(c.fixture);
        EXPECT_EQ(puzzleText(firstPuzzle(c.mode, c.seed)), readFixture(c.fixture));
    }
}

TEST(GeneratePuzzle, BoardSizeFollowsMode) {
    for (int32_t m = 1; m <= 9; ++m) {
        const Puzzle p = firstPuzzle(m, 7);
        EXPECT_EQ(p.colCount, 3 * m + 7);
        EXPECT_EQ(p.rowCount, 2 * m + 5);
    }
    EXPECT_EQ(firstPuzzle(1, 1).colCount, 10);
    EXPECT_EQ(firstPuzzle(9, 1).rowCount, 23);
}

TEST(GeneratePuzzle, OutOfRangeModeIsClamped) {
    EXPECT_EQ(firstPuzzle(0, 3).colCount, 10);
    EXPECT_EQ(firstPuzzle(-7, 3).colCount, 10);
    EXPECT_EQ(firstPuzzle(12, 3).colCount, 34);
    EXPECT_EQ(clampMode(2147483647), 9);
}

TEST(GeneratePuzzle, InvariantsHoldOnManySeeds) {
    RandomGenerator rnd(99);
    Puzzle p;
    for (int i = 0; i < 400; ++i) {
        const int32_t m = 1 + i % 9;
        p.colCount = colCountFor(m);
        p.rowCount = rowCountFor(m);
        // Leave rubbish in the grid and the flags, as an earlier level would.
        for (auto& col : p.grid)
            for (auto& cell : col)
                cell = CellState::Uncovered;
        for (bool& done : p.rowDone)
            done = true;
        for (bool& done : p.colDone)
            done = true;
        generatePuzzle(p, rnd);
        int32_t maxRow = 0, maxCol = 0;
        for (int32_t r = 1; r <= p.rowCount; ++r) {
            ASSERT_GE(p.rowClueCount[r], 1);
            ASSERT_LE(p.rowClueCount[r], (p.colCount + 1) / 2);
            ASSERT_FALSE(p.rowDone[r]);
            maxRow = std::max(maxRow, p.rowClueCount[r]);
        }
        for (int32_t c = 1; c <= p.colCount; ++c) {
            ASSERT_GE(p.colClueCount[c], 1);
            ASSERT_LE(p.colClueCount[c], (p.rowCount + 1) / 2);
            ASSERT_FALSE(p.colDone[c]);
            maxCol = std::max(maxCol, p.colClueCount[c]);
            for (int32_t r = 1; r <= p.rowCount; ++r)
                ASSERT_TRUE(p.grid[c][r] == CellState::HiddenEmpty ||
                            p.grid[c][r] == CellState::HiddenFilled);
        }
        EXPECT_EQ(p.maxRowClues, maxRow);
        EXPECT_EQ(p.maxColClues, maxCol);
    }
}

TEST(Clues, RunsAreMaximalAndInOrder) {
    struct Case {
        const char* row;
        std::vector<int32_t> clues;
    };
    const Case cases[] = {
        {"##########", {10}}, {"##.#.....#", {2, 1, 1}}, {"#.#.#.#.#.", {1, 1, 1, 1, 1}},
        {".........#", {1}},  {"#.........", {1}},       {"....####..", {4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(rowCluesOf(boardFrom({c.row}), 1), c.clues);
    }
}

TEST(Clues, ColumnsReadFromTheTop) {
    const Puzzle p = boardFrom({"#.", "#.", "..", "##"});
    EXPECT_EQ(p.colClueCount[1], 2);
    EXPECT_EQ(p.colClues[1][1], 2);
    EXPECT_EQ(p.colClues[1][2], 1);
    EXPECT_EQ(p.maxColClues, 2);
    EXPECT_EQ(p.maxRowClues, 1);
}

TEST(IsSolved, OnlyHiddenFilledCellsMatter) {
    Puzzle p = boardFrom({"#.#", ".#."});
    EXPECT_FALSE(isSolved(p));
    p.grid[1][1] = CellState::Uncovered;
    p.grid[3][1] = CellState::Uncovered;
    EXPECT_FALSE(isSolved(p));
    p.grid[2][2] = CellState::Uncovered; // the last filled cell; hidden empty cells stay unmarked
    EXPECT_TRUE(isSolved(p));
    p.grid[2][1] = CellState::MarkedEmpty;
    EXPECT_TRUE(isSolved(p));
}

TEST(IsSolved, IgnoresCellsOutsideAShrunkBoard) {
    Puzzle p = firstPuzzle(9, 5);
    p.colCount = 10;
    p.rowCount = 7;
    for (int32_t c = 1; c <= 10; ++c)
        for (int32_t r = 1; r <= 7; ++r)
            p.grid[c][r] = CellState::Uncovered;
    EXPECT_TRUE(isSolved(p)); // the old 34 x 23 cells beyond are never read
}
