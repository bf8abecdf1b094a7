// Transparent text label; in multi-line mode the text wraps within the width and "\r" breaks lines.
#pragma once

#include <QStringList>
#include <QWidget>

class TextLabel : public QWidget {
    Q_OBJECT

  public:
    explicit TextLabel(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const { return Text; }
    void SetAlignment(Qt::Alignment alignment);
    Qt::Alignment Alignment() const { return Align; }
    void SetMultiLine(bool multiLine);
    bool MultiLine() const { return Multi; }
    void SetFontColor(const QColor& color);
    QColor FontColor() const;

    // The lines as they are drawn at the current width and font.
    QStringList Lines() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString Text;
    Qt::Alignment Align = Qt::AlignLeft | Qt::AlignTop;
    bool Multi = false;
};
