// The rules of play: mouse input on the board turned into moves and judged against the hidden grid.
#pragma once

#include "BoardLayout.h"
#include "GameGlobals.h"
#include "Puzzle.h"

#include <cstdint>
#include <optional>
#include <vector>

enum MouseButton : int32_t { Left, Right, Middle };

// Everything the rules need from the window. The main window implements it; tests record it.
class IBoardEffects {
  public:
    virtual ~IBoardEffects() = default;
    // Draws one cell from its current state in the grid, straight onto the board.
    virtual void DrawCell(int32_t col, int32_t row) = 0;
    virtual void DrawRowClues() = 0;
    virtual void DrawColClues() = 0;
    // Shows the current play time.
    virtual void DrawTime() = 0;
    // 1 solved, 2 cell uncovered or marked, 3 wrong move, 4 line completed.
    virtual void PlaySnd(int32_t number) = 0;
    // Holds the move for ms: the player's input waits until the move is over, the animations
    // rely on it.
    virtual void Delay(int32_t ms) = 0;
    virtual void EnablePauseBtn(bool enabled) = 0;
    // The level's last filled cell was uncovered; called once, as the last step of that move.
    virtual void LevelSolved() = 0;
};

// Seconds added for one wrong move at a size level: 33, 66 or 99.
int32_t PenaltyFor(int32_t mode);

// The cell under a point of the board box, if any.
struct CellHit {
    bool Hit = false;
    int32_t Col = 0;
    int32_t Row = 0;
};
// Misses the clue panels, the margins and everything right of or below the board; a layout
// without cells (CellSize 0 or less) hits nothing.
CellHit HitTest(const Puzzle& puzzle, const BoardLayout& layout, int32_t X, int32_t Y);

// The board cells that a straight pointer movement from (X0, Y0) to (X1, Y1) passes over, in
// the order it meets them, without the cell it starts in. Parts off the board are skipped;
// where the line runs exactly through a corner, the cell beside it in the column direction
// comes first.
std::vector<CellHit> CellsAlong(const Puzzle& puzzle, const BoardLayout& layout, int32_t X0,
                                int32_t Y0, int32_t X1, int32_t Y1);

// The board's rule book. It keeps references to the state it changes: the puzzle, the main
// window's GameState and PlayTime; the layout is read at every event so a resize is seen at once.
// The size level comes from the global mode, the drag flag is the global dragging.
class BoardRules {
  public:
    BoardRules(Puzzle& puzzle, const BoardLayout& layout, GameState& gameState, int32_t& playTime,
               IBoardEffects& effects);

    void boxMouseDown(MouseButton button, int32_t X, int32_t Y);
    void boxMouseMove(int32_t X, int32_t Y);
    void boxMouseUp();

    // The same moves for one cell, whatever points at it (a mouse press, a keyboard cursor).
    // A press of a button on a cell of the board; true when it uncovered a filled cell, from
    // which a drag may go on. Ignored once the level is solved.
    bool pressCell(MouseButton button, int32_t col, int32_t row);
    // A drag arrives on a cell; false when it met a hidden empty cell, which ends the drag.
    bool dragOnto(int32_t col, int32_t row);
    // Board input is taken until the level is solved.
    bool acceptsInput() const { return gameState != GameState::Solved; }
    // The first move on a cell starts the clock and allows the pause.
    void startLevel();

    // Uncovers one hidden filled cell, completes its row and column, and detects the solved board.
    void UncoverCell(int32_t col, int32_t row);
    // Charges the penalty and flashes the cell with the look the player claimed; the cell keeps
    // its state.
    void WrongMove(int32_t col, int32_t row, CellState claimedLook);

  private:
    // The cell's state as the player's claim is judged: with fair judging, a claim that the
    // hidden picture denies but another picture fitting the clues and the board allows makes
    // that picture the hidden one, and the cell reads as the claim says.
    int32_t JudgedState(int32_t col, int32_t row, bool claimFilled);
    // Marks the line's hidden empty cells once none of its filled cells is hidden.
    void CompleteRow(int32_t row);
    void CompleteCol(int32_t col);
    void MarkByCompletion(int32_t col, int32_t row);

    Puzzle& Board;
    const BoardLayout& Layout;
    GameState& gameState;
    int32_t& PlayTime;
    IBoardEffects& Effects;
    // Where the pointer of the current drag was last seen: the next move walks on from here.
    struct CellPoint {
        int32_t X, Y;
    };
    std::optional<CellPoint> DragFrom;
};
