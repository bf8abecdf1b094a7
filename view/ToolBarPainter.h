// Paints the tool bar's background and its two counters from the strip and digit sprites.
#pragma once

#include "BitmapList.h"

#include <QImage>
#include <QRect>

#include <cstdint>

class ToolBarPainter {
  public:
    explicit ToolBarPainter(const BitmapList& bmps) : m_bmps(bmps) {}

    int32_t backgroundMode = 0;

    // The right tile of the background row, repeated over the whole tool bar.
    void paintToolBar(QImage& surface, int32_t clientWidth) const;
    // Each returns the rectangle it touched, so the caller flushes only that.
    QRect drawTime(QImage& surface, int32_t playTime) const;
    QRect drawSize(QImage& surface, int32_t colCount, int32_t rowCount) const;

  private:
    int32_t tileWidth() const;
    int32_t tileTop() const;
    QRect drawCounter(QImage& surface, int32_t left, const std::vector<int32_t>& glyphs) const;

    const BitmapList& m_bmps;
};
