// A widget that shows a persistent image surface; drawing goes into the surface.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

// Everything is drawn into Surface() and reaches the screen through Flush, which
// repaints at once: each frame of the board animations must show as it is drawn, whatever
// the event loop does meanwhile. paintEvent only copies the surface.
class PaintBox : public QWidget {
    Q_OBJECT

  public:
    explicit PaintBox(QWidget* parent = nullptr);

    // The surface, always of the widget's current size (RGB32).
    QImage& surface();
    // Shows the rectangle of the surface on screen now, without the event loop.
    void flush(const QRect& rect);
    void flush() { flush(rect()); }

  signals:
    // After a resize, once the surface has the new size.
    void resized();
    void mousePressed(Qt::MouseButton button, int32_t x, int32_t y);
    void mouseMoved(Qt::MouseButtons buttons, int32_t x, int32_t y);
    void mouseReleased(Qt::MouseButton button, int32_t x, int32_t y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // A hidden widget gets its resize event only when shown; the surface follows at once.
    void matchSize();

    QImage m_image;
};
