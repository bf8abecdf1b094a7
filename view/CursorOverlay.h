// SPDX-License-Identifier: MIT
// The keyboard cursor drawn over the board: a frame on its cell and its clue lines lit.
#pragma once

#include "platform/Canvas.h"

#include <QImage>
#include <QRect>

// A 2-pixel yellow frame along the cell's edge with a dark line inside it, so that it stands
// out on light and dark backgrounds alike. It keeps to the cell's margin, which every look
// leaves plain, and at most touches the outermost pixel of a tile or a ring: the look of the
// cell stays readable under it. Cells too small for that get a 1-pixel yellow frame. On a
// scaled screen every width is `unit` times as many pixels.
void drawCursorFrame(QImage& surface, const QRect& cell, int32_t unit = 1);

// The colour of a clue line's numbers. The cursor's row and column are lit in the tool bar
// caption's yellow; a finished line lit by the cursor gets a dimmer yellow, as it is grey
// when not lit.
RgbColor clueColor(bool done, bool lit);

constexpr RgbColor CursorYellow = 0xFEC912;
constexpr RgbColor CursorOutline = 0x000000;
constexpr RgbColor DoneLitClueColor = 0x9C7C0B;
