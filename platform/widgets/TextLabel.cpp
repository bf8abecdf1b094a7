// SPDX-License-Identifier: MIT
// Transparent text label; in multi-line mode the text wraps within the width and "\r" breaks lines.
#include "platform/widgets/TextLabel.h"

#include <QPainter>
#include <QTextLayout>

namespace {

// Carriage return alone is the game's line break; a Windows "\r\n" counts once.
QStringList splitParagraphs(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

} // namespace

TextLabel::TextLabel(QWidget* parent) : QWidget(parent) {}

void TextLabel::setText(const QString& caption) {
    m_text = caption;
    update();
}

void TextLabel::setAlignment(Qt::Alignment alignment) {
    m_align = alignment;
    update();
}

void TextLabel::setMultiLine(bool multiLine) {
    m_multi = multiLine;
    update();
}

void TextLabel::setFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

QColor TextLabel::fontColor() const {
    return palette().color(QPalette::WindowText);
}

QStringList TextLabel::wrappedLines() const {
    const QStringList paragraphs = splitParagraphs(m_text);
    if (!m_multi) return {paragraphs.join(QLatin1Char(' '))};

    QStringList lines;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width());
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
    }
    return lines;
}

void TextLabel::paintEvent(QPaintEvent*) {
    const QStringList lines = wrappedLines();
    QPainter painter(this);
    painter.setPen(fontColor());
    const int lineHeight = fontMetrics().height();
    const int total = lineHeight * static_cast<int>(lines.size());
    int y = 0;
    if (m_align & Qt::AlignVCenter)
        y = (height() - total) / 2;
    else if (m_align & Qt::AlignBottom)
        y = height() - total;
    const Qt::Alignment horizontal = (m_align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    for (const QString& line : lines) {
        painter.drawText(QRect(0, y, width(), lineHeight), horizontal | Qt::TextSingleLine, line);
        y += lineHeight;
    }
}
