// SPDX-License-Identifier: MIT
// The shared picture module of the dialogs and of the main window's right-hand buttons.
#pragma once

#include "platform/BitmapList.h"

class DialogImages {
  public:
    // Loads the three lists.
    DialogImages();
    DialogImages(const DialogImages&) = delete;
    DialogImages& operator=(const DialogImages&) = delete;

    BitmapList dlgs; // dialog grounds, pictures and faces (28 items)
    BitmapList opts; // faces of the option buttons (16 items)
    BitmapList btns; // faces of the main window's right-hand buttons (9 items)
};
