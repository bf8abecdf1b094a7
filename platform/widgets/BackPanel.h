// Container whose client area is a bitmap list item tiled from the top-left, under a bevelled
// frame.
#pragma once

#include <QColor>
#include <QWidget>

class BitmapList;

// Frame from the edge inwards: raised bevel, flat border, sunken bevel (widths in pixels).
struct PanelBevel {
    int WidthOuter = 2;
    int BorderInnerWidth = 3;
    int WidthInner = 2;
    QColor BorderColor = Qt::black;
};

class BackPanel : public QWidget {
    Q_OBJECT

  public:
    explicit BackPanel(QWidget* parent = nullptr);

    void SetImageList(const BitmapList* list);
    const BitmapList* ImageList() const { return List; }
    void SetListIndex(int index);
    int ListIndex() const { return Index; }

    void SetBevel(const PanelBevel& bevel);
    const PanelBevel& Bevel() const { return Frame; }
    // Total width of the frame on each side.
    int FrameWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const BitmapList* List = nullptr;
    int Index = -1;
    PanelBevel Frame;
};
