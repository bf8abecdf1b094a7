// SPDX-License-Identifier: MIT
// Best-list logic: reading stored entries, ranking, insertion.
#include "dialogs/BestList.h"
#include "platform/TextScrambler.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A list whose scores are the given values in order, names "p0".."p14".
BestList listOf(std::initializer_list<int32_t> scores) {
    BestList list = defaultHighscoreList();
    int i = 0;
    for (int32_t s : scores) {
        list[i] = {QStringLiteral("p%1").arg(i), s};
        ++i;
    }
    return list;
}

struct ParseRow {
    const char* name;
    QString plain;
    bool good;
    int32_t score;
    QString player;
};

class ParseEntry : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseEntry, ReadsGoodTextAndFallsBackOnBad) {
    const ParseRow& row = GetParam();
    const BestListEntry entry = parseHighscoreEntry(row.plain);
    if (row.good) {
        EXPECT_EQ(entry.score, row.score);
        EXPECT_EQ(entry.name, row.player);
    } else {
        EXPECT_EQ(entry, defaultHighscoreEntry());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseEntry,
    testing::Values(
        ParseRow{"plain", "123,Anna", true, 123, "Anna"},
        ParseRow{"comma_in_name", "7,Smith, John", true, 7, "Smith, John"},
        ParseRow{"empty_name", "42,", true, 42, ""},
        ParseRow{"zero", "0,Mr. Brain", true, 0, "Mr. Brain"},
        ParseRow{"largest", "2147483647,x", true, INT32_MAX, "x"},
        ParseRow{"negative", "-5,x", false, 0, ""}, ParseRow{"empty", "", false, 0, ""},
        ParseRow{"no_comma", "12345", false, 0, ""}, ParseRow{"letters", "abc,x", false, 0, ""},
        ParseRow{"empty_score", ",x", false, 0, ""}, ParseRow{"lone_minus", "-,x", false, 0, ""},
        ParseRow{"overflow", "2147483648,x", false, 0, ""},
        ParseRow{"big_overflow", "99999999999,x", false, 0, ""},
        ParseRow{"space", " 12,x", false, 0, ""}, ParseRow{"plus", "+12,x", false, 0, ""},
        ParseRow{"trailing_letter", "12a,x", false, 0, ""}),
    [](const testing::TestParamInfo<ParseRow>& info) { return std::string(info.param.name); });

TEST(BestListTest, Defaults) {
    EXPECT_EQ(defaultHighscoreEntry(), (BestListEntry{"Mr. Brain", 9999999}));
    for (const BestListEntry& e : clearedHighscoreList())
        EXPECT_EQ(e, (BestListEntry{"Mr. Brain", 0}));
}

TEST(BestListTest, FormatRoundTrips) {
    for (const BestListEntry& e :
         {BestListEntry{"Smith, John", 17}, BestListEntry{"", 0}, BestListEntry{"ÄÖÜ ß", 99}}) {
        EXPECT_EQ(parseHighscoreEntry(formatHighscoreEntry(e)), e);
    }
    EXPECT_EQ(formatHighscoreEntry({"Anna", 123}), "123,Anna");
}

struct RankRow {
    const char* name;
    BestList list;
    int32_t score;
    int32_t expected;
};

class Rank : public testing::TestWithParam<RankRow> {};

TEST_P(Rank, FindsRow) {
    const RankRow& row = GetParam();
    EXPECT_EQ(rankHighscore(row.list, row.score), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Rank,
    testing::Values(RankRow{"empty_list", defaultHighscoreList(), 500, 0},
                    RankRow{"tie_goes_below", listOf({10, 20, 30, 40}), 30, 3},
                    RankRow{"between", listOf({10, 20, 30, 40}), 25, 2},
                    RankRow{"cleared_is_free", clearedHighscoreList(), 5000, 0},
                    RankRow{"real_zero_is_a_result", listOf({10, 20, 0}), 99, 3},
                    RankRow{"real_zero_stays_first", listOf({0}), 0, 1},
                    RankRow{"cleared_row_after_good_ones",
                            [] {
                                BestList l = clearedHighscoreList();
                                l[0] = {"p0", 10};
                                return l;
                            }(),
                            99, 1},
                    RankRow{"sixteenth",
                            listOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}), 15, -1},
                    RankRow{"default_tie", defaultHighscoreList(), 9999999, -1}),
    [](const testing::TestParamInfo<RankRow>& info) { return std::string(info.param.name); });

TEST(BestListTest, InsertMovesRowsDownAndDropsLast) {
    BestList list = listOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    insertHighscore(list, 3, {"new", 3});
    EXPECT_EQ(list[2], (BestListEntry{"p2", 3}));
    EXPECT_EQ(list[3], (BestListEntry{"new", 3}));
    EXPECT_EQ(list[4], (BestListEntry{"p3", 4}));
    EXPECT_EQ(list[14], (BestListEntry{"p13", 14}));

    insertHighscore(list, 14, {"last", 99});
    EXPECT_EQ(list[14], (BestListEntry{"last", 99}));
    EXPECT_EQ(list[13], (BestListEntry{"p12", 13}));

    const BestList before = list;
    insertHighscore(list, -1, {"none", 0});
    insertHighscore(list, 15, {"none", 0});
    EXPECT_EQ(list, before);
}

// Any stored text decodes to a good entry or to the default row, never to a negative score, and
// every entry the game can store comes back as it was. Seeded random texts.
TEST(BestListTest, DecodingRandomStoredTextsIsSafe) {
    std::mt19937 random(4711);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const QString pieces = QStringLiteral("0123456789,-+ aZzQ9,,\"';@é€\x01") + QChar(0);
    for (int c = 0; c < 20000; ++c) {
        QString stored;
        for (int i = pick(0, 30); i > 0; --i)
            stored += pick(0, 4) == 0 ? QChar(char16_t(pick(1, 0xD7FF)))
                                      : pieces[pick(0, int(pieces.size()) - 1)];
        const QString plain = unscrambleText(stored);
        const BestListEntry entry = parseHighscoreEntry(plain);
        ASSERT_GE(entry.score, 0) << "case " << c;
        if (entry != defaultHighscoreEntry()) {
            ASSERT_EQ(formatHighscoreEntry(entry), plain) << "case " << c;
        }

        const BestListEntry made{stored.left(25),
                                 pick(0, 1) ? pick(0, 9999999) : pick(0, INT32_MAX)};
        ASSERT_EQ(parseHighscoreEntry(unscrambleText(scrambleText(formatHighscoreEntry(made)))),
                  made)
            << "case " << c;
    }
}

} // namespace
