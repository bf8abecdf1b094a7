// Geometry of the tool bar's two counters.
#include "Counters.h"

#include <string>

std::vector<FieldPiece> FieldRestorePieces(int32_t F, int32_t TW) {
    const int32_t r = F % TW;
    if (TW - r >= CounterWidth) return {{TW + r, F, CounterWidth}};
    return {{TW + r, F, TW - r}, {TW, F + TW - r, CounterWidth - TW + r}};
}

namespace {

void AppendDigits(std::vector<int32_t>& glyphs, int32_t value) {
    for (char c : std::to_string(value))
        glyphs.push_back(c == '-' ? GlyphMinus : c - '0' + 1);
}

} // namespace

std::vector<int32_t> TimeGlyphs(int32_t playTime) {
    int32_t v = playTime;
    if (v > 99999) v = 99999;
    if (v < -9999) v = -9999;
    std::vector<int32_t> glyphs;
    AppendDigits(glyphs, v);
    return glyphs;
}

std::vector<int32_t> SizeGlyphs(int32_t colCount, int32_t rowCount) {
    std::vector<int32_t> glyphs;
    AppendDigits(glyphs, colCount);
    glyphs.push_back(GlyphSeparator);
    AppendDigits(glyphs, rowCount);
    return glyphs;
}
