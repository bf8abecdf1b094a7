// SPDX-License-Identifier: MIT
// A list of bitmaps addressed by position from 0.
#include "platform/BitmapList.h"

#include <QFile>
#include <QResource>

#include <cstring>

namespace {

constexpr char RawMagic[4] = {'M', 'R', 'A', 'W'};
constexpr qint64 RawHeader = 8;

int read16(const uchar* at) {
    return at[0] | (at[1] << 8);
}

QImage loadRaw(const QString& path) {
    // An uncompressed resource lies in the program's read-only data: the picture is used there.
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
        return decodeRawImage(resource.data(), resource.size(), true);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return decodeRawImage(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), false);
}

} // namespace

BitmapList::BitmapList(std::vector<QImage> items) {
    m_items.reserve(items.size());
    for (QImage& image : items)
        m_items.push_back({QString(), std::move(image)});
}

BitmapList BitmapList::load(const QString& dir, int count) {
    BitmapList list;
    list.m_items.resize(count);
    for (int n = 0; n < count; ++n)
        list.m_items[n].file = QStringLiteral("%1/%2").arg(dir).arg(n);
    return list;
}

const QImage& BitmapList::decoded(int index) const {
    Entry& entry = m_items[index];
    if (entry.file.isEmpty()) return entry.image;
    const QString raw = entry.file + QStringLiteral(".raw");
    QImage image = QFile::exists(raw) ? loadRaw(raw) : QImage(entry.file + QStringLiteral(".png"));
    // Block copies with raster operations need opaque 32-bit pixels.
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    if (!image.isNull()) image.setDevicePixelRatio(m_pixelRatio);
    entry.image = std::move(image);
    entry.file.clear();
    return entry.image;
}

bool BitmapList::valid(int index) const {
    return index >= 0 && index < count() && !decoded(index).isNull();
}

const QImage& BitmapList::item(int index) const {
    static const QImage empty;
    return valid(index) ? m_items[index].image : empty;
}

void BitmapList::setSharpItems(BitmapList sharp) {
    sharp.m_pixelRatio = 2.0;
    for (Entry& entry : sharp.m_items)
        if (!entry.image.isNull()) entry.image.setDevicePixelRatio(2.0);
    m_sharp = std::make_shared<BitmapList>(std::move(sharp));
}

const QImage& BitmapList::itemAt(int index, qreal scale) const {
    if (scale > 1.0 && m_sharp && m_sharp->valid(index)) return m_sharp->item(index);
    return item(index);
}

QByteArray encodeRawImage(const QImage& image) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    if (pixels.isNull() || pixels.width() > 0xFFFF || pixels.height() > 0xFFFF) return {};
    QByteArray bytes(RawMagic, sizeof RawMagic);
    for (int value : {pixels.width(), pixels.height()}) {
        bytes.append(char(value & 0xFF));
        bytes.append(char(value >> 8));
    }
    for (int y = 0; y < pixels.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4);
    return bytes;
}

QImage decodeRawImage(const uchar* bytes, qint64 size, bool shared) {
    if (!bytes || size < RawHeader || std::memcmp(bytes, RawMagic, sizeof RawMagic) != 0) return {};
    const int width = read16(bytes + 4), height = read16(bytes + 6);
    if (width == 0 || height == 0 || size != RawHeader + qint64(width) * height * 4) return {};
    const uchar* pixels = bytes + RawHeader;
    // Qt reads 32-bit pixels in place only from aligned memory.
    const bool aligned = reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0;
    const QImage view(pixels, width, height, width * 4, QImage::Format_RGB32);
    return shared && aligned ? view : view.copy();
}
