// Loads the main window's picture list from the compiled-in resources.
#include "ImageSet.h"

BitmapList LoadMainBitmaps() {
    return BitmapList::Load(QStringLiteral(":/bmps"), MainBitmapCount);
}

QSize BackgroundTileSize(const QImage& strip) {
    return QSize(strip.width() / 2, strip.height() / 7);
}
