// The rules of play: presses, drags, wrong moves, line completion and the solved board.
#include "Rules.h"

#include "FairJudge.h"

#include <cmath>

int32_t PenaltyFor(int32_t mode) {
    // 33 times the rounded square root: 33 for sizes 1-2, 66 for 3-6, 99 for 7-9. No square
    // root of a whole number lies on a half, so the rounding rule does not matter.
    return 33 * static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(ClampMode(mode)))));
}

TCellHit HitTest(const TPuzzle& puzzle, const TLayout& layout, int32_t X, int32_t Y) {
    if (layout.CellSize <= 0 || X < layout.BoardLeft || Y < layout.BoardTop) return {};
    // 64-bit, so that no point far off the board can overflow the subtraction.
    const int64_t col = (int64_t{X} - layout.BoardLeft) / layout.CellSize + 1;
    const int64_t row = (int64_t{Y} - layout.BoardTop) / layout.CellSize + 1;
    if (col > puzzle.ColCount || row > puzzle.RowCount) return {};
    return {true, static_cast<int32_t>(col), static_cast<int32_t>(row)};
}

TBoardRules::TBoardRules(TPuzzle& puzzle, const TLayout& layout, TGameState& gameState,
                         int32_t& playTime, IBoardEffects& effects)
    : Board(puzzle), Layout(layout), GameState(gameState), PlayTime(playTime), Effects(effects) {}

void TBoardRules::boxMouseDown(TMouseButton button, int32_t X, int32_t Y) {
    if (GameState == gsSolved) return;
    const TCellHit hit = HitTest(Board, Layout, X, Y);
    if (!hit.Hit) return;
    if (pressCell(button, hit.Col, hit.Row)) Dragging = true;
}

void TBoardRules::boxMouseMove(int32_t X, int32_t Y) {
    if (GameState == gsSolved || !Dragging) return;
    // Off the board the drag stays alive and resumes when the pointer comes back.
    const TCellHit hit = HitTest(Board, Layout, X, Y);
    if (!hit.Hit) return;
    if (!dragOnto(hit.Col, hit.Row)) Dragging = false;
}

void TBoardRules::startLevel() {
    GameState = gsRunning;
    Effects.EnablePauseBtn(true);
}

bool TBoardRules::pressCell(TMouseButton button, int32_t col, int32_t row) {
    if (GameState == gsSolved) return false;
    // Any press on a cell starts the level, whatever the button or the cell.
    startLevel();
    const int32_t state =
        button == mbMiddle ? Board.Grid[col][row] : JudgedState(col, row, button == mbLeft);
    switch (button) {
    case mbLeft:
        if (state == csHiddenEmpty) {
            WrongMove(col, row, csUncovered);
        } else if (state == csHiddenFilled) {
            UncoverCell(col, row);
            return true;
        }
        break;
    case mbRight:
        if (state == csHiddenEmpty) {
            Effects.PlaySnd(2);
            Board.Grid[col][row] = csMarkedEmpty;
            Effects.DrawCell(col, row);
        } else if (state == csHiddenFilled) {
            WrongMove(col, row, csMarkedEmpty);
        }
        break;
    case mbMiddle:
        break;
    }
    return false;
}

bool TBoardRules::dragOnto(int32_t col, int32_t row) {
    const int32_t state = JudgedState(col, row, true);
    if (state == csHiddenFilled) {
        UncoverCell(col, row);
    } else if (state == csHiddenEmpty) {
        WrongMove(col, row, csUncovered);
        return false;
    }
    return true;
}

void TBoardRules::boxMouseUp() {
    Dragging = false;
}

int32_t TBoardRules::JudgedState(int32_t col, int32_t row, bool claimFilled) {
    if (FairJudging) judgeClaim(Board, col, row, claimFilled);
    return Board.Grid[col][row];
}

void TBoardRules::WrongMove(int32_t col, int32_t row, TCellState claimedLook) {
    PlayTime += PenaltyFor(mode);
    Effects.DrawTime();
    Effects.PlaySnd(3);
    const int32_t saved = Board.Grid[col][row];
    for (int i = 0; i < 4; ++i) {
        Board.Grid[col][row] = claimedLook;
        Effects.DrawCell(col, row);
        Effects.Delay(100);
        Board.Grid[col][row] = saved;
        Effects.DrawCell(col, row);
        Effects.Delay(50);
    }
}

void TBoardRules::UncoverCell(int32_t col, int32_t row) {
    Effects.PlaySnd(2);
    Board.Grid[col][row] = csUncovered;
    Effects.DrawCell(col, row);
    // The row first, when one cell completes both.
    CompleteRow(row);
    CompleteCol(col);
    if (IsSolved(Board)) {
        GameState = gsSolved;
        Effects.PlaySnd(1);
        Effects.LevelSolved();
    }
}

void TBoardRules::CompleteRow(int32_t row) {
    for (int32_t c = 1; c <= Board.ColCount; ++c)
        if (Board.Grid[c][row] == csHiddenFilled) return;
    Effects.PlaySnd(4);
    for (int32_t c = 1; c <= Board.ColCount; ++c)
        MarkByCompletion(c, row);
    Board.RowDone[row] = true;
    Effects.DrawRowClues();
}

void TBoardRules::CompleteCol(int32_t col) {
    for (int32_t r = 1; r <= Board.RowCount; ++r)
        if (Board.Grid[col][r] == csHiddenFilled) return;
    Effects.PlaySnd(4);
    for (int32_t r = 1; r <= Board.RowCount; ++r)
        MarkByCompletion(col, r);
    Board.ColDone[col] = true;
    Effects.DrawColClues();
}

void TBoardRules::MarkByCompletion(int32_t col, int32_t row) {
    // Cells already marked or uncovered pass without a pause.
    if (Board.Grid[col][row] != csHiddenEmpty) return;
    Board.Grid[col][row] = csMarkedEmpty;
    Effects.DrawCell(col, row);
    Effects.Delay(200);
}
