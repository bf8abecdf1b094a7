// Container whose client area is a bitmap list item tiled from the top-left, under a bevelled
// frame.
#include "BackPanel.h"

#include "BitmapList.h"

#include <QPainter>

namespace {

// One bevel ring of the given width inside r: top and left edges in one colour, bottom and right in
// the other. Translucent colours keep the texture visible, so the frame suits every ground.
void DrawBevel(QPainter& painter, QRect r, int width, const QColor& topLeft,
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

void BackPanel::SetImageList(const BitmapList* list) {
    List = list;
    update();
}

void BackPanel::SetListIndex(int index) {
    Index = index;
    update();
}

void BackPanel::SetBevel(const PanelBevel& bevel) {
    Frame = bevel;
    update();
}

int BackPanel::FrameWidth() const {
    return Frame.WidthOuter + Frame.BorderInnerWidth + Frame.WidthInner;
}

void BackPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A texture brush tiles from the painter's origin, which is the panel's top-left corner.
    if (List && List->Valid(Index)) painter.fillRect(rect(), QBrush(List->Item(Index)));

    const QColor light(255, 255, 255, 150);
    const QColor dark(0, 0, 0, 170);
    QRect r = rect();
    DrawBevel(painter, r, Frame.WidthOuter, light, dark);
    r.adjust(Frame.WidthOuter, Frame.WidthOuter, -Frame.WidthOuter, -Frame.WidthOuter);
    const int b = Frame.BorderInnerWidth;
    if (b > 0 && r.width() > 0 && r.height() > 0) {
        painter.fillRect(r.left(), r.top(), r.width(), b, Frame.BorderColor);
        painter.fillRect(r.left(), r.bottom() - b + 1, r.width(), b, Frame.BorderColor);
        painter.fillRect(r.left(), r.top(), b, r.height(), Frame.BorderColor);
        painter.fillRect(r.right() - b + 1, r.top(), b, r.height(), Frame.BorderColor);
    }
    r.adjust(b, b, -b, -b);
    DrawBevel(painter, r, Frame.WidthInner, dark, light);
}
