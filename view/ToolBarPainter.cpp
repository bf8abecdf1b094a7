// Paints the tool bar's background and its two counters.
#include "ToolBarPainter.h"

#include "Canvas.h"
#include "Counters.h"

#include <algorithm>

namespace {
constexpr int StripItem = 0;
constexpr int DigitItem = 10;
} // namespace

int32_t ToolBarPainter::tileWidth() const {
    return m_bmps.item(StripItem).width() / 2;
}

int32_t ToolBarPainter::tileTop() const {
    return m_bmps.item(StripItem).height() / 7 * std::clamp<int32_t>(backgroundMode, 0, 6);
}

void ToolBarPainter::paintToolBar(QImage& surface, int32_t clientWidth) const {
    const QImage& strip = m_bmps.item(StripItem);
    const int32_t tw = tileWidth();
    if (tw <= 0) return;
    for (int32_t i = 0; i <= clientWidth / tw; ++i)
        blockCopy(surface, i * tw, 0, tw, ToolBarHeight, strip, tw, tileTop());
}

QRect ToolBarPainter::drawCounter(QImage& surface, int32_t left,
                                  const std::vector<int32_t>& glyphs) const {
    const QImage& strip = m_bmps.item(StripItem);
    const QImage& digits = m_bmps.item(DigitItem);
    const int32_t tw = tileWidth();
    if (tw > 0) {
        // The whole field first, so a shorter number leaves no trace of a longer one.
        for (const FieldPiece& p : fieldRestorePieces(left, tw))
            blockCopy(surface, p.dstX, CounterTop, p.width, CounterHeight, strip, p.srcX,
                      tileTop() + CounterTop);
    }
    int32_t x = left;
    for (int32_t g : glyphs) {
        // The mask clears the glyph's shape; the glyph then fills it (black adds nothing).
        blockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g,
                  CounterHeight, RasterOp::And);
        blockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g, 0,
                  RasterOp::Or);
        x += GlyphPitch;
    }
    return QRect(left, CounterTop, CounterWidth, CounterHeight);
}

QRect ToolBarPainter::drawTime(QImage& surface, int32_t playTime) const {
    return drawCounter(surface, TimeFieldLeft, timeGlyphs(playTime));
}

QRect ToolBarPainter::drawSize(QImage& surface, int32_t colCount, int32_t rowCount) const {
    return drawCounter(surface, SizeFieldLeft, sizeGlyphs(colCount, rowCount));
}
