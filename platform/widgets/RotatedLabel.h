// SPDX-License-Identifier: MIT
// Transparent label whose text is turned by an angle and drawn with a raised or sunken 3D effect.
#pragma once

#include <QColor>
#include <QWidget>

enum class Label3DStyle { Flat, Raised, Lowered };

class RotatedLabel : public QWidget {
    Q_OBJECT

  public:
    explicit RotatedLabel(QWidget* parent = nullptr);

    void setText(const QString& caption);
    QString caption() const { return m_text; }
    // Counter-clockwise in degrees: 90 reads upward, starting at the bottom edge.
    void setAngle(int degrees);
    int angle() const { return m_degrees; }
    // Alignment within the turned text box (for 90 degrees, left means the bottom end).
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_align; }
    void setFontColor(const QColor& color);
    QColor fontColor() const;

    // The 3D effect; the defaults are black light and shadow, 2 pixels deep, raised.
    void setStyle3D(Label3DStyle style);
    Label3DStyle style3D() const { return m_style; }
    void setBevelDepth(int depth);
    int bevelDepth() const { return m_depth3D; }
    void setLightColor(const QColor& color);
    QColor lightColor() const { return m_light; }
    void setShadowColor(const QColor& color);
    QColor shadowColor() const { return m_shadow; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_text;
    int m_degrees = 0;
    Qt::Alignment m_align = Qt::AlignLeft | Qt::AlignVCenter;
    Label3DStyle m_style = Label3DStyle::Raised;
    int m_depth3D = 2;
    QColor m_light = Qt::black;
    QColor m_shadow = Qt::black;
};
