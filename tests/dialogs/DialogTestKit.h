// SPDX-License-Identifier: MIT
// Helpers for driving the modal dialogs from a test: act once the dialog is up, never hang.
#pragma once

#include "logic/GameOptions.h"
#include "platform/X11Window.h"
#include "view/DialogImages.h"

#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

// The picture module, loaded once for the whole test program.
inline const DialogImages& resources() {
    static DialogImages resources;
    return resources;
}

// The player's options as the main window would hand them to its dialogs and players; tests set
// them as the game would.
inline GameOptions& testOptions() {
    static GameOptions options;
    return options;
}

// Runs `show` (which opens dialog modally) and, once the dialog is visible, `act`. A dialog
// still open after act (or never closed) is closed with result 0 after a few seconds and the
// test fails. Returns whether act ran, i.e. whether the dialog was shown at all.
inline bool runModal(QDialog& dialog, const std::function<void()>& show,
                     const std::function<void()>& act, int guardMs = 5000) {
    bool acted = false;
    QTimer actTimer;
    actTimer.setSingleShot(true);
    QObject::connect(&actTimer, &QTimer::timeout, [&] {
        if (!dialog.isVisible()) return;
        acted = true;
        act();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (dialog.isVisible()) {
            ADD_FAILURE() << "dialog left open";
            dialog.done(0);
        }
    });
    actTimer.start(0);
    guard.start(guardMs);
    show();
    return acted;
}

// A stand-in for the main window: a visible top-level widget at a known place. Under a window
// manager it is ready once framed, as the game's main window is long before any dialog opens.
class FakeMainWindow : public QWidget {
  public:
    explicit FakeMainWindow(const QRect& place = QRect(100, 50, 800, 600)) {
        setGeometry(place);
        show();
        if (windowManagerRunning()) {
            (void)QTest::qWaitForWindowExposed(this);
            (void)QTest::qWaitFor([this] { return frameGeometry() != geometry(); }, 2000);
        }
    }
};
