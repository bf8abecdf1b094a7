// Transparent label whose text is turned by an angle and drawn with a raised or sunken 3D effect.
#pragma once

#include <QColor>
#include <QWidget>

enum Label3DStyle { Flat, Raised, Lowered };

class RotatedLabel : public QWidget {
    Q_OBJECT

  public:
    explicit RotatedLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return Text; }
    // Counter-clockwise in degrees: 90 reads upward, starting at the bottom edge.
    void SetAngle(int degrees);
    int Angle() const { return Degrees; }
    // Alignment within the turned text box (for 90 degrees, left means the bottom end).
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return Align; }
    void SetFontColor(const QColor& color);
    QColor FontColor() const;

    // The 3D effect; the defaults are black light and shadow, 2 pixels deep, raised.
    void SetStyle3D(Label3DStyle style);
    Label3DStyle Style3D() const { return Style; }
    void SetBevelDepth(int depth);
    int BevelDepth() const { return Depth3D; }
    void SetLightColor(const QColor& color);
    QColor LightColor() const { return Light; }
    void SetShadowColor(const QColor& color);
    QColor ShadowColor() const { return Shadow; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString Text;
    int Degrees = 0;
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignVCenter;
    Label3DStyle Style = Label3DStyle::Raised;
    int Depth3D = 2;
    QColor Light = Qt::black;
    QColor Shadow = Qt::black;
};
