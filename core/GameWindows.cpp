// The game's windows, created once at start-up and destroyed at the end.
#include "GameWindows.h"

#include "BestListDialog.h"
#include "DialogImages.h"
#include "LanguageDialog.h"
#include "MainWindow.h"
#include "MessageDialog.h"
#include "OptionsDialog.h"

#include "MusicPlayer.h"

namespace {

MainWindow* mainWindow = nullptr;
DialogImages* sharedImages = nullptr;

void createAll() {
    mainWindow = new MainWindow;
    // The dialogs take their pictures from the shared images when they are built, so the
    // images come before them; the main window's right buttons get theirs now too.
    sharedImages = new DialogImages;
    auto* message = new MessageDialog(mainWindow, *sharedImages);
    auto* language = new LanguageDialog(*sharedImages, mainWindow);
    auto* options = new OptionsDialog(mainWindow, mainWindow->backgroundMode, *sharedImages);
    options->onBackgroundChanged = [] {
        mainWindow->prepareBackground();
        mainWindow->repaintAll();
    };
    options->onTextsChanged = [] { mainWindow->setMainTexts(); };
    options->onMusicSwitch = [] {
        mainWindow->music().toggle();
        mainWindow->wakeTimer();
    };
    options->musicName = [] { return mainWindow->music().currentName(); };
    auto* bestList = new BestListDialog(mainWindow, mainWindow->settings(), *sharedImages);
    mainWindow->setDialogs(message, language, options, bestList);
    mainWindow->useDialogImages(*sharedImages);
}

} // namespace

MainWindow* createGameWindows() {
    // A window that cannot be built (its settings unreadable) takes the others down with it, so
    // that the caller can report the failure and end cleanly.
    try {
        createAll();
        return mainWindow;
    } catch (...) {
        destroyGameWindows();
        throw;
    }
}

void destroyGameWindows() {
    // The dialogs are children of the main window and go with it.
    delete mainWindow;
    mainWindow = nullptr;
    delete sharedImages;
    sharedImages = nullptr;
}
