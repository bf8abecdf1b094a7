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
DialogImages* Resources = nullptr;

void CreateAll() {
    mainWindow = new MainWindow;
    // The dialogs take their pictures from the shared images when they are built, so the
    // images come before them; the main window's right buttons get theirs now too.
    Resources = new DialogImages;
    auto* message = new MessageDialog(mainWindow, *Resources);
    auto* language = new LanguageDialog(*Resources, mainWindow);
    auto* options = new OptionsDialog(mainWindow, mainWindow->backgroundMode, *Resources);
    options->OnBackgroundChanged = [] {
        mainWindow->prepareBackground();
        mainWindow->repaintAll();
    };
    options->OnTextsChanged = [] { mainWindow->setMainTexts(); };
    options->OnMusicSwitch = [] {
        mainWindow->music().Switch();
        mainWindow->WakeTimer();
    };
    options->MusicName = [] { return mainWindow->music().CurrentName(); };
    auto* bestList = new BestListDialog(mainWindow, mainWindow->settings(), *Resources);
    mainWindow->setDialogs(message, language, options, bestList);
    mainWindow->useDialogImages(*Resources);
}

} // namespace

MainWindow* createGameWindows() {
    // A window that cannot be built (its settings unreadable) takes the others down with it, so
    // that the caller can report the failure and end cleanly.
    try {
        CreateAll();
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
    delete Resources;
    Resources = nullptr;
}
