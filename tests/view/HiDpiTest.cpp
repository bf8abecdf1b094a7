// SPDX-License-Identifier: MIT
// The board and the tool bar on a scaled screen: drawn in the screen's own pixels and shown
// one to one, lines of one width, glyphs drawn at full resolution, the mouse on the right cell.
// CTest runs this program at several scales (QT_SCALE_FACTOR).
#include "view/BoardPainter.h"
#include "view/Counters.h"
#include "view/ImageSet.h"
#include "view/ToolBarPainter.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

qreal screenScale() {
    PaintBox probe;
    probe.show();
    return probe.devicePixelRatioF();
}

template <size_t N> void setClues(int32_t (&clues)[N], int32_t& count, std::vector<int> values) {
    count = int32_t(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        clues[i + 1] = values[i];
}

// A 10 x 7 board with two-digit clues, every fourth cell uncovered.
struct Board {
    Puzzle puzzle;
    BitmapList bmps = loadMainBitmaps();
    PaintBox box;
    BoardPainter painter{puzzle, bmps, box};

    Board() {
        puzzle.colCount = 10;
        puzzle.rowCount = 7;
        puzzle.maxRowClues = 2;
        puzzle.maxColClues = 2;
        for (int r = 1; r <= 7; ++r)
            setClues(puzzle.rowClues[r], puzzle.rowClueCount[r], {1, 8});
        for (int c = 1; c <= 10; ++c)
            setClues(puzzle.colClues[c], puzzle.colClueCount[c], {4, 10});
        for (int c = 1; c <= 10; ++c)
            for (int r = 1; r <= 7; ++r)
                puzzle.grid[c][r] =
                    (c + r) % 4 == 0 ? CellState::Uncovered : CellState::HiddenEmpty;
        box.resize(751, 423);
        box.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
        painter.computeLayout();
        painter.prepareBackground();
        painter.prepareTile();
        painter.paint();
    }
    QRect cell(int col, int row) const {
        const int s = painter.layout().cellSize;
        return QRect(painter.layout().boardLeft + (col - 1) * s,
                     painter.layout().boardTop + (row - 1) * s, s, s);
    }
};

bool black(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

// Widths of the runs of pure black along a line of pixels from `from` in steps of `step`.
std::vector<int> blackRuns(const QImage& image, QPoint from, QPoint step, int length) {
    std::vector<int> runs;
    int run = 0;
    for (int i = 0; i < length; ++i) {
        const QPoint p = from + step * i;
        if (black(image, p.x(), p.y())) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run > 0) runs.push_back(run);
    return runs;
}

} // namespace

TEST(HiDpi, TheSurfaceHasTheScreensPixelsAndReachesItOneToOne) {
    const qreal scale = screenScale();
    PaintBox box;
    box.resize(101, 57);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QSize pixels = box.surfaceSize();
    EXPECT_EQ(pixels, QSize(int(std::ceil(101 * scale - 1e-6)), int(std::ceil(57 * scale - 1e-6))));
    EXPECT_EQ(box.lineUnit(), std::max(1, int(std::lround(scale))));
    // A checkerboard of single pixels survives only a copy that neither smooths nor doubles.
    QImage& surface = box.surface();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
    box.flush();
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = std::min(shown.width(), surface.width()) - 1;
    const int h = std::min(shown.height(), surface.height()) - 1;
    ASSERT_GE(w, 100);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            wrong += shown.pixel(x, y) != surface.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}

TEST(HiDpi, AClickLandsOnTheCellUnderThePointer) {
    Board b;
    const qreal scale = b.box.scale();
    std::vector<QPoint> pressed;
    QObject::connect(&b.box, &PaintBox::mousePressed,
                     [&](Qt::MouseButton, int32_t x, int32_t y) { pressed.emplace_back(x, y); });
    // The logical point in the middle of cell (7, 5), as the window system reports it.
    const QRect cell = b.cell(7, 5);
    const QPoint logical(int(cell.center().x() / scale), int(cell.center().y() / scale));
    QTest::mouseClick(&b.box, Qt::LeftButton, {}, logical);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_TRUE(cell.contains(pressed[0])) << pressed[0].x() << "," << pressed[0].y();
}

TEST(HiDpi, EveryCellOutlineAndTheBoardFrameHaveOneWidth) {
    Board b;
    // One point of line is 1 pixel up to 1.25, 2 at 1.5 and 2, 3 at 3.
    const int unit = std::max(1, int(std::lround(b.box.scale())));
    const QImage& surface = b.box.surface();
    std::set<int> outline;
    for (int c = 1; c <= 10; ++c)
        for (int r = 1; r <= 7; ++r) {
            if (b.puzzle.grid[c][r] != CellState::Uncovered) continue;
            const QRect cell = b.cell(c, r);
            // Across the middle of the cell: the tile's black frame on both sides, nothing else.
            for (int run : blackRuns(surface, QPoint(cell.left(), cell.center().y()), QPoint(1, 0),
                                     cell.width()))
                outline.insert(run);
            for (int run : blackRuns(surface, QPoint(cell.center().x(), cell.top()), QPoint(0, 1),
                                     cell.height()))
                outline.insert(run);
        }
    EXPECT_EQ(outline, std::set<int>{unit});
    // The board's frame: lines of 1, 3 and 1 units at 0, 2 and 6 units from the edge.
    const std::vector<int> frame =
        blackRuns(surface, QPoint(0, surface.height() / 2), QPoint(1, 0), 8 * unit);
    EXPECT_EQ(frame, (std::vector<int>{unit, 3 * unit, unit}));
}

TEST(HiDpi, ClueNumbersAreDrawnAtTheScreensResolution) {
    Board b;
    const qreal scale = b.box.scale();
    const int s = b.painter.layout().cellSize;
    // The first row's "8": white text on the slot shade, as tall as the cell's font says.
    const QRect slot(b.painter.layout().boardLeft - s, b.painter.layout().boardTop, s, s);
    const QImage digit = b.box.surface().copy(slot);
    int top = s, bottom = -1;
    for (int y = 0; y < digit.height(); ++y)
        for (int x = 0; x < digit.width(); ++x)
            if (qGray(digit.pixel(x, y)) > 230)
                top = std::min(top, y), bottom = std::max(bottom, y);
    ASSERT_GE(bottom, top);
    const double fontPixels = std::lround(b.painter.layout().halfCell * 96 / 72.0);
    EXPECT_NEAR(bottom - top + 1, fontPixels * 0.72, fontPixels * 0.12);
    if (scale < 2) return;
    // Not a small picture made bigger: at 2x and 3x some block of whole-point pixels is mixed.
    const int k = int(scale);
    bool mixed = false;
    for (int y = 0; y + k <= digit.height() && !mixed; y += k)
        for (int x = 0; x + k <= digit.width() && !mixed; x += k)
            for (int i = 0; i < k * k && !mixed; ++i)
                mixed = digit.pixel(x + i % k, y + i / k) != digit.pixel(x, y);
    EXPECT_TRUE(mixed);
}

TEST(HiDpi, CountersAndBackgroundFollowTheScale) {
    const qreal scale = screenScale();
    const BitmapList bmps = loadMainBitmaps();
    ToolBarPainter painter(bmps);
    painter.scale = scale;
    painter.backgroundMode = 2;
    QImage bar(int(std::ceil(750 * scale)), int(std::ceil(ToolBarHeight * scale)),
               QImage::Format_RGB32);
    painter.paintToolBar(bar);
    const QRect field = painter.drawTime(bar, 1234);
    EXPECT_EQ(field.topLeft(), QPoint(int(TimeFieldLeft * scale), int(CounterTop * scale)));
    EXPECT_NEAR(field.width(), CounterWidth * scale, 1.0);
    // The digits' yellow, solid inside the strokes, and nothing drawn outside the field.
    int yellow = 0;
    for (int y = 0; y < bar.height(); ++y)
        for (int x = 0; x < bar.width(); ++x)
            if ((bar.pixel(x, y) & 0xFFFFFF) == 0xFFD91F) {
                ++yellow;
                EXPECT_TRUE(field.contains(x, y));
            }
    EXPECT_GT(yellow, int(40 * scale * scale));
    // The background tile covers the same points as at scale 1.
    const BackgroundTiles tiles = backgroundTiles(bmps, 2, scale);
    const QSize plain = backgroundTileSize(bmps.item(BackgroundStripItem));
    EXPECT_EQ(tiles.shade.size(), scale > 1 ? QSize(int(std::lround(plain.width() * scale)),
                                                    int(std::lround(plain.height() * scale)))
                                            : plain);
    EXPECT_EQ(bar.pixel(3, 3), tiles.shade.pixel(3, 3));
}
