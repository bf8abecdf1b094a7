// SPDX-License-Identifier: MIT
// Which key does what on the main window.
#include "app/KeyCommands.h"

KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool shiftOnly = mods == Qt::ShiftModifier;
    const bool ctrlOnly = mods == Qt::ControlModifier;
    // The board's keys, with or without Shift (a drag along the arrows).
    if (plain || shiftOnly) {
        switch (key) {
        case Qt::Key_Left:
            return KeyCommand::CursorLeft;
        case Qt::Key_Right:
            return KeyCommand::CursorRight;
        case Qt::Key_Up:
            return KeyCommand::CursorUp;
        case Qt::Key_Down:
            return KeyCommand::CursorDown;
        case Qt::Key_Home:
            return KeyCommand::RowStart;
        case Qt::Key_End:
            return KeyCommand::RowEnd;
        case Qt::Key_PageUp:
            return KeyCommand::ColumnTop;
        case Qt::Key_PageDown:
            return KeyCommand::ColumnBottom;
        default:
            break;
        }
    }
    if (shiftOnly && key == Qt::Key_F4) return KeyCommand::PreviousSize;
    if (ctrlOnly) {
        switch (key) {
        case Qt::Key_N:
            return KeyCommand::NewGame;
        case Qt::Key_I:
            return KeyCommand::Info;
        case Qt::Key_Q:
            return KeyCommand::Exit;
        default:
            return KeyCommand::None;
        }
    }
    if (!plain) return KeyCommand::None;
    switch (key) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyCommand::Uncover;
    case Qt::Key_X:
    case Qt::Key_Delete:
        return KeyCommand::Mark;
    case Qt::Key_F2:
        return KeyCommand::NewGame;
    case Qt::Key_P:
    case Qt::Key_Pause:
        return KeyCommand::Pause;
    case Qt::Key_F3:
        return KeyCommand::BestList;
    case Qt::Key_F4:
        return KeyCommand::NextSize;
    case Qt::Key_F5:
        return KeyCommand::Options;
    case Qt::Key_F1:
        return KeyCommand::Rules;
    case Qt::Key_Escape:
        return KeyCommand::Exit;
    default:
        return KeyCommand::None;
    }
}

std::optional<CursorStep> cursorStep(KeyCommand command) {
    switch (command) {
    case KeyCommand::CursorLeft:
        return CursorStep::Left;
    case KeyCommand::CursorRight:
        return CursorStep::Right;
    case KeyCommand::CursorUp:
        return CursorStep::Up;
    case KeyCommand::CursorDown:
        return CursorStep::Down;
    case KeyCommand::RowStart:
        return CursorStep::RowStart;
    case KeyCommand::RowEnd:
        return CursorStep::RowEnd;
    case KeyCommand::ColumnTop:
        return CursorStep::ColumnTop;
    case KeyCommand::ColumnBottom:
        return CursorStep::ColumnBottom;
    default:
        return std::nullopt;
    }
}
