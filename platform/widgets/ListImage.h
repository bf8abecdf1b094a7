// One bitmap list item, its magenta pixels showing what lies behind.
#pragma once

#include <QWidget>

class BitmapList;

class ListImage : public QWidget {
    Q_OBJECT

  public:
    explicit ListImage(QWidget* parent = nullptr);

    void SetImageList(const BitmapList* list);
    const BitmapList* ImageList() const { return List; }
    void SetListIndex(int index);
    int ListIndex() const { return Index; }
    // On (the default): pixels of the transparent colour, magenta, are not drawn.
    void SetForceTransparent(bool transparent);
    bool ForceTransparent() const { return Transparent; }

    static constexpr QRgb TransparentColor = 0xffff00ff;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const BitmapList* List = nullptr;
    int Index = -1;
    bool Transparent = true;
};
