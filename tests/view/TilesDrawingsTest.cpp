// SPDX-License-Identifier: MIT
// Pixel checks of the bevelled squares and the four tile looks, and the delay.
#include "view/TilesDrawings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr RgbColor grey(uint32_t level) {
    return level << 16 | level << 8 | level;
}

constexpr RgbColor Background = 0x3366CC;

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(0xFF000000u | Background);
    return img;
}

RgbColor at(const QImage& img, int x, int y) {
    const uint32_t raw = reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
    EXPECT_EQ(raw >> 24, 0xFFu) << "alpha at " << x << "," << y;
    return raw & 0xFFFFFF;
}

// One character per pixel from a legend of colours; '?' for anything else.
std::vector<std::string> picture(const QImage& img, const std::map<RgbColor, char>& legend) {
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x) {
            const auto it = legend.find(at(img, x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

struct BevelCase {
    const char* name;
    int size;
    std::vector<std::string> expected; // drawn at (1, 1) on a background one pixel wider
};

class BevelSquareLook : public ::testing::TestWithParam<BevelCase> {};

TEST_P(BevelSquareLook, EdgesAreTrianglesWithFillOnTheMitres) {
    const BevelCase& c = GetParam();
    QImage img = blank(c.size + 2, c.size + 2);
    Canvas canvas(img);
    bevelSquare(canvas, 1, 1, c.size, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555);
    const std::map<RgbColor, char> legend{{Background, '.'}, {0x111111, 'F'}, {0x222222, 'T'},
                                          {0x333333, 'R'},   {0x444444, 'B'}, {0x555555, 'L'}};
    EXPECT_EQ(picture(img, legend), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tiles, BevelSquareLook,
    ::testing::Values(
        BevelCase{"Size2NoRings", 2, {"....", ".FF.", ".FF.", "...."}},
        BevelCase{"Size3NoRings", 3, {".....", ".FFF.", ".FFF.", ".FFF.", "....."}},
        BevelCase{"Size4OneRing", 4, {"......", ".FTTF.", ".LFFR.", ".LFFR.", ".FBBF.", "......"}},
        BevelCase{"Size5OneRingOddCentre",
                  5,
                  {".......", ".FTTTF.", ".LFFFR.", ".LFFFR.", ".LFFFR.", ".FBBBF.", "......."}},
        BevelCase{"Size6TwoRings",
                  6,
                  {"........", ".FTTTTF.", ".LFTTFR.", ".LLFFRR.", ".LLFFRR.", ".LFBBFR.",
                   ".FBBBBF.", "........"}},
        BevelCase{"Size0Nothing", 0, {"..", ".."}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Probe {
    int x, y;
    RgbColor color;
};

struct TileCase {
    const char* name;
    int size;
    int type;
    std::vector<Probe> probes; // relative to the tile's corner
};

class TileLook : public ::testing::TestWithParam<TileCase> {};

TEST_P(TileLook, MatchesTheProbes) {
    const TileCase& c = GetParam();
    // Drawn at (2, 3) so that an origin mistake shows; the surrounding pixels stay untouched.
    QImage img = blank(c.size + 4, c.size + 6);
    Canvas canvas(img);
    drawTile(canvas, 2, 3, c.size, c.type);
    for (const Probe& p : c.probes)
        EXPECT_EQ(at(img, 2 + p.x, 3 + p.y), p.color) << "at " << p.x << "," << p.y;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (x < 2 || y < 3 || x >= 2 + c.size || y >= 3 + c.size) {
                ASSERT_EQ(at(img, x, y), Background) << "outside at " << x << "," << y;
            }
        }
    // The frame ring is black in every look.
    for (int i = 0; i < c.size; ++i) {
        ASSERT_EQ(at(img, 2 + i, 3), 0u);
        ASSERT_EQ(at(img, 2 + i, 3 + c.size - 1), 0u);
        ASSERT_EQ(at(img, 2, 3 + i), 0u);
        ASSERT_EQ(at(img, 2 + c.size - 1, 3 + i), 0u);
    }
}

// Outer face: fill 200, top 208, right 144, bottom 112, left 176.
INSTANTIATE_TEST_SUITE_P(
    Tiles, TileLook,
    ::testing::Values(
        // Size 20, type 2: outer bevel over 1..18 with 8 rings, flat square at 4 of size 12.
        TileCase{
            "Size20Type2", 20, 2, {{1, 1, grey(200)},  {2, 1, grey(208)},   {17, 1, grey(208)},
                                   {18, 1, grey(200)}, {18, 2, grey(144)},  {2, 18, grey(112)},
                                   {1, 2, grey(176)},  {3, 3, grey(200)},   {4, 3, grey(208)},
                                   {15, 3, grey(208)}, {16, 10, grey(144)}, {10, 16, grey(112)},
                                   {3, 10, grey(176)}, {4, 4, grey(192)},   {15, 4, grey(192)},
                                   {4, 15, grey(192)}, {15, 15, grey(192)}, {10, 4, grey(192)},
                                   {5, 5, grey(160)},  {14, 14, grey(160)}, {10, 10, grey(160)}}},
        // Size 31 (a 36-pixel cell): outer bevel at 1 of size 29 with 13 rings.
        TileCase{"Size31Type1",
                 31,
                 1,
                 {{1, 1, grey(200)},
                  {15, 1, grey(208)},
                  {15, 13, grey(208)},
                  {14, 14, grey(200)},
                  {15, 15, grey(200)},
                  {16, 16, grey(200)},
                  {13, 13, grey(200)},
                  {29, 15, grey(144)},
                  {17, 15, grey(144)},
                  {15, 29, grey(112)},
                  {15, 17, grey(112)},
                  {1, 15, grey(176)},
                  {13, 15, grey(176)},
                  {29, 29, grey(200)},
                  {8, 20, grey(176)},
                  {10, 20, grey(200)}}},
        // Types 2 to 4: inner part at inset 6 with size 19.
        TileCase{"Size31Type2",
                 31,
                 2,
                 {{5, 15, grey(176)},
                  {15, 5, grey(208)},
                  {6, 6, grey(192)},
                  {24, 24, grey(192)},
                  {24, 6, grey(192)},
                  {7, 7, grey(160)},
                  {15, 15, grey(160)},
                  {23, 23, grey(160)},
                  {25, 15, grey(144)},
                  {15, 25, grey(112)}}},
        TileCase{"Size31Type3",
                 31,
                 3,
                 {{6, 6, grey(200)},
                  {15, 6, grey(112)},
                  {24, 15, grey(176)},
                  {15, 24, grey(208)},
                  {6, 15, grey(144)},
                  {15, 15, grey(200)},
                  {14, 14, grey(200)},
                  {15, 13, grey(112)},
                  {5, 15, grey(176)},
                  {25, 15, grey(144)}}},
        TileCase{"Size31Type4",
                 31,
                 4,
                 {{6, 6, grey(176)},
                  {15, 6, grey(144)},
                  {24, 15, grey(80)},
                  {15, 24, grey(64)},
                  {6, 15, grey(112)},
                  {15, 15, grey(176)},
                  {16, 16, grey(176)},
                  {17, 15, grey(80)},
                  {15, 25, grey(112)}}},
        TileCase{"Size2IsJustTheFrame", 2, 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Tiles, UnknownTypesGiveASolidBlackSquare) {
    for (int type : {0, 5, -1}) {
        QImage img = blank(24, 24);
        Canvas canvas(img);
        drawTile(canvas, 2, 1, 20, type);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                const bool inside = x >= 2 && x < 22 && y >= 1 && y < 21;
                ASSERT_EQ(at(img, x, y), inside ? 0u : Background)
                    << "type " << type << " at " << x << "," << y;
            }
    }
}

TEST(Tiles, EmptyOrNegativeSizeDrawsNothing) {
    for (int size : {0, -1, -7}) {
        QImage img = blank(8, 8);
        Canvas canvas(img);
        drawTile(canvas, 4, 4, size, 1);
        filledSquare(canvas, 4, 4, size, 0, 0);
        EXPECT_EQ(img, blank(8, 8)) << "size " << size;
    }
}

TEST(Tiles, TileAtTheImageEdgeIsClipped) {
    QImage img = blank(10, 10);
    Canvas canvas(img);
    drawTile(canvas, 5, -3, 20, 4);
    drawTile(canvas, -15, 6, 20, 2);
    EXPECT_EQ(at(img, 5, 0), 0u); // left frame column of the first tile
    EXPECT_EQ(at(img, 6, 5), grey(176));
    EXPECT_EQ(at(img, 4, 5), Background);
    EXPECT_EQ(at(img, 4, 6), 0u); // right frame column of the second tile
    EXPECT_EQ(at(img, 4, 9), 0u);
    EXPECT_EQ(at(img, 0, 7), grey(208));
}

TEST(Delay, ZeroStillWaitsForTheTickToMove) {
    const uint32_t start = tickCount();
    delay(0);
    EXPECT_NE(tickCount(), start);
}

TEST(Delay, WaitsAtLeastTheGivenTime) {
    const uint32_t start = tickCount();
    delay(30);
    EXPECT_GT(tickCount() - start, 30u);
}

TEST(Delay, NegativeTimesReturnAtOnce) {
    for (int32_t ms : {-1, -200, INT32_MIN}) {
        // On its own thread, so that a wait that never ends fails the test instead of hanging it.
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::thread([ms, done] {
            delay(ms);
            *done = true;
        }).detach();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!*done && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_TRUE(*done) << ms << " ms";
    }
}
