// SPDX-License-Identifier: MIT
// The wait of the board animations.
#include "view/Delay.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

uint32_t tickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void delay(int32_t ms) {
    // A negative wait returns at once.
    if (ms < 0) return;
    const uint32_t start = tickCount();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (;;) {
        // Unsigned difference: correct across the wrap of the 32-bit counter.
        const int64_t left = int64_t{ms} + 1 - int64_t{tickCount() - start};
        if (left <= 0) return;
        timer.start(static_cast<int>(left));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // Ended by someone else than the timer: the application is quitting.
        if (timer.isActive()) return;
    }
}

namespace {

class InputEater : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::InputMethod:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

void discardHeldInput() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    InputEater eater;
    app->installEventFilter(&eater);
    // Whatever the window system has delivered by now, and what was posted meanwhile.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(&eater);
}
