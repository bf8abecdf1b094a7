// SPDX-License-Identifier: MIT
// The four picture lists of the game, item by item.
#include "ArtGen.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A motif drawn from one emoji, fitted to `size`, optionally rotated and moved.
std::function<void(QPainter&)> emojiMotif(const QString& text, double size = 36, double angle = 0,
                                          double dx = 0, double dy = 0) {
    const QImage img = emoji(text);
    return [=](QPainter& p) { drawCentred(p, img, 25 + dx, 25 + dy, size, angle); };
}

std::function<void(QPainter&)> imageMotif(const QImage& img, double size = 36, double angle = 0,
                                          double dx = 0, double dy = 0) {
    return [=](QPainter& p) { drawCentred(p, img, 25 + dx, 25 + dy, size, angle); };
}

// Normal, mouse-over and greyed faces of one motif.
void addSet(std::vector<QImage>& list, GroundKind ground, const QImage& motif, double size,
            const std::function<void(QPainter&)>& over, int scale = 1) {
    list.push_back(face(ground, imageMotif(motif, size), scale));
    list.push_back(face(ground, over, scale));
    list.push_back(face(GroundKind::Grey, greyedMotif(motif, size), scale));
}

// Two arrows chasing each other round a circle.
void circularArrows(QPainter& p, double angle, QColor fill) {
    p.save();
    p.translate(25, 25);
    p.rotate(angle);
    for (int half = 0; half < 2; ++half) {
        p.save();
        p.rotate(180 * half);
        QPainterPath arc;
        const QRectF ring(-13, -13, 26, 26);
        arc.arcMoveTo(ring, 200);
        arc.arcTo(ring, 200, -130);
        // Arrow head at the arc's end, pointing along the turn.
        const double a = (200 - 130) * Pi / 180;
        const QPointF tip(13 * std::cos(a), -13 * std::sin(a));
        const QPointF along(std::sin(a), std::cos(a));
        const QPointF out(std::cos(a), -std::sin(a));
        QPainterPath head;
        head.moveTo(tip + along * 7);
        head.lineTo(tip + out * 6.5 - along * 1);
        head.lineTo(tip - out * 6.5 - along * 1);
        head.closeSubpath();
        p.setPen(QPen(QColor(10, 20, 60), 7.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arc);
        p.setPen(QPen(QColor(10, 20, 60), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(10, 20, 60));
        p.drawPath(head);
        p.setPen(QPen(fill, 4.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(arc);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(head);
        p.restore();
    }
    p.restore();
}

QImage arrowsImage(double angle, QColor fill) {
    return render(50, 50, [&](QPainter& p) { circularArrows(p, angle, fill); });
}

// A bold outlined letter or sign in a gradient.
QImage letter(const QString& text, QColor top, QColor bottom, QColor outline, bool serif) {
    return render(50, 50, [&](QPainter& p) {
        QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(44);
        QPainterPath path;
        path.addText(0, 0, font, text);
        const QRectF b = path.boundingRect();
        path.translate(25 - b.center().x(), 25 - b.center().y());
        QLinearGradient g(0, 25 - b.height() / 2, 0, 25 + b.height() / 2);
        g.setColorAt(0, top);
        g.setColorAt(1, bottom);
        p.setPen(QPen(outline, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.fillPath(path, g);
    });
}

QImage checkImage() {
    return render(50, 50, [](QPainter& p) {
        QPainterPath tick;
        tick.moveTo(12, 26);
        tick.lineTo(21, 35);
        tick.lineTo(38, 14);
        p.setPen(QPen(QColor(10, 70, 10), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        QLinearGradient g(0, 12, 0, 38);
        g.setColorAt(0, QColor(120, 230, 90));
        g.setColorAt(1, QColor(20, 150, 30));
        p.setPen(QPen(QBrush(g), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    });
}

QImage crossImage() {
    return render(50, 50, [](QPainter& p) {
        QPainterPath cross;
        cross.moveTo(14, 14);
        cross.lineTo(36, 36);
        cross.moveTo(36, 14);
        cross.lineTo(14, 36);
        p.setPen(QPen(QColor(90, 0, 0), 10, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cross);
        QLinearGradient g(0, 12, 0, 38);
        g.setColorAt(0, QColor(255, 110, 90));
        g.setColorAt(1, QColor(200, 10, 10));
        p.setPen(QPen(QBrush(g), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(cross);
    });
}

// Wavy lines, as sound leaving a speaker or an instrument.
void squiggles(QPainter& p, QPointF at, double angle, QColor colour) {
    p.save();
    p.translate(at);
    p.rotate(angle);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const double r = 5 + 4.5 * i;
        wave.arcMoveTo(QRectF(-r, -r, 2 * r, 2 * r), -40);
        wave.arcTo(QRectF(-r, -r, 2 * r, 2 * r), -40, 80);
        p.setPen(QPen(QColor(40, 20, 0), 3.6, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wave);
        p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(wave);
    }
    p.restore();
}

QImage openDoor(const QImage& door) {
    return render(50, 50, [&](QPainter& p) {
        const double h = 38, w = h * door.width() / door.height();
        const QRectF frame(25 - w / 2, 25 - h / 2, w, h);
        // The dark doorway with light falling in, then the door swung open on its left hinge.
        QLinearGradient g(frame.topLeft(), frame.bottomRight());
        g.setColorAt(0, QColor(255, 240, 170));
        g.setColorAt(1, QColor(250, 180, 60));
        p.fillRect(frame.adjusted(1, 1, -1, 0), QColor(30, 20, 15));
        p.fillRect(frame.adjusted(4, 3, -3, 0), g);
        QPolygonF from, to;
        from << QPointF(0, 0) << QPointF(door.width(), 0) << QPointF(door.width(), door.height())
             << QPointF(0, door.height());
        const double l = frame.left() - 2, r = frame.left() + w * 0.45;
        to << QPointF(l, frame.top() - 1) << QPointF(r, frame.top() + 4)
           << QPointF(r, frame.bottom() - 2) << QPointF(l, frame.bottom() + 1);
        QTransform t;
        if (QTransform::quadToQuad(from, to, t)) {
            p.setTransform(t, true);
            p.drawImage(0, 0, door);
        }
    });
}

QImage swirled(const QImage& src, double strength) {
    QImage out(src.size(), QImage::Format_ARGB32);
    const double cx = src.width() / 2.0, cy = src.height() / 2.0, rmax = src.width() / 2.0;
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double r = std::hypot(dx, dy);
            const double a = std::atan2(dy, dx) + strength * std::max(0.0, 1 - r / rmax);
            const int sx = std::clamp(int(cx + r * std::cos(a)), 0, src.width() - 1);
            const int sy = std::clamp(int(cy + r * std::sin(a)), 0, src.height() - 1);
            out.setPixel(x, y, src.pixel(sx, sy));
        }
    return out;
}

// Four background textures side by side, as the background choice offers them.
QImage collage(const QImage& strip) {
    const int t = strip.width() / 2;
    QImage img(200, 200, QImage::Format_ARGB32);
    QPainter p(&img);
    const int rows[4] = {0, 2, 4, 6};
    const int cols[4] = {1, 5, 3, 1};
    for (int i = 0; i < 4; ++i) {
        const QRect to((i % 2) * 100, (i / 2) * 100, 100, 100);
        p.drawImage(to, strip, QRect(0, rows[i] * t, t, t));
        (void)cols;
    }
    p.fillRect(98, 0, 4, 200, QColor(20, 20, 20));
    p.fillRect(0, 98, 200, 4, QColor(20, 20, 20));
    return img;
}

// Three curls of steam rising from a hot cup.
void steam(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        QPainterPath curl;
        const double x = 17 + 7 * i;
        curl.moveTo(x, 17);
        curl.cubicTo(x - 4, 13, x + 4, 10, x, 5);
        p.setPen(QPen(QColor(255, 255, 255, 200), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(curl);
    }
}

std::function<void(QPainter&)> fill(const QImage& img) {
    return [=](QPainter& p) { p.drawImage(QRectF(0, 0, 50, 50), img); };
}

} // namespace

std::vector<QImage> mainBitmaps(int scale) {
    std::vector<QImage> list;
    list.push_back(backgroundStrip(100 * scale));
    // 1-3 circular arrows.
    const QImage arrows = arrowsImage(0, QColor(255, 255, 255));
    list.push_back(face(GroundKind::Blue, imageMotif(arrows, 46), scale));
    list.push_back(
        face(GroundKind::Blue, imageMotif(arrowsImage(45, QColor(255, 230, 90)), 46), scale));
    list.push_back(face(GroundKind::Grey, greyedMotif(arrows, 46), scale));
    // 4-6 rocket.
    const QImage rocket = emoji(QStringLiteral("🚀"));
    const QImage sparkle = emoji(QStringLiteral("✨"));
    addSet(
        list, GroundKind::Blue, rocket, 34,
        [=](QPainter& p) {
            drawCentred(p, rocket, 27, 22, 38, -12);
            drawCentred(p, sparkle, 12, 37, 12);
        },
        scale);
    // 7-9 trophy.
    const QImage trophy = emoji(QStringLiteral("🏆"));
    addSet(
        list, GroundKind::Blue, trophy, 34,
        [=](QPainter& p) {
            drawCentred(p, trophy, 25, 26, 36, 12);
            drawCentred(p, sparkle, 38, 12, 12);
            drawCentred(p, sparkle, 11, 14, 9);
        },
        scale);
    list.push_back(scale == 1 ? digitStrip() : QImage());
    // 11-13 coffee cup on its saucer.
    const QImage coffee = emoji(QStringLiteral("☕"));
    addSet(
        list, GroundKind::Blue, coffee, 36,
        [=](QPainter& p) {
            drawCentred(p, coffee, 25, 29, 32, -10);
            steam(p);
        },
        scale);
    // 14-16 fist lifting a weight.
    addSet(list, GroundKind::Blue, fistLiftingWeight(0, 0, false), 50,
           imageMotif(fistLiftingWeight(3.5, -8, true), 50), scale);
    return list;
}

std::vector<QImage> buttonBitmaps(int scale) {
    std::vector<QImage> list{whiteSquare(scale)};
    const QImage door = emoji(QStringLiteral("🚪"));
    list.push_back(face(GroundKind::Orange, imageMotif(door, 36), scale));
    list.push_back(face(GroundKind::Orange, imageMotif(openDoor(door), 50), scale));
    const QImage info = letter(QStringLiteral("i"), QColor(140, 240, 90), QColor(20, 140, 30),
                               QColor(0, 60, 0), true);
    list.push_back(face(GroundKind::Orange, imageMotif(info, 38), scale));
    list.push_back(face(GroundKind::Orange, imageMotif(info, 38, 25), scale));
    const QImage question = emoji(QStringLiteral("❓"));
    list.push_back(face(GroundKind::Orange, imageMotif(question, 34), scale));
    list.push_back(face(GroundKind::Orange, imageMotif(question, 34, 180), scale));
    const QImage tools = emoji(QStringLiteral("🛠️"));
    list.push_back(face(GroundKind::Orange, imageMotif(tools, 34), scale));
    list.push_back(face(GroundKind::Orange, imageMotif(tools, 34, 90), scale));
    return list;
}

std::vector<QImage> optionBitmaps() {
    std::vector<QImage> list{whiteSquare()};
    // 1, 2 lips; lips with the tongue out.
    const QImage lips = emoji(QStringLiteral("👄"));
    const QImage tongue = emoji(QStringLiteral("👅"));
    list.push_back(face(GroundKind::Orange, imageMotif(lips, 36)));
    list.push_back(face(GroundKind::Orange, [=](QPainter& p) {
        drawCentred(p, lips, 25, 20, 34);
        drawCentred(p, tongue, 25, 32, 22, 10);
    }));
    // 3-5 treble clef; with sound squiggles; greyed.
    const QImage clef = trebleClef(QColor(40, 22, 70), true);
    list.push_back(face(GroundKind::Orange, imageMotif(clef, 50)));
    list.push_back(face(GroundKind::Orange, [=](QPainter& p) {
        drawCentred(p, clef, 20, 25, 47, -6);
        squiggles(p, QPointF(31, 24), 0, QColor(255, 250, 120));
        drawCentred(p, emoji(QStringLiteral("🎵")), 39, 10, 11, 10);
    }));
    list.push_back(face(GroundKind::Grey, greyedMotif(trebleClef(QColor(40, 22, 70), false), 50)));
    // 6-8 loudspeaker: dark cone, light cone, with sound waves.
    const QImage speaker = emoji(QStringLiteral("🔈"));
    list.push_back(face(GroundKind::Orange, imageMotif(tinted(speaker, 0.6, 1.0), 34, 0, -4)));
    list.push_back(face(GroundKind::Orange, imageMotif(tinted(speaker, 1.25, 0.8), 34, 0, -4)));
    list.push_back(face(GroundKind::Orange, [=](QPainter& p) {
        drawCentred(p, tinted(speaker, 1.1, 1.0), 19, 25, 30);
        squiggles(p, QPointF(24, 25), 0, QColor(255, 255, 200));
    }));
    // 9-11 fist lifting a weight, on orange.
    addSet(list, GroundKind::Orange, fistLiftingWeight(0, 0, false), 50,
           imageMotif(fistLiftingWeight(3.5, -8, true), 50));
    // 12, 13 collage of textures; the collage swirled.
    const QImage textures = collage(backgroundStrip(100));
    list.push_back(face(GroundKind::Orange, fill(textures)));
    list.push_back(face(GroundKind::Orange, fill(swirled(textures, 4.0))));
    // 14, 15 balance scale; the scale tipping, with a glint on the beam.
    const QImage scale = emoji(QStringLiteral("⚖️"));
    list.push_back(face(GroundKind::Orange, imageMotif(scale, 36)));
    list.push_back(face(GroundKind::Orange, [=](QPainter& p) {
        drawCentred(p, tinted(scale, 1.15, 1.0), 25, 26, 38, -12);
        drawCentred(p, emoji(QStringLiteral("✨")), 39, 10, 12);
    }));
    return list;
}

namespace {

// Flags in a fan: each entry is an emoji flag, its centre and its turn.
struct FlagArt {
    QString text;
    double x, y, angle;
};
std::function<void(QPainter&)> flags(const std::vector<FlagArt>& flags, double size) {
    std::vector<QImage> imgs;
    for (const FlagArt& f : flags)
        imgs.push_back(emoji(f.text));
    return [=](QPainter& p) {
        for (size_t i = 0; i < flags.size(); ++i)
            drawCentred(p, imgs[i], flags[i].x, flags[i].y, size, flags[i].angle);
    };
}

// The cartoon of the options and language dialogs: an owl solving a picture puzzle.
QImage cartoon() {
    const QImage art = render(100, 75, [](QPainter& p) {
        // Puzzle sheet with a few cells solved.
        p.save();
        p.translate(48, 8);
        p.rotate(6);
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(QColor(250, 246, 230));
        p.drawRoundedRect(QRectF(0, 0, 46, 46), 3, 3);
        static const char* cells[5] = {"01110", "11011", "11111", "01010", "01110"};
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c) {
                const QRectF cell(5 + c * 7.4, 5 + r * 7.4, 6.6, 6.6);
                p.setPen(QPen(QColor(150, 150, 150), 0.5));
                p.setBrush(cells[r][c] == '1' && r < 4 ? QColor(40, 90, 220)
                                                       : QColor(255, 255, 255));
                p.drawRect(cell);
            }
        p.restore();
        drawCentred(p, emoji(QStringLiteral("🦉")), 27, 42, 52, -6);
        drawCentred(p, emoji(QStringLiteral("✏️")), 82, 60, 24, 0);
    });
    // Half covered pixels are settled on the dark dialog ground; the rest becomes magenta.
    const QImage small = art.scaled(100, 75, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_ARGB32);
    QImage out(100, 75, QImage::Format_RGB32);
    for (int y = 0; y < 75; ++y)
        for (int x = 0; x < 100; ++x) {
            const QRgb c = small.pixel(x, y);
            const int a = qAlpha(c);
            if (a < 110) {
                out.setPixel(x, y, qRgb(255, 0, 255));
                continue;
            }
            auto ch = [&](int v) { return (v * a + 50 * (255 - a)) / 255; };
            out.setPixel(x, y, qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c))));
        }
    return out;
}

// A small plate with the game's name over a solved puzzle.
QImage banner() {
    QImage img(100, 57, QImage::Format_RGB32);
    img.fill(Qt::black);
    putFloat(img, graniteTile(100, 57, 60, 900), 0, 0);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    static const char* cells[4] = {"1011", "1111", "0110", "1001"};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            p.fillRect(QRectF(7 + c * 8, 13 + r * 8, 7, 7),
                       cells[r][c] == '1' ? QColor(255, 217, 31) : QColor(40, 40, 40));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(13);
    p.setFont(font);
    p.setPen(QColor(254, 201, 18));
    p.drawText(QRectF(41, 0, 57, 57), Qt::AlignCenter, QStringLiteral("Morvek"));
    return img;
}

QImage floatToImage(const FloatImage& f) {
    QImage img(f.w, f.h, QImage::Format_RGB32);
    putFloat(img, f, 0, 0);
    return img;
}

} // namespace

std::vector<QImage> dialogBitmaps() {
    std::vector<QImage> list{whiteSquare()};
    list.push_back(floatToImage(graniteTile(160, 120, 88, 700)));
    list.push_back(floatToImage(graniteTile(160, 120, 48, 800)));
    list.push_back(cartoon());
    list.push_back(banner());
    const QImage check = checkImage(), cross = crossImage();
    list.push_back(face(GroundKind::Cream, imageMotif(check, 40)));
    list.push_back(face(GroundKind::Cream, imageMotif(check, 44, -8)));
    list.push_back(face(GroundKind::Cream, imageMotif(cross, 36)));
    list.push_back(face(GroundKind::Cream, imageMotif(cross, 40, 12)));
    // 9-20: not used by the game; friendly spare faces keep every position filled.
    const char* spares[] = {"⭐", "🎲", "🧩", "💡", "🔔", "🎯", "🌙", "☀️", "🍀", "🎈", "🔍", "⏳"};
    for (const char* s : spares)
        list.push_back(face(GroundKind::Cream, emojiMotif(QString::fromUtf8(s), 32)));
    // 21, 22 German-speaking countries; 23, 24 English-speaking ones.
    const QString at = QStringLiteral("🇦🇹"), de = QStringLiteral("🇩🇪"), ch = QStringLiteral("🇨🇭");
    list.push_back(
        face(GroundKind::Cream, flags({{at, 15, 16, -8}, {de, 34, 17, 6}, {ch, 25, 34, 0}}, 20)));
    list.push_back(
        face(GroundKind::Cream, flags({{ch, 15, 16, -8}, {at, 34, 17, 6}, {de, 25, 34, 0}}, 21)));
    const QString us = QStringLiteral("🇺🇸"), uk = QStringLiteral("🇬🇧");
    list.push_back(face(GroundKind::Cream, flags({{us, 19, 18, -6}, {uk, 31, 33, 4}}, 26)));
    list.push_back(face(GroundKind::Cream, flags({{uk, 19, 18, -6}, {us, 31, 33, 4}}, 28)));
    const char* more[] = {"🎨", "🧭", "📌"};
    for (const char* s : more)
        list.push_back(face(GroundKind::Cream, emojiMotif(QString::fromUtf8(s), 32)));
    return list;
}
