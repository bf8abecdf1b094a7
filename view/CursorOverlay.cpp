// SPDX-License-Identifier: MIT
// The keyboard cursor drawn over the board.
#include "view/CursorOverlay.h"

#include "view/TilesDrawings.h"

#include <algorithm>

void drawCursorFrame(QImage& surface, const QRect& cell, int32_t unit) {
    if (cell.isEmpty()) return;
    Canvas canvas(surface);
    const int32_t u = std::max<int32_t>(unit, 1);
    if (cell.width() >= 10 * u) {
        drawBand(canvas, cell, 0, 2 * u, CursorYellow);
        drawBand(canvas, cell, 2 * u, u, CursorOutline);
    } else {
        drawBand(canvas, cell, 0, u, CursorYellow);
    }
}

RgbColor clueColor(bool done, bool lit) {
    if (lit) return done ? DoneLitClueColor : CursorYellow;
    return done ? 0x808080 : 0xFFFFFF;
}
