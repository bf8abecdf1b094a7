// SPDX-License-Identifier: MIT
// The kept level's text: every state of a level comes back whole, the random source goes on as
// without the interruption, and a damaged text never becomes a board.
#include "logic/KeptLevel.h"
#include "logic/FairJudge.h"
#include "logic/Puzzle.h"
#include "logic/RandomGenerator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void expectSameLevel(const KeptLevel& a, const KeptLevel& b) {
    EXPECT_EQ(a.mode, b.mode);
    EXPECT_EQ(a.playTime, b.playTime);
    EXPECT_EQ(a.randomState, b.randomState);
    EXPECT_EQ(a.tileStyle, b.tileStyle);
    EXPECT_EQ(a.owner, b.owner);
    const Puzzle& p = a.puzzle;
    const Puzzle& q = b.puzzle;
    ASSERT_EQ(p.colCount, q.colCount);
    ASSERT_EQ(p.rowCount, q.rowCount);
    for (int32_t r = 1; r <= p.rowCount; ++r) {
        EXPECT_EQ(p.rowDone[r], q.rowDone[r]) << "row " << r;
        ASSERT_EQ(p.rowClueCount[r], q.rowClueCount[r]) << "row " << r;
        for (int32_t k = 1; k <= p.rowClueCount[r]; ++k)
            EXPECT_EQ(p.rowClues[r][k], q.rowClues[r][k]);
        for (int32_t c = 1; c <= p.colCount; ++c)
            EXPECT_EQ(p.grid[c][r], q.grid[c][r]) << c << "," << r;
    }
    for (int32_t c = 1; c <= p.colCount; ++c) {
        EXPECT_EQ(p.colDone[c], q.colDone[c]) << "column " << c;
        ASSERT_EQ(p.colClueCount[c], q.colClueCount[c]);
        for (int32_t k = 1; k <= p.colClueCount[c]; ++k)
            EXPECT_EQ(p.colClues[c][k], q.colClues[c][k]);
    }
    EXPECT_EQ(p.maxRowClues, q.maxRowClues);
    EXPECT_EQ(p.maxColClues, q.maxColClues);
}

// A level as the game draws it: the board, then the tile style, from one random source.
KeptLevel drawnLevel(int32_t mode, uint32_t seed) {
    KeptLevel level;
    level.mode = mode;
    level.puzzle.colCount = colCountFor(mode);
    level.puzzle.rowCount = rowCountFor(mode);
    RandomGenerator random(seed);
    generatePuzzle(level.puzzle, random);
    level.tileStyle = random.random(4) + 1;
    level.randomState = random.seed;
    return level;
}

TEST(KeptLevel, EveryStateOfALevelComesBack) {
    // Seed 1 at size 1 is ambiguous: fair judging can switch its picture.
    KeptLevel level = drawnLevel(1, 1);
    Puzzle& p = level.puzzle;
    level.playTime = 4321;
    level.owner = 77;
    // Uncovered, marked and hidden cells; a done row; a claim that switched the picture.
    int32_t switched = 0;
    for (int32_t r = 1; r <= p.rowCount && !switched; ++r)
        for (int32_t c = 1; c <= p.colCount && !switched; ++c)
            if (p.grid[c][r] == CellState::HiddenEmpty &&
                judgeClaim(p, c, r, true, 1 << 20) == Judgement::Reconsidered)
                switched = c * 100 + r;
    ASSERT_NE(switched, 0);
    for (int32_t c = 1; c <= p.colCount; ++c) {
        if (p.grid[c][1] == CellState::HiddenFilled) p.grid[c][1] = CellState::Uncovered;
        if (p.grid[c][1] == CellState::HiddenEmpty) p.grid[c][1] = CellState::MarkedEmpty;
    }
    p.rowDone[1] = true;
    p.grid[1][3] =
        p.grid[1][3] == CellState::HiddenFilled ? CellState::Uncovered : CellState::MarkedEmpty;
    const std::string text = keptLevelText(level);
    const auto back = parseKeptLevel(text);
    ASSERT_TRUE(back.has_value()) << text;
    expectSameLevel(*back, level);
    EXPECT_EQ(keptLevelText(*back), text);
    // Windows line ends, as an editor may leave them, read the same.
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_TRUE(parseKeptLevel(crlf).has_value());
}

// The level after a kept one is the level that would have followed without the interruption.
TEST(KeptLevel, TheRandomSourceGoesOnAsBefore) {
    for (const uint32_t seed : {1u, 42u, 4000000000u}) {
        RandomGenerator going(seed);
        Puzzle first;
        first.colCount = colCountFor(4);
        first.rowCount = rowCountFor(4);
        generatePuzzle(first, going);
        going.random(4); // the tile style
        Puzzle next = first;
        generatePuzzle(next, going);

        const KeptLevel kept = drawnLevel(4, seed);
        const auto back = parseKeptLevel(keptLevelText(kept));
        ASSERT_TRUE(back.has_value());
        RandomGenerator resumed(back->randomState);
        Puzzle after = back->puzzle;
        generatePuzzle(after, resumed);
        for (int32_t r = 1; r <= next.rowCount; ++r)
            for (int32_t c = 1; c <= next.colCount; ++c)
                EXPECT_EQ(after.grid[c][r], next.grid[c][r]) << seed;
    }
}

TEST(KeptLevel, ADamagedTextIsNoLevel) {
    const std::string good = keptLevelText(drawnLevel(1, 2));
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    std::string solved = good;
    for (char& c : solved)
        if (c == '#') c = 'o';
    std::string truncated = good.substr(0, good.size() / 2);
    std::string binary = good;
    binary[binary.size() / 3] = '\0';
    const struct {
        const char* name;
        std::string text;
    } rows[] = {
        {"empty", ""},
        {"no header", replaced("[level]\n", "")},
        {"another header", replaced("[level]", "[common]")},
        {"cut in half", truncated},
        {"a NUL inside", binary},
        {"a row missing", replaced("row7=", "rowx=")},
        {"a row too short", std::string(good).erase(good.find("row2=") + 5, 1)},
        {"a strange cell", replaced("row3=", "row3=?")},
        {"a row too long", replaced("row4=", "row4=#")},
        {"size level 0", replaced("mode=1", "mode=0")},
        {"size level 10", replaced("mode=1", "mode=10")},
        {"size level of another board", replaced("mode=1", "mode=2")},
        {"a negative time", replaced("time=0", "time=-5")},
        {"a time in words", replaced("time=0", "time=ten")},
        {"a tile style 5", replaced("tile=", "tile=5")},
        {"a random state beyond 32 bits", replaced("random=", "random=99999999999")},
        {"a key twice", good + "time=3\n"},
        {"a key unknown", good + "cheat=1\n"},
        {"another version", replaced("version=1", "version=2")},
        {"done flags of another length", replaced("rowsdone=", "rowsdone=0")},
        {"a solved board", solved},
    };
    ASSERT_TRUE(parseKeptLevel(good).has_value());
    for (const auto& row : rows)
        EXPECT_FALSE(parseKeptLevel(row.text).has_value()) << row.name << "\n" << row.text;
}

} // namespace
