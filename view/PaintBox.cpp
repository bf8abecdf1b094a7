// A widget that shows a persistent image surface; drawing goes into the surface.
#include "PaintBox.h"

#include "Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MatchSize();
}

void PaintBox::MatchSize() {
    const QSize size = this->size().expandedTo(QSize(0, 0));
    if (Image.size() == size && !Image.isNull()) return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(Qt::black);
    // Old content stays where it still fits, so nothing flashes before the next paint.
    BlockCopy(next, 0, 0, Image.width(), Image.height(), Image, 0, 0);
    Image = next;
}

QImage& PaintBox::Surface() {
    MatchSize();
    return Image;
}

void PaintBox::Flush(const QRect& rect) {
    const QRect dirty = rect.intersected(this->rect());
    if (!dirty.isEmpty()) repaint(dirty);
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty.topLeft(), Surface(), dirty);
}

void PaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    MatchSize();
    if (OnResize) OnResize();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) OnMouseDown(event->button(), event->pos().x(), event->pos().y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove) OnMouseMove(event->buttons(), event->pos().x(), event->pos().y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseUp) OnMouseUp(event->button(), event->pos().x(), event->pos().y());
}
