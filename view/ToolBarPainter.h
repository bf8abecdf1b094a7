// SPDX-License-Identifier: MIT
// Paints the tool bar's background and its two counters.
#pragma once

#include "platform/BitmapList.h"
#include "view/TiledBitmap.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <vector>

// Draws into the tool bar's surface, which has the screen's pixels: `scale` of them per point.
// At scale 1 the counters are copied from the digit strip; scaled screens get the same glyphs
// drawn at their own resolution.
class ToolBarPainter {
  public:
    explicit ToolBarPainter(const BitmapList& bmps) : m_bmps(bmps) {}

    int32_t backgroundMode = 0;
    qreal scale = 1.0;

    // The dark tile of the background row, repeated over the whole surface.
    void paintToolBar(QImage& surface);
    // Each returns the rectangle of the surface it touched, so the caller flushes only that.
    QRect drawTime(QImage& surface, int32_t playTime);
    QRect drawSize(QImage& surface, int32_t colCount, int32_t rowCount);

  private:
    // The tool bar's background at the surface's size, made again when it or the row changes.
    const TiledBitmap& background(const QImage& surface);
    QRect drawCounter(QImage& surface, int32_t left, const std::vector<int32_t>& glyphs);

    const BitmapList& m_bmps;
    TiledBitmap m_background;
    int32_t m_backgroundFor = -1;
    qreal m_scaleFor = 0;
};
