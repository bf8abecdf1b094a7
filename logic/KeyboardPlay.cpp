// SPDX-License-Identifier: MIT
// Playing with the keyboard: a cursor on the board and the moves made at it.
#include "logic/KeyboardPlay.h"

namespace {

bool isArrow(CursorStep step) {
    return step == CursorStep::Left || step == CursorStep::Right || step == CursorStep::Up ||
           step == CursorStep::Down;
}

} // namespace

KeyboardPlay::KeyboardPlay(BoardRules& rules, const Puzzle& puzzle, CursorEffects& effects)
    : m_rules(rules), m_board(puzzle), m_effects(effects) {}

bool KeyboardPlay::showIfHidden(CursorStep step) {
    if (m_position.visible) return false;
    if (!isArrow(step)) return true;
    const BoardCursor previous = m_position;
    clampCursor(m_position, m_board.colCount, m_board.rowCount);
    m_position.visible = true;
    m_effects.cursorMoved(previous);
    return true;
}

void KeyboardPlay::step(CursorStep step, bool drag) {
    if (showIfHidden(step)) return;
    const bool dragging = drag && isArrow(step);
    if (!dragging) m_dragEnded = false;
    const BoardCursor previous = m_position;
    if (!moveCursor(m_position, step, m_board.colCount, m_board.rowCount, !dragging)) return;
    m_effects.cursorMoved(previous);
    if (!dragging || m_dragEnded || !m_rules.acceptsInput()) return;
    // Entering a cell by keyboard is a move, so it starts the level as a press does.
    m_rules.startLevel();
    if (!m_rules.dragOnto(m_position.col, m_position.row)) m_dragEnded = true;
}

void KeyboardPlay::uncover() {
    if (!m_position.visible) return;
    m_rules.pressCell(MouseButton::Left, m_position.col, m_position.row);
}

void KeyboardPlay::mark() {
    if (!m_position.visible) return;
    m_rules.pressCell(MouseButton::Right, m_position.col, m_position.row);
}

void KeyboardPlay::releaseDrag() {
    m_dragEnded = false;
}

void KeyboardPlay::hide() {
    m_dragEnded = false;
    if (!m_position.visible) return;
    const BoardCursor previous = m_position;
    m_position.visible = false;
    m_effects.cursorMoved(previous);
}

void KeyboardPlay::newLevel() {
    m_position.col = 1;
    m_position.row = 1;
    m_dragEnded = false;
}
