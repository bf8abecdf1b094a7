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
    mainWindow->messageDialog = new MessageDialog(mainWindow, *Resources);
    mainWindow->languageDialog = new LanguageDialog(*Resources, mainWindow);
    mainWindow->optionsDialog =
        new OptionsDialog(mainWindow, mainWindow->backgroundMode, *Resources);
    mainWindow->optionsDialog->OnBackgroundChanged = [] {
        mainWindow->prepareBackground();
        mainWindow->repaintAll();
    };
    mainWindow->optionsDialog->OnTextsChanged = [] { mainWindow->setMainTexts(); };
    mainWindow->optionsDialog->OnMusicSwitch = [] {
        mainWindow->music().Switch();
        mainWindow->WakeTimer();
    };
    mainWindow->optionsDialog->MusicName = [] { return mainWindow->music().CurrentName(); };
    mainWindow->bestListDialog = new BestListDialog(mainWindow, mainWindow->settings(), *Resources);
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
