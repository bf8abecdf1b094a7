// SPDX-License-Identifier: MIT
// A window-sized background that is one repeated tile, kept as that tile: block copies read it as
// if the whole picture were there, at a few kilobytes instead of megabytes per picture.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

class TiledBitmap {
  public:
    TiledBitmap() = default;
    // A picture of `size` covered with `tile` (RGB32) from (0, 0) on, edge to edge. `framed`
    // adds the board's black frame: one-pixel lines along the outermost pixels and 6 pixels in,
    // a three-pixel line 2 to 4 pixels in. `frameUnit` widens every line and gap of the frame
    // that many times, for scaled screens.
    TiledBitmap(QSize size, QImage tile, bool framed, int32_t frameUnit = 1);

    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }

    // The w x h block at (sx, sy) of the picture to (dx, dy) of `dst`, clipped to both the way
    // blockCopy clips.
    void copyTo(QImage& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx,
                int32_t sy) const;
    // The whole picture drawn out.
    QImage toImage() const;

    // The same picture drawn the plain way, tile by tile and the frame with the canvas' pens.
    static QImage drawFull(QSize size, const QImage& tile, bool framed);

  private:
    QSize m_size;
    QImage m_tile;
    bool m_framed = false;
    int32_t m_frameUnit = 1;
};
