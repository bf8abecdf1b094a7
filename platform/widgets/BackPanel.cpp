// SPDX-License-Identifier: MIT
// Container whose client area is a bitmap list item tiled from the top-left, under a bevelled
// frame.
#include "platform/widgets/BackPanel.h"

#include "platform/BitmapList.h"

#include <QPainter>

namespace {

// One bevel ring of the given width inside r: top and left edges in one colour, bottom and right in
// the other. Translucent colours keep the texture visible, so the frame suits every ground.
void drawBevel(QPainter& painter, QRect r, int width, const QColor& topLeft,
               const QColor& bottomRight) {
    for (int i = 0; i < width && r.width() > 1 && r.height() > 1; ++i) {
        painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
        painter.fillRect(r.left(), r.top() + 1, 1, r.height() - 2, topLeft);
        painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
        painter.fillRect(r.right(), r.top(), 1, r.height() - 1, bottomRight);
        r.adjust(1, 1, -1, -1);
    }
}

} // namespace

BackPanel::BackPanel(QWidget* parent) : QWidget(parent) {}

void BackPanel::setImageList(const BitmapList* list) {
    m_list = list;
    update();
}

void BackPanel::setListIndex(int index) {
    m_index = index;
    update();
}

void BackPanel::setBevel(const PanelBevel& bevel) {
    m_frame = bevel;
    update();
}

int BackPanel::frameWidth() const {
    return m_frame.widthOuter + m_frame.borderInnerWidth + m_frame.widthInner;
}

void BackPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A texture brush tiles from the painter's origin, which is the panel's top-left corner.
    if (m_list && m_list->valid(m_index)) painter.fillRect(rect(), QBrush(m_list->item(m_index)));

    const QColor light(255, 255, 255, 150);
    const QColor dark(0, 0, 0, 170);
    QRect r = rect();
    drawBevel(painter, r, m_frame.widthOuter, light, dark);
    r.adjust(m_frame.widthOuter, m_frame.widthOuter, -m_frame.widthOuter, -m_frame.widthOuter);
    const int b = m_frame.borderInnerWidth;
    if (b > 0 && r.width() > 0 && r.height() > 0) {
        painter.fillRect(r.left(), r.top(), r.width(), b, m_frame.borderColor);
        painter.fillRect(r.left(), r.bottom() - b + 1, r.width(), b, m_frame.borderColor);
        painter.fillRect(r.left(), r.top(), b, r.height(), m_frame.borderColor);
        painter.fillRect(r.right() - b + 1, r.top(), b, r.height(), m_frame.borderColor);
    }
    r.adjust(b, b, -b, -b);
    drawBevel(painter, r, m_frame.widthInner, dark, light);
}
