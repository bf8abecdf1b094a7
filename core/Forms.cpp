// The game's windows, created once at start-up and destroyed at the end.
#include "Forms.h"

#include "DlgResources.h"
#include "Main.h"
#include "Options.h"
#include "Tongdlg.h"
#include "YesNo.h"
#include "highscor.h"

#include "Music.h"

TYesNoDlg* YesNoDlg = nullptr;
TTongueDlg* TongueDlg = nullptr;
TOptionDlg* OptionDlg = nullptr;
THighscoreDlg* HighscoreDlg = nullptr;

namespace {

Tmainform* MainWindow = nullptr;
TDlgResources* Resources = nullptr;

void CreateAll() {
    MainWindow = new Tmainform;
    // The dialogs take their pictures from the shared images when they are built, so the
    // images come before them; the main window's right buttons get theirs now too.
    Resources = new TDlgResources;
    YesNoDlg = new TYesNoDlg(MainWindow, *Resources);
    TongueDlg = new TTongueDlg(*Resources, MainWindow);
    OptionDlg = new TOptionDlg(MainWindow, MainWindow->BackMode, *Resources);
    OptionDlg->OnBackgroundChanged = [] {
        MainWindow->PrepareBackground();
        MainWindow->RepaintAll();
    };
    OptionDlg->OnTextsChanged = [] { MainWindow->SetMainTexts(); };
    OptionDlg->OnMusicSwitch = [] {
        MainWindow->midi->Switch();
        MainWindow->WakeTimer();
    };
    OptionDlg->MusicName = [] { return MainWindow->midi->CurrentName(); };
    HighscoreDlg = new THighscoreDlg(MainWindow, MainWindow->ini, *Resources);
    MainWindow->ResourcesCreated(*Resources);
}

} // namespace

void CreateForms() {
    // A window that cannot be built (its settings unreadable) takes the others down with it, so
    // that the caller can report the failure and end cleanly.
    try {
        CreateAll();
    } catch (...) {
        DestroyForms();
        throw;
    }
}

void DestroyForms() {
    // The dialogs are children of the main window and go with it.
    delete MainWindow;
    MainWindow = nullptr;
    YesNoDlg = nullptr;
    TongueDlg = nullptr;
    OptionDlg = nullptr;
    HighscoreDlg = nullptr;
    delete Resources;
    Resources = nullptr;
}
