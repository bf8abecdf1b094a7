// A list of bitmaps addressed by position from 0.
#include "BitmapList.h"

#include <QFile>
#include <QResource>

#include <cstring>

namespace {

constexpr char RawMagic[4] = {'M', 'R', 'A', 'W'};
constexpr qint64 RawHeader = 8;

int Read16(const uchar* at) {
    return at[0] | (at[1] << 8);
}

QImage LoadRaw(const QString& path) {
    // An uncompressed resource lies in the program's read-only data: the picture is used there.
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
        return DecodeRawImage(resource.data(), resource.size(), true);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return DecodeRawImage(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), false);
}

} // namespace

BitmapList::BitmapList(std::vector<QImage> items) {
    Items.reserve(items.size());
    for (QImage& image : items)
        Items.push_back({QString(), std::move(image)});
}

BitmapList BitmapList::Load(const QString& dir, int count) {
    BitmapList list;
    list.Items.resize(count);
    for (int n = 0; n < count; ++n)
        list.Items[n].File = QStringLiteral("%1/%2").arg(dir).arg(n);
    return list;
}

const QImage& BitmapList::Decoded(int index) const {
    Entry& entry = Items[index];
    if (entry.File.isEmpty()) return entry.Image;
    const QString raw = entry.File + QStringLiteral(".raw");
    QImage image = QFile::exists(raw) ? LoadRaw(raw) : QImage(entry.File + QStringLiteral(".png"));
    // Block copies with raster operations need opaque 32-bit pixels.
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    entry.Image = std::move(image);
    entry.File.clear();
    return entry.Image;
}

bool BitmapList::Valid(int index) const {
    return index >= 0 && index < Count() && !Decoded(index).isNull();
}

const QImage& BitmapList::Item(int index) const {
    static const QImage empty;
    return Valid(index) ? Items[index].Image : empty;
}

QByteArray EncodeRawImage(const QImage& image) {
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

QImage DecodeRawImage(const uchar* bytes, qint64 size, bool shared) {
    if (!bytes || size < RawHeader || std::memcmp(bytes, RawMagic, sizeof RawMagic) != 0) return {};
    const int width = Read16(bytes + 4), height = Read16(bytes + 6);
    if (width == 0 || height == 0 || size != RawHeader + qint64(width) * height * 4) return {};
    const uchar* pixels = bytes + RawHeader;
    // Qt reads 32-bit pixels in place only from aligned memory.
    const bool aligned = reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0;
    const QImage view(pixels, width, height, width * 4, QImage::Format_RGB32);
    return shared && aligned ? view : view.copy();
}
