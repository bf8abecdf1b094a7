// SPDX-License-Identifier: MIT
// The keyboard's place on the board.
#include "logic/BoardCursor.h"

#include <algorithm>

namespace {

int32_t stepAlong(int32_t at, int32_t delta, int32_t count, bool wrap) {
    const int32_t next = at + delta;
    if (next < 1) return wrap ? count : 1;
    if (next > count) return wrap ? 1 : count;
    return next;
}

} // namespace

bool moveCursor(BoardCursor& cursor, CursorStep step, int32_t cols, int32_t rows, bool wrap) {
    if (cols < 1 || rows < 1) return false;
    clampCursor(cursor, cols, rows);
    const BoardCursor before = cursor;
    switch (step) {
    case CursorStep::Left:
        cursor.col = stepAlong(cursor.col, -1, cols, wrap);
        break;
    case CursorStep::Right:
        cursor.col = stepAlong(cursor.col, 1, cols, wrap);
        break;
    case CursorStep::Up:
        cursor.row = stepAlong(cursor.row, -1, rows, wrap);
        break;
    case CursorStep::Down:
        cursor.row = stepAlong(cursor.row, 1, rows, wrap);
        break;
    case CursorStep::RowStart:
        cursor.col = 1;
        break;
    case CursorStep::RowEnd:
        cursor.col = cols;
        break;
    case CursorStep::ColumnTop:
        cursor.row = 1;
        break;
    case CursorStep::ColumnBottom:
        cursor.row = rows;
        break;
    }
    return cursor.col != before.col || cursor.row != before.row;
}

void clampCursor(BoardCursor& cursor, int32_t cols, int32_t rows) {
    cursor.col = std::clamp(cursor.col, 1, std::max(cols, 1));
    cursor.row = std::clamp(cursor.row, 1, std::max(rows, 1));
}
