// Playing with the keyboard: a cursor on the board and the moves made at it.
#include "KeyboardPlay.h"

namespace {

bool isArrow(CursorStep step) {
    return step == CursorStep::Left || step == CursorStep::Right || step == CursorStep::Up ||
           step == CursorStep::Down;
}

} // namespace

KeyboardPlay::KeyboardPlay(BoardRules& rules, const Puzzle& puzzle, CursorEffects& effects)
    : rules(rules), board(puzzle), effects(effects) {}

bool KeyboardPlay::showIfHidden(CursorStep step) {
    if (position.visible) return false;
    if (!isArrow(step)) return true;
    const BoardCursor previous = position;
    clampCursor(position, board.ColCount, board.RowCount);
    position.visible = true;
    effects.cursorMoved(previous);
    return true;
}

void KeyboardPlay::step(CursorStep step, bool drag) {
    if (showIfHidden(step)) return;
    const bool dragging = drag && isArrow(step);
    if (!dragging) dragEnded = false;
    const BoardCursor previous = position;
    if (!moveCursor(position, step, board.ColCount, board.RowCount, !dragging)) return;
    effects.cursorMoved(previous);
    if (!dragging || dragEnded || !rules.acceptsInput()) return;
    // Entering a cell by keyboard is a move, so it starts the level as a press does.
    rules.startLevel();
    if (!rules.dragOnto(position.col, position.row)) dragEnded = true;
}

void KeyboardPlay::uncover() {
    if (!position.visible) return;
    rules.pressCell(MouseButton::Left, position.col, position.row);
}

void KeyboardPlay::mark() {
    if (!position.visible) return;
    rules.pressCell(MouseButton::Right, position.col, position.row);
}

void KeyboardPlay::releaseDrag() {
    dragEnded = false;
}

void KeyboardPlay::hide() {
    dragEnded = false;
    if (!position.visible) return;
    const BoardCursor previous = position;
    position.visible = false;
    effects.cursorMoved(previous);
}

void KeyboardPlay::newLevel() {
    position.col = 1;
    position.row = 1;
    dragEnded = false;
}
