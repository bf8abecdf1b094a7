// The board and its clue panels: layout, off-screen bitmaps, whole and single-cell painting.
#include "BoardPainter.h"

#include "Canvas.h"
#include "CursorOverlay.h"
#include "TilesDrawings.h"

#include <algorithm>
#include <cmath>

namespace {

// Used only when the background strip is missing or too small to cut into tiles.
constexpr QRgb FallbackBoard = 0xFF303030;
constexpr QRgb FallbackShade = 0xFF707070;

// Where the parts of one cell lie inside it. From 10 pixels on: the tile 3 pixels in with
// S - 5 pixels, the shade ring 2 pixels wide around a board square at 5 with S - 9.
// Smaller cells (only the largest boards in the smallest window get there) keep the same
// three looks at reduced margins: 1-pixel gap and 1-pixel ring from 3 pixels, a solid
// shade square at 3 and 4, the whole cell at 1 and 2. Nothing at all below 1.
struct CellParts {
    int32_t TileInset, TileSize, InnerInset, InnerSize;
};

CellParts PartsFor(int32_t s) {
    if (s >= 10) return {3, s - 5, 5, s - 9};
    if (s >= 3) return {1, s - 2, 2, s - 4};
    return {0, s, 0, 0};
}

int32_t Clamp(int32_t value, int32_t lo, int32_t hi) {
    return std::min(std::max(value, lo), hi);
}

} // namespace

BoardPainter::BoardPainter(const Puzzle& puzzle, const BitmapList& bmps, PaintBox& box)
    : Game(puzzle), Bmps(bmps), Box(box) {}

void BoardPainter::ComputeLayout() {
    Layout = ::ComputeLayout(Box.width(), Box.height(), Game.ColCount, Game.RowCount,
                             Game.MaxRowClues, Game.MaxColClues);
}

void BoardPainter::prepareBackground() {
    const QSize size(std::max(Box.width(), 0), std::max(Box.height(), 0));
    const QImage& strip = Bmps.Item(0);
    const int32_t TW = strip.width() / 2, TH = strip.height() / 7;
    QImage shade, board;
    if (TW <= 0 || TH <= 0) {
        shade = QImage(1, 1, QImage::Format_RGB32);
        shade.fill(FallbackShade);
        board = QImage(1, 1, QImage::Format_RGB32);
        board.fill(FallbackBoard);
    } else {
        const int32_t top = TH * Clamp(backgroundMode, 0, 6);
        shade = strip.copy(TW, top, TW, TH);
        board = strip.copy(0, top, TW, TH);
    }
    ShadeBitmap = TiledBitmap(size, std::move(shade), false);
    BoardBitmap = TiledBitmap(size, std::move(board), true);
}

void BoardPainter::PrepareTile() {
    const int32_t S = Layout.CellSize;
    if (S <= 0) {
        TileBitmap = QImage();
        return;
    }
    TileBitmap = QImage(S * 5, S * 3, QImage::Format_RGB32);
    // A one-pixel tile has no frame path; black is what it would be framed in.
    TileBitmap.fill(Qt::black);
    Canvas canvas(TileBitmap);
    DrawTile(canvas, 0, 0, PartsFor(S).TileSize, tileStyle);
}

void BoardPainter::ComposeCell(int32_t col, int32_t row) {
    const int32_t S = Layout.CellSize;
    const int32_t X = Layout.BoardLeft + (col - 1) * S, Y = Layout.BoardTop + (row - 1) * S;
    const CellParts p = PartsFor(S);
    BoardBitmap.copyTo(TileBitmap, 0, S, S, S, X, Y);
    switch (Game.Grid[col][row]) {
    case CellState::HiddenEmpty:
    case CellState::HiddenFilled:
        ShadeBitmap.copyTo(TileBitmap, p.TileInset, S + p.TileInset, p.TileSize, p.TileSize,
                           X + p.TileInset, Y + p.TileInset);
        BoardBitmap.copyTo(TileBitmap, p.InnerInset, S + p.InnerInset, p.InnerSize, p.InnerSize,
                           X + p.InnerInset, Y + p.InnerInset);
        break;
    case CellState::Uncovered:
        BlockCopy(TileBitmap, p.TileInset, S + p.TileInset, p.TileSize, p.TileSize, TileBitmap, 0,
                  0);
        break;
    default: // CellState::MarkedEmpty: the plain board
        break;
    }
    BlockCopy(Box.Surface(), X, Y, S, S, TileBitmap, 0, S);
}

void BoardPainter::CursorOver(int32_t col, int32_t row) {
    if (!cursor || !cursor->isAt(col, row)) return;
    const int32_t S = Layout.CellSize;
    drawCursorFrame(Box.Surface(),
                    QRect(Layout.BoardLeft + (col - 1) * S, Layout.BoardTop + (row - 1) * S, S, S));
}

void BoardPainter::DrawCell(int32_t col, int32_t row) {
    const int32_t S = Layout.CellSize;
    if (S <= 0 || TileBitmap.isNull()) return;
    if (col < 1 || col > std::min(Game.ColCount, MaxCols) || row < 1 ||
        row > std::min(Game.RowCount, MaxRows))
        return;
    ComposeCell(col, row);
    CursorOver(col, row);
    Box.Flush(QRect(Layout.BoardLeft + (col - 1) * S, Layout.BoardTop + (row - 1) * S, S, S));
}

const QFont& BoardPainter::ClueFont() {
    // HalfCell points at the box's resolution, in whole pixels.
    const int32_t pixels =
        static_cast<int32_t>(std::lround(Layout.HalfCell * Box.logicalDpiY() / 72.0));
    if (pixels != FontPixels) {
        FontPixels = pixels;
        Font = QFont("Arial");
        Font.setStyleHint(QFont::SansSerif);
        if (pixels > 0) Font.setPixelSize(pixels);
    }
    return Font;
}

void BoardPainter::RowClues(Canvas& canvas) {
    const int32_t S = Layout.CellSize;
    QImage& surface = Box.Surface();
    const bool text = !Paused && FontPixels > 0;
    for (int32_t r = 1; r <= std::min(Game.RowCount, MaxRows); ++r) {
        const int32_t count = std::min(Game.RowClueCount[r], MaxRowClueSlots);
        canvas.FontColor = clueColor(Game.RowDone[r], cursor && cursor->litRow(r));
        for (int32_t k = 1; k <= count; ++k) {
            const int32_t X = Layout.BoardLeft - k * S, Y = Layout.BoardTop + (r - 1) * S;
            // Rows of count are 3 pixels apart, showing the board between them.
            ShadeBitmap.copyTo(surface, X, Y + 2, S, S - 3, X, Y);
            if (text)
                canvas.TextOut(X + S / 2, Y + Layout.ClueTextOffset,
                               QString::number(Game.RowClues[r][count - k + 1]));
        }
    }
}

void BoardPainter::ColClues(Canvas& canvas) {
    const int32_t S = Layout.CellSize;
    QImage& surface = Box.Surface();
    const bool text = !Paused && FontPixels > 0;
    for (int32_t c = 1; c <= std::min(Game.ColCount, MaxCols); ++c) {
        const int32_t count = std::min(Game.ColClueCount[c], MaxColClueSlots);
        canvas.FontColor = clueColor(Game.ColDone[c], cursor && cursor->litCol(c));
        for (int32_t k = 1; k <= count; ++k) {
            const int32_t X = Layout.BoardLeft + (c - 1) * S, Y = Layout.BoardTop - k * S;
            ShadeBitmap.copyTo(surface, X + 2, Y, S - 3, S, X, Y);
            if (text)
                canvas.TextOut(X + S / 2, Y + Layout.ClueTextOffset,
                               QString::number(Game.ColClues[c][count - k + 1]));
        }
    }
}

QRect BoardPainter::RowPanel() const {
    const int32_t S = Layout.CellSize;
    const int32_t count = std::min(std::max(Game.MaxRowClues, 0), MaxRowClueSlots);
    return QRect(Layout.BoardLeft - count * S, Layout.BoardTop, count * S,
                 std::max(Game.RowCount, 0) * S + 2);
}

QRect BoardPainter::ColPanel() const {
    const int32_t S = Layout.CellSize;
    const int32_t count = std::min(std::max(Game.MaxColClues, 0), MaxColClueSlots);
    return QRect(Layout.BoardLeft, Layout.BoardTop - count * S, std::max(Game.ColCount, 0) * S + 2,
                 count * S);
}

void BoardPainter::DrawRowClues() {
    if (Layout.CellSize <= 0) return;
    {
        Canvas canvas(Box.Surface());
        canvas.Font = ClueFont();
        RowClues(canvas);
    }
    Box.Flush(RowPanel());
}

void BoardPainter::DrawColClues() {
    if (Layout.CellSize <= 0) return;
    {
        Canvas canvas(Box.Surface());
        canvas.Font = ClueFont();
        ColClues(canvas);
    }
    Box.Flush(ColPanel());
}

void BoardPainter::Paint() {
    QImage& surface = Box.Surface();
    BoardBitmap.copyTo(surface, 0, 0, BoardBitmap.width(), BoardBitmap.height(), 0, 0);
    if (Layout.CellSize > 0) {
        {
            Canvas canvas(surface);
            canvas.Font = ClueFont();
            RowClues(canvas);
            ColClues(canvas);
        }
        if (!TileBitmap.isNull())
            for (int32_t c = 1; c <= std::min(Game.ColCount, MaxCols); ++c)
                for (int32_t r = 1; r <= std::min(Game.RowCount, MaxRows); ++r) {
                    ComposeCell(c, r);
                    CursorOver(c, r);
                }
    }
    // One flush for the whole picture instead of one per cell.
    Box.Flush();
}
