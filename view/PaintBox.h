// SPDX-License-Identifier: MIT
// A widget that shows a picture in the screen's pixels: one it keeps, or one its owner draws.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>

// Either everything is drawn into surface(), which the box keeps, or the owner sets a painter
// that can draw any part of the picture from its state: then the box keeps no picture at all
// and the painter draws straight into the window's own buffer as the box paints (a window-sized
// picture less: some 8 MB at 1920x1080). Either way the picture reaches the screen through
// flush, which repaints at once: each frame of the board animations must show as it is drawn,
// whatever the event loop does meanwhile.
//
// The surface has the screen's pixels, not the widget's logical ones: on a screen scaled by 2
// it is twice as wide and high, so lines and text drawn into it are as sharp as Qt's own.
// Every coordinate the box hands out or takes (sizes, mouse positions, flushed rectangles)
// is in surface pixels; at scale 1 they are the widget's.
class PaintBox : public QWidget {
    Q_OBJECT

  public:
    explicit PaintBox(QWidget* parent = nullptr);

    // Draws the part `area` (screen pixels) of the picture into `target`, an image whose
    // pixel (0, 0) is the box's; what lies outside the area may be drawn too.
    using Painter = std::function<void(QImage& target, const QRect& area)>;
    // From now on the painter draws the box; an empty one gives the box its surface back.
    void setPainter(Painter painter);

    // The surface, always of the widget's current size in screen pixels (RGB32). With a painter,
    // a picture of the whole box drawn by it at this call (for tests).
    QImage& surface();
    QSize surfaceSize() const;
    // Screen pixels per logical pixel (1, 1.25, 1.5, 2, ...).
    qreal scale() const { return m_scale; }
    // The width of a one-pixel line at this scale, in whole screen pixels: 1 up to 1.25, 2 at
    // 1.5 and 2, 3 at 3. Lines drawn this wide have one width wherever they lie.
    int32_t lineUnit() const;
    // Shows the rectangle of the surface on screen now, without the event loop.
    void flush(const QRect& rect);
    void flush() { flush(QRect(QPoint(0, 0), surfaceSize())); }

  signals:
    // After a resize or a change of scale, once the surface has the new size.
    void resized();
    void mousePressed(Qt::MouseButton button, int32_t x, int32_t y);
    void mouseMoved(Qt::MouseButtons buttons, int32_t x, int32_t y);
    void mouseReleased(Qt::MouseButton button, int32_t x, int32_t y);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // A hidden widget gets its resize event only when shown; the surface follows at once.
    // True when the surface changed size.
    bool matchSize();
    QPoint toSurface(const QPointF& logical) const;
    QRect toSurface(const QRect& logical) const;
    QRect toLogical(const QRect& surface) const;
    // The window's buffer where it holds this box, while the box paints; null where the buffer
    // is not a plain 32-bit image the box lies wholly inside.
    QImage windowBufferView();
    // Copies the surface's part under `logical` (the widget's pixels) to the screen.
    void showSurface(const QRect& logical);

    QImage m_image;
    Painter m_painter;
    qreal m_scale = 1.0;
};
