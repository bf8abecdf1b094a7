// SPDX-License-Identifier: MIT
// Playing with the keyboard: a cursor on the board and the moves made at it.
#pragma once

#include "logic/BoardCursor.h"
#include "logic/BoardRules.h"
#include "logic/Puzzle.h"

// What the cursor needs from the window. The main window implements it; tests record it.
class CursorEffects {
  public:
    virtual ~CursorEffects() = default;
    // The cursor changed its cell or was shown or hidden: `previous` is where it was before.
    // Both places and their clue lines need drawing again.
    virtual void cursorMoved(const BoardCursor& previous) = 0;
};

// Turns cursor keys and move keys into moves, judged by the same rules as mouse presses.
// While the cursor is hidden the board looks and plays as without a keyboard: an arrow key
// only shows the cursor, every other key does nothing, so that no move is ever made at a
// cell the player cannot see.
class KeyboardPlay {
  public:
    KeyboardPlay(BoardRules& rules, const Puzzle& puzzle, CursorEffects& effects);

    const BoardCursor& cursor() const { return m_position; }

    // A cursor key. With `drag` (Shift held) an arrow uncovers the cell it enters, as a drag
    // of the left button does, and stops at the board's edge instead of wrapping. A hidden
    // empty cell ends that drag with its penalty; further arrows only move the cursor until
    // the drag is released.
    void step(CursorStep step, bool drag);
    // "This cell is filled", as a left press on the cursor's cell.
    void uncover();
    // "This cell is empty", as a right press.
    void mark();
    // The drag key was let go: the next drag starts afresh.
    void releaseDrag();
    // A mouse press on the board takes over until the next cursor key.
    void hide();
    // A new board: the cursor goes back to the top-left cell, shown or not as before.
    void newLevel();

  private:
    // Shows the hidden cursor for an arrow key; true when the key was spent on that.
    bool showIfHidden(CursorStep step);

    BoardRules& m_rules;
    const Puzzle& m_board;
    CursorEffects& m_effects;
    BoardCursor m_position;
    bool m_dragEnded = false;
};
