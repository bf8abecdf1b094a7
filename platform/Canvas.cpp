// Pixel-exact pens, brushes, lines, rectangles, text and block copies on an RGB32 image.
#include "Canvas.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

inline QRgb Opaque(RgbColor color) {
    return 0xFF000000u | (color & 0xFFFFFFu);
}

} // namespace

Canvas::Canvas(QImage& image) : Target(image) {}

Canvas::~Canvas() = default;

void Canvas::FillPixels(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color) {
    // Half-open x1 .. x2-1, y1 .. y2-1, clipped.
    const int64_t l = std::max<int64_t>(x1, 0), t = std::max<int64_t>(y1, 0);
    const int64_t r = std::min<int64_t>(x2, Target.width());
    const int64_t b = std::min<int64_t>(y2, Target.height());
    if (l >= r || t >= b || Target.depth() != 32) return;
    const QRgb value = Opaque(color);
    for (int64_t y = t; y < b; ++y) {
        auto* line = reinterpret_cast<QRgb*>(Target.scanLine(static_cast<int>(y)));
        std::fill(line + l, line + r, value);
    }
}

void Canvas::Ring(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color) {
    if (x2 <= x1 || y2 <= y1) return;
    FillPixels(x1, y1, x2, y1 + 1, color);
    FillPixels(x1, y2 - 1, x2, y2, color);
    FillPixels(x1, y1, x1 + 1, y2, color);
    FillPixels(x2 - 1, y1, x2, y2, color);
}

void Canvas::MoveTo(int32_t x, int32_t y) {
    Position = QPoint(x, y);
}

void Canvas::LineTo(int32_t x, int32_t y) {
    const QPoint from = Position;
    Position = QPoint(x, y);
    if (Pen.Style == PenStyle::Clear || from == Position) return;
    const int32_t w = std::max<int32_t>(Pen.Width, 1);
    // Across the line the pen covers -(w div 2) .. (w-1) div 2.
    const int32_t lo = -(w / 2), hi = (w - 1) / 2;
    if (from.y() == y) {
        const int32_t a = from.x() < x ? from.x() : x + 1;
        const int32_t b = from.x() < x ? x : from.x() + 1;
        FillPixels(a, y + lo, b, y + hi + 1, Pen.Color);
    } else if (from.x() == x) {
        const int32_t a = from.y() < y ? from.y() : y + 1;
        const int32_t b = from.y() < y ? y : from.y() + 1;
        FillPixels(x + lo, a, x + hi + 1, b, Pen.Color);
    } else {
        // Slanted lines are not used by the game; a one-pixel Bresenham line suffices.
        int32_t px = from.x(), py = from.y();
        const int32_t dx = std::abs(x - px), dy = -std::abs(y - py);
        const int32_t stepX = px < x ? 1 : -1, stepY = py < y ? 1 : -1;
        int32_t err = dx + dy;
        while (px != x || py != y) {
            FillPixels(px, py, px + 1, py + 1, Pen.Color);
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

void Canvas::Polyline(const std::vector<QPoint>& points) {
    if (points.empty()) return;
    MoveTo(points[0].x(), points[0].y());
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].x(), points[i].y());
}

void Canvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (x2 <= x1 || y2 <= y1) return;
    if (Brush.Style == BrushStyle::Solid) FillPixels(x1, y1, x2, y2, Brush.Color);
    if (Pen.Style == PenStyle::Clear) return;
    const int32_t w = std::max<int32_t>(Pen.Width, 1);
    for (int32_t d = -(w / 2); d <= (w - 1) / 2; ++d)
        Ring(x1 + d, y1 + d, x2 - d, y2 - d, Pen.Color);
}

void Canvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    FillPixels(x1, y1, x2, y2, Brush.Color);
}

void Canvas::TextOut(int32_t x, int32_t y, const QString& text) {
    if (text.isEmpty() || Target.isNull()) return;
    if (!TextPainter) {
        TextPainter = std::make_unique<QPainter>(&Target);
        TextPainter->setFont(Font);
        TextPainterFont = Font;
    } else if (!(TextPainterFont == Font)) {
        TextPainter->setFont(Font);
        TextPainterFont = Font;
    }
    TextPainter->setPen(QColor::fromRgb(Opaque(FontColor)));
    const QFontMetrics metrics = TextPainter->fontMetrics();
    const int32_t left = x - metrics.horizontalAdvance(text) / 2;
    TextPainter->drawText(QPoint(left, y + metrics.ascent()), text);
}

void BlockCopy(QImage& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const QImage& src,
               int32_t sx, int32_t sy, RasterOp rop) {
    if (w <= 0 || h <= 0 || dst.isNull() || src.isNull()) return;
    // 64-bit so that far-off coordinates cannot overflow while clipping.
    int64_t DX = dx, DY = dy, SX = sx, SY = sy, W = w, H = h;
    if (SX < 0) DX -= SX, W += SX, SX = 0;
    if (SY < 0) DY -= SY, H += SY, SY = 0;
    if (DX < 0) SX -= DX, W += DX, DX = 0;
    if (DY < 0) SY -= DY, H += DY, DY = 0;
    W = std::min({W, src.width() - SX, dst.width() - DX});
    H = std::min({H, src.height() - SY, dst.height() - DY});
    if (W <= 0 || H <= 0) return;
    const QRect from{int(SX), int(SY), int(W), int(H)};
    const QPoint to{int(DX), int(DY)};

    if (rop == RasterOp::Copy && src.format() == QImage::Format_RGB32 &&
        dst.format() == QImage::Format_RGB32) {
        // The plain copy is the hot path of the board: straight memory moves per line.
        // dst first: its detach (if shared) must not leave src pointing at freed data.
        uchar* dstBits = dst.bits();
        const uchar* srcBits = src.constBits();
        const qsizetype dstStride = dst.bytesPerLine(), srcStride = src.bytesPerLine();
        const size_t bytes = size_t(W) * 4;
        // Overlapping blocks of one image: walk the lines away from the overlap.
        const bool upward = srcBits == dstBits && DY > SY;
        for (int64_t i = 0; i < H; ++i) {
            const int64_t line = upward ? H - 1 - i : i;
            std::memmove(dstBits + (DY + line) * dstStride + DX * 4,
                         srcBits + (SY + line) * srcStride + SX * 4, bytes);
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
