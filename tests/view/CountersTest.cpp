// SPDX-License-Identifier: MIT
// The counters' glyph sequences and the right-hand button places.
#include "view/Counters.h"

#include <gtest/gtest.h>

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
