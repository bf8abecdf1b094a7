// SPDX-License-Identifier: MIT
// Drawing helpers for button faces: emoji motifs, the framed face and its colour variants.
#include "ArtGen.h"

#include "view/CounterGlyph.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Faces are drawn four times larger and scaled down, which gives clean soft edges.
constexpr int Over = 4;
constexpr int Side = 50;
constexpr double Radius = 9;

QPainterPath frameShape(double inset) {
    QPainterPath path;
    path.addRoundedRect(QRectF(inset, inset, Side - 2 * inset, Side - 2 * inset), Radius - inset,
                        Radius - inset);
    return path;
}

void fillGround(QPainter& p, GroundKind ground) {
    QColor light, dark;
    switch (ground) {
    case GroundKind::Blue:
        light = QColor(120, 175, 255), dark = QColor(18, 55, 175);
        break;
    case GroundKind::Orange:
        light = QColor(255, 215, 120), dark = QColor(225, 105, 10);
        break;
    case GroundKind::Cream:
        light = QColor(255, 250, 235), dark = QColor(205, 190, 155);
        break;
    case GroundKind::Grey:
        light = QColor(238, 238, 238), dark = QColor(178, 178, 178);
        break;
    }
    QRadialGradient g(QPointF(17, 13), 48);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.fillPath(frameShape(1), g);
}

// The glossy highlight over the upper half.
void gloss(QPainter& p) {
    QLinearGradient g(0, 2, 0, 24);
    g.setColorAt(0, QColor(255, 255, 255, 110));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath shine;
    shine.addRoundedRect(QRectF(4, 3, 42, 20), 7, 7);
    p.fillPath(shine.intersected(frameShape(2)), g);
}

} // namespace

QImage emoji(const QString& text) {
    QImage big(300, 300, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        QFont font(QStringLiteral("Noto Color Emoji"));
        font.setPixelSize(109);
        p.setFont(font);
        p.drawText(big.rect(), Qt::AlignCenter, text);
    }
    // Crop to the drawn pixels, so motifs can be fitted by their real extent.
    int x0 = big.width(), y0 = big.height(), x1 = -1, y1 = -1;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if (qAlpha(big.pixel(x, y)) > 8) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    if (x1 < 0) return big;
    return big.copy(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

void drawCentred(QPainter& p, const QImage& img, double cx, double cy, double size, double angle) {
    const double scale = size / std::max(img.width(), img.height());
    p.save();
    p.translate(cx, cy);
    p.rotate(angle);
    p.scale(scale, scale);
    p.drawImage(QPointF(-img.width() / 2.0, -img.height() / 2.0), img);
    p.restore();
}

QImage render(int w, int h, const std::function<void(QPainter&)>& draw) {
    QImage img(w * 4, h * 4, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.scale(4, 4);
        draw(p);
    }
    return img.scaled(w * 2, h * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage greyed(const QImage& img) {
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            const int g = qGray(c);
            // Lighter than the colours, as a disabled control looks, but its darks stay dark
            // enough to read.
            const int v = 64 + g * 174 / 255;
            out.setPixel(x, y, qRgba(v, v, v, qAlpha(c)));
        }
    return out;
}

std::function<void(QPainter&)> greyedMotif(const QImage& img, double size) {
    const QImage grey = greyed(img);
    // The outline: the motif's shape in dark grey, laid round it a little larger.
    QImage shape = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            shape.setPixel(x, y, qRgba(48, 48, 48, qAlpha(shape.pixel(x, y))));
    return [=](QPainter& p) {
        constexpr double Reach = 0.9;
        for (int k = 0; k < 8; ++k) {
            const double a = k * 3.14159265358979 / 4;
            drawCentred(p, shape, 25 + Reach * std::cos(a), 25 + Reach * std::sin(a), size);
        }
        drawCentred(p, grey, 25, 25, size);
    };
}

QImage tinted(const QImage& img, double brightness, double saturation) {
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = out.pixel(x, y);
            const double g = qGray(c);
            auto ch = [&](int v) {
                return std::clamp(int(std::lround((g + (v - g) * saturation) * brightness)), 0,
                                  255);
            };
            out.setPixel(x, y, qRgba(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)), qAlpha(c)));
        }
    return out;
}

QImage face(GroundKind ground, const std::function<void(QPainter&)>& motif, int scale) {
    const int pixels = Side * scale;
    QImage big(pixels * Over, pixels * Over, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::white);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.scale(Over * scale, Over * scale);
        fillGround(p, ground);
        p.save();
        p.setClipPath(frameShape(1.5));
        motif(p);
        p.restore();
        gloss(p);
        p.setPen(QPen(Qt::black, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(frameShape(0.8));
    }
    QImage face = big.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    // Outside the frame everything is pure white (the transparent colour of image buttons);
    // inside, pure white would turn transparent too, so it is nudged off white.
    const QPainterPath inner = frameShape(0.2);
    for (int y = 0; y < pixels; ++y)
        for (int x = 0; x < pixels; ++x) {
            QRgb c = face.pixel(x, y);
            if (!inner.contains(QPointF((x + 0.5) / scale, (y + 0.5) / scale))) {
                // Keep the frame's soft outer edge, but no off-white haze in the corners.
                if (qGray(c) > 200) c = qRgb(255, 255, 255);
            } else if (c == qRgb(255, 255, 255)) {
                c = qRgb(254, 254, 254);
            }
            if (ground == GroundKind::Grey) {
                const int g = c == qRgb(255, 255, 255) ? 255 : std::min(qGray(c), 254);
                c = qRgb(g, g, g);
            }
            face.setPixel(x, y, c);
        }
    return face;
}

QImage whiteSquare(int scale) {
    QImage img(Side * scale, Side * scale, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QImage digitStrip() {
    // Glyph coverage is drawn white on black, then coloured; the mask follows the coloured row
    // exactly, so AND mask then OR glyph leaves the background untouched around each glyph.
    constexpr int Cell = 20, GlyphW = 19, GlyphH = 27;
    QImage cover(12 * Cell * Over, GlyphH * Over, QImage::Format_RGB32);
    cover.fill(Qt::black);
    {
        QPainter p(&cover);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(Over, Over);
        for (int g = 0; g < 12; ++g)
            drawCounterGlyph(p, g, g * Cell, 0, Qt::white);
    }
    const QImage small =
        cover.scaled(12 * Cell, GlyphH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage strip(12 * Cell, 2 * GlyphH, QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int y = 0; y < GlyphH; ++y)
        for (int x = 0; x < 12 * Cell; ++x) {
            const int a = x % Cell < GlyphW ? qRed(small.pixel(x, y)) : 0;
            const QRgb glyph = qRgb(255 * a / 255, 217 * a / 255, 31 * a / 255);
            strip.setPixel(x, y, glyph);
            strip.setPixel(x, y + GlyphH,
                           glyph == qRgb(0, 0, 0) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    return strip;
}
