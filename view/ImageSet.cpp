// SPDX-License-Identifier: MIT
// Loads the main window's picture list from the compiled-in resources.
#include "view/ImageSet.h"

#include <algorithm>
#include <cmath>

BitmapList loadMainBitmaps() {
    BitmapList list = BitmapList::load(QStringLiteral(":/bmps"), MainBitmapCount);
    list.setSharpItems(BitmapList::load(QStringLiteral(":/bmps@2x"), MainBitmapCount));
    return list;
}

QSize backgroundTileSize(const QImage& strip) {
    return QSize(strip.width() / 2, strip.height() / 7);
}

namespace {

// Used only when the background strip is missing or too small to cut into tiles.
constexpr QRgb FallbackBoard = 0xFF303030;
constexpr QRgb FallbackShade = 0xFF707070;

QImage flat(QRgb colour) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

BackgroundTiles backgroundTiles(const BitmapList& bmps, int32_t mode, qreal scale) {
    const QSize plainTile = backgroundTileSize(bmps.item(BackgroundStripItem));
    if (plainTile.isEmpty()) return {flat(FallbackBoard), flat(FallbackShade)};
    const QImage& strip = bmps.itemAt(BackgroundStripItem, scale);
    const QSize tile = backgroundTileSize(strip);
    if (tile.isEmpty()) return {flat(FallbackBoard), flat(FallbackShade)};
    const int32_t top = tile.height() * std::clamp<int32_t>(mode, 0, 6);
    BackgroundTiles tiles{strip.copy(0, top, tile.width(), tile.height()),
                          strip.copy(tile.width(), top, tile.width(), tile.height())};
    const QSize wanted = scale > 1.0 ? QSize(int(std::lround(plainTile.width() * scale)),
                                             int(std::lround(plainTile.height() * scale)))
                                     : plainTile;
    for (QImage* image : {&tiles.board, &tiles.shade}) {
        if (image->size() != wanted)
            *image = image->scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (image->format() != QImage::Format_RGB32)
            *image = image->convertToFormat(QImage::Format_RGB32);
        // Pixels of the surface, whatever the picture was drawn for.
        image->setDevicePixelRatio(1.0);
    }
    return tiles;
}
