// SPDX-License-Identifier: MIT
// The balloon of the balloon hint: a rounded rectangle with a nose pointing at the hinted spot.
#include "platform/widgets/HintBalloonWindow.h"

#include "platform/X11Window.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int MaxTextWidth = 300;
constexpr int PadX = 8;
constexpr int PadY = 5;
constexpr int Radius = 7;
constexpr int NoseHeight = 12;
constexpr int NoseTipX = 10;  // from the balloon's near edge, less where the screen ends
constexpr int NoseBase0 = 16; // the nose's base on the body edge
constexpr int NoseBase1 = 30;

bool isAbove(HintPosition p) {
    return p == HintPosition::AboveLeft || p == HintPosition::AboveRight;
}
bool isRight(HintPosition p) {
    return p == HintPosition::AboveRight || p == HintPosition::BelowRight;
}

HintPosition make(bool above, bool right) {
    if (above) return right ? HintPosition::AboveRight : HintPosition::AboveLeft;
    return right ? HintPosition::BelowRight : HintPosition::BelowLeft;
}

// Outline of a balloon body w x h with the nose below its left part; the other positions are
// mirror images of it. Half-pixel coordinates put the 1-pixel border on whole pixels.
QPainterPath aboveRightOutline(int w, int h, int tipX) {
    const qreal x0 = 0.5, y0 = 0.5, x1 = w - 0.5, y1 = h - 0.5, d = 2 * Radius;
    QPainterPath path;
    path.moveTo(x0 + Radius, y0);
    path.lineTo(x1 - Radius, y0);
    path.arcTo(x1 - d, y0, d, d, 90, -90);
    path.lineTo(x1, y1 - Radius);
    path.arcTo(x1 - d, y1 - d, d, d, 0, -90);
    path.lineTo(NoseBase1 + 0.5, y1);
    path.lineTo(tipX + 0.5, y1 + NoseHeight);
    path.lineTo(NoseBase0 + 0.5, y1);
    path.lineTo(x0 + Radius, y1);
    path.arcTo(x0, y1 - d, d, d, 270, -90);
    path.lineTo(x0, y0 + Radius);
    path.arcTo(x0, y0, d, d, 180, -90);
    path.closeSubpath();
    return path;
}

} // namespace

HintBalloonWindow::HintBalloonWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput) {
    // The nose touches the cursor: the pointer must pass through, or the hinted widget would
    // see a leave and a press there would be lost.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Translucent where the window system composes; the mask cuts the shape everywhere else.
    setAttribute(Qt::WA_TranslucentBackground);
    QFont hintFont(QStringLiteral("Arial"));
    hintFont.setPixelSize(13);
    setFont(hintFont);
    setPalette(QToolTip::palette());
}

void HintBalloonWindow::showAt(const QPoint& pointedAt, const QString& text, HintPosition preferred,
                               const QRect& avoid) {
    QPoint spot = pointedAt;
    m_hintText = text;
    const QRect textBounds = fontMetrics().boundingRect(QRect(0, 0, MaxTextWidth, 10000),
                                                        Qt::TextWordWrap | Qt::AlignLeft, text);
    const int bodyW = std::max(textBounds.width() + 2 * PadX, NoseBase1 + Radius + 2);
    const int bodyH = textBounds.height() + 2 * PadY;
    const QSize size(bodyW, bodyH + NoseHeight);

    // Flip to the other side where the preferred one would leave the screen.
    const QScreen* screen = QGuiApplication::screenAt(spot);
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(spot, size);
    bool above = isAbove(preferred), right = isRight(preferred);
    if (avoid.isValid()) {
        const QPoint overIt(spot.x(), avoid.top() - 1);
        const QPoint underIt(spot.x(), avoid.bottom() + 1);
        if (above && overIt.y() - size.height() < avail.top()) above = false;
        if (!above && underIt.y() + size.height() > avail.bottom() + 1) above = true;
        spot = above ? overIt : underIt;
    }
    if (above && spot.y() - size.height() < avail.top()) above = false;
    if (!above && spot.y() + size.height() > avail.bottom() + 1) above = true;
    if (right && spot.x() - NoseTipX + size.width() > avail.right() + 1) right = false;
    if (!right && spot.x() + NoseTipX - size.width() < avail.left()) right = true;
    m_placed = make(above, right);

    // Near a screen edge the nose leans outwards, so the balloon keeps its place on the screen.
    int tipX = NoseTipX;
    if (right) tipX = std::clamp(spot.x() - avail.left(), 0, NoseTipX);
    if (!right) tipX = std::clamp(avail.right() - spot.x(), 0, NoseTipX);

    QTransform mirror;
    if (!right) mirror.translate(size.width(), 0).scale(-1, 1);
    if (!above) mirror.translate(0, size.height()).scale(1, -1);
    m_outline = mirror.map(aboveRightOutline(bodyW, bodyH, tipX));
    m_tip = mirror.map(QPoint(tipX, bodyH + NoseHeight - 1));
    if (!right) m_tip.rx() -= 1;
    if (!above) m_tip.ry() -= 1;
    m_textRect =
        QRect(PadX, (above ? 0 : NoseHeight) + PadY, bodyW - 2 * PadX, textBounds.height());

    resize(size);
    // Without a compositing manager X11 shows no translucency: cut the shape out there.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QBitmap mask(size);
        mask.fill(Qt::color0);
        QPainter painter(&mask);
        painter.setPen(QPen(Qt::color1, 1));
        painter.setBrush(Qt::color1);
        painter.drawPath(m_outline);
        painter.end();
        setMask(mask);
    }
    move(spot - m_tip);
    show();
    // The nose sits under the cursor: the X server must hand presses and the pointer to the
    // window below, which Qt's transparency flags alone do not achieve there. Only once shown:
    // the window system's window may be made anew on the way.
    passPointerThrough(this);
    update();
}

void HintBalloonWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawPath(m_outline);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawText(m_textRect, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter, m_hintText);
}
