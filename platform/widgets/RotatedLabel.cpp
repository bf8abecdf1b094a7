// SPDX-License-Identifier: MIT
// Transparent label whose text is turned by an angle and drawn with a raised or sunken 3D effect.
#include "platform/widgets/RotatedLabel.h"

#include <QPainter>

#include <algorithm>

RotatedLabel::RotatedLabel(QWidget* parent) : QWidget(parent) {}

void RotatedLabel::setText(const QString& caption) {
    m_text = caption;
    update();
}

void RotatedLabel::setAngle(int degrees) {
    m_degrees = ((degrees % 360) + 360) % 360;
    update();
}

void RotatedLabel::setAlignment(Qt::Alignment alignment) {
    m_align = alignment;
    update();
}

void RotatedLabel::setFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QColor RotatedLabel::fontColor() const {
    return palette().color(QPalette::WindowText);
}

void RotatedLabel::setStyle3D(Label3DStyle style) {
    m_style = style;
    update();
}

void RotatedLabel::setBevelDepth(int depth) {
    m_depth3D = std::max(0, depth);
    update();
}

void RotatedLabel::setLightColor(const QColor& color) {
    m_light = color;
    update();
}

void RotatedLabel::setShadowColor(const QColor& color) {
    m_shadow = color;
    update();
}

void RotatedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The text box in turned coordinates, and the turn that maps it onto the widget.
    QRectF box;
    QTransform turn;
    switch (m_degrees) {
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
        const QSizeF size = fontMetrics().size(0, m_text);
        box = QRectF(-size.width() / 2, -size.height() / 2, size.width(), size.height());
        turn.translate(width() / 2.0, height() / 2.0).rotate(-m_degrees);
        break;
    }
    }

    // The offsets stay on the screen's axes, so light falls from the top-left at every angle.
    auto drawAt = [&](qreal dx, qreal dy, const QColor& color) {
        QTransform shifted = turn * QTransform::fromTranslate(dx, dy);
        painter.setTransform(shifted);
        painter.setPen(color);
        painter.drawText(box, static_cast<int>(m_align) | Qt::TextSingleLine, m_text);
    };
    if (m_style != Label3DStyle::Flat) {
        const QColor topLeft = m_style == Label3DStyle::Raised ? m_light : m_shadow;
        const QColor bottomRight = m_style == Label3DStyle::Raised ? m_shadow : m_light;
        for (int i = m_depth3D; i >= 1; --i)
            drawAt(i, i, bottomRight);
        drawAt(-1, -1, topLeft);
    }
    drawAt(0, 0, fontColor());
}
