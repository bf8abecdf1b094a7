// Image button whose faces come from a bitmap list, one face per button state.
#include "ImageButton.h"

#include "Application.h"

#include "BitmapList.h"
#include "ImageButtonAccessible.h"
#include "TransparentImage.h"

#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

ImageButton::ImageButton(QWidget* parent)
    : QWidget(parent), Poll(new QTimer(this)), CursorPos([] { return QCursor::pos(); }) {
    Faces.fill(-1);
    resize(50, 50);
    Poll->setInterval(100);
    connect(Poll, &QTimer::timeout, this, &ImageButton::PollCursor);
    installImageButtonAccessible();
}

void ImageButton::SetButtonFaceImageList(const BitmapList* list) {
    FaceList = list;
    update();
}

void ImageButton::SetButtonFaceIndicesNew2(const ButtonFaceTable& table) {
    Faces = table;
    update();
}

ButtonFaceTable ImageButton::FaceTable(int normal, int mouseOver, int pressed, int disabled) {
    ButtonFaceTable table;
    table.fill(-1);
    table[ButtonState::Normal] = normal;
    table[ButtonState::Disabled] = disabled;
    table[ButtonState::MouseOver] = mouseOver;
    table[ButtonState::Pressed] = pressed;
    return table;
}

int ImageButton::FaceItem(int state) const {
    if (state < 0 || state > 8) return -1;
    auto valid = [this](int item) { return FaceList && FaceList->Valid(item); };
    if (valid(Faces[state])) return Faces[state];
    switch (state) {
    case ButtonState::Disabled:
    case ButtonState::MouseOver:
    case ButtonState::Unused5:
        return valid(Faces[ButtonState::Normal]) ? Faces[ButtonState::Normal] : -1;
    case ButtonState::Latched:
    case ButtonState::Pressed:
    case ButtonState::DropDown:
    case ButtonState::LatchedDisabled:
        return valid(Faces[ButtonState::Pressed]) ? Faces[ButtonState::Pressed] : -1;
    default:
        return -1;
    }
}

void ImageButton::SetHint(const QString& hint) {
    HintText = hint;
    ApplyHint();
}

void ImageButton::SetShowHint(bool show) {
    HintShown = show;
    ApplyHint();
}

void ImageButton::ApplyHint() {
    // An empty tool tip is how Qt says "no hint here", for the balloon hint as well.
    setToolTip(HintShown ? HintText : QString());
}

void ImageButton::SetCursorPosSource(std::function<QPoint()> source) {
    CursorPos = std::move(source);
}

bool ImageButton::PollActive() const {
    return Poll->isActive();
}

void ImageButton::SetState(int state) {
    if (state == CurrentState) return;
    CurrentState = state;
    // The poll only lives while the mouse-over face shows.
    if (state == ButtonState::MouseOver)
        Poll->start();
    else
        Poll->stop();
    repaint();
}

bool ImageButton::CursorInside() const {
    return rect().contains(mapFromGlobal(CursorPos()));
}

void ImageButton::PollCursor() {
    // Catches a cursor that left so fast that no leave notification arrived.
    if (CurrentState == ButtonState::MouseOver && isEnabled() && !CursorInside())
        SetState(ButtonState::Normal);
}

void ImageButton::paintEvent(QPaintEvent*) {
    // The parent's background is already under us (the widget is not opaque); keyed-out pixels
    // of the face leave it visible.
    const int item = FaceItem(CurrentState);
    if (item < 0) return;
    QPainter painter(this);
    painter.drawImage(0, 0, CachedKeyedByBottomLeft(FaceList->Item(item)));
    if (hasFocus()) DrawFocusFrame(painter);
}

void ImageButton::DrawFocusFrame(QPainter& painter) const {
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

void ImageButton::Click() {
    if (!isEnabled()) return;
    Application::Guarded([this] { emit clicked(); });
}

void ImageButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (isEnabled() && !LeftHeld && CurrentState == ButtonState::Normal)
        SetState(ButtonState::MouseOver);
}

void ImageButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // A balloon hint popping up under the cursor reports a leave although the pointer still
    // stands here; the poll timer catches the real exit.
    if (CurrentState == ButtonState::MouseOver && !CursorInside()) SetState(ButtonState::Normal);
}

void ImageButton::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled()) return;
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        LeftHeld = true;
        SetState(ButtonState::Pressed);
    }
    if (isSignalConnected(QMetaMethod::fromSignal(&ImageButton::pressed))) {
        Application::Guarded([&] { emit pressed(event->button(), pos.x(), pos.y()); });
        // The handler may have run a modal dialog that swallowed the release: do not stay
        // pressed for a button that is no longer held.
        if (LeftHeld && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            LeftHeld = false;
            SetState(CursorInside() ? ButtonState::MouseOver : ButtonState::Normal);
        }
    }
}

void ImageButton::mouseMoveEvent(QMouseEvent* event) {
    if (!LeftHeld) return;
    SetState(rect().contains(event->position().toPoint()) ? ButtonState::Pressed
                                                          : ButtonState::Normal);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !LeftHeld) return;
    LeftHeld = false;
    if (!rect().contains(event->position().toPoint())) {
        SetState(ButtonState::Normal);
        return;
    }
    SetState(ButtonState::MouseOver);
    Click();
}

void ImageButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) return;
    LeftHeld = false;
    SetState(isEnabled() ? ButtonState::Normal : ButtonState::Disabled);
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        // A held key must not answer twice.
        if (!event->isAutoRepeat()) Click();
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
