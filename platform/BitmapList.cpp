// A list of bitmaps addressed by position from 0.
#include "BitmapList.h"

BitmapList BitmapList::Load(const QString& dir, int count) {
    std::vector<QImage> items;
    items.reserve(count);
    for (int n = 0; n < count; ++n) {
        QImage img(QStringLiteral("%1/%2.png").arg(dir).arg(n));
        // Block copies with raster operations need opaque 32-bit pixels.
        if (!img.isNull()) img = img.convertToFormat(QImage::Format_RGB32);
        items.push_back(std::move(img));
    }
    return BitmapList(std::move(items));
}

bool BitmapList::Valid(int index) const {
    return index >= 0 && index < Count() && !Items[index].isNull();
}

const QImage& BitmapList::Item(int index) const {
    static const QImage empty;
    return Valid(index) ? Items[index] : empty;
}
