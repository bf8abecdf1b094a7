// One bitmap list item, its magenta pixels showing what lies behind.
#include "ListImage.h"

#include "BitmapList.h"
#include "TransparentImage.h"

#include <QPainter>

ListImage::ListImage(QWidget* parent) : QWidget(parent) {}

void ListImage::SetImageList(const BitmapList* list) {
    List = list;
    update();
}

void ListImage::SetListIndex(int index) {
    Index = index;
    update();
}

void ListImage::SetForceTransparent(bool transparent) {
    Transparent = transparent;
    update();
}

void ListImage::paintEvent(QPaintEvent*) {
    if (!List || !List->Valid(Index)) return;
    const QImage& item = List->Item(Index);
    QPainter painter(this);
    painter.drawImage(0, 0, Transparent ? CachedKeyedByColour(item, TransparentColor) : item);
}
