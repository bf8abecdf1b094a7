// SPDX-License-Identifier: MIT
// One bitmap list item, its magenta pixels showing what lies behind.
#pragma once

#include <QWidget>

class BitmapList;

class ListImage : public QWidget {
    Q_OBJECT

  public:
    explicit ListImage(QWidget* parent = nullptr);

    void setImageList(const BitmapList* list);
    const BitmapList* imageList() const { return m_list; }
    void setListIndex(int index);
    int listIndex() const { return m_index; }
    // On (the default): pixels of the transparent colour, magenta, are not drawn.
    void setForceTransparent(bool transparent);
    bool forceTransparent() const { return m_transparent; }

    static constexpr QRgb TransparentColor = 0xffff00ff;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const BitmapList* m_list = nullptr;
    int m_index = -1;
    bool m_transparent = true;
};
