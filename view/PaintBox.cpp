// A widget that shows a persistent image surface; drawing goes into the surface.
#include "PaintBox.h"

#include "Canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    matchSize();
}

void PaintBox::matchSize() {
    const QSize size = this->size().expandedTo(QSize(0, 0));
    if (m_image.size() == size && !m_image.isNull()) return;
    QImage next(size, QImage::Format_RGB32);
    next.fill(Qt::black);
    // Old content stays where it still fits, so nothing flashes before the next paint.
    blockCopy(next, 0, 0, m_image.width(), m_image.height(), m_image, 0, 0);
    m_image = next;
}

QImage& PaintBox::surface() {
    matchSize();
    return m_image;
}

void PaintBox::flush(const QRect& rect) {
    const QRect dirty = rect.intersected(this->rect());
    if (!dirty.isEmpty()) repaint(dirty);
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty.topLeft(), surface(), dirty);
}

void PaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    matchSize();
    emit resized();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->pos().x(), event->pos().y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), event->pos().x(), event->pos().y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event->button(), event->pos().x(), event->pos().y());
}
