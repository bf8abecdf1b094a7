// A list of bitmaps addressed by position from 0, as the windows and painters use them.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

class BitmapList {
  public:
    BitmapList() = default;
    explicit BitmapList(std::vector<QImage> items) : Items(std::move(items)) {}

    // Loads <dir>/<n>.png for n = 0 .. count-1 (a Qt resource folder such as ":/bmps").
    // A missing file leaves an empty item in its place.
    static BitmapList Load(const QString& dir, int count);

    int Count() const { return static_cast<int>(Items.size()); }
    // A valid item exists and is not empty.
    bool Valid(int index) const;
    // The item, or an empty image for an invalid index.
    const QImage& Item(int index) const;

  private:
    std::vector<QImage> Items;
};
