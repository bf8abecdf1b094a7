// SPDX-License-Identifier: MIT
// Geometry of the tool bar's two counters.
#include "view/Counters.h"

#include <string>

namespace {

void appendDigits(std::vector<int32_t>& glyphs, int32_t value) {
    for (char c : std::to_string(value))
        glyphs.push_back(c == '-' ? GlyphMinus : c - '0' + 1);
}

} // namespace

std::vector<int32_t> timeGlyphs(int32_t playTime) {
    int32_t v = playTime;
    if (v > 99999) v = 99999;
    if (v < -9999) v = -9999;
    std::vector<int32_t> glyphs;
    appendDigits(glyphs, v);
    return glyphs;
}

std::vector<int32_t> sizeGlyphs(int32_t colCount, int32_t rowCount) {
    std::vector<int32_t> glyphs;
    appendDigits(glyphs, colCount);
    glyphs.push_back(GlyphSeparator);
    appendDigits(glyphs, rowCount);
    return glyphs;
}
