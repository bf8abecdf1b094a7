// SPDX-License-Identifier: MIT
// Tool bar pixels: background tiling, field restore and the glyph sprites.
#include "view/ToolBarPainter.h"
#include "view/Counters.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr QRgb Yellow = 0xFFFFD91F;

// A strip whose every pixel tells where it came from, and digit sprites whose glyph g is a
// bar g + 1 pixels wide: enough to tell glyphs, pieces and rows apart.
BitmapList syntheticBitmaps(int tile) {
    std::vector<QImage> items(17);
    QImage strip(2 * tile, 7 * tile, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    items[0] = strip;
    QImage digits(240, 54, QImage::Format_RGB32);
    digits.fill(Qt::black);
    for (int g = 0; g < 12; ++g)
        for (int y = 5; y < 20; ++y)
            for (int x = 2; x < 3 + g; ++x) {
                digits.setPixel(20 * g + x, y, Yellow);
                digits.setPixel(20 * g + x, 27 + y, 0xFF000000);
            }
    for (int y = 27; y < 54; ++y)
        for (int x = 0; x < 240; ++x)
            if (digits.pixel(x, y) != 0xFF000000 || digits.pixel(x, y - 27) != Yellow)
                digits.setPixel(x, y, 0xFFFFFFFF);
    items[10] = digits;
    return BitmapList(std::move(items));
}

bool inGlyph(int x, int y, int left, const std::vector<int32_t>& glyphs) {
    if (y < CounterTop + 5 || y >= CounterTop + 20) return false;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const int gx = x - left - 20 * static_cast<int>(i);
        if (gx >= 2 && gx < 3 + glyphs[i]) return true;
    }
    return false;
}

// Every pixel of the tool bar is either the background tile or a glyph pixel where expected.
void expectToolBar(const QImage& bar, const BitmapList& bmps, int backMode, int tile,
                   const std::vector<int32_t>& sizeGlyphs, const std::vector<int32_t>& timeGlyphs) {
    const QImage& strip = bmps.item(0);
    int bad = 0;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x) {
            const bool glyph = inGlyph(x, y, SizeFieldLeft, sizeGlyphs) ||
                               inGlyph(x, y, TimeFieldLeft, timeGlyphs);
            const QRgb want = glyph ? Yellow : strip.pixel(tile + x % tile, tile * backMode + y);
            if (bar.pixel(x, y) != want && ++bad < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << std::hex << " is " << bar.pixel(x, y)
                              << " want " << want;
        }
    EXPECT_EQ(bad, 0);
}

} // namespace

TEST(ToolBarPainter, BackgroundAndCountersForEveryTileSize) {
    for (int tile : {100, 80}) {
        SCOPED_TRACE(tile);
        const BitmapList bmps = syntheticBitmaps(tile);
        ToolBarPainter painter(bmps);
        painter.backgroundMode = 3;
        QImage bar(734, ToolBarHeight, QImage::Format_RGB32);
        bar.fill(Qt::red);
        painter.paintToolBar(bar);
        EXPECT_EQ(painter.drawSize(bar, 34, 23), QRect(220, 22, 100, 27));
        EXPECT_EQ(painter.drawTime(bar, -5), QRect(360, 22, 100, 27));
        expectToolBar(bar, bmps, 3, tile, {4, 5, 11, 3, 4}, {0, 6});
    }
}

TEST(ToolBarPainter, AShorterNumberLeavesNoTrace) {
    const BitmapList bmps = syntheticBitmaps(100);
    ToolBarPainter painter(bmps);
    painter.backgroundMode = 6;
    QImage bar(800, ToolBarHeight, QImage::Format_RGB32);
    painter.paintToolBar(bar);
    painter.drawSize(bar, 34, 23);
    painter.drawTime(bar, 123456);
    painter.drawSize(bar, 10, 7);
    painter.drawTime(bar, 0);
    expectToolBar(bar, bmps, 6, 100, {2, 1, 11, 8}, {1});
}
