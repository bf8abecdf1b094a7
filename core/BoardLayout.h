// Fitting the board and its clue panels into the board area.
#pragma once

#include <cstdint>

struct BoardLayout {
    int32_t CellSize = 0;
    int32_t HalfCell = 0;
    int32_t ClueTextOffset = 0;
    int32_t BoardLeft = 0;
    int32_t BoardTop = 0;
};

// W x H is the size of the board area. One spare slot each way keeps half a cell of margin.
BoardLayout ComputeLayout(int32_t W, int32_t H, int32_t ColCount, int32_t RowCount,
                          int32_t MaxRowClues, int32_t MaxColClues);
