// SPDX-License-Identifier: MIT
// One bitmap list item, its magenta pixels showing what lies behind.
#include "platform/widgets/ListImage.h"

#include "platform/BitmapList.h"
#include "platform/widgets/TransparentImage.h"

#include <QPainter>

ListImage::ListImage(QWidget* parent) : QWidget(parent) {}

void ListImage::setImageList(const BitmapList* list) {
    m_list = list;
    update();
}

void ListImage::setListIndex(int index) {
    m_index = index;
    update();
}

void ListImage::setForceTransparent(bool transparent) {
    m_transparent = transparent;
    update();
}

void ListImage::paintEvent(QPaintEvent*) {
    if (!m_list || !m_list->valid(m_index)) return;
    const QImage& item = m_list->item(m_index);
    QPainter painter(this);
    painter.drawImage(0, 0, m_transparent ? cachedKeyedByColour(item, TransparentColor) : item);
}
