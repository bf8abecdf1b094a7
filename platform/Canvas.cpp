// SPDX-License-Identifier: MIT
// Pixel-exact pens, brushes, lines, rectangles, text and block copies on an RGB32 image.
#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

inline QRgb opaque(RgbColor color) {
    return 0xFF000000u | (color & 0xFFFFFFu);
}

} // namespace

Canvas::Canvas(QImage& image) : m_target(image) {}

Canvas::~Canvas() = default;

void Canvas::fillPixels(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color) {
    // Half-open x1 .. x2-1, y1 .. y2-1, clipped.
    const int64_t l = std::max<int64_t>(x1, 0), t = std::max<int64_t>(y1, 0);
    const int64_t r = std::min<int64_t>(x2, m_target.width());
    const int64_t b = std::min<int64_t>(y2, m_target.height());
    if (l >= r || t >= b || m_target.depth() != 32) return;
    const QRgb value = opaque(color);
    for (int64_t y = t; y < b; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_target.scanLine(static_cast<int>(y)));
        std::fill(line + l, line + r, value);
    }
}

void Canvas::ring(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color) {
    if (x2 <= x1 || y2 <= y1) return;
    fillPixels(x1, y1, x2, y1 + 1, color);
    fillPixels(x1, y2 - 1, x2, y2, color);
    fillPixels(x1, y1, x1 + 1, y2, color);
    fillPixels(x2 - 1, y1, x2, y2, color);
}

void Canvas::moveTo(int32_t x, int32_t y) {
    m_position = QPoint(x, y);
}

void Canvas::lineTo(int32_t x, int32_t y) {
    const QPoint from = m_position;
    m_position = QPoint(x, y);
    if (pen.style == PenStyle::Clear || from == m_position) return;
    const int32_t w = std::max<int32_t>(pen.width, 1);
    // Across the line the pen covers -(w / 2) .. (w - 1) / 2, in whole pixels.
    const int32_t lo = -(w / 2), hi = (w - 1) / 2;
    if (from.y() == y) {
        const int32_t a = from.x() < x ? from.x() : x + 1;
        const int32_t b = from.x() < x ? x : from.x() + 1;
        fillPixels(a, y + lo, b, y + hi + 1, pen.color);
    } else if (from.x() == x) {
        const int32_t a = from.y() < y ? from.y() : y + 1;
        const int32_t b = from.y() < y ? y : from.y() + 1;
        fillPixels(x + lo, a, x + hi + 1, b, pen.color);
    } else {
        // Slanted lines are not used by the game; a one-pixel Bresenham line suffices.
        int32_t px = from.x(), py = from.y();
        const int32_t dx = std::abs(x - px), dy = -std::abs(y - py);
        const int32_t stepX = px < x ? 1 : -1, stepY = py < y ? 1 : -1;
        int32_t err = dx + dy;
        while (px != x || py != y) {
            fillPixels(px, py, px + 1, py + 1, pen.color);
            const int32_t e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                px += stepX;
            }
            if (e2 <= dx) {
                err += dx;
                py += stepY;
            }
        }
    }
}

void Canvas::polyline(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    moveTo(points[0].x(), points[0].y());
    for (size_t i = 1; i < points.size(); ++i)
        lineTo(points[i].x(), points[i].y());
}

void Canvas::rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x2 <= x1 || y2 <= y1) return;
    if (brush.style == BrushStyle::Solid) fillPixels(x1, y1, x2, y2, brush.color);
    if (pen.style == PenStyle::Clear) return;
    const int32_t w = std::max<int32_t>(pen.width, 1);
    for (int32_t d = -(w / 2); d <= (w - 1) / 2; ++d)
        ring(x1 + d, y1 + d, x2 - d, y2 - d, pen.color);
}

void Canvas::fillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    fillPixels(x1, y1, x2, y2, brush.color);
}

void Canvas::textOut(int32_t x, int32_t y, const QString& text) {
    if (text.isEmpty() || m_target.isNull()) return;
    if (!m_textPainter) {
        m_textPainter = std::make_unique<QPainter>(&m_target);
        m_textPainter->setFont(font);
        m_textPainterFont = font;
    } else if (!(m_textPainterFont == font)) {
        m_textPainter->setFont(font);
        m_textPainterFont = font;
    }
    m_textPainter->setPen(QColor::fromRgb(opaque(fontColor)));
    const QFontMetrics metrics = m_textPainter->fontMetrics();
    const int32_t left = x - metrics.horizontalAdvance(text) / 2;
    m_textPainter->drawText(QPoint(left, y + metrics.ascent()), text);
}

void blockCopy(QImage& dst, int32_t dstX, int32_t dstY, int32_t blockW, int32_t blockH,
               const QImage& src, int32_t srcX, int32_t srcY, RasterOp rop) {
    if (blockW <= 0 || blockH <= 0 || dst.isNull() || src.isNull()) return;
    // 64-bit so that far-off coordinates cannot overflow while clipping.
    int64_t dx = dstX, dy = dstY, sx = srcX, sy = srcY, w = blockW, h = blockH;
    if (sx < 0) dx -= sx, w += sx, sx = 0;
    if (sy < 0) dy -= sy, h += sy, sy = 0;
    if (dx < 0) sx -= dx, w += dx, dx = 0;
    if (dy < 0) sy -= dy, h += dy, dy = 0;
    w = std::min({w, src.width() - sx, dst.width() - dx});
    h = std::min({h, src.height() - sy, dst.height() - dy});
    if (w <= 0 || h <= 0) return;
    const QRect from{int(sx), int(sy), int(w), int(h)};
    const QPoint to{int(dx), int(dy)};

    if (rop == RasterOp::Copy && src.format() == QImage::Format_RGB32 &&
        dst.format() == QImage::Format_RGB32) {
        // The plain copy is the hot path of the board: straight memory moves per line.
        // dst first: its detach (if shared) must not leave src pointing at freed data.
        uchar* dstBits = dst.bits();
        const uchar* srcBits = src.constBits();
        const qsizetype dstStride = dst.bytesPerLine(), srcStride = src.bytesPerLine();
        const size_t bytes = size_t(w) * 4;
        // Overlapping blocks of one image: walk the lines away from the overlap.
        const bool upward = srcBits == dstBits && dy > sy;
        for (int64_t i = 0; i < h; ++i) {
            const int64_t line = upward ? h - 1 - i : i;
            std::memmove(dstBits + (dy + line) * dstStride + dx * 4,
                         srcBits + (sy + line) * srcStride + sx * 4, bytes);
        }
        return;
    }

    // Raster operations need opaque 32-bit pixels on both sides; a block of the same
    // image is taken out first, as one painter cannot read and write one device.
    QImage part = src.copy(from);
    if (part.format() != QImage::Format_RGB32) part = part.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&dst);
    painter.setRenderHint(QPainter::Antialiasing, false);
    switch (rop) {
    case RasterOp::Copy:
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        break;
    case RasterOp::And:
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case RasterOp::Or:
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    }
    painter.drawImage(to, part);
}
