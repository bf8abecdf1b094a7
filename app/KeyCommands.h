// SPDX-License-Identifier: MIT
// Which key does what on the main window: the board's cursor and moves, the tool bar buttons.
#pragma once

#include "logic/BoardCursor.h"

#include <Qt>

#include <optional>

enum class KeyCommand {
    None,
    // The board.
    CursorLeft,
    CursorRight,
    CursorUp,
    CursorDown,
    RowStart,
    RowEnd,
    ColumnTop,
    ColumnBottom,
    Uncover,
    Mark,
    // The tool bar, each as a click on its button.
    NewGame,
    Pause,
    BestList,
    NextSize,
    PreviousSize,
    Options,
    Rules,
    Info,
    Exit,
};

// The command of a key with its modifiers. Shift is part of the command only where it
// chooses one (Shift+F4); with the arrows it stands for a drag, which the caller reads from
// the modifiers itself. Keys of the number pad count like their twins.
KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers);

// The cursor's step for a cursor key; none for the other commands.
std::optional<CursorStep> cursorStep(KeyCommand command);
