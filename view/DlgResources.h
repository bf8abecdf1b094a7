// The shared picture module of the dialogs and of the main window's right-hand buttons.
#pragma once

#include "BitmapList.h"

class TDlgResources {
  public:
    // Loads the three lists and becomes the program-wide `DlgResources`.
    TDlgResources();
    // Clears `DlgResources` if it is this one.
    ~TDlgResources();
    TDlgResources(const TDlgResources&) = delete;
    TDlgResources& operator=(const TDlgResources&) = delete;

    TBitmapList dlgs; // dialog grounds, pictures and faces (28 items)
    TBitmapList opts; // faces of the option buttons (16 items)
    TBitmapList btns; // faces of the main window's right-hand buttons (9 items)
};

// The program's one module; nullptr until it has been created.
extern TDlgResources* DlgResources;
