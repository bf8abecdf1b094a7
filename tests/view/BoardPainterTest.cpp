// SPDX-License-Identifier: MIT
// The board picture: layout, background bitmaps, the three cell looks and the clue panels.
#include "view/BoardPainter.h"
#include "view/CursorOverlay.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int TW = 10, TH = 8; // tile size of the test strip; not square, to catch swapped axes

// Flat colours per strip row: left tile (board) and right tile (shade). None is black,
// white or the grey of done clues, so every pixel can be classified.
QRgb boardColor(int row) {
    return 0xFF102030u + 0x010101u * row;
}
QRgb shadeColor(int row) {
    return 0xFF405060u + 0x010101u * row;
}

// The background strip: two tiles in each of seven rows; a pattern inside each tile makes
// a copy from the wrong position visible.
QImage strip(bool patterned) {
    QImage strip(2 * TW, 7 * TH, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const int row = y / TH;
            QRgb c = x < TW ? boardColor(row) : shadeColor(row);
            if (patterned) c += ((x % TW) * 3 + (y % TH) * 7) % 16 << 8;
            strip.setPixel(x, y, c);
        }
    return strip;
}

uint32_t raw(const QImage& img, int x, int y) {
    return reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
}

struct Board {
    Puzzle puzzle;
    BitmapList bmps;
    PaintBox box;
    BoardPainter painter{puzzle, bmps, box};

    explicit Board(bool patterned = false) : bmps(std::vector<QImage>{strip(patterned)}) {}

    // What the level set-up and the resize handler do.
    void show(int w, int h) {
        box.resize(w, h);
        painter.computeLayout();
        painter.prepareBackground();
        painter.prepareTile();
        painter.paint();
    }
    int s() const { return painter.layout().cellSize; }
    QRect cell(int col, int row) const {
        return QRect(painter.layout().boardLeft + (col - 1) * s(),
                     painter.layout().boardTop + (row - 1) * s(), s(), s());
    }
    QRect rowSlot(int row, int k) const {
        return QRect(painter.layout().boardLeft - k * s(),
                     painter.layout().boardTop + (row - 1) * s() + 2, s(), s() - 3);
    }
    QRect colSlot(int col, int k) const {
        return QRect(painter.layout().boardLeft + (col - 1) * s() + 2,
                     painter.layout().boardTop - k * s(), s() - 3, s());
    }
    QImage shown(const QRect& r) { return box.surface().copy(r); }
};

void setRowClues(Puzzle& p, int row, std::vector<int> clues) {
    p.rowClueCount[row] = int(clues.size());
    for (size_t i = 0; i < clues.size(); ++i)
        p.rowClues[row][i + 1] = clues[i];
}

void setColClues(Puzzle& p, int col, std::vector<int> clues) {
    p.colClueCount[col] = int(clues.size());
    for (size_t i = 0; i < clues.size(); ++i)
        p.colClues[col][i + 1] = clues[i];
}

// The 10 x 7 board of the worked layout: at most three clues per row and per column.
void smallPuzzle(Puzzle& p) {
    p.colCount = 10;
    p.rowCount = 7;
    p.maxRowClues = 3;
    p.maxColClues = 3;
    for (int r = 1; r <= 7; ++r)
        setRowClues(p, r, {4});
    for (int c = 1; c <= 10; ++c)
        setColClues(p, c, {5});
    setRowClues(p, 1, {2, 1, 1});
    setRowClues(p, 2, {2});
    setColClues(p, 1, {3, 1, 2});
    setColClues(p, 2, {2});
    setColClues(p, 3, {3});
}

// The largest board with the most clues: every other cell filled.
void largestPuzzle(Puzzle& p) {
    p.colCount = 34;
    p.rowCount = 23;
    p.maxRowClues = 17;
    p.maxColClues = 12;
    for (int r = 1; r <= 23; ++r)
        setRowClues(p, r, std::vector<int>(17, 1));
    for (int c = 1; c <= 34; ++c)
        setColClues(p, c, std::vector<int>(12, 1));
}

int count(const QImage& img, QRgb value) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += raw(img, x, y) == value;
    return n;
}

} // namespace

struct LayoutCase {
    const char* name;
    int w, h, cols, rows, maxRow, maxCol;
    BoardLayout expected;
};

class BoardLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(BoardLayoutTest, FitsBoardAndPanelsIntoTheBox) {
    const LayoutCase& c = GetParam();
    Board b;
    b.puzzle.colCount = c.cols;
    b.puzzle.rowCount = c.rows;
    b.puzzle.maxRowClues = c.maxRow;
    b.puzzle.maxColClues = c.maxCol;
    b.box.resize(c.w, c.h);
    b.painter.computeLayout();
    const BoardLayout& l = b.painter.layout();
    EXPECT_EQ(l.cellSize, c.expected.cellSize);
    EXPECT_EQ(l.halfCell, c.expected.halfCell);
    EXPECT_EQ(l.clueTextOffset, c.expected.clueTextOffset);
    EXPECT_EQ(l.boardLeft, c.expected.boardLeft);
    EXPECT_EQ(l.boardTop, c.expected.boardTop);
}

INSTANTIATE_TEST_SUITE_P(
    Board, BoardLayoutTest,
    ::testing::Values(
        LayoutCase{"WorkedExample", 702, 405, 10, 7, 3, 3, {36, 18, 5, 225, 130}},
        LayoutCase{"WidthAndHeightAgree", 420, 330, 10, 7, 3, 3, {30, 15, 4, 105, 105}},
        LayoutCase{"WidthDecides", 500, 800, 10, 7, 3, 3, {35, 17, 5, 127, 330}},
        LayoutCase{"LargestBoardSmallestBox", 734, 385, 34, 23, 17, 12, {10, 5, 1, 282, 137}},
        LayoutCase{"LargestBoardFullHd", 1920, 1080, 34, 23, 17, 12, {30, 15, 4, 705, 375}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoardBackground, TilesTheSelectedStripRowAndFramesTheBoard) {
    // Rows out of range are clamped rather than read past the strip.
    struct ModeCase {
        int backMode, row;
    };
    for (ModeCase m : {ModeCase{2, 2}, ModeCase{6, 6}, ModeCase{-3, 0}, ModeCase{9, 6}}) {
        Board b(true);
        b.painter.setBackgroundMode(m.backMode);
        b.box.resize(57, 43);
        b.painter.prepareBackground();
        const QImage strip = b.bmps.item(0);
        ASSERT_EQ(b.painter.boardBitmap().size(), QSize(57, 43));
        ASSERT_EQ(b.painter.shadeBitmap().size(), QSize(57, 43));
        const QImage boardBitmap = b.painter.boardBitmap().toImage();
        const QImage shadeBitmap = b.painter.shadeBitmap().toImage();
        for (int y = 0; y < 43; ++y)
            for (int x = 0; x < 57; ++x) {
                const int edge = std::min({x, y, 56 - x, 42 - y});
                const bool frame = edge == 0 || edge == 2 || edge == 3 || edge == 4 || edge == 6;
                const uint32_t board =
                    frame ? 0xFF000000u : raw(strip, x % TW, TH * m.row + y % TH);
                ASSERT_EQ(raw(boardBitmap, x, y), board)
                    << "mode " << m.backMode << " at " << x << "," << y;
                ASSERT_EQ(raw(shadeBitmap, x, y), raw(strip, TW + x % TW, TH * m.row + y % TH))
                    << "mode " << m.backMode << " at " << x << "," << y;
            }
    }
}

TEST(BoardBackground, MissingStripStillGivesADrawableBoard) {
    Puzzle puzzle;
    smallPuzzle(puzzle);
    BitmapList none;
    PaintBox box;
    BoardPainter painter(puzzle, none, box);
    box.resize(702, 405);
    painter.computeLayout();
    painter.prepareBackground();
    painter.prepareTile();
    painter.paint();
    EXPECT_EQ(painter.boardBitmap().size(), QSize(702, 405));
    EXPECT_NE(raw(painter.boardBitmap().toImage(), 100, 100),
              raw(painter.shadeBitmap().toImage(), 100, 100));
}

// Where each pixel of a cell comes from, by its offset in the cell (36-pixel cells).
enum class Source { Board, Shade, Tile };

struct LookCase {
    const char* name;
    CellState state;
    std::function<Source(int dx, int dy)> source;
};

class CellLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(CellLook, EveryPixelOfEveryCellComesFromItsOwnPlace) {
    const LookCase& c = GetParam();
    Board b(true);
    smallPuzzle(b.puzzle);
    b.painter.setTileStyle(3);
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row)
            b.puzzle.grid[col][row] = c.state;
    b.show(702, 405);
    ASSERT_EQ(b.s(), 36);
    const QImage& shown = b.box.surface();
    const QImage boardBitmap = b.painter.boardBitmap().toImage();
    const QImage shadeBitmap = b.painter.shadeBitmap().toImage();
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) {
            const QRect cell = b.cell(col, row);
            for (int dy = 0; dy < 36; ++dy)
                for (int dx = 0; dx < 36; ++dx) {
                    const int x = cell.x() + dx, y = cell.y() + dy;
                    uint32_t expected = 0;
                    switch (c.source(dx, dy)) {
                    case Source::Board:
                        expected = raw(boardBitmap, x, y);
                        break;
                    case Source::Shade:
                        expected = raw(shadeBitmap, x, y);
                        break;
                    case Source::Tile:
                        expected = raw(b.painter.tileBitmap(), dx - 3, dy - 3);
                        break;
                    }
                    ASSERT_EQ(raw(shown, x, y), expected)
                        << "cell " << col << "," << row << " at " << dx << "," << dy;
                }
        }
}

namespace {

bool in(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

Source ring(int dx, int dy) {
    const bool outer = in(dx, 3, 33) && in(dy, 3, 33);
    const bool inner = in(dx, 5, 31) && in(dy, 5, 31);
    return outer && !inner ? Source::Shade : Source::Board;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Board, CellLook,
    ::testing::Values(LookCase{"HiddenEmptyHasTheRing", CellState::HiddenEmpty, ring},
                      LookCase{"HiddenFilledLooksTheSame", CellState::HiddenFilled, ring},
                      LookCase{"MarkedIsPlainBoard", CellState::MarkedEmpty,
                               [](int, int) { return Source::Board; }},
                      LookCase{"UncoveredShowsTheTile", CellState::Uncovered,
                               [](int dx, int dy) {
                                   return in(dx, 3, 33) && in(dy, 3, 33) ? Source::Tile
                                                                         : Source::Board;
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoardCell, TileIsTheStyleOfTheLevelFramedInBlack) {
    Board b;
    smallPuzzle(b.puzzle);
    for (int style : {1, 2, 3, 4}) {
        b.painter.setTileStyle(style);
        b.show(702, 405);
        const QImage& tile = b.painter.tileBitmap();
        ASSERT_EQ(tile.size(), QSize(180, 108));
        // 31-pixel tile: frame at 0 and 30, raised face from 1.
        for (int i = 0; i < 31; ++i) {
            ASSERT_EQ(raw(tile, i, 0), 0xFF000000u);
            ASSERT_EQ(raw(tile, 30, i), 0xFF000000u);
        }
        EXPECT_EQ(raw(tile, 15, 1), 0xFFD0D0D0u) << "style " << style;
        EXPECT_EQ(raw(tile, 15, 15), style == 2   ? 0xFFA0A0A0u
                                     : style == 4 ? 0xFFB0B0B0u
                                                  : 0xFFC8C8C8u)
            << "style " << style;
    }
}

TEST(BoardCell, DrawCellShowsOneCellAtOnceInOneRepaint) {
    Board b(true);
    smallPuzzle(b.puzzle);
    b.box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.box));
    b.show(702, 405);
    QCoreApplication::processEvents();
    const QImage before = b.box.surface().copy();

    struct Spy : QObject {
        std::vector<QRect> rects;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(e)->rect());
            return false;
        }
    } spy;
    b.box.installEventFilter(&spy);
    b.puzzle.grid[4][3] = CellState::Uncovered;
    b.painter.drawCell(4, 3);
    ASSERT_EQ(spy.rects.size(), 1u);
    EXPECT_EQ(spy.rects[0], b.cell(4, 3));
    const QImage& after = b.box.surface();
    const QRect cell = b.cell(4, 3);
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (raw(after, x, y) != raw(before, x, y)) {
                ASSERT_TRUE(cell.contains(x, y)) << x << "," << y;
                ++changed;
            }
    EXPECT_GT(changed, 31 * 31 / 2);
    // Cells outside the board are ignored.
    b.painter.drawCell(0, 1);
    b.painter.drawCell(11, 1);
    b.painter.drawCell(1, 8);
    EXPECT_EQ(spy.rects.size(), 1u);
}

class BoardClues : public ::testing::Test {
  protected:
    void SetUp() override {
        smallPuzzle(m_b.puzzle);
        m_b.show(702, 405);
        ASSERT_EQ(m_b.s(), 36);
    }
    Board m_b;
};

TEST_F(BoardClues, LastClueStandsNextToTheBoard) {
    // Row 1 is 2 1 1; row 2 is a single 2. Flat backgrounds make equal numbers equal blocks.
    EXPECT_EQ(m_b.shown(m_b.rowSlot(1, 3)), m_b.shown(m_b.rowSlot(2, 1)));
    EXPECT_EQ(m_b.shown(m_b.rowSlot(1, 1)), m_b.shown(m_b.rowSlot(1, 2)));
    EXPECT_NE(m_b.shown(m_b.rowSlot(1, 1)), m_b.shown(m_b.rowSlot(1, 3)));
    // Column 1 is 3 1 2 from the top; columns 2 and 3 are a single 2 and a single 3.
    EXPECT_EQ(m_b.shown(m_b.colSlot(1, 1)), m_b.shown(m_b.colSlot(2, 1)));
    EXPECT_EQ(m_b.shown(m_b.colSlot(1, 3)), m_b.shown(m_b.colSlot(3, 1)));
    EXPECT_NE(m_b.shown(m_b.colSlot(1, 2)), m_b.shown(m_b.colSlot(1, 1)));
    // Slots beyond a line's clue count stay plain board.
    const QImage empty = m_b.shown(m_b.rowSlot(2, 2));
    EXPECT_EQ(count(empty, boardColor(0)), empty.width() * empty.height());
}

TEST_F(BoardClues, NumbersAreWhiteAtHalfCellPointsOnTheSlotShade) {
    const QImage slot = m_b.shown(m_b.rowSlot(2, 1));
    EXPECT_GT(count(slot, 0xFFFFFFFFu), 10);
    EXPECT_EQ(count(slot, 0xFF808080u), 0);
    // Text is drawn over the shade, with no box behind it.
    EXPECT_GT(count(slot, shadeColor(0)), slot.width() * slot.height() / 2);
    // Height of the inked rows: a digit is about 0.72 of the font's pixel size, which is
    // halfCell points at the box's resolution.
    int top = slot.height(), bottom = -1;
    for (int y = 0; y < slot.height(); ++y)
        for (int x = 0; x < slot.width(); ++x)
            if (raw(slot, x, y) != shadeColor(0))
                top = std::min(top, y), bottom = std::max(bottom, y);
    const double pixels = 18.0 * m_b.box.logicalDpiY() / 72.0;
    EXPECT_NEAR(bottom - top + 1, 0.72 * pixels, 2.5);
    // Top of the text cell at clueTextOffset below the slot's own top (2 above the block).
    EXPECT_GE(top + 2, 5);
}

TEST_F(BoardClues, DoneLinesTurnGreyAndOthersStayWhite) {
    m_b.puzzle.rowDone[2] = true;
    m_b.painter.drawRowClues();
    m_b.puzzle.colDone[3] = true;
    m_b.painter.drawColClues();
    struct SlotCase {
        QRect slot;
        bool grey;
    };
    for (SlotCase c : {SlotCase{m_b.rowSlot(2, 1), true}, SlotCase{m_b.rowSlot(1, 3), false},
                       SlotCase{m_b.rowSlot(3, 1), false}, SlotCase{m_b.colSlot(3, 1), true},
                       SlotCase{m_b.colSlot(2, 1), false}}) {
        const QImage slot = m_b.shown(c.slot);
        EXPECT_EQ(count(slot, 0xFF808080u) > 10, c.grey);
        EXPECT_EQ(count(slot, 0xFFFFFFFFu) > 10, !c.grey);
    }
    // The whole picture repainted the same way agrees with the panel redraw.
    const QImage panels = m_b.box.surface().copy();
    m_b.painter.paint();
    EXPECT_EQ(m_b.box.surface(), panels);
}

// The keyboard cursor lights its row's and its column's numbers: yellow, a dimmer yellow on a
// finished line. A hidden cursor leaves the picture exactly as it was.
TEST_F(BoardClues, CursorLightsItsLines) {
    const QImage plain = m_b.box.surface().copy();
    BoardCursor cursor;
    m_b.painter.setCursor(&cursor);
    m_b.painter.paint();
    EXPECT_EQ(m_b.box.surface(), plain);

    m_b.puzzle.rowDone[2] = true;
    cursor = {2, 2, true};
    m_b.painter.paint();
    const QRgb yellow = 0xFF000000u | CursorYellow, dim = 0xFF000000u | DoneLitClueColor;
    struct SlotCase {
        QRect slot;
        QRgb ink;
    };
    for (SlotCase c :
         {SlotCase{m_b.rowSlot(2, 1), dim}, SlotCase{m_b.colSlot(2, 1), yellow},
          SlotCase{m_b.rowSlot(1, 1), 0xFFFFFFFFu}, SlotCase{m_b.colSlot(1, 1), 0xFFFFFFFFu},
          SlotCase{m_b.colSlot(3, 1), 0xFFFFFFFFu}}) {
        const QImage slot = m_b.shown(c.slot);
        EXPECT_GT(count(slot, c.ink), 10);
        for (QRgb other : {yellow, dim, 0xFFFFFFFFu, 0xFF808080u}) {
            if (other != c.ink) {
                EXPECT_EQ(count(slot, other), 0);
            }
        }
    }
    // The panel redraws agree with the whole picture.
    const QImage whole = m_b.box.surface().copy();
    m_b.painter.drawRowClues();
    m_b.painter.drawColClues();
    EXPECT_EQ(m_b.box.surface(), whole);
}

TEST_F(BoardClues, PausedSlotsShowOnlyTheShadeWithBoardBetween) {
    m_b.painter.setPaused(true);
    m_b.painter.paint();
    const QImage& shown = m_b.box.surface();
    for (int r = 1; r <= 7; ++r)
        for (int k = 1; k <= m_b.puzzle.rowClueCount[r]; ++k) {
            const QRect s = m_b.rowSlot(r, k);
            EXPECT_EQ(count(m_b.shown(s), shadeColor(0)), s.width() * s.height()) << r << "," << k;
            // 3 rows of board between slot rows: the slot starts 2 below its row's top.
            EXPECT_EQ(raw(shown, s.x() + 4, s.y() - 1), boardColor(0));
            EXPECT_EQ(raw(shown, s.x() + 4, s.y() - 2), boardColor(0));
            EXPECT_EQ(raw(shown, s.x() + 4, s.bottom() + 1), boardColor(0));
        }
    for (int c = 1; c <= 10; ++c)
        for (int k = 1; k <= m_b.puzzle.colClueCount[c]; ++k) {
            const QRect s = m_b.colSlot(c, k);
            EXPECT_EQ(count(m_b.shown(s), shadeColor(0)), s.width() * s.height()) << c << "," << k;
            EXPECT_EQ(raw(shown, s.x() - 1, s.y() + 4), boardColor(0));
            EXPECT_EQ(raw(shown, s.x() - 2, s.y() + 4), boardColor(0));
            EXPECT_EQ(raw(shown, s.right() + 1, s.y() + 4), boardColor(0));
        }
}

// Where the ink of one clue lands: centred on the slot's cell (not on its shifted shade block)
// and standing on the baseline of a text cell whose top is clueTextOffset below the cell's top.
TEST(BoardClueText, CentredOnTheCellWithTheTopAtTheTextOffset) {
    Board b;
    smallPuzzle(b.puzzle);
    setRowClues(b.puzzle, 4, {8});
    setColClues(b.puzzle, 5, {8});
    setColClues(b.puzzle, 6, {1, 8});
    b.show(702, 405);
    ASSERT_EQ(b.s(), 36);
    const BoardLayout& l = b.painter.layout();
    QFont font("Arial");
    font.setPixelSize(int(std::lround(l.halfCell * b.box.logicalDpiY() / 72.0)));
    const int ascent = QFontMetrics(font).ascent();
    struct SlotCase {
        const char* name;
        int cellX, cellY; // top left of the slot's cell
        QRect block;      // the shade block drawn for it
    };
    const SlotCase cases[] = {
        {"row 4", l.boardLeft - 36, l.boardTop + 3 * 36, b.rowSlot(4, 1)},
        {"column 5", l.boardLeft + 4 * 36, l.boardTop - 36, b.colSlot(5, 1)},
        {"column 6, next to the board", l.boardLeft + 5 * 36, l.boardTop - 36, b.colSlot(6, 1)},
    };
    const QImage& shown = b.box.surface();
    for (const SlotCase& c : cases) {
        int left = shown.width(), right = -1, bottom = -1;
        for (int y = c.block.top(); y <= c.block.bottom(); ++y)
            for (int x = c.block.left(); x <= c.block.right(); ++x)
                if (raw(shown, x, y) != shadeColor(0))
                    left = std::min(left, x), right = std::max(right, x),
                    bottom = std::max(bottom, y);
        ASSERT_GE(right, left) << c.name;
        EXPECT_NEAR((left + right) / 2.0, c.cellX + 18, 1.0) << c.name;
        // An 8 sits on the baseline; anti-aliasing may darken the row just below it.
        EXPECT_NEAR(bottom, c.cellY + l.clueTextOffset + ascent - 1, 1) << c.name;
    }
}

struct SmallCase {
    const char* name;
    int w, h, cellSize;
};

class SmallCells : public ::testing::TestWithParam<SmallCase> {};

// Only the largest boards in the smallest window get here; every size must draw inside
// the bitmaps (the sanitizer build checks that) and keep the three looks apart.
TEST_P(SmallCells, LargestBoardStaysInsideAndKeepsLooksApart) {
    const SmallCase& c = GetParam();
    Board b;
    largestPuzzle(b.puzzle);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.puzzle.grid[col][row] = (col + row) % 4;
    b.show(c.w, c.h);
    ASSERT_EQ(b.s(), c.cellSize);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.painter.drawCell(col, row);
    b.painter.drawRowClues();
    b.painter.drawColClues();
    if (c.cellSize <= 0) {
        EXPECT_EQ(b.box.surface(), b.painter.boardBitmap().toImage());
        return;
    }
    // Cells in the middle of the board, away from the frame: (16..19, 12).
    const QImage hiddenEmpty = b.shown(b.cell(16, 12)), hiddenFilled = b.shown(b.cell(17, 12));
    const QImage marked = b.shown(b.cell(18, 12)), uncovered = b.shown(b.cell(19, 12));
    ASSERT_EQ(b.puzzle.grid[16][12], CellState::HiddenEmpty);
    ASSERT_EQ(b.puzzle.grid[19][12], CellState::Uncovered);
    EXPECT_EQ(hiddenEmpty, hiddenFilled);
    EXPECT_NE(hiddenEmpty, marked);
    EXPECT_NE(hiddenEmpty, uncovered);
    EXPECT_NE(marked, uncovered);
}

// The cursor's frame at every cell size: it changes its own cell only, and the looks under it
// stay apart.
TEST_P(SmallCells, CursorFrameStaysInItsCellAndKeepsLooksApart) {
    const SmallCase& c = GetParam();
    if (c.cellSize <= 0) return;
    Board b;
    largestPuzzle(b.puzzle);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.puzzle.grid[col][row] = (col + row) % 4;
    b.show(c.w, c.h);
    const QImage plain = b.box.surface().copy();
    BoardCursor cursor;
    b.painter.setCursor(&cursor);
    std::vector<QImage> framed;
    for (int col = 16; col <= 19; ++col) {
        SCOPED_TRACE(col);
        cursor = {col, 12, true};
        b.painter.drawCell(col, 12);
        const QImage cell = b.shown(b.cell(col, 12));
        framed.push_back(cell);
        EXPECT_NE(cell, plain.copy(b.cell(col, 12)));
        EXPECT_EQ(raw(cell, 0, 0), 0xFF000000u | CursorYellow);
        EXPECT_EQ(raw(cell, c.cellSize - 1, c.cellSize - 1), 0xFF000000u | CursorYellow);
        // Drawn again without the cursor, the board is as before: nothing leaked outside.
        cursor.visible = false;
        b.painter.drawCell(col, 12);
        EXPECT_EQ(b.box.surface(), plain);
    }
    EXPECT_EQ(framed[0], framed[1]); // hidden empty and hidden filled alike
    if (c.cellSize >= 3) {
        EXPECT_NE(framed[0], framed[2]);
        EXPECT_NE(framed[0], framed[3]);
        EXPECT_NE(framed[2], framed[3]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Board, SmallCells,
    ::testing::Values(SmallCase{"Size10", 734, 385, 10}, SmallCase{"Size9", 52 * 9 + 5, 360, 9},
                      SmallCase{"Size7", 52 * 7 + 5, 300, 7}, SmallCase{"Size5", 52 * 5, 200, 5},
                      SmallCase{"Size4", 52 * 4, 150, 4}, SmallCase{"Size3", 52 * 3, 110, 3},
                      SmallCase{"Size2", 110, 80, 2}, SmallCase{"Size1", 60, 40, 1},
                      SmallCase{"Size0", 40, 30, 0}),
    [](const auto& info) { return std::string(info.param.name); });
