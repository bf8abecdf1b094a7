// SPDX-License-Identifier: MIT
// Check box without caption, drawn transparent so that it sits on a dark textured ground.
#pragma once

#include <QCheckBox>

class TransparentCheckBox : public QCheckBox {
    Q_OBJECT

  public:
    explicit TransparentCheckBox(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {17, 17}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
