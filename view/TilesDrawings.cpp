// The raster routines that draw the tile of an uncovered cell.
#include "TilesDrawings.h"

namespace {

constexpr RgbColor Grey(uint32_t level) {
    return level << 16 | level << 8 | level;
}

} // namespace

void SetBrush(Canvas& canvas, RgbColor color, BrushStyle style) {
    canvas.Brush.Color = color;
    canvas.Brush.Style = style;
}

void SetPen(Canvas& canvas, RgbColor color, PenStyle style, int32_t width) {
    canvas.Pen.Color = color;
    canvas.Pen.Style = style;
    canvas.Pen.Width = width;
}

void DrawLine(Canvas& canvas, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void FilledSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor outline,
                  RgbColor fill) {
    SetPen(canvas, outline, PenStyle::Solid, 1);
    SetBrush(canvas, fill, BrushStyle::Solid);
    canvas.Rectangle(x, y, x + size, y + size);
}

void BevelSquare(Canvas& canvas, int32_t x, int32_t y, int32_t size, RgbColor fill, RgbColor top,
                 RgbColor right, RgbColor bottom, RgbColor left) {
    FilledSquare(canvas, x, y, size, fill, fill);
    // Ring i leaves its four corner pixels in the fill colour, so no two edges overlap
    // and a seam of fill runs along each mitre.
    const int32_t rings = size / 2 - 1;
    const int32_t s = size;
    SetPen(canvas, top, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        DrawLine(canvas, x + i + 1, y + i, x + s - 1 - i, y + i);
    SetPen(canvas, right, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        DrawLine(canvas, x + s - 1 - i, y + i + 1, x + s - 1 - i, y + s - 1 - i);
    SetPen(canvas, bottom, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        DrawLine(canvas, x + i + 1, y + s - 1 - i, x + s - 1 - i, y + s - 1 - i);
    SetPen(canvas, left, PenStyle::Solid, 1);
    for (int32_t i = 0; i < rings; ++i)
        DrawLine(canvas, x + i, y + i + 1, x + i, y + s - 1 - i);
}

void DrawTile(Canvas& canvas, int32_t x, int32_t y, int32_t size, int32_t type) {
    // An empty square has no frame; the closed path below would stray outside it.
    if (size <= 0) return;
    const int32_t s = size;
    const int32_t k = s / 5;
    if (type >= 1 && type <= 4)
        BevelSquare(canvas, x + 1, y + 1, s - 2, Grey(200), Grey(208), Grey(144), Grey(112),
                    Grey(176));
    switch (type) {
    case 1:
        break;
    case 2:
        FilledSquare(canvas, x + k, y + k, s - 2 * k, Grey(192), Grey(160));
        break;
    case 3:
        BevelSquare(canvas, x + k, y + k, s - 2 * k, Grey(200), Grey(112), Grey(176), Grey(208),
                    Grey(144));
        break;
    case 4:
        BevelSquare(canvas, x + k, y + k, s - 2 * k, Grey(176), Grey(144), Grey(80), Grey(64),
                    Grey(112));
        break;
    default:
        FilledSquare(canvas, x, y, s, 0x000000, 0x000000);
        break;
    }
    // The closed path returns to its start pixel, so every pixel of the outer ring is set.
    SetPen(canvas, 0x000000, PenStyle::Solid, 1);
    canvas.Polyline({QPoint(x, y + s - 1), QPoint(x, y), QPoint(x + s - 1, y),
                     QPoint(x + s - 1, y + s - 1), QPoint(x, y + s - 1)});
}
