// SPDX-License-Identifier: MIT
// The balloon of the balloon hint: a rounded rectangle with a nose pointing at the hinted spot.
#pragma once

#include <QPainterPath>
#include <QRect>
#include <QWidget>

enum class HintPosition { AboveLeft, AboveRight, BelowLeft, BelowRight };

class HintBalloonWindow : public QWidget {
    Q_OBJECT

  public:
    HintBalloonWindow();

    // Lays the balloon out for text and moves it so that the nose tip touches spot (global),
    // on the preferred side where the screen leaves room, else on the opposite one.
    // With `avoid`, the nose points at the edge of that rectangle (above or below it) instead of
    // at the spot, so that the balloon covers neither the rectangle nor the pointer in it.
    void showAt(const QPoint& spot, const QString& text, HintPosition preferred,
                const QRect& avoid = QRect());

    QString text() const { return m_hintText; }
    HintPosition position() const { return m_placed; }
    // The nose tip in the window's own coordinates.
    QPoint noseTip() const { return m_tip; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_hintText;
    HintPosition m_placed = HintPosition::AboveRight;
    QRect m_textRect;
    QPainterPath m_outline;
    QPoint m_tip;
};
