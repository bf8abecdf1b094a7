// SPDX-License-Identifier: MIT
// Geometry of the tool bar's two counters: which glyphs go where.
#pragma once

#include <cstdint>
#include <vector>

constexpr int32_t CounterTop = 22;
constexpr int32_t CounterWidth = 100;
constexpr int32_t CounterHeight = 27;
constexpr int32_t GlyphPitch = 20;
constexpr int32_t GlyphWidth = 19;
constexpr int32_t GlyphMinus = 0;
constexpr int32_t GlyphSeparator = 11;
constexpr int32_t SizeFieldLeft = 220;
constexpr int32_t TimeFieldLeft = 360;
constexpr int32_t ToolBarHeight = 57;

// Glyph indices of the time display, the play time clamped to -9999..99999.
std::vector<int32_t> timeGlyphs(int32_t playTime);
// Glyph indices of the size display: columns, separator, rows.
std::vector<int32_t> sizeGlyphs(int32_t colCount, int32_t rowCount);

// Left edge of the right-hand buttons; index 0 is the exit button, 3 the options button.
inline int32_t rightButtonLeft(int32_t clientWidth, int32_t index) {
    return clientWidth - 52 * (index + 1);
}
