// SPDX-License-Identifier: MIT
// Check box without caption, drawn transparent so that it sits on a dark textured ground.
#include "platform/widgets/TransparentCheckBox.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

TransparentCheckBox::TransparentCheckBox(QWidget* parent) : QCheckBox(parent) {
    resize(17, 17);
    // Reached by Tab, as the dialogs' image buttons are; a click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

bool TransparentCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TransparentCheckBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 2;
    const QRectF box(1.5, 1.5, side - 1, side - 1);
    const QColor ink = isEnabled() ? QColor(Qt::white) : QColor(150, 150, 150);
    // A darkened, see-through square: the ground stays visible, the outline stands out on it.
    // With the focus the outline turns the yellow of the image buttons' focus ring.
    painter.setPen(hasFocus() && isEnabled() ? QPen(QColor(255, 217, 31), 2.0) : QPen(ink, 1.2));
    painter.setBrush(QColor(0, 0, 0, isDown() ? 150 : 90));
    painter.drawRoundedRect(box, 2, 2);
    if (checkState() == Qt::Unchecked) return;
    painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (checkState() == Qt::PartiallyChecked) {
        painter.drawLine(QPointF(box.left() + 3, box.center().y()),
                         QPointF(box.right() - 3, box.center().y()));
        return;
    }
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.74);
    tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.26);
    painter.drawPath(tick);
}
