// Playing with the keyboard: a cursor on the board and the moves made at it.
#include "KeyboardPlay.h"

namespace {

bool isArrow(CursorStep step) {
    return step == CursorStep::Left || step == CursorStep::Right || step == CursorStep::Up ||
           step == CursorStep::Down;
}

} // namespace

KeyboardPlay::KeyboardPlay(TBoardRules& rules, const TPuzzle& puzzle, CursorEffects& effects)
    : Rules(rules), Board(puzzle), Effects(effects) {}

bool KeyboardPlay::showIfHidden(CursorStep step) {
    if (Cursor.visible) return false;
    if (!isArrow(step)) return true;
    const BoardCursor previous = Cursor;
    clampCursor(Cursor, Board.ColCount, Board.RowCount);
    Cursor.visible = true;
    Effects.cursorMoved(previous);
    return true;
}

void KeyboardPlay::step(CursorStep step, bool drag) {
    if (showIfHidden(step)) return;
    const bool dragging = drag && isArrow(step);
    if (!dragging) DragEnded = false;
    const BoardCursor previous = Cursor;
    if (!moveCursor(Cursor, step, Board.ColCount, Board.RowCount, !dragging)) return;
    Effects.cursorMoved(previous);
    if (!dragging || DragEnded || !Rules.acceptsInput()) return;
    // Entering a cell by keyboard is a move, so it starts the level as a press does.
    Rules.startLevel();
    if (!Rules.dragOnto(Cursor.col, Cursor.row)) DragEnded = true;
}

void KeyboardPlay::uncover() {
    if (!Cursor.visible) return;
    Rules.pressCell(mbLeft, Cursor.col, Cursor.row);
}

void KeyboardPlay::mark() {
    if (!Cursor.visible) return;
    Rules.pressCell(mbRight, Cursor.col, Cursor.row);
}

void KeyboardPlay::releaseDrag() {
    DragEnded = false;
}

void KeyboardPlay::hide() {
    DragEnded = false;
    if (!Cursor.visible) return;
    const BoardCursor previous = Cursor;
    Cursor.visible = false;
    Effects.cursorMoved(previous);
}

void KeyboardPlay::newLevel() {
    Cursor.col = 1;
    Cursor.row = 1;
    DragEnded = false;
}
