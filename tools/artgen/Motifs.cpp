// SPDX-License-Identifier: MIT
// Motifs drawn as vector paths where no emoji shows the thing alone: the treble clef and the fist
// lifting a dumbbell.
#include "ArtGen.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// One piece of a pen line whose width changes along it: a cubic curve and its widths at both
// ends.
struct Stroke {
    QPointF from, c1, c2, to;
    double widthFrom, widthTo;
};

// A calligraphic line: round dabs along each curve, their width eased from end to end.
QPainterPath calligraphy(const std::vector<Stroke>& strokes) {
    QPainterPath shape;
    shape.setFillRule(Qt::WindingFill);
    for (const Stroke& s : strokes) {
        QPainterPath curve(s.from);
        curve.cubicTo(s.c1, s.c2, s.to);
        const int steps = std::max(8, int(curve.length() * 6));
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            const double ease = 0.5 - 0.5 * std::cos(3.14159265358979 * t);
            const double r = 0.5 * (s.widthFrom + (s.widthTo - s.widthFrom) * ease);
            shape.addEllipse(curve.pointAtPercent(t), r, r);
        }
    }
    return shape.simplified();
}

// The treble clef in 50 x 50 face units, about 42 high: a tail with its ball, the stem, the
// upper loop right of the stem, and the big loop that curls in round the G line.
QPainterPath clefShape() {
    const std::vector<Stroke> strokes = {
        // Ball at the foot, hooking into the stem.
        {{19.5, 42.5}, {19.0, 47.0}, {25.5, 47.5}, {25.8, 41.0}, 1.4, 1.9},
        // The stem, leaning a little back as it rises.
        {{25.8, 41.0}, {25.4, 30.0}, {23.6, 17.0}, {23.4, 8.0}, 1.9, 1.6},
        // Over the top and down the right side of the upper loop.
        {{23.4, 8.0}, {23.4, 3.0}, {28.2, 1.8}, {29.0, 5.5}, 1.6, 1.5},
        {{29.0, 5.5}, {30.0, 10.0}, {27.5, 13.5}, {23.5, 17.5}, 1.5, 2.8},
        // Down across the stem into the left side of the big loop, which is the heaviest.
        {{23.5, 17.5}, {17.5, 22.5}, {13.8, 27.0}, {14.8, 32.5}, 2.8, 3.8},
        {{14.8, 32.5}, {16.0, 38.8}, {24.0, 40.5}, {29.2, 36.4}, 3.8, 2.2},
        {{29.2, 36.4}, {33.6, 32.6}, {31.0, 24.8}, {25.4, 25.0}, 2.2, 3.0},
        // The curl ends inside, on the G line.
        {{25.4, 25.0}, {20.6, 25.4}, {19.6, 31.0}, {23.0, 32.6}, 3.0, 1.4},
    };
    QPainterPath clef = calligraphy(strokes);
    clef.addEllipse(QPointF(20.6, 42.4), 2.9, 2.9);
    return clef.simplified();
}

// A dumbbell lying across, centred on (0, 0): a grip bar and two weights at each end.
void dumbbell(QPainter& p) {
    const QColor iron(45, 48, 56), edge(12, 12, 16);
    p.setPen(QPen(edge, 0.8));
    QLinearGradient bar(0, -1.6, 0, 1.6);
    bar.setColorAt(0, QColor(230, 232, 238));
    bar.setColorAt(1, QColor(120, 124, 135));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(-20, -1.8, 40, 3.6), 1.2, 1.2);
    for (const double side : {-1.0, 1.0}) {
        // The inner plate is the larger one.
        const struct { double x, w, h; } plates[] = {{12.8, 4.2, 21.0}, {17.0, 3.4, 14.0}};
        for (const auto& plate : plates) {
            const double left = side > 0 ? plate.x : -plate.x - plate.w;
            QLinearGradient g(left, 0, left + plate.w, 0);
            g.setColorAt(0, iron.lighter(190));
            g.setColorAt(0.45, iron.lighter(130));
            g.setColorAt(1, iron);
            p.setBrush(g);
            p.drawRoundedRect(QRectF(left, -plate.h / 2, plate.w, plate.h), 1.3, 1.3);
        }
    }
}

// Short dashes under the dumbbell: it is on its way up.
void lift(QPainter& p) {
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (const double x : {-16.0, 16.0}) {
        p.drawLine(QPointF(x, 13.5), QPointF(x, 18.0));
        p.drawLine(QPointF(x - 3.0, 14.5), QPointF(x - 3.0, 17.0));
        p.drawLine(QPointF(x + 3.0, 14.5), QPointF(x + 3.0, 17.0));
    }
}

} // namespace

QImage trebleClef(QColor ink, bool rim) {
    const QPainterPath clef = clefShape();
    return render(50, 50, [&](QPainter& p) {
        // A light rim keeps the dark sign clear of a coloured ground.
        if (rim) {
            p.setPen(
                QPen(QColor(255, 245, 225, 150), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(clef);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(clef);
    });
}

QImage fistLiftingWeight(double raise, double angle, bool moving) {
    const QImage fist = emoji(QStringLiteral("✊"));
    return render(50, 50, [&](QPainter& p) {
        // The bar runs through the closed fingers: drawn first, the fist closes over it and the
        // weights stand out at both sides.
        p.translate(25, 25 - raise);
        p.rotate(angle);
        if (moving) lift(p);
        dumbbell(p);
        drawCentred(p, fist, 0, 3.5, 24);
    });
}
