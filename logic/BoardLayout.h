// SPDX-License-Identifier: MIT
// Fitting the board and its clue panels into the board area.
#pragma once

#include <cstdint>

struct BoardLayout {
    int32_t cellSize = 0;
    int32_t halfCell = 0;
    int32_t clueTextOffset = 0;
    int32_t boardLeft = 0;
    int32_t boardTop = 0;
};

// W x H is the size of the board area. One spare slot each way keeps half a cell of margin.
BoardLayout computeLayout(int32_t w, int32_t h, int32_t colCount, int32_t rowCount,
                          int32_t maxRowClues, int32_t maxColClues);
