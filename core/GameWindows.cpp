// The game's windows, created once at start-up and destroyed at the end.
#include "GameWindows.h"

#include "BestListDialog.h"
#include "DialogImages.h"
#include "LanguageDialog.h"
#include "MainWindow.h"
#include "MessageDialog.h"
#include "OptionsDialog.h"

#include "MusicPlayer.h"

MessageDialog* YesNoDlg = nullptr;
LanguageDialog* TongueDlg = nullptr;
OptionsDialog* OptionDlg = nullptr;
BestListDialog* HighscoreDlg = nullptr;

namespace {

MainWindow* mainWindow = nullptr;
DialogImages* Resources = nullptr;

void CreateAll() {
    mainWindow = new MainWindow;
    // The dialogs take their pictures from the shared images when they are built, so the
    // images come before them; the main window's right buttons get theirs now too.
    Resources = new DialogImages;
    YesNoDlg = new MessageDialog(mainWindow, *Resources);
    TongueDlg = new LanguageDialog(*Resources, mainWindow);
    OptionDlg = new OptionsDialog(mainWindow, mainWindow->BackMode, *Resources);
    OptionDlg->OnBackgroundChanged = [] {
        mainWindow->prepareBackground();
        mainWindow->repaintAll();
    };
    OptionDlg->OnTextsChanged = [] { mainWindow->setMainTexts(); };
    OptionDlg->OnMusicSwitch = [] {
        mainWindow->midi->Switch();
        mainWindow->WakeTimer();
    };
    OptionDlg->MusicName = [] { return mainWindow->midi->CurrentName(); };
    HighscoreDlg = new BestListDialog(mainWindow, mainWindow->ini, *Resources);
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
    YesNoDlg = nullptr;
    TongueDlg = nullptr;
    OptionDlg = nullptr;
    HighscoreDlg = nullptr;
    delete Resources;
    Resources = nullptr;
}
