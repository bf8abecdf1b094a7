// SPDX-License-Identifier: MIT
// A widget that shows a picture in the screen's pixels: one it keeps, or one its owner draws.
#include "view/PaintBox.h"

#include "platform/Canvas.h"
#include "platform/X11Window.h"

#include <QBackingStore>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <cmath>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    matchSize();
}

int32_t PaintBox::lineUnit() const {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(m_scale)));
}

QSize PaintBox::surfaceSize() const {
    const QSize logical = size().expandedTo(QSize(0, 0));
    return QSize(static_cast<int>(std::ceil(logical.width() * m_scale - 1e-6)),
                 static_cast<int>(std::ceil(logical.height() * m_scale - 1e-6)));
}

void PaintBox::setPainter(Painter painter) {
    m_painter = std::move(painter);
    // A box without a painter makes its surface when it is next drawn into or shown.
    m_image = QImage();
}

bool PaintBox::matchSize() {
    const qreal scale = std::max<qreal>(devicePixelRatioF(), 1.0);
    if (m_painter) {
        const bool changed = scale != m_scale;
        m_scale = scale;
        return changed;
    }
    m_scale = scale;
    const QSize size = surfaceSize();
    if (m_image.size() == size && !m_image.isNull()) return false;
    QImage next(size, QImage::Format_RGB32);
    next.fill(Qt::black);
    // Old content stays where it still fits, so nothing flashes before the next paint.
    blockCopy(next, 0, 0, m_image.width(), m_image.height(), m_image, 0, 0);
    m_image = next;
    return true;
}

QImage& PaintBox::surface() {
    matchSize();
    if (m_painter) {
        m_image = QImage(surfaceSize(), QImage::Format_RGB32);
        m_image.fill(Qt::black);
        m_painter(m_image, m_image.rect());
    }
    return m_image;
}

QImage PaintBox::windowBufferView() {
    QBackingStore* store = backingStore();
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return {};
    auto* buffer = static_cast<QImage*>(device);
    const QImage::Format format = buffer->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return {};
    // A native window of its own, or inside one, has a buffer of its own.
    for (const QWidget* w = this; w && !w->isWindow(); w = w->parentWidget())
        if (w->internalWinId()) return {};
    const QPoint at = toSurface(QPointF(mapTo(window(), QPoint(0, 0))));
    const QRect place(at, surfaceSize());
    if (!buffer->rect().contains(place) || place.isEmpty()) return {};
    // Opaque pixels, written straight into the buffer: as RGB32 they have full alpha.
    return QImage(buffer->bits() + qsizetype(at.y()) * buffer->bytesPerLine() + at.x() * 4,
                  place.width(), place.height(), buffer->bytesPerLine(), QImage::Format_RGB32);
}

QPoint PaintBox::toSurface(const QPointF& logical) const {
    return QPoint(static_cast<int>(std::floor(logical.x() * m_scale)),
                  static_cast<int>(std::floor(logical.y() * m_scale)));
}

QRect PaintBox::toSurface(const QRect& logical) const {
    const int left = static_cast<int>(std::floor(logical.left() * m_scale));
    const int top = static_cast<int>(std::floor(logical.top() * m_scale));
    const int right = static_cast<int>(std::ceil((logical.left() + logical.width()) * m_scale));
    const int bottom = static_cast<int>(std::ceil((logical.top() + logical.height()) * m_scale));
    return QRect(left, top, right - left, bottom - top);
}

QRect PaintBox::toLogical(const QRect& surface) const {
    const int left = static_cast<int>(std::floor(surface.left() / m_scale));
    const int top = static_cast<int>(std::floor(surface.top() / m_scale));
    const int right = static_cast<int>(std::ceil((surface.left() + surface.width()) / m_scale));
    const int bottom = static_cast<int>(std::ceil((surface.top() + surface.height()) / m_scale));
    return QRect(left, top, right - left, bottom - top);
}

void PaintBox::flush(const QRect& rect) {
    const QRect dirty = toLogical(rect).intersected(this->rect());
    if (dirty.isEmpty()) return;
    repaint(dirty);
    sendDrawingNow();
}

bool PaintBox::event(QEvent* event) {
    // A move to a screen of another scale: the surface takes the new pixels and the owner
    // draws it again, once the move is done.
    if (event->type() == QEvent::ScreenChangeInternal || event->type() == QEvent::Show)
        QTimer::singleShot(0, this, [this] {
            if (matchSize()) emit resized();
        });
    return QWidget::event(event);
}

void PaintBox::paintEvent(QPaintEvent* event) {
    matchSize();
    if (m_painter) {
        const QRect area = toSurface(event->rect()).intersected(QRect(QPoint(0, 0), surfaceSize()));
        // Only a paint into the window's buffer goes there; a grab or render of the widget
        // paints elsewhere.
        const QPaintDevice* device = nullptr;
        {
            QPainter probe(this);
            if (const QPaintEngine* engine = probe.paintEngine()) device = engine->paintDevice();
        }
        QImage view = backingStore() && device == backingStore()->paintDevice() ? windowBufferView()
                                                                                : QImage();
        if (!view.isNull()) {
            m_painter(view, area);
            return;
        }
        // Another kind of buffer or target: through a picture of the box, for this paint only.
        surface();
        showSurface(event->rect());
        m_image = QImage();
        return;
    }
    showSurface(event->rect());
}

void PaintBox::showSurface(const QRect& logical) {
    QPainter painter(this);
    if (m_scale == 1.0) {
        painter.drawImage(logical.topLeft(), m_image, logical);
        return;
    }
    // Undo the painter's scaling so that one surface pixel lands on one screen pixel: no
    // smoothing, no doubled pixels.
    painter.scale(1.0 / m_scale, 1.0 / m_scale);
    const QRect dirty = toSurface(logical).intersected(m_image.rect());
    painter.drawImage(dirty.topLeft(), m_image, dirty);
}

void PaintBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    matchSize();
    emit resized();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = toSurface(event->position());
    emit mousePressed(event->button(), at.x(), at.y());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = toSurface(event->position());
    emit mouseMoved(event->buttons(), at.x(), at.y());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = toSurface(event->position());
    emit mouseReleased(event->button(), at.x(), at.y());
}
