// SPDX-License-Identifier: MIT
// The keyboard's place on the board: one cell, shown only once the player has asked for it.
#pragma once

#include <cstdint>

struct BoardCursor {
    int32_t col = 1;
    int32_t row = 1;
    // Hidden until the first arrow key, and again after a mouse press on the board.
    bool visible = false;

    bool isAt(int32_t c, int32_t r) const { return visible && c == col && r == row; }
    bool litRow(int32_t r) const { return visible && r == row; }
    bool litCol(int32_t c) const { return visible && c == col; }
};

enum class CursorStep { Left, Right, Up, Down, RowStart, RowEnd, ColumnTop, ColumnBottom };

// Moves the cursor one step on a board of cols x rows. The arrows wrap around at the edges
// unless `wrap` is off, then they stop there. Returns whether the cursor changed its cell.
bool moveCursor(BoardCursor& cursor, CursorStep step, int32_t cols, int32_t rows, bool wrap);
// Brings the cursor onto a board of cols x rows (a new level may be smaller).
void clampCursor(BoardCursor& cursor, int32_t cols, int32_t rows);
