// SPDX-License-Identifier: MIT
// The raster routines that draw the tile of an uncovered cell.
#pragma once

#include "platform/Canvas.h"
#include "view/Delay.h"

#include <cstdint>

void setBrush(Canvas& canvas, RgbColor color, BrushStyle style);
void setPen(Canvas& canvas, RgbColor color, PenStyle style, int32_t width);
// Line from (x1, y1) to (x2, y2) in the current pen, end pixel excluded.
void drawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A band `thickness` pixels wide along the inside of the rectangle, `inset` pixels in from its
// edge; thinner where the rectangle is too small for it.
void drawBand(Canvas& canvas, const QRect& rect, int32_t inset, int32_t thickness, RgbColor color);
// Square over x .. x+size-1, y .. y+size-1: its outermost `unit` rings in outline, the rest
// in fill.
void filledSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor outline,
                  RgbColor fill, int32_t unit = 1);
// Square in fill with four bevel triangles (size / 2 - 1 rings, rounded down) in the edge colours;
// the mitres and the centre keep the fill colour.
void bevelSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor fill, RgbColor top,
                 RgbColor right, RgbColor bottom, RgbColor left);
// Black-framed tile; type 1..4 picks the look, any other type gives a black square. `unit` is
// the width of its frame lines in pixels (more than 1 on scaled screens); the bevels are made
// of one-pixel rings at every scale, so they stay smooth.
void drawTile(Canvas& canvas, int32_t x, int32_t y, int32_t size, int32_t type, int32_t unit = 1);
