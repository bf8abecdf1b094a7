// SPDX-License-Identifier: MIT
// The rules of play: presses, drags, wrong moves, line completion and the solved board.
#include "logic/BoardRules.h"

#include "logic/FairJudge.h"

#include <algorithm>
#include <cmath>
#include <limits>

int32_t penaltyFor(int32_t mode) {
    // 33 times the rounded square root: 33 for sizes 1-2, 66 for 3-6, 99 for 7-9. No square
    // root of a whole number lies on a half, so the rounding rule does not matter.
    return 33 * static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(clampMode(mode)))));
}

CellHit hitTest(const Puzzle& puzzle, const BoardLayout& layout, int32_t x, int32_t y) {
    if (layout.cellSize <= 0 || x < layout.boardLeft || y < layout.boardTop) return {};
    // 64-bit, so that no point far off the board can overflow the subtraction.
    const int64_t col = (int64_t{x} - layout.boardLeft) / layout.cellSize + 1;
    const int64_t row = (int64_t{y} - layout.boardTop) / layout.cellSize + 1;
    if (col > puzzle.colCount || row > puzzle.rowCount) return {};
    return {true, static_cast<int32_t>(col), static_cast<int32_t>(row)};
}

std::vector<CellHit> cellsAlong(const Puzzle& puzzle, const BoardLayout& layout, int32_t x0,
                                int32_t y0, int32_t x1, int32_t y1) {
    std::vector<CellHit> cells;
    const double size = layout.cellSize;
    if (layout.cellSize <= 0 || puzzle.colCount <= 0 || puzzle.rowCount <= 0) return cells;
    // Pixel centres, relative to the board's top left corner.
    const double ax = double(x0) - layout.boardLeft + 0.5, ay = double(y0) - layout.boardTop + 0.5;
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    const double width = puzzle.colCount * size, height = puzzle.rowCount * size;

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
    int32_t col = cellAt(t0, puzzle.colCount, ax, dx), row = cellAt(t0, puzzle.rowCount, ay, dy);
    const int32_t lastCol = cellAt(t1, puzzle.colCount, ax, dx);
    const int32_t lastRow = cellAt(t1, puzzle.rowCount, ay, dy);
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
    for (int32_t left = puzzle.colCount + puzzle.rowCount; left > 0; --left) {
        if (col == lastCol && row == lastRow) break;
        if (col != lastCol && (row == lastRow || nextColEdge <= nextRowEdge)) {
            col += stepCol;
            nextColEdge += colEvery;
        } else {
            row += stepRow;
            nextRowEdge += rowEvery;
        }
        if (col < 0 || row < 0 || col >= puzzle.colCount || row >= puzzle.rowCount) break;
        cells.push_back({true, col + 1, row + 1});
    }
    return cells;
}

BoardRules::BoardRules(Puzzle& puzzle, const BoardLayout& layout, GameState& gameState,
                       int32_t& playTime, const GameOptions& options, BoardEffects& effects)
    : m_board(puzzle), m_layout(layout), m_gameState(gameState), m_playTime(playTime),
      m_options(options), m_effects(effects) {}

void BoardRules::boxMouseDown(MouseButton button, int32_t x, int32_t y) {
    m_dragFrom.reset();
    if (m_gameState == GameState::Solved) return;
    const CellHit hit = hitTest(m_board, m_layout, x, y);
    if (!hit.hit) return;
    if (pressCell(button, hit.col, hit.row)) {
        m_dragging = true;
        m_dragFrom = CellPoint{x, y};
    }
}

void BoardRules::boxMouseMove(int32_t x, int32_t y) {
    if (m_gameState == GameState::Solved || !m_dragging) return;
    // A fast pointer, or moves merged while an animation ran, skip cells between two events:
    // the drag judges every cell on the way. Off the board the drag stays alive and resumes
    // when the pointer comes back.
    std::vector<CellHit> cells;
    if (m_dragFrom) {
        cells = cellsAlong(m_board, m_layout, m_dragFrom->x, m_dragFrom->y, x, y);
    } else if (const CellHit hit = hitTest(m_board, m_layout, x, y); hit.hit) {
        cells.push_back(hit);
    }
    m_dragFrom = CellPoint{x, y};
    for (const CellHit& cell : cells) {
        if (!dragOnto(cell.col, cell.row)) {
            m_dragging = false;
            break;
        }
        if (m_gameState == GameState::Solved) break;
    }
}

void BoardRules::startLevel() {
    m_gameState = GameState::Running;
    m_effects.enablePauseBtn(true);
}

bool BoardRules::pressCell(MouseButton button, int32_t col, int32_t row) {
    if (m_gameState == GameState::Solved) return false;
    // Any press on a cell starts the level, whatever the button or the cell.
    startLevel();
    const int32_t state = button == MouseButton::Middle
                              ? m_board.grid[col][row]
                              : judgedState(col, row, button == MouseButton::Left);
    switch (button) {
    case MouseButton::Left:
        if (state == CellState::HiddenEmpty) {
            claimFails(col, row, CellState::Uncovered);
        } else if (state == CellState::HiddenFilled) {
            uncoverCell(col, row);
            return true;
        }
        break;
    case MouseButton::Right:
        if (state == CellState::HiddenEmpty) {
            m_effects.playSnd(Sound::Move);
            m_board.grid[col][row] = CellState::MarkedEmpty;
            m_effects.drawCell(col, row);
        } else if (state == CellState::HiddenFilled) {
            claimFails(col, row, CellState::MarkedEmpty);
        }
        break;
    case MouseButton::Middle:
        break;
    }
    return false;
}

bool BoardRules::dragOnto(int32_t col, int32_t row) {
    if (m_gameState == GameState::Solved) return false;
    const int32_t state = judgedState(col, row, true);
    if (state == CellState::HiddenFilled) {
        uncoverCell(col, row);
    } else if (state == CellState::HiddenEmpty) {
        claimFails(col, row, CellState::Uncovered);
        return false;
    }
    return true;
}

void BoardRules::boxMouseUp() {
    endDrag();
}

void BoardRules::endDrag() {
    m_dragging = false;
    m_dragFrom.reset();
}

int32_t BoardRules::judgedState(int32_t col, int32_t row, bool claimFilled) {
    m_lastUndecided = m_options.fairJudging && judgeClaim(m_board, col, row, claimFilled,
                                                          m_fairBudget) == Judgement::Undecided;
    return m_board.grid[col][row];
}

void BoardRules::claimFails(int32_t col, int32_t row, CellState claimedLook) {
    if (m_lastUndecided)
        refusedMove(col, row, claimedLook);
    else
        wrongMove(col, row, claimedLook);
}

void BoardRules::wrongMove(int32_t col, int32_t row, CellState claimedLook) {
    m_playTime += penaltyFor(m_options.mode);
    m_effects.drawTime();
    m_effects.playSnd(Sound::Wrong);
    flashClaim(col, row, claimedLook);
}

void BoardRules::refusedMove(int32_t col, int32_t row, CellState claimedLook) {
    flashClaim(col, row, claimedLook);
}

void BoardRules::flashClaim(int32_t col, int32_t row, CellState claimedLook) {
    const int32_t saved = m_board.grid[col][row];
    for (int i = 0; i < 4; ++i) {
        m_board.grid[col][row] = claimedLook;
        m_effects.drawCell(col, row);
        m_effects.delay(100);
        m_board.grid[col][row] = saved;
        m_effects.drawCell(col, row);
        m_effects.delay(50);
    }
}

void BoardRules::uncoverCell(int32_t col, int32_t row) {
    m_effects.playSnd(Sound::Move);
    m_board.grid[col][row] = CellState::Uncovered;
    m_effects.drawCell(col, row);
    // The row first, when one cell completes both.
    completeRow(row);
    completeCol(col);
    if (isSolved(m_board)) {
        m_gameState = GameState::Solved;
        m_effects.playSnd(Sound::Solved);
        m_effects.levelSolved();
    }
}

void BoardRules::completeRow(int32_t row) {
    for (int32_t c = 1; c <= m_board.colCount; ++c)
        if (m_board.grid[c][row] == CellState::HiddenFilled) return;
    m_effects.playSnd(Sound::LineDone);
    for (int32_t c = 1; c <= m_board.colCount; ++c)
        markByCompletion(c, row);
    m_board.rowDone[row] = true;
    m_effects.drawRowClues();
}

void BoardRules::completeCol(int32_t col) {
    for (int32_t r = 1; r <= m_board.rowCount; ++r)
        if (m_board.grid[col][r] == CellState::HiddenFilled) return;
    m_effects.playSnd(Sound::LineDone);
    for (int32_t r = 1; r <= m_board.rowCount; ++r)
        markByCompletion(col, r);
    m_board.colDone[col] = true;
    m_effects.drawColClues();
}

void BoardRules::markByCompletion(int32_t col, int32_t row) {
    // Cells already marked or uncovered pass without a pause.
    if (m_board.grid[col][row] != CellState::HiddenEmpty) return;
    m_board.grid[col][row] = CellState::MarkedEmpty;
    m_effects.drawCell(col, row);
    m_effects.delay(200);
}
