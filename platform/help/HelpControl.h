// SPDX-License-Identifier: MIT
// The help control: loads it and wraps its entry point. Here the control is the built-in viewer.
#pragma once

#include <QString>

#include <cstdint>

class QWidget;

// Commands of the help entry that the game uses.
enum : unsigned {
    HH_HELP_CONTEXT = 15, // show topic data of the file; returns the help window
    HH_CLOSE_ALL = 18,    // close every help window
};

// The entry point: owner window, help address, command and its data; returns the help window
// or nullptr.
using HtmlHelpFunction = QWidget* (*)(QWidget* owner, const QString& address, unsigned command,
                                      intptr_t data);

// Resolved by loadHelpControl, cleared by unloadHelpControl.
extern HtmlHelpFunction htmlHelp;

// The control is built into the program, so loading cannot fail: it resolves the entry point.
// Does nothing when already loaded.
void loadHelpControl();
void unloadHelpControl();
bool helpControlLoaded();

// Where the control lives: the program file itself, since the viewer is part of it (an empty
// text before the application object exists).
QString findHelpControlPath();

// Closes every help window; only when the control is loaded.
void closeAllHelp();
