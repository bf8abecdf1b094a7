// The game's windows, created once at start-up in a fixed order and destroyed at the end.
#pragma once

class TDlgResources;
class THighscoreDlg;
class TOptionDlg;
class TTongueDlg;
class TYesNoDlg;

extern TYesNoDlg* YesNoDlg;
extern TTongueDlg* TongueDlg;
extern TOptionDlg* OptionDlg;
extern THighscoreDlg* HighscoreDlg;

// Creates the main window (its FormCreate runs first, before any other window exists), the
// shared images and the dialogs.
void CreateForms();
// Destroys them again; the main window saves its placement on the way.
void DestroyForms();
