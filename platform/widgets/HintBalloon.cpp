// Application-wide balloon hints: while one exists and is enabled, every tool tip shows as a
// balloon.
#include "HintBalloon.h"

#include <QCursor>

#include <QApplication>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

namespace {
HintBalloon* TheInstance = nullptr;
}

HintBalloon::HintBalloon(QObject* parent)
    : QObject(parent), Window(std::make_unique<HintBalloonWindow>()), HideTimer(new QTimer(this)),
      PointerPoll(new QTimer(this)) {
    HideTimer->setSingleShot(true);
    HideTimer->setInterval(5000);
    connect(HideTimer, &QTimer::timeout, this, &HintBalloon::HideHint);
    // A leave notification does not come every time (a jump, a pointer grab, the balloon
    // mapped under the cursor): the pointer is checked while a balloon shows.
    PointerPoll->setInterval(50);
    connect(PointerPoll, &QTimer::timeout, this, &HintBalloon::CheckPointer);
    if (TheInstance) return;
    TheInstance = this;
    if (qApp) qApp->installEventFilter(this);
}

HintBalloon::~HintBalloon() {
    if (TheInstance != this) return;
    if (qApp) qApp->removeEventFilter(this);
    TheInstance = nullptr;
}

HintBalloon* HintBalloon::Instance() {
    return TheInstance;
}

bool HintBalloon::Active() const {
    return TheInstance == this && IsEnabled;
}

void HintBalloon::SetEnabled(bool enabled) {
    IsEnabled = enabled;
    if (!enabled) HideHint();
}

void HintBalloon::SetHideTimeout(int ms) {
    HideTimer->setInterval(ms);
}

void HintBalloon::ShowHint(const QPoint& spot, const QString& text, QWidget* hinted) {
    QToolTip::hideText();
    Hinted = hinted;
    Window->ShowAt(spot, text, Preferred);
    HideTimer->start();
    if (hinted) PointerPoll->start();
}

void HintBalloon::CheckPointer() {
    if (!HintVisible() || !Hinted || !Hinted->isVisible() ||
        !Hinted->rect().contains(Hinted->mapFromGlobal(QCursor::pos())))
        HideHint();
}

void HintBalloon::HideHint() {
    HideTimer->stop();
    PointerPoll->stop();
    Hinted = nullptr;
    Window->hide();
}

bool HintBalloon::HintVisible() const {
    return Window->isVisible();
}

bool HintBalloon::eventFilter(QObject* watched, QEvent* event) {
    if (!Active()) return false;
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        // An empty tip lets Qt pass the request on to the parent, which reaches us again.
        const QString text = widget->toolTip();
        if (text.isEmpty()) return false;
        if (!(HintVisible() && Hinted == widget && Window->Text() == text))
            ShowHint(static_cast<QHelpEvent*>(event)->globalPos(), text, widget);
        return true;
    }
    case QEvent::Leave:
        // The balloon appearing under the cursor can make the window system report a leave
        // while the pointer still stands on the hinted widget: only a real leave hides it.
        if (HintVisible() && watched == Hinted &&
            !Hinted->rect().contains(Hinted->mapFromGlobal(QCursor::pos())))
            HideHint();
        return false;
    case QEvent::Hide:
        if (HintVisible() && watched == Hinted) HideHint();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (HintVisible()) HideHint();
        return false;
    default:
        return false;
    }
}
