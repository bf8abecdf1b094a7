// SPDX-License-Identifier: MIT
// Application-wide balloon hints: while one exists and is enabled, every tool tip shows as a
// balloon.
#include "platform/widgets/HintBalloon.h"

#include "platform/X11Window.h"

#include <QCursor>

#include <QApplication>
#include <QHelpEvent>
#include <QTimer>
#include <QToolTip>

namespace {
HintBalloon* theInstance = nullptr;
}

HintBalloon::HintBalloon(QObject* parent)
    : QObject(parent), m_window(std::make_unique<HintBalloonWindow>()),
      m_hideTimer(new QTimer(this)), m_pointerPoll(new QTimer(this)) {
    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(5000);
    connect(m_hideTimer, &QTimer::timeout, this, &HintBalloon::hideHint);
    // A leave notification does not come every time (a jump, a pointer grab, the balloon
    // mapped under the cursor): the pointer is checked while a balloon shows.
    m_pointerPoll->setInterval(50);
    connect(m_pointerPoll, &QTimer::timeout, this, &HintBalloon::checkPointer);
    if (theInstance) return;
    theInstance = this;
    if (qApp) qApp->installEventFilter(this);
}

HintBalloon::~HintBalloon() {
    if (theInstance != this) return;
    if (qApp) qApp->removeEventFilter(this);
    theInstance = nullptr;
}

HintBalloon* HintBalloon::instance() {
    return theInstance;
}

bool HintBalloon::active() const {
    return theInstance == this && m_isEnabled;
}

void HintBalloon::setEnabled(bool enabled) {
    m_isEnabled = enabled;
    if (!enabled) hideHint();
}

void HintBalloon::setHideTimeout(int ms) {
    m_hideTimer->setInterval(ms);
}

void HintBalloon::showHint(const QPoint& spot, const QString& text, QWidget* hinted) {
    QToolTip::hideText();
    m_hinted = hinted;
    // Wayland lets no window pass the pointer through (X11 does, by an input shape): a balloon
    // under the pointer would take its clicks there. Nor is the pointer's place known there
    // outside the game's own windows.
    QRect avoid;
    if (hinted && onWayland()) avoid = QRect(hinted->mapToGlobal(QPoint(0, 0)), hinted->size());
    m_window->showAt(spot, text, m_preferred, avoid);
    m_hideTimer->start();
    if (hinted && !onWayland()) m_pointerPoll->start();
}

void HintBalloon::checkPointer() {
    if (!hintVisible() || !m_hinted || !m_hinted->isVisible() ||
        !m_hinted->rect().contains(m_hinted->mapFromGlobal(QCursor::pos())))
        hideHint();
}

void HintBalloon::hideHint() {
    m_hideTimer->stop();
    m_pointerPoll->stop();
    m_hinted = nullptr;
    m_window->hide();
}

bool HintBalloon::hintVisible() const {
    return m_window->isVisible();
}

bool HintBalloon::eventFilter(QObject* watched, QEvent* event) {
    if (!active()) return false;
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        // An empty tip lets Qt pass the request on to the parent, which reaches us again.
        const QString text = widget->toolTip();
        if (text.isEmpty()) return false;
        if (!(hintVisible() && m_hinted == widget && m_window->text() == text))
            showHint(static_cast<QHelpEvent*>(event)->globalPos(), text, widget);
        return true;
    }
    case QEvent::Leave:
        // The balloon appearing under the cursor can make the window system report a leave
        // while the pointer still stands on the hinted widget: only a real leave hides it.
        if (hintVisible() && watched == m_hinted &&
            (onWayland() || !m_hinted->rect().contains(m_hinted->mapFromGlobal(QCursor::pos()))))
            hideHint();
        return false;
    case QEvent::Hide:
        if (hintVisible() && watched == m_hinted) hideHint();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (hintVisible()) hideHint();
        return false;
    default:
        return false;
    }
}
