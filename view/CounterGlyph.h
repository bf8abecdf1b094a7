// SPDX-License-Identifier: MIT
// The glyphs of the tool bar's counters, drawn as outlines.
#pragma once

#include <QColor>

#include <cstdint>

class QPainter;

// Glyph cells of the counters, in points: 19 wide, 27 high, 20 apart.
constexpr double CounterGlyphWidth = 19;
constexpr double CounterGlyphHeight = 27;

// Draws glyph `glyph` (0 minus, 1..10 the digits 0..9, 11 the size separator) into the cell
// whose top left is (left, top), in `color`, with the painter's transformation and hints.
// The counters' picture strip is drawn from it once; scaled screens draw it at their own
// resolution.
void drawCounterGlyph(QPainter& painter, int32_t glyph, double left, double top,
                      const QColor& color);
