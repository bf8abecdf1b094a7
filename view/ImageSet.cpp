// Loads the main window's picture list from the compiled-in resources.
#include "ImageSet.h"

TBitmapList LoadMainBitmaps() {
    return TBitmapList::Load(QStringLiteral(":/bmps"), MainBitmapCount);
}

QSize BackgroundTileSize(const QImage& strip) {
    return QSize(strip.width() / 2, strip.height() / 7);
}
