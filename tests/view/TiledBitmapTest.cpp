// SPDX-License-Identifier: MIT
// A repeated tile read as a whole picture gives exactly the pixels of the picture drawn out.
#include "view/TiledBitmap.h"

#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A tile whose every pixel differs, not square, so that a wrong offset or axis shows.
QImage makeTile(int w, int h) {
    QImage tile(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            tile.setPixel(x, y, qRgb(20 + x * 5, 30 + y * 7, 200 - x - y));
    return tile;
}

// A destination in a colour no source has, so that pixels left untouched show.
QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    return image;
}

TEST(TiledBitmap, WholePictureMatchesTheDrawnOneAtEverySize) {
    const QImage tile = makeTile(10, 8);
    const QSize sizes[] = {{0, 0},   {1, 1},   {3, 40},  {7, 7},   {13, 13},   {14, 14},
                           {15, 16}, {16, 16}, {17, 30}, {57, 43}, {734, 385}, {100, 9}};
    for (bool framed : {true, false})
        for (const QSize& size : sizes) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " framed " << framed);
            const TiledBitmap tiled(size, tile, framed);
            EXPECT_EQ(tiled.size(), size);
            if (size.isEmpty()) continue;
            EXPECT_EQ(tiled.toImage(), TiledBitmap::drawFull(size, tile, framed));
        }
}

TEST(TiledBitmap, BlocksAreCopiedAndClippedLikeBlockCopy) {
    const QImage tile = makeTile(10, 8);
    const QSize size(61, 47);
    const TiledBitmap tiled(size, tile, true);
    const QImage full = TiledBitmap::drawFull(size, tile, true);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-20, 70), extent(0, 40);
    for (int i = 0; i < 400; ++i) {
        const int dx = coordinate(random), dy = coordinate(random), sx = coordinate(random),
                  sy = coordinate(random), w = extent(random), h = extent(random);
        SCOPED_TRACE(testing::Message() << "block " << w << "x" << h << " from " << sx << "," << sy
                                        << " to " << dx << "," << dy);
        QImage expected = canvas(50, 40), got = canvas(50, 40);
        blockCopy(expected, dx, dy, w, h, full, sx, sy);
        tiled.copyTo(got, dx, dy, w, h, sx, sy);
        ASSERT_EQ(got, expected);
    }
}

} // namespace
