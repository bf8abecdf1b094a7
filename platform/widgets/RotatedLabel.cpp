// Transparent label whose text is turned by an angle and drawn with a raised or sunken 3D effect.
#include "RotatedLabel.h"

#include <QPainter>

#include <algorithm>

RotatedLabel::RotatedLabel(QWidget* parent) : QWidget(parent) {}

void RotatedLabel::SetCaption(const QString& caption) {
    Text = caption;
    update();
}

void RotatedLabel::SetAngle(int degrees) {
    Degrees = ((degrees % 360) + 360) % 360;
    update();
}

void RotatedLabel::SetAlignment(Qt::Alignment alignment) {
    Align = alignment;
    update();
}

void RotatedLabel::SetFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QColor RotatedLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void RotatedLabel::SetStyle3D(Label3DStyle style) {
    Style = style;
    update();
}

void RotatedLabel::SetBevelDepth(int depth) {
    Depth3D = std::max(0, depth);
    update();
}

void RotatedLabel::SetLightColor(const QColor& color) {
    Light = color;
    update();
}

void RotatedLabel::SetShadowColor(const QColor& color) {
    Shadow = color;
    update();
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The text box in turned coordinates, and the turn that maps it onto the widget.
    QRectF box;
    QTransform turn;
    switch (Degrees) {
    case 0:
        box = QRectF(0, 0, width(), height());
        break;
    case 90:
        box = QRectF(0, 0, height(), width());
        turn.translate(0, height()).rotate(-90);
        break;
    case 180:
        box = QRectF(0, 0, width(), height());
        turn.translate(width(), height()).rotate(180);
        break;
    case 270:
        box = QRectF(0, 0, height(), width());
        turn.translate(width(), 0).rotate(90);
        break;
    default: {
        // Any other angle turns a box of the text's own size about the widget's centre.
        const QSizeF size = fontMetrics().size(0, Text);
        box = QRectF(-size.width() / 2, -size.height() / 2, size.width(), size.height());
        turn.translate(width() / 2.0, height() / 2.0).rotate(-Degrees);
        break;
    }
    }

    // The offsets stay on the screen's axes, so light falls from the top-left at every angle.
    auto drawAt = [&](qreal dx, qreal dy, const QColor& color) {
        QTransform shifted = turn * QTransform::fromTranslate(dx, dy);
        painter.setTransform(shifted);
        painter.setPen(color);
        painter.drawText(box, static_cast<int>(Align) | Qt::TextSingleLine, Text);
    };
    if (Style != Label3DStyle::Flat) {
        const QColor topLeft = Style == Label3DStyle::Raised ? Light : Shadow;
        const QColor bottomRight = Style == Label3DStyle::Raised ? Shadow : Light;
        for (int i = Depth3D; i >= 1; --i)
            drawAt(i, i, bottomRight);
        drawAt(-1, -1, topLeft);
    }
    drawAt(0, 0, FontColor());
}
