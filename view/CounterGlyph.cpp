// SPDX-License-Identifier: MIT
// The glyphs of the tool bar's counters, drawn as outlines.
#include "view/CounterGlyph.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

void drawCounterGlyph(QPainter& painter, int32_t glyph, double left, double top,
                      const QColor& color) {
    if (glyph == 11) {
        // A multiplication cross, between columns and rows.
        painter.setPen(QPen(color, 3.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(left + 5, top + 11), QPointF(left + 14, top + 20));
        painter.drawLine(QPointF(left + 14, top + 11), QPointF(left + 5, top + 20));
        return;
    }
    QPainterPath path;
    if (glyph == 0) {
        path.addRoundedRect(QRectF(left + 3.5, top + 12, 12, 4.2), 2, 2);
    } else if (glyph >= 1 && glyph <= 10) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(26);
        path.addText(0, 0, font, QString::number(glyph - 1));
        // Centred in the cell by its drawn outline, not by the font's metrics.
        const QRectF b = path.boundingRect();
        path.translate(left + (CounterGlyphWidth - b.width()) / 2 - b.left(),
                       top + (CounterGlyphHeight - b.height()) / 2 - b.top());
    } else {
        return;
    }
    painter.fillPath(path, color);
}
