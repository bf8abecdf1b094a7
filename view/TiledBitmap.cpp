// SPDX-License-Identifier: MIT
// A repeated tile read as a whole picture.
#include "view/TiledBitmap.h"

#include "platform/Canvas.h"
#include "view/TilesDrawings.h"

#include <algorithm>
#include <cstring>

namespace {

// Below this size the frame's lines of opposite edges meet; such a picture is drawn out whole
// (it is small then) rather than computed.
constexpr int SmallestComputedFrame = 16;

constexpr int FrameDepth = 7; // the frame lies within 7 pixels of each edge

// Black at 0, 2, 3, 4 and 6 pixels from the nearest edge; the background shows at 1 and 5.
bool frameAt(int64_t edgeDistance) {
    return edgeDistance == 0 || (edgeDistance >= 2 && edgeDistance <= 4) || edgeDistance == 6;
}

} // namespace

TiledBitmap::TiledBitmap(QSize size, QImage tile, bool framed, int32_t frameUnit)
    : m_size(size.expandedTo(QSize(0, 0))), m_tile(std::move(tile)), m_framed(framed),
      m_frameUnit(std::max<int32_t>(frameUnit, 1)) {
    if (!m_tile.isNull() && m_tile.format() != QImage::Format_RGB32)
        m_tile = m_tile.convertToFormat(QImage::Format_RGB32);
    // The computed frame is exact at any size; the drawn one is kept for one-pixel frames.
    if (m_framed && m_frameUnit == 1 && !m_size.isEmpty() &&
        (m_size.width() < SmallestComputedFrame || m_size.height() < SmallestComputedFrame)) {
        m_tile = drawFull(m_size, m_tile, true);
        m_framed = false;
    }
}

QImage TiledBitmap::drawFull(QSize size, const QImage& tile, bool framed) {
    const int32_t w = std::max(size.width(), 0), h = std::max(size.height(), 0);
    QImage image(w, h, QImage::Format_RGB32);
    if (w == 0 || h == 0 || tile.isNull()) return image;
    const int32_t tw = tile.width(), th = tile.height();
    for (int32_t i = 0; i <= w / tw + 1; ++i)
        for (int32_t j = 0; j <= h / th + 1; ++j)
            blockCopy(image, i * tw, j * th, tw, th, tile, 0, 0);
    if (!framed) return image;
    Canvas canvas(image);
    setBrush(canvas, 0x000000, BrushStyle::Clear);
    setPen(canvas, 0x000000, PenStyle::Solid, 1);
    canvas.rectangle(0, 0, w, h);
    canvas.rectangle(6, 6, w - 6, h - 6);
    setPen(canvas, 0x000000, PenStyle::Solid, 3);
    canvas.rectangle(3, 3, w - 3, h - 3);
    return image;
}

void TiledBitmap::copyTo(QImage& dst, int32_t dstX, int32_t dstY, int32_t blockW, int32_t blockH,
                         int32_t srcX, int32_t srcY) const {
    if (blockW <= 0 || blockH <= 0 || dst.isNull() || m_size.isEmpty() || m_tile.isNull()) return;
    // The clipping of blockCopy, with the picture's size as the source.
    int64_t dx = dstX, dy = dstY, sx = srcX, sy = srcY, w = blockW, h = blockH;
    if (sx < 0) dx -= sx, w += sx, sx = 0;
    if (sy < 0) dy -= sy, h += sy, sy = 0;
    if (dx < 0) sx -= dx, w += dx, dx = 0;
    if (dy < 0) sy -= dy, h += dy, dy = 0;
    w = std::min({w, int64_t(m_size.width()) - sx, int64_t(dst.width()) - dx});
    h = std::min({h, int64_t(m_size.height()) - sy, int64_t(dst.height()) - dy});
    if (w <= 0 || h <= 0) return;

    const int64_t tw = m_tile.width(), th = m_tile.height();
    const int64_t right = int64_t(m_size.width()) - 1, bottom = int64_t(m_size.height()) - 1;
    const int64_t unit = m_frameUnit, depth = FrameDepth * unit;
    uchar* dstBits = dst.bits();
    const qsizetype stride = dst.bytesPerLine();
    for (int64_t line = 0; line < h; ++line) {
        const int64_t y = sy + line;
        auto* out = reinterpret_cast<uint32_t*>(dstBits + (dy + line) * stride) + dx;
        const auto* tileLine = reinterpret_cast<const uint32_t*>(m_tile.constScanLine(int(y % th)));
        // Whole runs of the tile line, the first one starting inside it.
        for (int64_t x = sx, done = 0; done < w;) {
            const int64_t from = x % tw, run = std::min(tw - from, w - done);
            std::memcpy(out + done, tileLine + from, size_t(run) * 4);
            done += run;
            x += run;
        }
        if (!m_framed) continue;
        const int64_t yEdge = std::min(y, bottom - y);
        // Near the top or bottom edge the frame crosses the whole line; elsewhere only the
        // first and last pixels of the line can be frame.
        const int64_t leftEnd = yEdge < depth ? sx + w : std::min(sx + w, depth);
        const int64_t rightStart =
            yEdge < depth ? sx + w : std::max({sx, right - depth + 1, leftEnd});
        for (int64_t x = sx; x < leftEnd; ++x)
            if (frameAt(std::min({x, right - x, yEdge}) / unit)) out[x - sx] = 0xFF000000u;
        for (int64_t x = rightStart; x < sx + w; ++x)
            if (frameAt(std::min({x, right - x, yEdge}) / unit)) out[x - sx] = 0xFF000000u;
    }
}

QImage TiledBitmap::toImage() const {
    QImage image(m_size, QImage::Format_RGB32);
    copyTo(image, 0, 0, m_size.width(), m_size.height(), 0, 0);
    return image;
}
