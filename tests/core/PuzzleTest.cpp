// The random source, the generator, the clue runs and the solved test.
#include "Puzzle.h"
#include "CommandLine.h"
#include "RandomGenerator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadFixture(const std::string& name) {
    std::ifstream in(std::string(MORVEK_TEST_DATA) + "/fixtures/" + name);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Builds a board from rows of '#' (filled) and '.' (empty).
Puzzle BoardFrom(const std::vector<std::string>& rows) {
    Puzzle p;
    p.RowCount = static_cast<int32_t>(rows.size());
    p.ColCount = static_cast<int32_t>(rows[0].size());
    for (int32_t r = 1; r <= p.RowCount; ++r)
        for (int32_t c = 1; c <= p.ColCount; ++c)
            p.Grid[c][r] =
                rows[r - 1][c - 1] == '#' ? CellState::HiddenFilled : CellState::HiddenEmpty;
    ComputeClues(p);
    return p;
}

std::vector<int32_t> RowCluesOf(const Puzzle& p, int32_t row) {
    return {p.RowClues[row] + 1, p.RowClues[row] + 1 + p.RowClueCount[row]};
}

} // namespace

TEST(RandomGeneratorTest, FollowsTheLinearCongruentialSequence) {
    // seed := seed * 134775813 + 1; result = high half of seed * n. Worked out by hand.
    RandomGenerator rnd(1);
    EXPECT_EQ(rnd.Random(100), 3);
    EXPECT_EQ(rnd.Seed, 134775814u);
    EXPECT_EQ(rnd.Random(100), 86);
    EXPECT_EQ(rnd.Seed, 3698175007u);
    EXPECT_EQ(rnd.Random(100), 20);
    EXPECT_EQ(rnd.Seed, 870078620u);
    // n = 1 always gives 0; the seed still advances.
    EXPECT_EQ(rnd.Random(1), 0);
    EXPECT_EQ(rnd.Seed, 1172187917u);
}

TEST(RandomGeneratorTest, StaysInRange) {
    RandomGenerator rnd(0xFFFFFFFFu);
    for (int i = 0; i < 10000; ++i) {
        const int32_t v = rnd.Random(34);
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
        EXPECT_EQ(PuzzleText(FirstPuzzle(c.mode, c.seed)), ReadFixture(c.fixture));
    }
}

TEST(GeneratePuzzle, BoardSizeFollowsMode) {
    for (int32_t m = 1; m <= 9; ++m) {
        const Puzzle p = FirstPuzzle(m, 7);
        EXPECT_EQ(p.ColCount, 3 * m + 7);
        EXPECT_EQ(p.RowCount, 2 * m + 5);
    }
    EXPECT_EQ(FirstPuzzle(1, 1).ColCount, 10);
    EXPECT_EQ(FirstPuzzle(9, 1).RowCount, 23);
}

TEST(GeneratePuzzle, OutOfRangeModeIsClamped) {
    EXPECT_EQ(FirstPuzzle(0, 3).ColCount, 10);
    EXPECT_EQ(FirstPuzzle(-7, 3).ColCount, 10);
    EXPECT_EQ(FirstPuzzle(12, 3).ColCount, 34);
    EXPECT_EQ(ClampMode(2147483647), 9);
}

TEST(GeneratePuzzle, InvariantsHoldOnManySeeds) {
    RandomGenerator rnd(99);
    Puzzle p;
    for (int i = 0; i < 400; ++i) {
        const int32_t m = 1 + i % 9;
        p.ColCount = ColCountFor(m);
        p.RowCount = RowCountFor(m);
        // Leave rubbish in the grid and the flags, as an earlier level would.
        for (auto& col : p.Grid)
            for (auto& cell : col)
                cell = CellState::Uncovered;
        for (bool& done : p.RowDone)
            done = true;
        for (bool& done : p.ColDone)
            done = true;
        GeneratePuzzle(p, rnd);
        int32_t maxRow = 0, maxCol = 0;
        for (int32_t r = 1; r <= p.RowCount; ++r) {
            ASSERT_GE(p.RowClueCount[r], 1);
            ASSERT_LE(p.RowClueCount[r], (p.ColCount + 1) / 2);
            ASSERT_FALSE(p.RowDone[r]);
            maxRow = std::max(maxRow, p.RowClueCount[r]);
        }
        for (int32_t c = 1; c <= p.ColCount; ++c) {
            ASSERT_GE(p.ColClueCount[c], 1);
            ASSERT_LE(p.ColClueCount[c], (p.RowCount + 1) / 2);
            ASSERT_FALSE(p.ColDone[c]);
            maxCol = std::max(maxCol, p.ColClueCount[c]);
            for (int32_t r = 1; r <= p.RowCount; ++r)
                ASSERT_TRUE(p.Grid[c][r] == CellState::HiddenEmpty ||
                            p.Grid[c][r] == CellState::HiddenFilled);
        }
        EXPECT_EQ(p.MaxRowClues, maxRow);
        EXPECT_EQ(p.MaxColClues, maxCol);
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
        EXPECT_EQ(RowCluesOf(BoardFrom({c.row}), 1), c.clues);
    }
}

TEST(Clues, ColumnsReadFromTheTop) {
    const Puzzle p = BoardFrom({"#.", "#.", "..", "##"});
    EXPECT_EQ(p.ColClueCount[1], 2);
    EXPECT_EQ(p.ColClues[1][1], 2);
    EXPECT_EQ(p.ColClues[1][2], 1);
    EXPECT_EQ(p.MaxColClues, 2);
    EXPECT_EQ(p.MaxRowClues, 1);
}

TEST(IsSolved, OnlyHiddenFilledCellsMatter) {
    Puzzle p = BoardFrom({"#.#", ".#."});
    EXPECT_FALSE(IsSolved(p));
    p.Grid[1][1] = CellState::Uncovered;
    p.Grid[3][1] = CellState::Uncovered;
    EXPECT_FALSE(IsSolved(p));
    p.Grid[2][2] = CellState::Uncovered; // the last filled cell; hidden empty cells stay unmarked
    EXPECT_TRUE(IsSolved(p));
    p.Grid[2][1] = CellState::MarkedEmpty;
    EXPECT_TRUE(IsSolved(p));
}

TEST(IsSolved, IgnoresCellsOutsideAShrunkBoard) {
    Puzzle p = FirstPuzzle(9, 5);
    p.ColCount = 10;
    p.RowCount = 7;
    for (int32_t c = 1; c <= 10; ++c)
        for (int32_t r = 1; r <= 7; ++r)
            p.Grid[c][r] = CellState::Uncovered;
    EXPECT_TRUE(IsSolved(p)); // the old 34 x 23 cells beyond are never read
}
