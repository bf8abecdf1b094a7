// SPDX-License-Identifier: MIT
// Paints the tool bar's background and its two counters.
#include "view/ToolBarPainter.h"

#include "platform/Canvas.h"
#include "view/CounterGlyph.h"
#include "view/Counters.h"
#include "view/ImageSet.h"

#include <QPainter>

#include <cmath>

const TiledBitmap& ToolBarPainter::background(const QImage& surface) {
    if (m_backgroundFor != backgroundMode || m_scaleFor != scale ||
        m_background.size() != surface.size()) {
        m_background = TiledBitmap(surface.size(),
                                   backgroundTiles(m_bmps, backgroundMode, scale).shade, false);
        m_backgroundFor = backgroundMode;
        m_scaleFor = scale;
    }
    return m_background;
}

void ToolBarPainter::paintToolBar(QImage& surface) {
    background(surface).copyTo(surface, 0, 0, surface.width(), surface.height(), 0, 0);
}

QRect ToolBarPainter::drawCounter(QImage& surface, int32_t left,
                                  const std::vector<int32_t>& glyphs) {
    // The whole field first, so a shorter number leaves no trace of a longer one.
    const int32_t x1 = int32_t(std::floor(left * scale)),
                  y1 = int32_t(std::floor(CounterTop * scale));
    const int32_t x2 = int32_t(std::ceil((left + CounterWidth) * scale));
    const int32_t y2 = int32_t(std::ceil((CounterTop + CounterHeight) * scale));
    const QRect field(x1, y1, x2 - x1, y2 - y1);
    background(surface).copyTo(surface, x1, y1, field.width(), field.height(), x1, y1);
    if (scale == 1.0) {
        const QImage& digits = m_bmps.item(DigitStripItem);
        int32_t x = left;
        for (int32_t g : glyphs) {
            // The mask clears the glyph's shape; the glyph then fills it (black adds nothing).
            blockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g,
                      CounterHeight, RasterOp::And);
            blockCopy(surface, x, CounterTop, GlyphWidth, CounterHeight, digits, GlyphPitch * g, 0,
                      RasterOp::Or);
            x += GlyphPitch;
        }
        return field;
    }
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(field);
    painter.scale(scale, scale);
    for (size_t i = 0; i < glyphs.size(); ++i)
        drawCounterGlyph(painter, glyphs[i], left + double(i) * GlyphPitch, CounterTop,
                         QColor(255, 217, 31));
    return field;
}

QRect ToolBarPainter::drawTime(QImage& surface, int32_t playTime) {
    return drawCounter(surface, TimeFieldLeft, timeGlyphs(playTime));
}

QRect ToolBarPainter::drawSize(QImage& surface, int32_t colCount, int32_t rowCount) {
    return drawCounter(surface, SizeFieldLeft, sizeGlyphs(colCount, rowCount));
}
