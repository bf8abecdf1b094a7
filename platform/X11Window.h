// SPDX-License-Identifier: MIT
// The few X11 window calls that Qt does not offer: the window manager's frame of a window before
// it is on screen, and windows that take no pointer input. Elsewhere (offscreen, Wayland, a
// build without xcb) they do nothing.
#pragma once

#include <QMargins>

#include <optional>

class QWidget;

// Whether the game runs on Wayland, where the compositor alone places windows and no window lets
// the pointer through.
bool onWayland();

// Whether a window manager runs on the X11 display the application uses.
bool windowManagerRunning();

// The frame the window manager draws round this top-level window (_NET_FRAME_EXTENTS), in Qt's
// logical pixels: what it has set, or else what it answers to a request, waited for up to
// timeoutMs. Nothing without a window manager or when none answers.
std::optional<QMargins> frameExtents(QWidget* window, int timeoutMs = 0);

// Gives the window an empty input shape: presses and the pointer go to whatever lies below.
void passPointerThrough(QWidget* window);

// Sends what was drawn to the X server now. Qt sends it when the event loop next waits, and work
// queued meanwhile (the first sound opening its device) would hold a move's picture back.
void sendDrawingNow();
