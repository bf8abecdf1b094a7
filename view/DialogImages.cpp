// The shared picture module, loaded from the compiled-in resources.
#include "DialogImages.h"

#include "ImageSet.h"

DialogImages* DlgResources = nullptr;

DialogImages::DialogImages()
    : dlgs(BitmapList::Load(QStringLiteral(":/dlgs"), DlgBitmapCount)),
      opts(BitmapList::Load(QStringLiteral(":/opts"), OptBitmapCount)),
      btns(BitmapList::Load(QStringLiteral(":/btns"), BtnBitmapCount)) {
    DlgResources = this;
}

DialogImages::~DialogImages() {
    if (DlgResources == this) DlgResources = nullptr;
}
