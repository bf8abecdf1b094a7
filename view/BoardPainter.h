// SPDX-License-Identifier: MIT
// The board and its clue panels: layout, off-screen bitmaps, whole and single-cell painting.
#pragma once

#include "logic/BoardCursor.h"
#include "logic/BoardLayout.h"
#include "logic/Puzzle.h"
#include "platform/BitmapList.h"
#include "view/PaintBox.h"
#include "view/TiledBitmap.h"

#include <QFont>
#include <QImage>

#include <cstdint>

// Every picture on the board is a block copy from three bitmaps that are rendered once
// per resize, background change or new level: boardBitmap (empty board with its frame),
// shadeBitmap (clue slots and the ring of hidden cells) and tileBitmap (the tile of
// uncovered cells in cell row 0, the compose area of one cell in cell row 1). The first two
// are the size of the box but only repeat one tile of the strip: they keep just that tile.
class BoardPainter {
  public:
    // Draws the box from now on: the box keeps no picture of its own.
    BoardPainter(const Puzzle& puzzle, const BitmapList& bmps, PaintBox& box);
    ~BoardPainter();
    BoardPainter(const BoardPainter&) = delete;
    BoardPainter& operator=(const BoardPainter&) = delete;

    void setBackgroundMode(int32_t mode) { m_backgroundMode = mode; } // row of the strip, 0..6
    void setTileStyle(int32_t style) { m_tileStyle = style; } // look of uncovered cells, 1..4
    int32_t tileStyle() const { return m_tileStyle; }
    void setPaused(bool paused) { m_paused = paused; } // the clue slots show no numbers
    // The keyboard cursor, drawn over its cell and its clue lines while shown; may be null.
    void setCursor(const BoardCursor* cursor) { m_cursor = cursor; }
    // Where the board lies in the box, in the box's pixels; kept up to date by computeLayout.
    const BoardLayout& layout() const { return m_layout; }

    // The off-screen pictures, for tests and the benchmark.
    const TiledBitmap& boardBitmap() const { return m_boardBitmap; }
    const TiledBitmap& shadeBitmap() const { return m_shadeBitmap; }
    const QImage& tileBitmap() const { return m_tileBitmap; }
    // Frees the off-screen pictures (the window has gone); the next preparation makes them anew.
    void freeBitmaps();

    // Fits board and panels to the size of the box.
    void computeLayout();
    // Sizes boardBitmap and shadeBitmap to the box and fills them from the background strip.
    void prepareBackground();
    // Sizes tileBitmap and draws the tile of tileStyle into it.
    void prepareTile();
    // Shows the background, both clue panels and every cell in one flush.
    void paint();
    // Shows one cell, or one clue panel, as it is now.
    void drawCell(int32_t col, int32_t row);
    void drawRowClues();
    void drawColClues();
    // Draws what lies in `area` of the box (its pixels) into `target`, from the game's state:
    // background, the clue slots and the cells that meet it. The box asks for it as it paints.
    void paintArea(QImage& target, const QRect& area);

  private:
    QRect cellRect(int32_t col, int32_t row) const;
    // Composes one cell off-screen and copies it into the target in one block.
    void composeCell(QImage& target, int32_t col, int32_t row);
    void rowClues(QImage& target, const QRect& area);
    void colClues(QImage& target, const QRect& area);
    // "Arial" at halfCell points; m_fontPixels is 0 when the cell is too small for text.
    const QFont& clueFont();
    QRect rowPanel() const;
    QRect colPanel() const;

    int32_t m_backgroundMode = 0;
    int32_t m_tileStyle = 1;
    bool m_paused = false;
    BoardLayout m_layout;
    const BoardCursor* m_cursor = nullptr;
    TiledBitmap m_boardBitmap;
    TiledBitmap m_shadeBitmap;
    QImage m_tileBitmap;

    const Puzzle& m_game;
    const BitmapList& m_bmps;
    PaintBox& m_box;
    QFont m_font;
    int32_t m_fontPixels = -1;
    int32_t m_unit = 1; // screen pixels of a one-pixel line (PaintBox::lineUnit)
};
