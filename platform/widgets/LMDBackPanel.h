// Container whose client area is a bitmap list item tiled from the top-left, under a bevelled
// frame.
#pragma once

#include <QColor>
#include <QWidget>

class TBitmapList;

// Frame from the edge inwards: raised bevel, flat border, sunken bevel (widths in pixels).
struct TLMDBevel {
    int WidthOuter = 2;
    int BorderInnerWidth = 3;
    int WidthInner = 2;
    QColor BorderColor = Qt::black;
};

class TLMDBackPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TLMDBackPanel(QWidget* parent = nullptr);

    void SetImageList(const TBitmapList* list);
    const TBitmapList* ImageList() const { return List; }
    void SetListIndex(int index);
    int ListIndex() const { return Index; }

    void SetBevel(const TLMDBevel& bevel);
    const TLMDBevel& Bevel() const { return Frame; }
    // Total width of the frame on each side.
    int FrameWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const TBitmapList* List = nullptr;
    int Index = -1;
    TLMDBevel Frame;
};
