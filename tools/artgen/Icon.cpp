// SPDX-License-Identifier: MIT
// The game's icon: the title plate's solved 4 x 4 puzzle on a speckled granite plate inside a
// rounded black frame. One shape list feeds both the scalable SVG and the pixel sizes, so they
// cannot drift apart.
#include "ArtGen.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Everything is laid out on a 256 x 256 canvas.
constexpr double Canvas = 256;
constexpr double Corner = 36;
constexpr double FrameWidth = 6;
// Below this size the speckles would only blur the cells.
constexpr int SpeckleMinSize = 48;

const char* const Cells[4] = {"1011", "1111", "0110", "1001"};
const QColor Filled(0xFF, 0xD9, 0x1F);
const QColor Empty(0x28, 0x28, 0x28);
const QColor Ground(0x6A, 0x6A, 0x6A);

// A granite fleck: a small triangle of some grey.
struct Speckle {
    QPolygonF corners;
    QColor colour;
};

std::vector<Speckle> speckles() {
    std::vector<Speckle> list;
    for (uint32_t n = 0; n < 900; ++n) {
        // Mostly greys near the ground's, a few dark and light grains.
        const double spread = hash01(n, 2, 31) - hash01(n, 3, 31);
        const int grey = std::clamp(106 + int(spread * 150), 20, 230);
        const double x = hash01(n, 0, 31) * Canvas, y = hash01(n, 1, 31) * Canvas;
        const double size = 2 + hash01(n, 4, 31) * 5;
        const double turn = hash01(n, 5, 31) * 6.2832;
        QPolygonF corners;
        for (int k = 0; k < 3; ++k) {
            const double a = turn + k * 2.0944 + (hash01(n, 6 + k, 31) - 0.5);
            corners << QPointF(x + size * std::cos(a), y + size * std::sin(a));
        }
        list.push_back({corners, QColor(grey, grey, grey)});
    }
    return list;
}

QRectF cellRect(int row, int col) {
    return QRectF(28 + col * 52, 28 + row * 52, 44, 44);
}

QString hex(const QColor& c) {
    return c.name(QColor::HexRgb).toUpper();
}

} // namespace

QString iconSvg() {
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 256 256\">\n"
                          "  <title>Morvek</title>\n"
                          "  <defs>\n"
                          "    <clipPath id=\"plate\">\n"
                          "      <rect width=\"256\" height=\"256\" rx=\"36\"/>\n"
                          "    </clipPath>\n"
                          "  </defs>\n");
    svg += QStringLiteral("  <rect width=\"256\" height=\"256\" rx=\"36\" fill=\"%1\"/>\n")
               .arg(hex(Ground));
    svg += QStringLiteral("  <g clip-path=\"url(#plate)\">\n");
    for (const Speckle& s : speckles()) {
        QStringList points;
        for (const QPointF& c : s.corners)
            points << QStringLiteral("%1,%2").arg(c.x(), 0, 'f', 1).arg(c.y(), 0, 'f', 1);
        svg += QStringLiteral("    <polygon points=\"%1\" fill=\"%2\"/>\n")
                   .arg(points.join(QLatin1Char(' ')), hex(s.colour));
    }
    svg += QStringLiteral("  </g>\n");
    svg += QStringLiteral("  <rect x=\"3\" y=\"3\" width=\"250\" height=\"250\" rx=\"33\" "
                          "fill=\"none\" stroke=\"#000000\" stroke-width=\"6\"/>\n");
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRectF r = cellRect(row, col);
            svg += QStringLiteral(
                       "  <rect x=\"%1\" y=\"%2\" width=\"44\" height=\"44\" fill=\"%3\"/>\n")
                       .arg(r.x())
                       .arg(r.y())
                       .arg(hex(Cells[row][col] == '1' ? Filled : Empty));
        }
    svg += QStringLiteral("</svg>\n");
    return svg;
}

QImage iconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Canvas, size / Canvas);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(0, 0, Canvas, Canvas), Corner, Corner);
    p.fillPath(plate, Ground);
    if (size >= SpeckleMinSize) {
        p.setClipPath(plate);
        p.setPen(Qt::NoPen);
        for (const Speckle& s : speckles()) {
            p.setBrush(s.colour);
            p.drawPolygon(s.corners);
        }
        p.setClipping(false);
    }
    // At the smallest sizes a frame of 6 / 256 would vanish: at least one pixel.
    const double width = std::max(FrameWidth, Canvas / size);
    p.setPen(QPen(Qt::black, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(width / 2, width / 2, Canvas - width, Canvas - width),
                      Corner - width / 2, Corner - width / 2);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            p.fillRect(cellRect(row, col), Cells[row][col] == '1' ? Filled : Empty);
    return img;
}

bool writeIcons(const QString& dir) {
    if (!QDir().mkpath(dir)) return false;
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        ok = iconImage(size).save(QStringLiteral("%1/morvek-%2.png").arg(dir).arg(size), "PNG") &&
             ok;
    QFile svg(dir + QStringLiteral("/morvek.svg"));
    ok = svg.open(QIODevice::WriteOnly) && svg.write(iconSvg().toUtf8()) >= 0 && ok;
    return ok;
}
