// The raster routines that draw the tile of an uncovered cell.
#include "TilesDrawings.h"

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

void filledSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor outline,
                  RgbColor fill) {
    setPen(canvas, outline, PenStyle::Solid, 1);
    setBrush(canvas, fill, BrushStyle::Solid);
    canvas.rectangle(x, y, x + size, y + size);
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

void drawTile(Canvas& canvas, int32_t x, int32_t y, int32_t size, int32_t type) {
    // An empty square has no frame; the closed path below would stray outside it.
    if (size <= 0) return;
    const int32_t s = size;
    const int32_t k = s / 5;
    if (type >= 1 && type <= 4)
        bevelSquare(canvas, x + 1, y + 1, s - 2, grey(200), grey(208), grey(144), grey(112),
                    grey(176));
    switch (type) {
    case 1:
        break;
    case 2:
        filledSquare(canvas, x + k, y + k, s - 2 * k, grey(192), grey(160));
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
    // The closed path returns to its start pixel, so every pixel of the outer ring is set.
    setPen(canvas, 0x000000, PenStyle::Solid, 1);
    canvas.polyline({QPoint(x, y + s - 1), QPoint(x, y), QPoint(x + s - 1, y),
                     QPoint(x + s - 1, y + s - 1), QPoint(x, y + s - 1)});
}
