// The balloon of the balloon hint: a rounded rectangle with a nose pointing at the hinted spot.
#pragma once

#include <QPainterPath>
#include <QWidget>

enum HintPosition { AboveLeft, AboveRight, BelowLeft, BelowRight };

class HintBalloonWindow : public QWidget {
    Q_OBJECT

  public:
    HintBalloonWindow();

    // Lays the balloon out for text and moves it so that the nose tip touches spot (global),
    // on the preferred side where the screen leaves room, else on the opposite one.
    void ShowAt(const QPoint& spot, const QString& text, HintPosition preferred);

    QString Text() const { return HintText; }
    HintPosition Position() const { return Placed; }
    // The nose tip in the window's own coordinates.
    QPoint NoseTip() const { return Tip; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString HintText;
    HintPosition Placed = HintPosition::AboveRight;
    QRect TextRect;
    QPainterPath Outline;
    QPoint Tip;
};
