// SPDX-License-Identifier: MIT
// Transparent text label; in multi-line mode the text wraps within the width and "\r" breaks lines.
#pragma once

#include <QStringList>
#include <QWidget>

class TextLabel : public QWidget {
    Q_OBJECT

  public:
    explicit TextLabel(QWidget* parent = nullptr);

    void setText(const QString& caption);
    QString caption() const { return m_text; }
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return m_align; }
    void setMultiLine(bool multiLine);
    bool multiLine() const { return m_multi; }
    void setFontColor(const QColor& color);
    QColor fontColor() const;

    // The lines as they are drawn at the current width and font.
    QStringList wrappedLines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_text;
    Qt::Alignment m_align = Qt::AlignLeft | Qt::AlignTop;
    bool m_multi = false;
};
