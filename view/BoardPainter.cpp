// SPDX-License-Identifier: MIT
// The board and its clue panels: layout, off-screen bitmaps, whole and single-cell painting.
#include "view/BoardPainter.h"

#include "platform/Canvas.h"
#include "view/CursorOverlay.h"
#include "view/ImageSet.h"
#include "view/TilesDrawings.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Where the parts of one cell lie inside it. From 10 pixels on: the tile 3 pixels in with
// S - 5 pixels, the shade ring 2 pixels wide around a board square at 5 with S - 9.
// Smaller cells (only the largest boards in the smallest window get there) keep the same
// three looks at reduced margins: 1-pixel gap and 1-pixel ring from 3 pixels, a solid
// shade square at 3 and 4, the whole cell at 1 and 2. Nothing at all below 1. On a scaled
// screen every margin is U pixels for each one of these.
struct CellParts {
    int32_t tileInset, tileSize, innerInset, innerSize;
};

CellParts partsFor(int32_t s, int32_t u) {
    if (s >= 10 * u) return {3 * u, s - 5 * u, 5 * u, s - 9 * u};
    if (s >= 3 * u) return {u, s - 2 * u, 2 * u, s - 4 * u};
    return {0, s, 0, 0};
}

} // namespace

BoardPainter::BoardPainter(const Puzzle& puzzle, const BitmapList& bmps, PaintBox& box)
    : m_game(puzzle), m_bmps(bmps), m_box(box) {
    m_box.setPainter([this](QImage& target, const QRect& area) { paintArea(target, area); });
}

BoardPainter::~BoardPainter() {
    m_box.setPainter({});
}

void BoardPainter::computeLayout() {
    const QSize size = m_box.surfaceSize();
    m_unit = m_box.lineUnit();
    m_layout = ::computeLayout(size.width(), size.height(), m_game.colCount, m_game.rowCount,
                               m_game.maxRowClues, m_game.maxColClues);
}

void BoardPainter::prepareBackground() {
    BackgroundTiles tiles = backgroundTiles(m_bmps, m_backgroundMode, m_box.scale());
    const QSize size = m_box.surfaceSize();
    m_shadeBitmap = TiledBitmap(size, std::move(tiles.shade), false);
    m_boardBitmap = TiledBitmap(size, std::move(tiles.board), true, m_box.lineUnit());
}

void BoardPainter::prepareTile() {
    const int32_t s = m_layout.cellSize;
    if (s <= 0) {
        m_tileBitmap = QImage();
        return;
    }
    m_tileBitmap = QImage(s * 5, s * 3, QImage::Format_RGB32);
    // A one-pixel tile has no frame path; black is what it would be framed in.
    m_tileBitmap.fill(Qt::black);
    Canvas canvas(m_tileBitmap);
    drawTile(canvas, 0, 0, partsFor(s, m_unit).tileSize, m_tileStyle, m_unit);
}

QRect BoardPainter::cellRect(int32_t col, int32_t row) const {
    const int32_t s = m_layout.cellSize;
    return QRect(m_layout.boardLeft + (col - 1) * s, m_layout.boardTop + (row - 1) * s, s, s);
}

void BoardPainter::composeCell(QImage& target, int32_t col, int32_t row) {
    const QRect cell = cellRect(col, row);
    const int32_t s = cell.width(), x = cell.x(), y = cell.y();
    const CellParts p = partsFor(s, m_unit);
    m_boardBitmap.copyTo(m_tileBitmap, 0, s, s, s, x, y);
    switch (m_game.grid[col][row]) {
    case CellState::HiddenEmpty:
    case CellState::HiddenFilled:
        m_shadeBitmap.copyTo(m_tileBitmap, p.tileInset, s + p.tileInset, p.tileSize, p.tileSize,
                             x + p.tileInset, y + p.tileInset);
        m_boardBitmap.copyTo(m_tileBitmap, p.innerInset, s + p.innerInset, p.innerSize, p.innerSize,
                             x + p.innerInset, y + p.innerInset);
        break;
    case CellState::Uncovered:
        blockCopy(m_tileBitmap, p.tileInset, s + p.tileInset, p.tileSize, p.tileSize, m_tileBitmap,
                  0, 0);
        break;
    default: // CellState::MarkedEmpty: the plain board
        break;
    }
    blockCopy(target, x, y, s, s, m_tileBitmap, 0, s);
    // The cursor's frame over the cell, if the cursor is there.
    if (m_cursor && m_cursor->isAt(col, row)) drawCursorFrame(target, cell, m_unit);
}

void BoardPainter::drawCell(int32_t col, int32_t row) {
    if (m_layout.cellSize <= 0 || m_tileBitmap.isNull()) return;
    if (col < 1 || col > std::min(m_game.colCount, MaxCols) || row < 1 ||
        row > std::min(m_game.rowCount, MaxRows))
        return;
    m_box.flush(cellRect(col, row));
}

const QFont& BoardPainter::clueFont() {
    // halfCell points at the box's resolution, in whole pixels.
    const int32_t pixels =
        static_cast<int32_t>(std::lround(m_layout.halfCell * m_box.logicalDpiY() / 72.0));
    if (pixels != m_fontPixels) {
        m_fontPixels = pixels;
        m_font = QFont("Arial");
        m_font.setStyleHint(QFont::SansSerif);
        if (pixels > 0) m_font.setPixelSize(pixels);
    }
    return m_font;
}

void BoardPainter::rowClues(QImage& target, const QRect& area) {
    const int32_t s = m_layout.cellSize;
    const bool text = !m_paused && m_fontPixels > 0;
    std::optional<Canvas> canvas;
    for (int32_t r = 1; r <= std::min(m_game.rowCount, MaxRows); ++r) {
        const int32_t count = std::min(m_game.rowClueCount[r], MaxRowClueSlots);
        for (int32_t k = 1; k <= count; ++k) {
            const int32_t x = m_layout.boardLeft - k * s, y = m_layout.boardTop + (r - 1) * s;
            if (!area.intersects(QRect(x, y, s, s))) continue;
            // Rows of count are 3 pixels apart, showing the board between them.
            m_shadeBitmap.copyTo(target, x, y + 2 * m_unit, s, s - 3 * m_unit, x, y);
            if (!text) continue;
            if (!canvas) canvas.emplace(target).font = clueFont();
            canvas->fontColor = clueColor(m_game.rowDone[r], m_cursor && m_cursor->litRow(r));
            canvas->textOut(x + s / 2, y + m_layout.clueTextOffset,
                            QString::number(m_game.rowClues[r][count - k + 1]));
        }
    }
}

void BoardPainter::colClues(QImage& target, const QRect& area) {
    const int32_t s = m_layout.cellSize;
    const bool text = !m_paused && m_fontPixels > 0;
    std::optional<Canvas> canvas;
    for (int32_t c = 1; c <= std::min(m_game.colCount, MaxCols); ++c) {
        const int32_t count = std::min(m_game.colClueCount[c], MaxColClueSlots);
        for (int32_t k = 1; k <= count; ++k) {
            const int32_t x = m_layout.boardLeft + (c - 1) * s, y = m_layout.boardTop - k * s;
            if (!area.intersects(QRect(x, y, s, s))) continue;
            m_shadeBitmap.copyTo(target, x + 2 * m_unit, y, s - 3 * m_unit, s, x, y);
            if (!text) continue;
            if (!canvas) canvas.emplace(target).font = clueFont();
            canvas->fontColor = clueColor(m_game.colDone[c], m_cursor && m_cursor->litCol(c));
            canvas->textOut(x + s / 2, y + m_layout.clueTextOffset,
                            QString::number(m_game.colClues[c][count - k + 1]));
        }
    }
}

QRect BoardPainter::rowPanel() const {
    const int32_t s = m_layout.cellSize;
    const int32_t count = std::min(std::max(m_game.maxRowClues, 0), MaxRowClueSlots);
    return QRect(m_layout.boardLeft - count * s, m_layout.boardTop, count * s,
                 std::max(m_game.rowCount, 0) * s + 2 * m_unit);
}

QRect BoardPainter::colPanel() const {
    const int32_t s = m_layout.cellSize;
    const int32_t count = std::min(std::max(m_game.maxColClues, 0), MaxColClueSlots);
    return QRect(m_layout.boardLeft, m_layout.boardTop - count * s,
                 std::max(m_game.colCount, 0) * s + 2 * m_unit, count * s);
}

void BoardPainter::drawRowClues() {
    if (m_layout.cellSize > 0) m_box.flush(rowPanel());
}

void BoardPainter::drawColClues() {
    if (m_layout.cellSize > 0) m_box.flush(colPanel());
}

void BoardPainter::paint() {
    m_box.flush();
}

void BoardPainter::paintArea(QImage& target, const QRect& area) {
    m_boardBitmap.copyTo(target, area.x(), area.y(), area.width(), area.height(), area.x(),
                         area.y());
    const int32_t s = m_layout.cellSize;
    if (s <= 0) return;
    if (area.intersects(rowPanel()) || area.intersects(colPanel())) {
        clueFont(); // its size decides whether the clues show numbers
        rowClues(target, area);
        colClues(target, area);
    }
    if (m_tileBitmap.isNull()) return;
    // The cells that meet the area.
    if (area.right() < m_layout.boardLeft || area.bottom() < m_layout.boardTop) return;
    const auto first = [s](int32_t from, int32_t origin) {
        return from < origin ? 1 : (from - origin) / s + 1;
    };
    const int32_t lastCol =
        std::min({m_game.colCount, MaxCols, (area.right() - m_layout.boardLeft) / s + 1});
    const int32_t lastRow =
        std::min({m_game.rowCount, MaxRows, (area.bottom() - m_layout.boardTop) / s + 1});
    for (int32_t c = first(area.left(), m_layout.boardLeft); c <= lastCol; ++c)
        for (int32_t r = first(area.top(), m_layout.boardTop); r <= lastRow; ++r)
            composeCell(target, c, r);
}

void BoardPainter::freeBitmaps() {
    m_boardBitmap = {};
    m_shadeBitmap = {};
    m_tileBitmap = {};
}
