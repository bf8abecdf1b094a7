// SPDX-License-Identifier: MIT
// Bitmaps with one colour keyed out, built once per bitmap and kept for every later paint.
#include "platform/widgets/TransparentImage.h"

#include <map>
#include <utility>

QImage keyOutColour(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgbKey = key & RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & RGB_MASK) == rgbKey) line[x] = 0;
        }
    }
    return out;
}

QImage cachedKeyedByColour(const QImage& image, QRgb key) {
    if (image.isNull()) return {};
    // cacheKey changes whenever the pixels do, so a stale entry can never be hit. The faces of
    // all windows together are a few dozen small bitmaps: the cache is never pruned.
    static std::map<std::pair<qint64, QRgb>, QImage> cache;
    const auto id = std::make_pair(image.cacheKey(), key & RGB_MASK);
    auto it = cache.find(id);
    if (it == cache.end()) it = cache.emplace(id, keyOutColour(image, key)).first;
    return it->second;
}

QImage cachedKeyedByBottomLeft(const QImage& image) {
    if (image.isNull()) return {};
    return cachedKeyedByColour(image, image.pixel(0, image.height() - 1));
}
