// The raster routines that draw the tile of an uncovered cell.
#pragma once

#include "Canvas.h"
#include "Delay.h"

#include <cstdint>

void setBrush(Canvas& canvas, RgbColor color, BrushStyle style);
void setPen(Canvas& canvas, RgbColor color, PenStyle style, int32_t width);
// Line from (x1, y1) to (x2, y2) in the current pen, end pixel excluded.
void drawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Square over x .. x+size-1, y .. y+size-1: its outermost ring in outline, the rest in fill.
void filledSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor outline,
                  RgbColor fill);
// Square in fill with four bevel triangles (size div 2 - 1 rings) in the edge colours;
// the mitres and the centre keep the fill colour.
void bevelSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor fill, RgbColor top,
                 RgbColor right, RgbColor bottom, RgbColor left);
// Black-framed tile; type 1..4 picks the look, any other type gives a black square.
void drawTile(Canvas& canvas, int32_t x, int32_t y, int32_t size, int32_t type);
