// SPDX-License-Identifier: MIT
// Block copies with raster operations, line and rectangle geometry, text placement.
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

QImage filled(int w, int h, QRgb value) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(value);
    return img;
}

// Raw stored word, alpha included: pixel() would hide a wrong alpha byte.
uint32_t raw(const QImage& img, int x, int y) {
    return reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
}

// One character per pixel: '#' for ink, '.' for the background colour.
std::vector<std::string> picture(const QImage& img, QRgb ink) {
    std::vector<std::string> rows;
    for (int y = 0; y < img.height(); ++y) {
        std::string row;
        for (int x = 0; x < img.width(); ++x)
            row += raw(img, x, y) == (0xFF000000u | ink) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// Distinct pixel per position, so a wrong source offset shows.
QImage numbered(int w, int h, uint32_t base) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            reinterpret_cast<uint32_t*>(img.scanLine(y))[x] = 0xFF000000u | (base + y * 16 + x);
    return img;
}

} // namespace

struct RopCase {
    const char* name;
    RasterOp rop;
    uint32_t src[2];
    uint32_t dst[2];
    uint32_t expected[2];
};

class BlockCopyRop : public ::testing::TestWithParam<RopCase> {};

// 1 x 2 images: a lost alpha byte or a premultiplied format changes the stored words.
TEST_P(BlockCopyRop, CombinesRgbAndKeepsPixelsOpaque) {
    const RopCase& c = GetParam();
    QImage src(1, 2, QImage::Format_RGB32), dst(1, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y) {
        reinterpret_cast<uint32_t*>(src.scanLine(y))[0] = 0xFF000000u | c.src[y];
        reinterpret_cast<uint32_t*>(dst.scanLine(y))[0] = 0xFF000000u | c.dst[y];
    }
    blockCopy(dst, 0, 0, 1, 2, src, 0, 0, c.rop);
    EXPECT_EQ(dst.format(), QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(raw(dst, 0, y), 0xFF000000u | c.expected[y]) << "pixel " << y;
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, BlockCopyRop,
    ::testing::Values(
        RopCase{"Copy",
                RasterOp::Copy,
                {0xFF00FF, 0x123456},
                {0x00FFFF, 0xABCDEF},
                {0xFF00FF, 0x123456}},
        RopCase{
            "And", RasterOp::And, {0xFF00FF, 0xF0F0F0}, {0x00FFFF, 0x3C3C3C}, {0x0000FF, 0x303030}},
        RopCase{
            "Or", RasterOp::Or, {0xFF00FF, 0x0F0F00}, {0x00FFFF, 0x30F00F}, {0xFFFFFF, 0x3FFF0F}},
        RopCase{"AndWithBlackIsBlack",
                RasterOp::And,
                {0x000000, 0xFFFFFF},
                {0xFFFFFF, 0x808080},
                {0x000000, 0x808080}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClipCase {
    const char* name;
    int dx, dy, w, h, sx, sy;
};

class BlockCopyClip : public ::testing::TestWithParam<ClipCase> {};

// Every destination pixel either comes from the right source pixel or is untouched;
// under the address sanitizer this also proves that nothing outside is touched.
TEST_P(BlockCopyClip, CopiesExactlyTheOverlap) {
    const ClipCase& c = GetParam();
    for (RasterOp rop : {RasterOp::Copy, RasterOp::Or}) {
        const QImage src = numbered(5, 4, 0x100000);
        QImage dst = filled(6, 3, 0x000000);
        blockCopy(dst, c.dx, c.dy, c.w, c.h, src, c.sx, c.sy, rop);
        for (int y = 0; y < dst.height(); ++y)
            for (int x = 0; x < dst.width(); ++x) {
                const int bx = x - c.dx, by = y - c.dy;
                const int fx = bx + c.sx, fy = by + c.sy;
                const bool inside = bx >= 0 && by >= 0 && bx < c.w && by < c.h && fx >= 0 &&
                                    fy >= 0 && fx < src.width() && fy < src.height();
                const uint32_t expected = inside ? raw(src, fx, fy) : 0xFF000000u;
                ASSERT_EQ(raw(dst, x, y), expected) << "at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Canvas, BlockCopyClip,
                         ::testing::Values(ClipCase{"Inside", 1, 1, 2, 2, 2, 1},
                                           ClipCase{"WholeImage", 0, 0, 5, 4, 0, 0},
                                           ClipCase{"NegativeDestination", -2, -1, 4, 3, 0, 0},
                                           ClipCase{"NegativeSource", 1, 0, 4, 3, -2, -1},
                                           ClipCase{"PastRightAndBottom", 4, 2, 9, 9, 0, 0},
                                           ClipCase{"SourcePastEnd", 0, 0, 4, 4, 3, 2},
                                           ClipCase{"ZeroWidth", 0, 0, 0, 3, 0, 0},
                                           ClipCase{"NegativeHeight", 0, 0, 3, -2, 0, 0},
                                           ClipCase{"FarAway", 2000000000, 0, 5, 5, 0, 0},
                                           ClipCase{"FarNegative", -2000000000, -2000000000,
                                                    2100000000, 2100000000, 0, 0},
                                           ClipCase{"SourceFarOff", 0, 0, 5, 5, -2000000000, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Canvas, OverlappingCopyWithinOneImageMovesTheOriginalPixels) {
    struct Shift {
        int dx, dy;
    };
    for (Shift s : {Shift{0, 1}, Shift{1, 0}, Shift{0, -1}, Shift{-1, 0}, Shift{1, 1}}) {
        QImage img = numbered(5, 5, 0x200000);
        const QImage before = img.copy();
        blockCopy(img, 1 + s.dx, 1 + s.dy, 3, 3, img, 1, 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x)
                ASSERT_EQ(raw(img, 1 + s.dx + x, 1 + s.dy + y), raw(before, 1 + x, 1 + y))
                    << "shift " << s.dx << "," << s.dy;
    }
}

TEST(Canvas, SharedCopyOfTheDestinationStaysUnchanged) {
    QImage dst = filled(3, 3, 0x111111);
    const QImage shared = dst; // implicitly shared data
    blockCopy(dst, 0, 0, 1, 1, filled(1, 1, 0x222222), 0, 0);
    EXPECT_EQ(raw(dst, 0, 0), 0xFF222222u);
    EXPECT_EQ(raw(shared, 0, 0), 0xFF111111u);
}

struct ShapeCase {
    const char* name;
    int penWidth;
    bool fill;
    std::vector<QPoint> path; // a line path, or two corners when rect is set
    bool rect;
    std::vector<std::string> expected;
};

class CanvasShape : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(CanvasShape, SetsExactlyThesePixels) {
    const ShapeCase& c = GetParam();
    QImage img = filled(int(c.expected[0].size()), int(c.expected.size()), 0xFFFFFF);
    Canvas canvas(img);
    canvas.pen.color = 0x000000;
    canvas.pen.width = c.penWidth;
    canvas.brush.style = c.fill ? BrushStyle::Solid : BrushStyle::Clear;
    canvas.brush.color = 0x000000;
    if (c.rect)
        canvas.rectangle(c.path[0].x(), c.path[0].y(), c.path[1].x(), c.path[1].y());
    else
        canvas.polyline(c.path);
    EXPECT_EQ(picture(img, 0x000000), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, CanvasShape,
    ::testing::Values(
        ShapeCase{"LineRightLeavesEnd",
                  1,
                  false,
                  {{1, 1}, {5, 1}},
                  false,
                  {"........", ".####...", "........", "........", "........", "........"}},
        ShapeCase{"LineLeftLeavesEnd",
                  1,
                  false,
                  {{5, 1}, {1, 1}},
                  false,
                  {"........", "..####..", "........", "........", "........", "........"}},
        ShapeCase{"LineDownAndUp",
                  1,
                  false,
                  {{1, 0}, {1, 3}, {1, 5}, {1, 4}},
                  false,
                  {".#......", ".#......", ".#......", ".#......", ".#......", ".#......"}},
        ShapeCase{"ZeroLengthDrawsNothing",
                  1,
                  false,
                  {{2, 2}, {2, 2}},
                  false,
                  {"........", "........", "........", "........", "........", "........"}},
        ShapeCase{"ClosedPathSetsWholeRing",
                  1,
                  false,
                  {{1, 4}, {1, 1}, {4, 1}, {4, 4}, {1, 4}},
                  false,
                  {"........", ".####...", ".#..#...", ".#..#...", ".####...", "........"}},
        ShapeCase{"RectangleLeavesRightAndBottom",
                  1,
                  false,
                  {{1, 1}, {5, 4}},
                  true,
                  {"........", ".####...", ".#..#...", ".####...", "........", "........"}},
        ShapeCase{"FilledRectangle",
                  1,
                  true,
                  {{1, 1}, {3, 3}},
                  true,
                  {"........", ".##.....", ".##.....", "........", "........", "........"}},
        ShapeCase{"WidePenCentredOnOutline",
                  3,
                  false,
                  {{2, 2}, {8, 7}},
                  true,
                  {"..........", ".########.", ".########.", ".########.", ".###..###.",
                   ".########.", ".########.", ".########.", ".........."}},
        ShapeCase{"EmptyRectangle",
                  1,
                  true,
                  {{3, 3}, {3, 5}},
                  true,
                  {"........", "........", "........", "........", "........", "........"}},
        ShapeCase{"ClippedAtTheEdges",
                  1,
                  false,
                  {{-2, -2}, {9, 3}},
                  true,
                  {"........", "........", "########", "........", "........", "........"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Canvas, TextIsCentredOnXWithYAsTopAndNoBackground) {
    QImage img = filled(120, 60, 0x102030);
    Canvas canvas(img);
    canvas.font = QFont("Arial");
    canvas.font.setPixelSize(24);
    canvas.fontColor = 0xFFFFFF;
    canvas.textOut(60, 20, "188");
    int left = img.width(), right = -1, top = img.height(), bottom = -1;
    int changed = 0, white = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const uint32_t p = raw(img, x, y);
            if (p == 0xFF102030u) continue;
            ++changed;
            white += p == 0xFFFFFFFFu;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    ASSERT_GT(white, 10);
    EXPECT_NEAR((left + right) / 2.0, 60, 3);
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 20 + 8);
    EXPECT_LE(bottom, 20 + 24);
    // Transparent background: only glyph pixels change, far fewer than the text box.
    EXPECT_LT(changed, (right - left + 1) * (bottom - top + 1));
}
