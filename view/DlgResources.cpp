// The shared picture module, loaded from the compiled-in resources.
#include "DlgResources.h"

#include "ImageSet.h"

TDlgResources* DlgResources = nullptr;

TDlgResources::TDlgResources()
    : dlgs(TBitmapList::Load(QStringLiteral(":/dlgs"), DlgBitmapCount)),
      opts(TBitmapList::Load(QStringLiteral(":/opts"), OptBitmapCount)),
      btns(TBitmapList::Load(QStringLiteral(":/btns"), BtnBitmapCount)) {
    DlgResources = this;
}

TDlgResources::~TDlgResources() {
    if (DlgResources == this) DlgResources = nullptr;
}
