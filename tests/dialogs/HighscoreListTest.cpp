// Best-list logic: reading stored entries, ranking both ways, insertion.
#include "HighscoreList.h"
#include "Scrambler.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A list whose scores are the given values in order, names "p0".."p14".
THighscoreList ListOf(std::initializer_list<int32_t> scores) {
    THighscoreList list = DefaultHighscoreList(1);
    int i = 0;
    for (int32_t s : scores) {
        list[i] = {QStringLiteral("p%1").arg(i), s};
        ++i;
    }
    return list;
}

struct TParseRow {
    const char* Name;
    QString Plain;
    bool Good;
    int32_t Score;
    QString Player;
};

class ParseEntry : public testing::TestWithParam<TParseRow> {};

TEST_P(ParseEntry, ReadsGoodTextAndFallsBackOnBad) {
    const TParseRow& row = GetParam();
    for (int32_t direction : {0, 1}) {
        const THighscoreEntry entry = ParseHighscoreEntry(row.Plain, direction);
        if (row.Good) {
            EXPECT_EQ(entry.Score, row.Score);
            EXPECT_EQ(entry.Name, row.Player);
        } else {
            EXPECT_EQ(entry, DefaultHighscoreEntry(direction));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseEntry,
    testing::Values(
        TParseRow{"plain", "123,Anna", true, 123, "Anna"},
        TParseRow{"comma_in_name", "7,Smith, John", true, 7, "Smith, John"},
        TParseRow{"empty_name", "42,", true, 42, ""},
        TParseRow{"zero", "0,Mr. Brain", true, 0, "Mr. Brain"},
        TParseRow{"largest", "2147483647,x", true, INT32_MAX, "x"},
        TParseRow{"negative", "-5,x", false, 0, ""}, TParseRow{"empty", "", false, 0, ""},
        TParseRow{"no_comma", "12345", false, 0, ""}, TParseRow{"letters", "abc,x", false, 0, ""},
        TParseRow{"empty_score", ",x", false, 0, ""}, TParseRow{"lone_minus", "-,x", false, 0, ""},
        TParseRow{"overflow", "2147483648,x", false, 0, ""},
        TParseRow{"big_overflow", "99999999999,x", false, 0, ""},
        TParseRow{"space", " 12,x", false, 0, ""}, TParseRow{"plus", "+12,x", false, 0, ""},
        TParseRow{"trailing_letter", "12a,x", false, 0, ""}),
    [](const testing::TestParamInfo<TParseRow>& info) { return std::string(info.param.Name); });

TEST(HighscoreList, Defaults) {
    EXPECT_EQ(DefaultHighscoreEntry(1), (THighscoreEntry{"Mr. Brain", 9999999}));
    EXPECT_EQ(DefaultHighscoreEntry(0), (THighscoreEntry{"Mr. Brain", 0}));
    for (const THighscoreEntry& e : ClearedHighscoreList())
        EXPECT_EQ(e, (THighscoreEntry{"Mr. Brain", 0}));
}

TEST(HighscoreList, FormatRoundTrips) {
    for (const THighscoreEntry& e : {THighscoreEntry{"Smith, John", 17}, THighscoreEntry{"", 0},
                                     THighscoreEntry{"ÄÖÜ ß", 99}}) {
        EXPECT_EQ(ParseHighscoreEntry(FormatHighscoreEntry(e), 1), e);
    }
    EXPECT_EQ(FormatHighscoreEntry({"Anna", 123}), "123,Anna");
}

struct TRankRow {
    const char* Name;
    int32_t Direction;
    THighscoreList List;
    int32_t Score;
    int32_t Expected;
};

class Rank : public testing::TestWithParam<TRankRow> {};

TEST_P(Rank, FindsRow) {
    const TRankRow& row = GetParam();
    EXPECT_EQ(RankHighscore(row.List, row.Score, row.Direction), row.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Rank,
    testing::Values(TRankRow{"lower_empty_list", 1, DefaultHighscoreList(1), 500, 0},
                    TRankRow{"lower_tie_goes_below", 1, ListOf({10, 20, 30, 40}), 30, 3},
                    TRankRow{"lower_between", 1, ListOf({10, 20, 30, 40}), 25, 2},
                    TRankRow{"lower_cleared_is_free", 1, ClearedHighscoreList(), 5000, 0},
                    TRankRow{"lower_real_zero_is_a_result", 1, ListOf({10, 20, 0}), 99, 3},
                    TRankRow{"lower_real_zero_stays_first", 1, ListOf({0}), 0, 1},
                    TRankRow{"lower_cleared_row_after_good_ones", 1,
                             [] {
                                 THighscoreList l = ClearedHighscoreList();
                                 l[0] = {"p0", 10};
                                 return l;
                             }(),
                             99, 1},
                    TRankRow{"lower_sixteenth", 1,
                             ListOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}), 15, -1},
                    TRankRow{"lower_default_tie", 1, DefaultHighscoreList(1), 9999999, -1},
                    TRankRow{"higher_empty_list", 0, DefaultHighscoreList(0), 1, 0},
                    TRankRow{"higher_tie_goes_below", 0, ListOf({40, 30, 20, 10}), 30, 2},
                    TRankRow{"higher_zero_not_earned", 0, DefaultHighscoreList(0), 0, -1},
                    TRankRow{"other_direction_ranks_higher", 5, ListOf({40, 30, 20, 10}), 35, 1}),
    [](const testing::TestParamInfo<TRankRow>& info) { return std::string(info.param.Name); });

TEST(HighscoreList, InsertMovesRowsDownAndDropsLast) {
    THighscoreList list = ListOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    InsertHighscore(list, 3, {"new", 3});
    EXPECT_EQ(list[2], (THighscoreEntry{"p2", 3}));
    EXPECT_EQ(list[3], (THighscoreEntry{"new", 3}));
    EXPECT_EQ(list[4], (THighscoreEntry{"p3", 4}));
    EXPECT_EQ(list[14], (THighscoreEntry{"p13", 14}));

    InsertHighscore(list, 14, {"last", 99});
    EXPECT_EQ(list[14], (THighscoreEntry{"last", 99}));
    EXPECT_EQ(list[13], (THighscoreEntry{"p12", 13}));

    const THighscoreList before = list;
    InsertHighscore(list, -1, {"none", 0});
    InsertHighscore(list, 15, {"none", 0});
    EXPECT_EQ(list, before);
}

// Any stored text decodes to a good entry or to the default row, never to a negative score, and
// every entry the game can store comes back as it was. Seeded random texts.
TEST(HighscoreList, DecodingRandomStoredTextsIsSafe) {
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
        const QString plain = UnscrambleText(stored);
        const THighscoreEntry entry = ParseHighscoreEntry(plain, 1);
        ASSERT_GE(entry.Score, 0) << "case " << c;
        if (entry != DefaultHighscoreEntry(1)) {
            ASSERT_EQ(FormatHighscoreEntry(entry), plain) << "case " << c;
        }

        const THighscoreEntry made{stored.left(25),
                                   pick(0, 1) ? pick(0, 9999999) : pick(0, INT32_MAX)};
        ASSERT_EQ(ParseHighscoreEntry(UnscrambleText(ScrambleText(FormatHighscoreEntry(made))), 1),
                  made)
            << "case " << c;
    }
}

} // namespace
