// Loads the main window's picture list from the compiled-in resources.
#include "ImageSet.h"

BitmapList loadMainBitmaps() {
    return BitmapList::load(QStringLiteral(":/bmps"), MainBitmapCount);
}

QSize backgroundTileSize(const QImage& strip) {
    return QSize(strip.width() / 2, strip.height() / 7);
}
