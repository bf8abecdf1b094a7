// SPDX-License-Identifier: MIT
// Fitting the board and its clue panels into the board area.
#include "logic/BoardLayout.h"

BoardLayout computeLayout(int32_t w, int32_t h, int32_t colCount, int32_t rowCount,
                          int32_t maxRowClues, int32_t maxColClues) {
    BoardLayout l;
    const int32_t cw = w / (colCount + maxRowClues + 1);
    const int32_t ch = h / (rowCount + maxColClues + 1);
    l.cellSize = cw < ch ? cw : ch;
    l.halfCell = l.cellSize / 2;
    l.clueTextOffset = l.cellSize / 7;
    l.boardLeft = (w - l.cellSize * (colCount + maxRowClues)) / 2 + maxRowClues * l.cellSize;
    l.boardTop = (h - l.cellSize * (rowCount + maxColClues)) / 2 + maxColClues * l.cellSize;
    return l;
}
