// SPDX-License-Identifier: MIT
// The game's windows, created once at start-up in a fixed order and destroyed at the end.
#pragma once

class DialogImages;
class MainWindow;

// Creates the main window (its setUpGame runs first, before any other window exists) and the
// shared images, and hands out the main window, which owns the rest; it builds its dialogs when
// the first of them is needed.
MainWindow* createGameWindows();
// Destroys them again; the main window saves its placement on the way.
void destroyGameWindows(MainWindow* mainWindow);
