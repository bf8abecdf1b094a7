// SPDX-License-Identifier: MIT
// The game's windows, created once at start-up and destroyed at the end.
#include "app/GameWindows.h"

#include "app/MainWindow.h"
#include "view/DialogImages.h"

MainWindow* createGameWindows() {
    // A window that cannot be built (its settings unreadable) throws before anything else
    // exists, so that the caller can report the failure and end cleanly.
    auto* mainWindow = new MainWindow;
    // The right-hand buttons take their faces from the shared images, so the images come now;
    // the dialogs follow when the first of them is needed.
    mainWindow->setDialogImages(std::make_unique<DialogImages>());
    return mainWindow;
}

void destroyGameWindows(MainWindow* mainWindow) {
    // The dialogs and the shared images go with the main window.
    delete mainWindow;
}
