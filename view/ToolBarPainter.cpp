// Paints the tool bar's background and its two counters.
#include "ToolBarPainter.h"

#include "Canvas.h"
#include "Counters.h"

#include <algorithm>

namespace {
constexpr int StripItem = 0;
constexpr int DigitItem = 10;
} // namespace

int32_t ToolBarPainter::TileWidth() const {
    return bmps.Item(StripItem).width() / 2;
}

int32_t ToolBarPainter::TileTop() const {
    return bmps.Item(StripItem).height() / 7 * std::clamp<int32_t>(backgroundMode, 0, 6);
}

void ToolBarPainter::paintToolBar(QImage& surface, int32_t clientWidth) const {
    const QImage& strip = bmps.Item(StripItem);
    const int32_t TW = TileWidth();
    if (TW <= 0) return;
    for (int32_t i = 0; i <= clientWidth / TW; ++i)
        BlockCopy(surface, i * TW, 0, TW, ToolBarHeight, strip, TW, TileTop());
}

QRect ToolBarPainter::DrawCounter(QImage& surface, int32_t left,
                                  const std::vector<int32_t>& glyphs) const {
    const QImage& strip = bmps.Item(StripItem);
    const QImage& digits = bmps.Item(DigitItem);
    const int32_t TW = TileWidth();
    if (TW > 0) {
        // The whole field first, so a shorter number leaves no trace of a longer one.
        for (const FieldPiece& p : FieldRestorePieces(left, TW))
            BlockCopy(surface, p.DstX, CounterTop, p.Width, CounterHeight, strip, p.SrcX,
                      TileTop() + CounterTop);
    }
    int32_t x = left;
    for (int32_t g : glyphs) {
        // The mask clears the glyph's shape; the glyph then fills it (black adds nothing).
        BlockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g,
                  CounterHeight, RasterOp::And);
        BlockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g, 0,
                  RasterOp::Or);
        x += GlyphPitch;
    }
    return QRect(left, CounterTop, CounterWidth, CounterHeight);
}

QRect ToolBarPainter::DrawTime(QImage& surface, int32_t playTime) const {
    return DrawCounter(surface, TimeFieldLeft, TimeGlyphs(playTime));
}

QRect ToolBarPainter::DrawSize(QImage& surface, int32_t colCount, int32_t rowCount) const {
    return DrawCounter(surface, SizeFieldLeft, SizeGlyphs(colCount, rowCount));
}
