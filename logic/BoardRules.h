// SPDX-License-Identifier: MIT
// The rules of play: mouse input on the board turned into moves and judged against the hidden grid.
#pragma once

#include "logic/BoardLayout.h"
#include "logic/FairJudge.h"
#include "logic/GameOptions.h"
#include "logic/GameState.h"
#include "logic/Puzzle.h"
#include "logic/Sound.h"

#include <cstdint>
#include <optional>
#include <vector>

enum class MouseButton : int32_t { Left, Right, Middle };

// Everything the rules need from the window. The main window answers it (app/WindowEffects);
// tests record it.
class BoardEffects {
  public:
    virtual ~BoardEffects() = default;
    // Draws one cell from its current state in the grid, straight onto the board.
    virtual void drawCell(int32_t col, int32_t row) = 0;
    virtual void drawRowClues() = 0;
    virtual void drawColClues() = 0;
    // Shows the current play time.
    virtual void drawTime() = 0;
    virtual void playSnd(Sound sound) = 0;
    // Holds the move for ms: the player's input waits until the move is over, the animations
    // rely on it.
    virtual void delay(int32_t ms) = 0;
    virtual void enablePauseBtn(bool enabled) = 0;
    // The level's last filled cell was uncovered; called once, as the last step of that move.
    virtual void levelSolved() = 0;
};

// Seconds added for one wrong move at a size level: 33, 66 or 99.
int32_t penaltyFor(int32_t mode);

// The cell under a point of the board box, if any.
struct CellHit {
    bool hit = false;
    int32_t col = 0;
    int32_t row = 0;
};
// Misses the clue panels, the margins and everything right of or below the board; a layout
// without cells (cellSize 0 or less) hits nothing.
CellHit hitTest(const Puzzle& puzzle, const BoardLayout& layout, int32_t x, int32_t y);

// The board cells that a straight pointer movement from (X0, Y0) to (X1, Y1) passes over, in
// the order it meets them, without the cell it starts in. Parts off the board are skipped;
// where the line runs exactly through a corner, the cell beside it in the column direction
// comes first.
std::vector<CellHit> cellsAlong(const Puzzle& puzzle, const BoardLayout& layout, int32_t x0,
                                int32_t y0, int32_t x1, int32_t y1);

// The board's rule book. It keeps references to the state it changes: the puzzle, the main
// window's game state and play time; the layout is read at every event so a resize is seen at once.
// The size level and the judging come from the player's options.
class BoardRules {
  public:
    BoardRules(Puzzle& puzzle, const BoardLayout& layout, GameState& gameState, int32_t& playTime,
               const GameOptions& options, BoardEffects& effects);

    void boxMouseDown(MouseButton button, int32_t x, int32_t y);
    void boxMouseMove(int32_t x, int32_t y);
    void boxMouseUp();

    // The same moves for one cell, whatever points at it (a mouse press, a keyboard cursor).
    // A press of a button on a cell of the board; true when it uncovered a filled cell, from
    // which a drag may go on. Ignored once the level is solved.
    bool pressCell(MouseButton button, int32_t col, int32_t row);
    // A drag arrives on a cell; false when it met a hidden empty cell, which ends the drag.
    bool dragOnto(int32_t col, int32_t row);
    // Board input is taken until the level is solved.
    bool acceptsInput() const { return m_gameState != GameState::Solved; }
    // The first move on a cell starts the clock and allows the pause.
    void startLevel();
    // A drag is under way: the left button went down on a filled cell and is still held.
    bool dragging() const { return m_dragging; }
    // Ends a drag without a release, as a new level does.
    void endDrag();

    // Uncovers one hidden filled cell, completes its row and column, and detects the solved board.
    void uncoverCell(int32_t col, int32_t row);
    // Charges the penalty and flashes the cell with the look the player claimed; the cell keeps
    // its state.
    void wrongMove(int32_t col, int32_t row, CellState claimedLook);
    // A claim that fair judging could not decide: the cell flashes and keeps its state, without
    // a penalty, since a picture might allow it.
    void refusedMove(int32_t col, int32_t row, CellState claimedLook);

    // The search steps a fair judgement may take (tests make it small).
    void setFairJudgingBudget(int64_t steps) { m_fairBudget = steps; }

  private:
    // The cell's state as the player's claim is judged: with fair judging, a claim that the
    // hidden picture denies but another picture fitting the clues and the board allows makes
    // that picture the hidden one, and the cell reads as the claim says.
    int32_t judgedState(int32_t col, int32_t row, bool claimFilled);
    // The claim goes against the cell's state: a wrong move, or a refused one when the last
    // judgement could not decide.
    void claimFails(int32_t col, int32_t row, CellState claimedLook);
    void flashClaim(int32_t col, int32_t row, CellState claimedLook);
    // Marks the line's hidden empty cells once none of its filled cells is hidden.
    void completeRow(int32_t row);
    void completeCol(int32_t col);
    void markByCompletion(int32_t col, int32_t row);

    Puzzle& m_board;
    int64_t m_fairBudget = FairNodeBudget;
    bool m_lastUndecided = false;
    const BoardLayout& m_layout;
    GameState& m_gameState;
    int32_t& m_playTime;
    const GameOptions& m_options;
    BoardEffects& m_effects;
    bool m_dragging = false;
    // Where the pointer of the current drag was last seen: the next move walks on from here.
    struct CellPoint {
        int32_t x, y;
    };
    std::optional<CellPoint> m_dragFrom;
};
