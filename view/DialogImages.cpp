// SPDX-License-Identifier: MIT
// The shared picture module, loaded from the compiled-in resources.
#include "view/DialogImages.h"

#include "view/ImageSet.h"

DialogImages::DialogImages()
    : dlgs(BitmapList::load(QStringLiteral(":/dlgs"), DlgBitmapCount)),
      opts(BitmapList::load(QStringLiteral(":/opts"), OptBitmapCount)),
      btns(BitmapList::load(QStringLiteral(":/btns"), BtnBitmapCount)) {
    btns.setSharpItems(BitmapList::load(QStringLiteral(":/btns@2x"), BtnBitmapCount));
}
