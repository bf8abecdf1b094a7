// SPDX-License-Identifier: MIT
// Pixel-exact pens, brushes, lines, rectangles, text and block copies on an RGB32 image.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

// 24-bit RGB, 0xRRGGBB.
using RgbColor = uint32_t;

enum class PenStyle { Solid, Clear };
enum class BrushStyle { Solid, Clear };

struct CanvasPen {
    RgbColor color = 0x000000;
    PenStyle style = PenStyle::Solid;
    int32_t width = 1;
};

struct CanvasBrush {
    RgbColor color = 0xFFFFFF;
    BrushStyle style = BrushStyle::Solid;
};

// Draws on an image that the caller keeps alive. The geometry is that of the classic
// raster primitives: a line leaves out its end pixel, a rectangle from (x1, y1) to
// (x2, y2) covers x1 .. x2-1 and y1 .. y2-1. Qt's own drawLine/drawRect include both
// ends, so lines and rectangles are set pixel by pixel here. Everything is clipped to
// the image.
class Canvas {
  public:
    explicit Canvas(QImage& image);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CanvasPen pen;
    CanvasBrush brush;
    QFont font;
    RgbColor fontColor = 0x000000;

    QImage& image() { return m_target; }

    void moveTo(int32_t x, int32_t y);
    // Line in the pen from the current position to (x, y), end pixel excluded; (x, y)
    // becomes the current position. A pen wider than 1 widens the line across its
    // direction, centred on it.
    void lineTo(int32_t x, int32_t y);
    // Lines through the points in turn, each leaving out its end pixel.
    void polyline(const std::vector<QPoint>& points);
    // Brush fill over x1 .. x2-1, y1 .. y2-1, then the pen outline on its outermost
    // pixels; a wider pen is centred on that outline. Empty when x2 <= x1 or y2 <= y1.
    void rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Brush colour over x1 .. x2-1, y1 .. y2-1, whatever the brush style; no outline.
    void fillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // Text in Font and fontColor, horizontally centred on x, with y as the top of the
    // text cell; nothing is painted behind the characters.
    void textOut(int32_t x, int32_t y, const QString& text);

  private:
    void fillPixels(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color);
    void ring(int32_t x1, int32_t y1, int32_t x2, int32_t y2, RgbColor color);

    QImage& m_target;
    QPoint m_position;
    // Opened on the first text and kept, so a panel of numbers costs one painter.
    std::unique_ptr<QPainter> m_textPainter;
    QFont m_textPainterFont;
};

enum class RasterOp { Copy, And, Or };

// Combines the w x h block at (sx, sy) of src into dst at (dx, dy): copy, AND or OR of
// the RGB values. Clipped to both images: nothing outside either is read or written;
// zero or negative sizes do nothing. src and dst may be the same image.
void blockCopy(QImage& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const QImage& src,
               int32_t sx, int32_t sy, RasterOp rop = RasterOp::Copy);
