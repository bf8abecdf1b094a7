// The board picture: layout, background bitmaps, the three cell looks and the clue panels.
#include "BoardPainter.h"
#include "CursorOverlay.h"

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
QRgb BoardColor(int row) {
    return 0xFF102030u + 0x010101u * row;
}
QRgb ShadeColor(int row) {
    return 0xFF405060u + 0x010101u * row;
}

// The background strip: two tiles in each of seven rows; a pattern inside each tile makes
// a copy from the wrong position visible.
QImage Strip(bool patterned) {
    QImage strip(2 * TW, 7 * TH, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const int row = y / TH;
            QRgb c = x < TW ? BoardColor(row) : ShadeColor(row);
            if (patterned) c += ((x % TW) * 3 + (y % TH) * 7) % 16 << 8;
            strip.setPixel(x, y, c);
        }
    return strip;
}

uint32_t Raw(const QImage& img, int x, int y) {
    return reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x];
}

struct Board {
    Puzzle puzzle;
    BitmapList Bmps;
    PaintBox Box;
    BoardPainter Painter{puzzle, Bmps, Box};

    explicit Board(bool patterned = false) : Bmps(std::vector<QImage>{Strip(patterned)}) {}

    // What the level set-up and the resize handler do.
    void Show(int w, int h) {
        Box.resize(w, h);
        Painter.ComputeLayout();
        Painter.prepareBackground();
        Painter.PrepareTile();
        Painter.Paint();
    }
    int S() const { return Painter.Layout.CellSize; }
    QRect Cell(int col, int row) const {
        return QRect(Painter.Layout.BoardLeft + (col - 1) * S(),
                     Painter.Layout.BoardTop + (row - 1) * S(), S(), S());
    }
    QRect RowSlot(int row, int k) const {
        return QRect(Painter.Layout.BoardLeft - k * S(),
                     Painter.Layout.BoardTop + (row - 1) * S() + 2, S(), S() - 3);
    }
    QRect ColSlot(int col, int k) const {
        return QRect(Painter.Layout.BoardLeft + (col - 1) * S() + 2,
                     Painter.Layout.BoardTop - k * S(), S() - 3, S());
    }
    QImage Shown(const QRect& r) { return Box.Surface().copy(r); }
};

void SetRowClues(Puzzle& p, int row, std::vector<int> clues) {
    p.RowClueCount[row] = int(clues.size());
    for (size_t i = 0; i < clues.size(); ++i)
        p.RowClues[row][i + 1] = clues[i];
}

void SetColClues(Puzzle& p, int col, std::vector<int> clues) {
    p.ColClueCount[col] = int(clues.size());
    for (size_t i = 0; i < clues.size(); ++i)
        p.ColClues[col][i + 1] = clues[i];
}

// The 10 x 7 board of the worked layout: at most three clues per row and per column.
void SmallPuzzle(Puzzle& p) {
    p.ColCount = 10;
    p.RowCount = 7;
    p.MaxRowClues = 3;
    p.MaxColClues = 3;
    for (int r = 1; r <= 7; ++r)
        SetRowClues(p, r, {4});
    for (int c = 1; c <= 10; ++c)
        SetColClues(p, c, {5});
    SetRowClues(p, 1, {2, 1, 1});
    SetRowClues(p, 2, {2});
    SetColClues(p, 1, {3, 1, 2});
    SetColClues(p, 2, {2});
    SetColClues(p, 3, {3});
}

// The largest board with the most clues: every other cell filled.
void LargestPuzzle(Puzzle& p) {
    p.ColCount = 34;
    p.RowCount = 23;
    p.MaxRowClues = 17;
    p.MaxColClues = 12;
    for (int r = 1; r <= 23; ++r)
        SetRowClues(p, r, std::vector<int>(17, 1));
    for (int c = 1; c <= 34; ++c)
        SetColClues(p, c, std::vector<int>(12, 1));
}

int Count(const QImage& img, QRgb value) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += Raw(img, x, y) == value;
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
    b.puzzle.ColCount = c.cols;
    b.puzzle.RowCount = c.rows;
    b.puzzle.MaxRowClues = c.maxRow;
    b.puzzle.MaxColClues = c.maxCol;
    b.Box.resize(c.w, c.h);
    b.Painter.ComputeLayout();
    const BoardLayout& l = b.Painter.Layout;
    EXPECT_EQ(l.CellSize, c.expected.CellSize);
    EXPECT_EQ(l.HalfCell, c.expected.HalfCell);
    EXPECT_EQ(l.ClueTextOffset, c.expected.ClueTextOffset);
    EXPECT_EQ(l.BoardLeft, c.expected.BoardLeft);
    EXPECT_EQ(l.BoardTop, c.expected.BoardTop);
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
        b.Painter.backgroundMode = m.backMode;
        b.Box.resize(57, 43);
        b.Painter.prepareBackground();
        const QImage strip = b.Bmps.Item(0);
        ASSERT_EQ(b.Painter.BoardBitmap.size(), QSize(57, 43));
        ASSERT_EQ(b.Painter.ShadeBitmap.size(), QSize(57, 43));
        const QImage boardBitmap = b.Painter.BoardBitmap.toImage();
        const QImage shadeBitmap = b.Painter.ShadeBitmap.toImage();
        for (int y = 0; y < 43; ++y)
            for (int x = 0; x < 57; ++x) {
                const int edge = std::min({x, y, 56 - x, 42 - y});
                const bool frame = edge == 0 || edge == 2 || edge == 3 || edge == 4 || edge == 6;
                const uint32_t board =
                    frame ? 0xFF000000u : Raw(strip, x % TW, TH * m.row + y % TH);
                ASSERT_EQ(Raw(boardBitmap, x, y), board)
                    << "mode " << m.backMode << " at " << x << "," << y;
                ASSERT_EQ(Raw(shadeBitmap, x, y), Raw(strip, TW + x % TW, TH * m.row + y % TH))
                    << "mode " << m.backMode << " at " << x << "," << y;
            }
    }
}

TEST(BoardBackground, MissingStripStillGivesADrawableBoard) {
    Puzzle puzzle;
    SmallPuzzle(puzzle);
    BitmapList none;
    PaintBox box;
    BoardPainter painter(puzzle, none, box);
    box.resize(702, 405);
    painter.ComputeLayout();
    painter.prepareBackground();
    painter.PrepareTile();
    painter.Paint();
    EXPECT_EQ(painter.BoardBitmap.size(), QSize(702, 405));
    EXPECT_NE(Raw(painter.BoardBitmap.toImage(), 100, 100),
              Raw(painter.ShadeBitmap.toImage(), 100, 100));
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
    SmallPuzzle(b.puzzle);
    b.Painter.tileStyle = 3;
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row)
            b.puzzle.Grid[col][row] = c.state;
    b.Show(702, 405);
    ASSERT_EQ(b.S(), 36);
    const QImage& shown = b.Box.Surface();
    const QImage boardBitmap = b.Painter.BoardBitmap.toImage();
    const QImage shadeBitmap = b.Painter.ShadeBitmap.toImage();
    for (int col = 1; col <= 10; ++col)
        for (int row = 1; row <= 7; ++row) {
            const QRect cell = b.Cell(col, row);
            for (int dy = 0; dy < 36; ++dy)
                for (int dx = 0; dx < 36; ++dx) {
                    const int x = cell.x() + dx, y = cell.y() + dy;
                    uint32_t expected = 0;
                    switch (c.source(dx, dy)) {
                    case Source::Board:
                        expected = Raw(boardBitmap, x, y);
                        break;
                    case Source::Shade:
                        expected = Raw(shadeBitmap, x, y);
                        break;
                    case Source::Tile:
                        expected = Raw(b.Painter.TileBitmap, dx - 3, dy - 3);
                        break;
                    }
                    ASSERT_EQ(Raw(shown, x, y), expected)
                        << "cell " << col << "," << row << " at " << dx << "," << dy;
                }
        }
}

namespace {

bool In(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

Source Ring(int dx, int dy) {
    const bool outer = In(dx, 3, 33) && In(dy, 3, 33);
    const bool inner = In(dx, 5, 31) && In(dy, 5, 31);
    return outer && !inner ? Source::Shade : Source::Board;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Board, CellLook,
    ::testing::Values(LookCase{"HiddenEmptyHasTheRing", CellState::HiddenEmpty, Ring},
                      LookCase{"HiddenFilledLooksTheSame", CellState::HiddenFilled, Ring},
                      LookCase{"MarkedIsPlainBoard", CellState::MarkedEmpty,
                               [](int, int) { return Source::Board; }},
                      LookCase{"UncoveredShowsTheTile", CellState::Uncovered,
                               [](int dx, int dy) {
                                   return In(dx, 3, 33) && In(dy, 3, 33) ? Source::Tile
                                                                         : Source::Board;
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BoardCell, TileIsTheStyleOfTheLevelFramedInBlack) {
    Board b;
    SmallPuzzle(b.puzzle);
    for (int style : {1, 2, 3, 4}) {
        b.Painter.tileStyle = style;
        b.Show(702, 405);
        const QImage& tile = b.Painter.TileBitmap;
        ASSERT_EQ(tile.size(), QSize(180, 108));
        // 31-pixel tile: frame at 0 and 30, raised face from 1.
        for (int i = 0; i < 31; ++i) {
            ASSERT_EQ(Raw(tile, i, 0), 0xFF000000u);
            ASSERT_EQ(Raw(tile, 30, i), 0xFF000000u);
        }
        EXPECT_EQ(Raw(tile, 15, 1), 0xFFD0D0D0u) << "style " << style;
        EXPECT_EQ(Raw(tile, 15, 15), style == 2   ? 0xFFA0A0A0u
                                     : style == 4 ? 0xFFB0B0B0u
                                                  : 0xFFC8C8C8u)
            << "style " << style;
    }
}

TEST(BoardCell, DrawCellShowsOneCellAtOnceInOneRepaint) {
    Board b(true);
    SmallPuzzle(b.puzzle);
    b.Box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&b.Box));
    b.Show(702, 405);
    QCoreApplication::processEvents();
    const QImage before = b.Box.Surface().copy();

    struct Spy : QObject {
        std::vector<QRect> Rects;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) Rects.push_back(static_cast<QPaintEvent*>(e)->rect());
            return false;
        }
    } spy;
    b.Box.installEventFilter(&spy);
    b.puzzle.Grid[4][3] = CellState::Uncovered;
    b.Painter.DrawCell(4, 3);
    ASSERT_EQ(spy.Rects.size(), 1u);
    EXPECT_EQ(spy.Rects[0], b.Cell(4, 3));
    const QImage& after = b.Box.Surface();
    const QRect cell = b.Cell(4, 3);
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            if (Raw(after, x, y) != Raw(before, x, y)) {
                ASSERT_TRUE(cell.contains(x, y)) << x << "," << y;
                ++changed;
            }
    EXPECT_GT(changed, 31 * 31 / 2);
    // Cells outside the board are ignored.
    b.Painter.DrawCell(0, 1);
    b.Painter.DrawCell(11, 1);
    b.Painter.DrawCell(1, 8);
    EXPECT_EQ(spy.Rects.size(), 1u);
}

class BoardClues : public ::testing::Test {
  protected:
    void SetUp() override {
        SmallPuzzle(b.puzzle);
        b.Show(702, 405);
        ASSERT_EQ(b.S(), 36);
    }
    Board b;
};

TEST_F(BoardClues, LastClueStandsNextToTheBoard) {
    // Row 1 is 2 1 1; row 2 is a single 2. Flat backgrounds make equal numbers equal blocks.
    EXPECT_EQ(b.Shown(b.RowSlot(1, 3)), b.Shown(b.RowSlot(2, 1)));
    EXPECT_EQ(b.Shown(b.RowSlot(1, 1)), b.Shown(b.RowSlot(1, 2)));
    EXPECT_NE(b.Shown(b.RowSlot(1, 1)), b.Shown(b.RowSlot(1, 3)));
    // Column 1 is 3 1 2 from the top; columns 2 and 3 are a single 2 and a single 3.
    EXPECT_EQ(b.Shown(b.ColSlot(1, 1)), b.Shown(b.ColSlot(2, 1)));
    EXPECT_EQ(b.Shown(b.ColSlot(1, 3)), b.Shown(b.ColSlot(3, 1)));
    EXPECT_NE(b.Shown(b.ColSlot(1, 2)), b.Shown(b.ColSlot(1, 1)));
    // Slots beyond a line's clue count stay plain board.
    const QImage empty = b.Shown(b.RowSlot(2, 2));
    EXPECT_EQ(Count(empty, BoardColor(0)), empty.width() * empty.height());
}

TEST_F(BoardClues, NumbersAreWhiteAtHalfCellPointsOnTheSlotShade) {
    const QImage slot = b.Shown(b.RowSlot(2, 1));
    EXPECT_GT(Count(slot, 0xFFFFFFFFu), 10);
    EXPECT_EQ(Count(slot, 0xFF808080u), 0);
    // Text is drawn over the shade, with no box behind it.
    EXPECT_GT(Count(slot, ShadeColor(0)), slot.width() * slot.height() / 2);
    // Height of the inked rows: a digit is about 0.72 of the font's pixel size, which is
    // HalfCell points at the box's resolution.
    int top = slot.height(), bottom = -1;
    for (int y = 0; y < slot.height(); ++y)
        for (int x = 0; x < slot.width(); ++x)
            if (Raw(slot, x, y) != ShadeColor(0))
                top = std::min(top, y), bottom = std::max(bottom, y);
    const double pixels = 18.0 * b.Box.logicalDpiY() / 72.0;
    EXPECT_NEAR(bottom - top + 1, 0.72 * pixels, 2.5);
    // Top of the text cell at ClueTextOffset below the slot's own top (2 above the block).
    EXPECT_GE(top + 2, 5);
}

TEST_F(BoardClues, DoneLinesTurnGreyAndOthersStayWhite) {
    b.puzzle.RowDone[2] = true;
    b.Painter.DrawRowClues();
    b.puzzle.ColDone[3] = true;
    b.Painter.DrawColClues();
    struct SlotCase {
        QRect slot;
        bool grey;
    };
    for (SlotCase c : {SlotCase{b.RowSlot(2, 1), true}, SlotCase{b.RowSlot(1, 3), false},
                       SlotCase{b.RowSlot(3, 1), false}, SlotCase{b.ColSlot(3, 1), true},
                       SlotCase{b.ColSlot(2, 1), false}}) {
        const QImage slot = b.Shown(c.slot);
        EXPECT_EQ(Count(slot, 0xFF808080u) > 10, c.grey);
        EXPECT_EQ(Count(slot, 0xFFFFFFFFu) > 10, !c.grey);
    }
    // The whole picture repainted the same way agrees with the panel redraw.
    const QImage panels = b.Box.Surface().copy();
    b.Painter.Paint();
    EXPECT_EQ(b.Box.Surface(), panels);
}

// The keyboard cursor lights its row's and its column's numbers: yellow, a dimmer yellow on a
// finished line. A hidden cursor leaves the picture exactly as it was.
TEST_F(BoardClues, CursorLightsItsLines) {
    const QImage plain = b.Box.Surface().copy();
    BoardCursor cursor;
    b.Painter.cursor = &cursor;
    b.Painter.Paint();
    EXPECT_EQ(b.Box.Surface(), plain);

    b.puzzle.RowDone[2] = true;
    cursor = {2, 2, true};
    b.Painter.Paint();
    const QRgb yellow = 0xFF000000u | CursorYellow, dim = 0xFF000000u | DoneLitClueColor;
    struct SlotCase {
        QRect slot;
        QRgb ink;
    };
    for (SlotCase c :
         {SlotCase{b.RowSlot(2, 1), dim}, SlotCase{b.ColSlot(2, 1), yellow},
          SlotCase{b.RowSlot(1, 1), 0xFFFFFFFFu}, SlotCase{b.ColSlot(1, 1), 0xFFFFFFFFu},
          SlotCase{b.ColSlot(3, 1), 0xFFFFFFFFu}}) {
        const QImage slot = b.Shown(c.slot);
        EXPECT_GT(Count(slot, c.ink), 10);
        for (QRgb other : {yellow, dim, 0xFFFFFFFFu, 0xFF808080u}) {
            if (other != c.ink) {
                EXPECT_EQ(Count(slot, other), 0);
            }
        }
    }
    // The panel redraws agree with the whole picture.
    const QImage whole = b.Box.Surface().copy();
    b.Painter.DrawRowClues();
    b.Painter.DrawColClues();
    EXPECT_EQ(b.Box.Surface(), whole);
}

TEST_F(BoardClues, PausedSlotsShowOnlyTheShadeWithBoardBetween) {
    b.Painter.Paused = true;
    b.Painter.Paint();
    const QImage& shown = b.Box.Surface();
    for (int r = 1; r <= 7; ++r)
        for (int k = 1; k <= b.puzzle.RowClueCount[r]; ++k) {
            const QRect s = b.RowSlot(r, k);
            EXPECT_EQ(Count(b.Shown(s), ShadeColor(0)), s.width() * s.height()) << r << "," << k;
            // 3 rows of board between slot rows: the slot starts 2 below its row's top.
            EXPECT_EQ(Raw(shown, s.x() + 4, s.y() - 1), BoardColor(0));
            EXPECT_EQ(Raw(shown, s.x() + 4, s.y() - 2), BoardColor(0));
            EXPECT_EQ(Raw(shown, s.x() + 4, s.bottom() + 1), BoardColor(0));
        }
    for (int c = 1; c <= 10; ++c)
        for (int k = 1; k <= b.puzzle.ColClueCount[c]; ++k) {
            const QRect s = b.ColSlot(c, k);
            EXPECT_EQ(Count(b.Shown(s), ShadeColor(0)), s.width() * s.height()) << c << "," << k;
            EXPECT_EQ(Raw(shown, s.x() - 1, s.y() + 4), BoardColor(0));
            EXPECT_EQ(Raw(shown, s.x() - 2, s.y() + 4), BoardColor(0));
            EXPECT_EQ(Raw(shown, s.right() + 1, s.y() + 4), BoardColor(0));
        }
}

// Where the ink of one clue lands: centred on the slot's cell (not on its shifted shade block)
// and standing on the baseline of a text cell whose top is ClueTextOffset below the cell's top.
TEST(BoardClueText, CentredOnTheCellWithTheTopAtTheTextOffset) {
    Board b;
    SmallPuzzle(b.puzzle);
    SetRowClues(b.puzzle, 4, {8});
    SetColClues(b.puzzle, 5, {8});
    SetColClues(b.puzzle, 6, {1, 8});
    b.Show(702, 405);
    ASSERT_EQ(b.S(), 36);
    const BoardLayout& l = b.Painter.Layout;
    QFont font("Arial");
    font.setPixelSize(int(std::lround(l.HalfCell * b.Box.logicalDpiY() / 72.0)));
    const int ascent = QFontMetrics(font).ascent();
    struct SlotCase {
        const char* name;
        int cellX, cellY; // top left of the slot's cell
        QRect block;      // the shade block drawn for it
    };
    const SlotCase cases[] = {
        {"row 4", l.BoardLeft - 36, l.BoardTop + 3 * 36, b.RowSlot(4, 1)},
        {"column 5", l.BoardLeft + 4 * 36, l.BoardTop - 36, b.ColSlot(5, 1)},
        {"column 6, next to the board", l.BoardLeft + 5 * 36, l.BoardTop - 36, b.ColSlot(6, 1)},
    };
    const QImage& shown = b.Box.Surface();
    for (const SlotCase& c : cases) {
        int left = shown.width(), right = -1, bottom = -1;
        for (int y = c.block.top(); y <= c.block.bottom(); ++y)
            for (int x = c.block.left(); x <= c.block.right(); ++x)
                if (Raw(shown, x, y) != ShadeColor(0))
                    left = std::min(left, x), right = std::max(right, x),
                    bottom = std::max(bottom, y);
        ASSERT_GE(right, left) << c.name;
        EXPECT_NEAR((left + right) / 2.0, c.cellX + 18, 1.0) << c.name;
        // An 8 sits on the baseline; anti-aliasing may darken the row just below it.
        EXPECT_NEAR(bottom, c.cellY + l.ClueTextOffset + ascent - 1, 1) << c.name;
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
    LargestPuzzle(b.puzzle);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.puzzle.Grid[col][row] = (col + row) % 4;
    b.Show(c.w, c.h);
    ASSERT_EQ(b.S(), c.cellSize);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.Painter.DrawCell(col, row);
    b.Painter.DrawRowClues();
    b.Painter.DrawColClues();
    if (c.cellSize <= 0) {
        EXPECT_EQ(b.Box.Surface(), b.Painter.BoardBitmap.toImage());
        return;
    }
    // Cells in the middle of the board, away from the frame: (16..19, 12).
    const QImage hiddenEmpty = b.Shown(b.Cell(16, 12)), hiddenFilled = b.Shown(b.Cell(17, 12));
    const QImage marked = b.Shown(b.Cell(18, 12)), uncovered = b.Shown(b.Cell(19, 12));
    ASSERT_EQ(b.puzzle.Grid[16][12], CellState::HiddenEmpty);
    ASSERT_EQ(b.puzzle.Grid[19][12], CellState::Uncovered);
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
    LargestPuzzle(b.puzzle);
    for (int col = 1; col <= 34; ++col)
        for (int row = 1; row <= 23; ++row)
            b.puzzle.Grid[col][row] = (col + row) % 4;
    b.Show(c.w, c.h);
    const QImage plain = b.Box.Surface().copy();
    BoardCursor cursor;
    b.Painter.cursor = &cursor;
    std::vector<QImage> framed;
    for (int col = 16; col <= 19; ++col) {
        SCOPED_TRACE(col);
        cursor = {col, 12, true};
        b.Painter.DrawCell(col, 12);
        const QImage cell = b.Shown(b.Cell(col, 12));
        framed.push_back(cell);
        EXPECT_NE(cell, plain.copy(b.Cell(col, 12)));
        EXPECT_EQ(Raw(cell, 0, 0), 0xFF000000u | CursorYellow);
        EXPECT_EQ(Raw(cell, c.cellSize - 1, c.cellSize - 1), 0xFF000000u | CursorYellow);
        // Drawn again without the cursor, the board is as before: nothing leaked outside.
        cursor.visible = false;
        b.Painter.DrawCell(col, 12);
        EXPECT_EQ(b.Box.Surface(), plain);
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
