// SPDX-License-Identifier: MIT
// The raster routines that draw the tile of an uncovered cell.
#include "view/TilesDrawings.h"

#include <algorithm>

namespace {

constexpr RgbColor grey(uint32_t level) {
    return level << 16 | level << 8 | level;
}

} // namespace

void setBrush(Canvas& canvas, RgbColor color, BrushStyle style) {
    canvas.brush.color = color;
    canvas.brush.style = style;
}

void setPen(Canvas& canvas, RgbColor color, PenStyle style, int32_t width) {
    canvas.pen.color = color;
    canvas.pen.style = style;
    canvas.pen.width = width;
}

void drawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
}

void drawBand(Canvas& canvas, const QRect& rect, int32_t inset, int32_t thickness, RgbColor color) {
    const int32_t x1 = rect.left() + inset, y1 = rect.top() + inset;
    const int32_t x2 = rect.left() + rect.width() - inset, y2 = rect.top() + rect.height() - inset;
    if (x2 <= x1 || y2 <= y1) return;
    canvas.brush.color = color;
    const int32_t t = std::min({thickness, (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2});
    canvas.fillRect(x1, y1, x2, y1 + t);
    canvas.fillRect(x1, y2 - t, x2, y2);
    canvas.fillRect(x1, y1, x1 + t, y2);
    canvas.fillRect(x2 - t, y1, x2, y2);
}

void filledSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor outline,
                  RgbColor fill, int32_t unit) {
    if (unit <= 1) {
        setPen(canvas, outline, PenStyle::Solid, 1);
        setBrush(canvas, fill, BrushStyle::Solid);
        canvas.rectangle(x, y, x + size, y + size);
        return;
    }
    if (size <= 0) return;
    setBrush(canvas, fill, BrushStyle::Solid);
    canvas.fillRect(x, y, x + size, y + size);
    drawBand(canvas, QRect(x, y, size, size), 0, unit, outline);
}

void bevelSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor fill, RgbColor top,
                 RgbColor right, RgbColor bottom, RgbColor left) {
    filledSquare(canvas, x, y, size, fill, fill);
    // Ring i leaves its four corner pixels in the fill colour, so no two edges overlap
    // and a seam of fill runs along each mitre.
    const int32_t rings = size / 2 - 1;
    const int32_t s = size;
    setPen(canvas, top, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        drawLine(canvas, x + i + 1, y + i, x + s - 1 - i, y + i);
    setPen(canvas, right, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        drawLine(canvas, x + s - 1 - i, y + i + 1, x + s - 1 - i, y + s - 1 - i);
    setPen(canvas, bottom, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        drawLine(canvas, x + i + 1, y + s - 1 - i, x + s - 1 - i, y + s - 1 - i);
    setPen(canvas, left, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        drawLine(canvas, x + i, y + i + 1, x + i, y + s - 1 - i);
}

void drawTile(Canvas& canvas, int32_t x, int32_t y, int32_t size, int32_t type, int32_t unit) {
    // An empty square has no frame; the closed path below would stray outside it.
    if (size <= 0) return;
    const int32_t s = size;
    const int32_t k = s / 5;
    const int32_t u = std::max<int32_t>(unit, 1);
    if (type >= 1 && type <= 4)
        bevelSquare(canvas, x + u, y + u, s - 2 * u, grey(200), grey(208), grey(144), grey(112),
                    grey(176));
    switch (type) {
    case 1:
        break;
    case 2:
        filledSquare(canvas, x + k, y + k, s - 2 * k, grey(192), grey(160), u);
        break;
    case 3:
        bevelSquare(canvas, x + k, y + k, s - 2 * k, grey(200), grey(112), grey(176), grey(208),
                    grey(144));
        break;
    case 4:
        bevelSquare(canvas, x + k, y + k, s - 2 * k, grey(176), grey(144), grey(80), grey(64),
                    grey(112));
        break;
    default:
        filledSquare(canvas, x, y, s, 0x000000, 0x000000);
        break;
    }
    drawBand(canvas, QRect(x, y, s, s), 0, u, 0x000000);
}
