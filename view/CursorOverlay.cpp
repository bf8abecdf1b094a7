// The keyboard cursor drawn over the board.
#include "CursorOverlay.h"

#include <algorithm>

namespace {

// A band of the given thickness along the inside of the rectangle.
void band(Canvas& canvas, const QRect& r, int32_t inset, int32_t thickness, RgbColor color) {
    const int32_t x1 = r.left() + inset, y1 = r.top() + inset;
    const int32_t x2 = r.left() + r.width() - inset, y2 = r.top() + r.height() - inset;
    if (x2 <= x1 || y2 <= y1) return;
    canvas.brush.color = color;
    const int32_t t = std::min({thickness, (x2 - x1 + 1) / 2, (y2 - y1 + 1) / 2});
    canvas.fillRect(x1, y1, x2, y1 + t);
    canvas.fillRect(x1, y2 - t, x2, y2);
    canvas.fillRect(x1, y1, x1 + t, y2);
    canvas.fillRect(x2 - t, y1, x2, y2);
}

} // namespace

void drawCursorFrame(QImage& surface, const QRect& cell) {
    if (cell.isEmpty()) return;
    Canvas canvas(surface);
    if (cell.width() >= 10) {
        band(canvas, cell, 0, 2, CursorYellow);
        band(canvas, cell, 2, 1, CursorOutline);
    } else {
        band(canvas, cell, 0, 1, CursorYellow);
    }
}

RgbColor clueColor(bool done, bool lit) {
    if (lit) return done ? DoneLitClueColor : CursorYellow;
    return done ? 0x808080 : 0xFFFFFF;
}
