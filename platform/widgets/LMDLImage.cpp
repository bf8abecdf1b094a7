// One bitmap list item, its magenta pixels showing what lies behind.
#include "LMDLImage.h"

#include "BitmapList.h"
#include "TransparentImage.h"

#include <QPainter>

TLMDLImage::TLMDLImage(QWidget* parent) : QWidget(parent) {}

void TLMDLImage::SetImageList(const TBitmapList* list) {
    List = list;
    update();
}

void TLMDLImage::SetListIndex(int index) {
    Index = index;
    update();
}

void TLMDLImage::SetForceTransparent(bool transparent) {
    Transparent = transparent;
    update();
}

void TLMDLImage::paintEvent(QPaintEvent*) {
    if (!List || !List->Valid(Index)) return;
    const QImage& item = List->Item(Index);
    QPainter painter(this);
    painter.drawImage(0, 0, Transparent ? CachedKeyedByColour(item, TransparentColor) : item);
}
