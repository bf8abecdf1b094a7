// The rules of play: presses, drags, wrong moves, line completion and the solved board.
#include "BoardRules.h"

#include "FairJudge.h"

#include <algorithm>
#include <cmath>
#include <limits>

int32_t PenaltyFor(int32_t mode) {
    // 33 times the rounded square root: 33 for sizes 1-2, 66 for 3-6, 99 for 7-9. No square
    // root of a whole number lies on a half, so the rounding rule does not matter.
    return 33 * static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(ClampMode(mode)))));
}

CellHit HitTest(const Puzzle& puzzle, const BoardLayout& layout, int32_t X, int32_t Y) {
    if (layout.CellSize <= 0 || X < layout.BoardLeft || Y < layout.BoardTop) return {};
    // 64-bit, so that no point far off the board can overflow the subtraction.
    const int64_t col = (int64_t{X} - layout.BoardLeft) / layout.CellSize + 1;
    const int64_t row = (int64_t{Y} - layout.BoardTop) / layout.CellSize + 1;
    if (col > puzzle.ColCount || row > puzzle.RowCount) return {};
    return {true, static_cast<int32_t>(col), static_cast<int32_t>(row)};
}

std::vector<CellHit> CellsAlong(const Puzzle& puzzle, const BoardLayout& layout, int32_t X0,
                                int32_t Y0, int32_t X1, int32_t Y1) {
    std::vector<CellHit> cells;
    const double size = layout.CellSize;
    if (layout.CellSize <= 0 || puzzle.ColCount <= 0 || puzzle.RowCount <= 0) return cells;
    // Pixel centres, relative to the board's top left corner.
    const double ax = double(X0) - layout.BoardLeft + 0.5, ay = double(Y0) - layout.BoardTop + 0.5;
    const double dx = double(X1) - X0, dy = double(Y1) - Y0;
    const double width = puzzle.ColCount * size, height = puzzle.RowCount * size;

    // The part of the movement that lies on the board (clipped at its edges).
    double t0 = 0, t1 = 1;
    const auto clip = [&](double p, double q) { // keeps p * t <= q
        if (p == 0) return q >= 0;
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!clip(-dx, ax) || !clip(dx, width - ax) || !clip(-dy, ay) || !clip(dy, height - ay))
        return cells;

    const auto cellAt = [&](double t, int32_t count, double a, double d) {
        const double v = std::floor((a + t * d) / size);
        return static_cast<int32_t>(std::clamp(v, 0.0, double(count - 1)));
    };
    int32_t col = cellAt(t0, puzzle.ColCount, ax, dx), row = cellAt(t0, puzzle.RowCount, ay, dy);
    const int32_t lastCol = cellAt(t1, puzzle.ColCount, ax, dx);
    const int32_t lastRow = cellAt(t1, puzzle.RowCount, ay, dy);
    const bool startsOnBoard = ax >= 0 && ay >= 0 && ax < width && ay < height;
    if (!startsOnBoard) cells.push_back({true, col + 1, row + 1});

    // From cell to cell: always across the nearer of the next column and the next row edge.
    const int32_t stepCol = dx > 0 ? 1 : dx < 0 ? -1 : 0;
    const int32_t stepRow = dy > 0 ? 1 : dy < 0 ? -1 : 0;
    constexpr double never = std::numeric_limits<double>::infinity();
    const auto firstEdge = [&](int32_t cell, int32_t step, double a, double d) {
        if (step == 0) return never;
        return ((cell + (step > 0 ? 1 : 0)) * size - a) / d;
    };
    double nextColEdge = firstEdge(col, stepCol, ax, dx);
    double nextRowEdge = firstEdge(row, stepRow, ay, dy);
    const double colEvery = stepCol ? size / std::abs(dx) : never;
    const double rowEvery = stepRow ? size / std::abs(dy) : never;
    // Never more cells than a walk from corner to corner; rounding cannot make it run on.
    for (int32_t left = puzzle.ColCount + puzzle.RowCount; left > 0; --left) {
        if (col == lastCol && row == lastRow) break;
        if (col != lastCol && (row == lastRow || nextColEdge <= nextRowEdge)) {
            col += stepCol;
            nextColEdge += colEvery;
        } else {
            row += stepRow;
            nextRowEdge += rowEvery;
        }
        if (col < 0 || row < 0 || col >= puzzle.ColCount || row >= puzzle.RowCount) break;
        cells.push_back({true, col + 1, row + 1});
    }
    return cells;
}

BoardRules::BoardRules(Puzzle& puzzle, const BoardLayout& layout, GameState& gameState,
                       int32_t& playTime, IBoardEffects& effects)
    : Board(puzzle), Layout(layout), gameState(gameState), PlayTime(playTime), Effects(effects) {}

void BoardRules::boxMouseDown(MouseButton button, int32_t X, int32_t Y) {
    DragFrom.reset();
    if (gameState == GameState::Solved) return;
    const CellHit hit = HitTest(Board, Layout, X, Y);
    if (!hit.Hit) return;
    if (pressCell(button, hit.Col, hit.Row)) {
        dragging = true;
        DragFrom = CellPoint{X, Y};
    }
}

void BoardRules::boxMouseMove(int32_t X, int32_t Y) {
    if (gameState == GameState::Solved || !dragging) return;
    // A fast pointer, or moves merged while an animation ran, skip cells between two events:
    // the drag judges every cell on the way. Off the board the drag stays alive and resumes
    // when the pointer comes back.
    std::vector<CellHit> cells;
    if (DragFrom) {
        cells = CellsAlong(Board, Layout, DragFrom->X, DragFrom->Y, X, Y);
    } else if (const CellHit hit = HitTest(Board, Layout, X, Y); hit.Hit) {
        cells.push_back(hit);
    }
    DragFrom = CellPoint{X, Y};
    for (const CellHit& cell : cells) {
        if (!dragOnto(cell.Col, cell.Row)) {
            dragging = false;
            break;
        }
        if (gameState == GameState::Solved) break;
    }
}

void BoardRules::startLevel() {
    gameState = GameState::Running;
    Effects.EnablePauseBtn(true);
}

bool BoardRules::pressCell(MouseButton button, int32_t col, int32_t row) {
    if (gameState == GameState::Solved) return false;
    // Any press on a cell starts the level, whatever the button or the cell.
    startLevel();
    const int32_t state = button == MouseButton::Middle
                              ? Board.Grid[col][row]
                              : JudgedState(col, row, button == MouseButton::Left);
    switch (button) {
    case MouseButton::Left:
        if (state == CellState::HiddenEmpty) {
            WrongMove(col, row, CellState::Uncovered);
        } else if (state == CellState::HiddenFilled) {
            UncoverCell(col, row);
            return true;
        }
        break;
    case MouseButton::Right:
        if (state == CellState::HiddenEmpty) {
            Effects.PlaySnd(2);
            Board.Grid[col][row] = CellState::MarkedEmpty;
            Effects.DrawCell(col, row);
        } else if (state == CellState::HiddenFilled) {
            WrongMove(col, row, CellState::MarkedEmpty);
        }
        break;
    case MouseButton::Middle:
        break;
    }
    return false;
}

bool BoardRules::dragOnto(int32_t col, int32_t row) {
    if (gameState == GameState::Solved) return false;
    const int32_t state = JudgedState(col, row, true);
    if (state == CellState::HiddenFilled) {
        UncoverCell(col, row);
    } else if (state == CellState::HiddenEmpty) {
        WrongMove(col, row, CellState::Uncovered);
        return false;
    }
    return true;
}

void BoardRules::boxMouseUp() {
    dragging = false;
    DragFrom.reset();
}

int32_t BoardRules::JudgedState(int32_t col, int32_t row, bool claimFilled) {
    if (fairJudging) judgeClaim(Board, col, row, claimFilled);
    return Board.Grid[col][row];
}

void BoardRules::WrongMove(int32_t col, int32_t row, CellState claimedLook) {
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

void BoardRules::UncoverCell(int32_t col, int32_t row) {
    Effects.PlaySnd(2);
    Board.Grid[col][row] = CellState::Uncovered;
    Effects.DrawCell(col, row);
    // The row first, when one cell completes both.
    CompleteRow(row);
    CompleteCol(col);
    if (IsSolved(Board)) {
        gameState = GameState::Solved;
        Effects.PlaySnd(1);
        Effects.LevelSolved();
    }
}

void BoardRules::CompleteRow(int32_t row) {
    for (int32_t c = 1; c <= Board.ColCount; ++c)
        if (Board.Grid[c][row] == CellState::HiddenFilled) return;
    Effects.PlaySnd(4);
    for (int32_t c = 1; c <= Board.ColCount; ++c)
        MarkByCompletion(c, row);
    Board.RowDone[row] = true;
    Effects.DrawRowClues();
}

void BoardRules::CompleteCol(int32_t col) {
    for (int32_t r = 1; r <= Board.RowCount; ++r)
        if (Board.Grid[col][r] == CellState::HiddenFilled) return;
    Effects.PlaySnd(4);
    for (int32_t r = 1; r <= Board.RowCount; ++r)
        MarkByCompletion(col, r);
    Board.ColDone[col] = true;
    Effects.DrawColClues();
}

void BoardRules::MarkByCompletion(int32_t col, int32_t row) {
    // Cells already marked or uncovered pass without a pause.
    if (Board.Grid[col][row] != CellState::HiddenEmpty) return;
    Board.Grid[col][row] = CellState::MarkedEmpty;
    Effects.DrawCell(col, row);
    Effects.Delay(200);
}
