// SPDX-License-Identifier: MIT
// Container whose client area is a bitmap list item tiled from the top-left, under a bevelled
// frame.
#pragma once

#include <QColor>
#include <QWidget>

class BitmapList;

// Frame from the edge inwards: raised bevel, flat border, sunken bevel (widths in pixels).
struct PanelBevel {
    int widthOuter = 2;
    int borderInnerWidth = 3;
    int widthInner = 2;
    QColor borderColor = Qt::black;
};

class BackPanel : public QWidget {
    Q_OBJECT

  public:
    explicit BackPanel(QWidget* parent = nullptr);

    void setImageList(const BitmapList* list);
    const BitmapList* imageList() const { return m_list; }
    void setListIndex(int index);
    int listIndex() const { return m_index; }

    void setBevel(const PanelBevel& bevel);
    const PanelBevel& bevel() const { return m_frame; }
    // Total width of the frame on each side.
    int frameWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const BitmapList* m_list = nullptr;
    int m_index = -1;
    PanelBevel m_frame;
};
