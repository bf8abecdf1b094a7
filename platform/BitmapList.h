// SPDX-License-Identifier: MIT
// A list of bitmaps addressed by position from 0, as the windows and painters use them.
#pragma once

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class BitmapList {
  public:
    BitmapList() = default;
    explicit BitmapList(std::vector<QImage> items);

    // The list of <dir>/<n> for n = 0 .. count-1 (a Qt resource folder such as ":/bmps"): the
    // raw pixels of <n>.raw when there are any, else <n>.png. Nothing is decoded here: an item
    // is decoded when it is first asked for, so pictures of dialogs never opened cost nothing.
    // A missing file leaves an empty item in its place.
    static BitmapList load(const QString& dir, int count);

    int count() const { return static_cast<int>(m_items.size()); }
    // A valid item exists and is not empty.
    bool valid(int index) const;
    // The item, or an empty image for an invalid index.
    const QImage& item(int index) const;

    // The same pictures drawn with two pixels per point, for scaled screens; items it lacks
    // fall back to the plain ones.
    void setSharpItems(BitmapList sharp);
    // The item to draw on a screen of `scale` pixels per point: above 1 the sharp picture
    // (its device pixel ratio 2, so it covers the same points) where there is one.
    const QImage& itemAt(int index, qreal scale) const;

  private:
    struct Entry {
        QString file; // decoded on first use; empty once decoded
        QImage image;
    };
    const QImage& decoded(int index) const;

    mutable std::vector<Entry> m_items; // decoding fills in the images: user-interface thread only
    std::shared_ptr<BitmapList> m_sharp;
    qreal m_pixelRatio = 1.0;
};

// The raw picture format: "MRAW", width and height as little-endian 16-bit numbers, then the
// pixels as 32-bit 0xffRRGGBB words in the machine's byte order, row by row, without padding.
// It costs no decoding at all: an uncompressed resource is used in place.
QByteArray encodeRawImage(const QImage& image);
// The picture of raw data, or a null image for data that is not one. `bytes` must outlive the
// image when `shared` is true.
QImage decodeRawImage(const uchar* bytes, qint64 size, bool shared);
