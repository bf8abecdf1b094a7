// Fitting the board and its clue panels into the board area.
#include "BoardLayout.h"

BoardLayout ComputeLayout(int32_t W, int32_t H, int32_t ColCount, int32_t RowCount,
                          int32_t MaxRowClues, int32_t MaxColClues) {
    BoardLayout l;
    const int32_t cw = W / (ColCount + MaxRowClues + 1);
    const int32_t ch = H / (RowCount + MaxColClues + 1);
    l.CellSize = cw < ch ? cw : ch;
    l.HalfCell = l.CellSize / 2;
    l.ClueTextOffset = l.CellSize / 7;
    l.BoardLeft = (W - l.CellSize * (ColCount + MaxRowClues)) / 2 + MaxRowClues * l.CellSize;
    l.BoardTop = (H - l.CellSize * (RowCount + MaxColClues)) / 2 + MaxColClues * l.CellSize;
    return l;
}
