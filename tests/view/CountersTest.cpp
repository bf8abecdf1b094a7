// The counters' glyph sequences, field pieces and the right-hand button places.
#include "Counters.h"

#include <gtest/gtest.h>

TEST(Counters, FieldRestorePieces) {
    struct Case {
        int32_t f, tw;
        std::vector<FieldPiece> pieces;
    };
    const Case cases[] = {
        {SizeFieldLeft, 100, {{120, 220, 80}, {100, 300, 20}}},
        {TimeFieldLeft, 100, {{160, 360, 40}, {100, 400, 60}}},
        {400, 100, {{100, 400, 100}}}, // field starts on a tile edge: one piece
        {SizeFieldLeft, 80, {{140, 220, 20}, {80, 240, 80}}}, // an 80-pixel strip
        {TimeFieldLeft, 160, {{200, 360, 100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "F=" << c.f << " TW=" << c.tw);
        const auto pieces = fieldRestorePieces(c.f, c.tw);
        EXPECT_EQ(pieces, c.pieces);
        int32_t width = 0;
        for (const auto& p : pieces)
            width += p.width;
        EXPECT_EQ(width, CounterWidth);
    }
}

TEST(Counters, TimeGlyphs) {
    struct Case {
        int32_t time;
        std::vector<int32_t> glyphs;
    };
    const Case cases[] = {
        {0, {1}},
        {-5, {0, 6}},
        {99999, {10, 10, 10, 10, 10}},
        {100000, {10, 10, 10, 10, 10}},
        {2147483647, {10, 10, 10, 10, 10}},
        {-9999, {0, 10, 10, 10, 10}},
        {-10000, {0, 10, 10, 10, 10}},
        {-2147483647 - 1, {0, 10, 10, 10, 10}},
        {1207, {2, 3, 1, 8}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(timeGlyphs(c.time), c.glyphs) << c.time;
}

TEST(Counters, SizeGlyphs) {
    EXPECT_EQ(sizeGlyphs(10, 7), (std::vector<int32_t>{2, 1, 11, 8}));
    EXPECT_EQ(sizeGlyphs(34, 23), (std::vector<int32_t>{4, 5, 11, 3, 4}));
}

TEST(Counters, RightButtonsStayFlushRight) {
    EXPECT_EQ(rightButtonLeft(734, 0), 682); // exit
    EXPECT_EQ(rightButtonLeft(734, 1), 630); // rules
    EXPECT_EQ(rightButtonLeft(734, 2), 578); // information
    EXPECT_EQ(rightButtonLeft(734, 3), 526); // options
    EXPECT_EQ(rightButtonLeft(1000, 0), 948);
}
