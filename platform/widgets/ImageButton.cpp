// SPDX-License-Identifier: MIT
// Image button whose faces come from a bitmap list, one face per button state.
#include "platform/widgets/ImageButton.h"

#include "platform/Application.h"

#include "platform/BitmapList.h"
#include "platform/widgets/ImageButtonAccessible.h"
#include "platform/widgets/TransparentImage.h"

#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

ImageButton::ImageButton(QWidget* parent)
    : QWidget(parent), m_poll(new QTimer(this)), m_cursorPos([] { return QCursor::pos(); }) {
    m_faces.fill(-1);
    resize(50, 50);
    m_poll->setInterval(100);
    connect(m_poll, &QTimer::timeout, this, &ImageButton::pollCursor);
    installImageButtonAccessible();
}

void ImageButton::setButtonFaceImageList(const BitmapList* list) {
    m_faceList = list;
    update();
}

void ImageButton::setFaceTable(const ButtonFaceTable& table) {
    m_faces = table;
    update();
}

ButtonFaceTable ImageButton::faceTable(int normal, int mouseOver, int pressed, int disabled) {
    ButtonFaceTable table;
    table[ButtonState::Normal] = normal;
    table[ButtonState::Disabled] = disabled;
    table[ButtonState::MouseOver] = mouseOver;
    table[ButtonState::Pressed] = pressed;
    return table;
}

int ImageButton::faceItem(int state) const {
    if (state < 0 || state >= int(std::tuple_size_v<ButtonFaceTable>)) return -1;
    auto valid = [this](int item) { return m_faceList && m_faceList->valid(item); };
    if (valid(m_faces[state])) return m_faces[state];
    // A missing disabled or mouse-over face shows the normal one; the others show nothing.
    const bool fallsBack = state == ButtonState::Disabled || state == ButtonState::MouseOver;
    return fallsBack && valid(m_faces[ButtonState::Normal]) ? m_faces[ButtonState::Normal] : -1;
}

void ImageButton::setHint(const QString& hint) {
    m_hintText = hint;
    applyHint();
}

void ImageButton::setShowHint(bool show) {
    m_hintShown = show;
    applyHint();
}

void ImageButton::applyHint() {
    // An empty tool tip is how Qt says "no hint here", for the balloon hint as well.
    setToolTip(m_hintShown ? m_hintText : QString());
}

void ImageButton::setCursorPosSource(std::function<QPoint()> source) {
    m_cursorPos = std::move(source);
}

bool ImageButton::pollActive() const {
    return m_poll->isActive();
}

void ImageButton::setState(int state, bool now) {
    if (state == m_currentState) return;
    m_currentState = state;
    // The poll only lives while the mouse-over face shows.
    if (state == ButtonState::MouseOver)
        m_poll->start();
    else
        m_poll->stop();
    if (now)
        repaint();
    else
        update();
}

bool ImageButton::cursorInside() const {
    return rect().contains(mapFromGlobal(m_cursorPos()));
}

void ImageButton::pollCursor() {
    // Catches a cursor that left so fast that no leave notification arrived.
    if (m_currentState == ButtonState::MouseOver && isEnabled() && !cursorInside())
        setState(ButtonState::Normal);
}

void ImageButton::paintEvent(QPaintEvent*) {
    // The parent's background is already under us (the widget is not opaque); keyed-out pixels
    // of the face leave it visible.
    const int item = faceItem(m_currentState);
    if (item < 0) return;
    QPainter painter(this);
    // On a scaled screen the face drawn for two pixels per point, smoothed to the scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage face = cachedKeyedByBottomLeft(m_faceList->itemAt(item, devicePixelRatioF()));
    painter.drawImage(QRectF(QPointF(0, 0), face.deviceIndependentSize()), face);
    if (hasFocus()) drawFocusFrame(painter);
}

void ImageButton::drawFocusFrame(QPainter& painter) const {
    // A yellow ring just inside the face's rounded black frame, edged in black on its inner side
    // so that it stands out on light and dark grounds alike.
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(rect()).adjusted(3, 3, -3, -3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 20, 20), 4.5));
    painter.drawRoundedRect(ring.adjusted(1, 1, -1, -1), 6, 6);
    painter.setPen(QPen(QColor(255, 217, 31), 2.5));
    painter.drawRoundedRect(ring, 7, 7);
}

void ImageButton::click() {
    if (!isEnabled()) return;
    Application::guarded([this] { emit clicked(); });
}

void ImageButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (isEnabled() && !m_leftHeld && m_currentState == ButtonState::Normal)
        setState(ButtonState::MouseOver);
}

void ImageButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // A balloon hint popping up under the cursor reports a leave although the pointer still
    // stands here; the poll timer catches the real exit.
    if (m_currentState == ButtonState::MouseOver && !cursorInside()) setState(ButtonState::Normal);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled()) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_leftHeld = true;
        setState(ButtonState::Pressed);
    }
    if (isSignalConnected(QMetaMethod::fromSignal(&ImageButton::pressed))) {
        Application::guarded([&] { emit pressed(event->button(), pos.x(), pos.y()); });
        // The handler may have run a modal dialog that swallowed the release: do not stay
        // pressed for a button that is no longer held.
        if (m_leftHeld && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            m_leftHeld = false;
            setState(cursorInside() ? ButtonState::MouseOver : ButtonState::Normal);
        }
    }
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_leftHeld) return;
    setState(rect().contains(event->position().toPoint()) ? ButtonState::Pressed
                                                          : ButtonState::Normal);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_leftHeld) return;
    m_leftHeld = false;
    if (!rect().contains(event->position().toPoint())) {
        setState(ButtonState::Normal);
        return;
    }
    setState(ButtonState::MouseOver);
    click();
}

void ImageButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) return;
    m_leftHeld = false;
    // Enabled or disabled by a move: the move's own picture comes first, this face with the
    // next paint, rather than the other way round.
    setState(isEnabled() ? ButtonState::Normal : ButtonState::Disabled, false);
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        // A held key must not answer twice.
        if (!event->isAutoRepeat()) click();
        event->accept();
        return;
    case Qt::Key_Up:
    case Qt::Key_Left:
        focusNextPrevChild(false);
        event->accept();
        return;
    case Qt::Key_Down:
    case Qt::Key_Right:
        focusNextPrevChild(true);
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ImageButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ImageButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
