// SPDX-License-Identifier: MIT
// Renders a dialog-like scene of the widget set into a PNG, to look at the widgets together.
#include "logic/Version.h"
#include "platform/BitmapList.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/HintBalloon.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ListImage.h"
#include "platform/widgets/RotatedLabel.h"
#include "platform/widgets/TextLabel.h"
#include "platform/widgets/TransparentCheckBox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <cstdlib>

namespace {

QImage granite(int w, int h, int base, quint32 seed) {
    QRandomGenerator random(seed);
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int v = base + random.bounded(-18, 19);
            const int speck = random.bounded(100);
            if (speck < 4) v += 45;
            if (speck > 96) v -= 30;
            v = std::clamp(v, 0, 255);
            img.setPixel(x, y, qRgb(v, v, std::min(255, v + 8)));
        }
    return img;
}

// A face in the house style: white corners, rounded black frame, coloured body, white glyph.
QImage face(QColor body, const QString& glyph) {
    QImage img(50, 50, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, 50);
    fill.setColorAt(0, body.lighter(140));
    fill.setColorAt(1, body.darker(130));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 48, 48), 8, 8);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 50, 50), Qt::AlignCenter, glyph);
    return img;
}

QImage logo() {
    QImage img(105, 77, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 255));
    QPainter p(&img);
    p.setBrush(QColor(230, 180, 40));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRect(20, 6, 64, 64));
    p.setFont(QFont(QStringLiteral("Arial"), 22, QFont::Bold));
    p.drawText(QRect(20, 6, 64, 64), Qt::AlignCenter, QStringLiteral("M"));
    return img;
}

QFont arialPx(int px, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

TextLabel* text(QWidget* parent, QRect at, const QString& text, int px, bool bold) {
    auto* label = new TextLabel(parent);
    label->setGeometry(at);
    label->setFont(arialPx(px, bold));
    label->setFontColor(Qt::white);
    label->setText(text);
    return label;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "widgets_demo.png";

    std::vector<QImage> items(9);
    items[1] = granite(64, 64, 92, 1);
    items[2] = granite(48, 48, 52, 2);
    items[3] = logo();
    items[5] = face(QColor(40, 140, 60), QStringLiteral("\u2713"));
    items[6] = face(QColor(80, 200, 90), QStringLiteral("\u2713"));
    items[7] = face(QColor(170, 40, 40), QStringLiteral("\u2717"));
    items[8] = face(QColor(230, 80, 70), QStringLiteral("\u2717"));
    const BitmapList dlgs(items);

    HintBalloon hint;
    BackPanel back;
    back.resize(497, 330);
    back.setImageList(&dlgs);
    back.setListIndex(1);

    auto* logo = new ListImage(&back);
    logo->setGeometry(0, 12, 105, 77);
    logo->setImageList(&dlgs);
    logo->setListIndex(3);

    auto* prog = new RotatedLabel(&back);
    prog->setGeometry(12, 100, 53, 215);
    prog->setFont(arialPx(37, true));
    prog->setFontColor(Qt::white);
    prog->setAngle(90);
    prog->setText(QStringLiteral("Morvek"));
    auto* version = new RotatedLabel(&back);
    version->setGeometry(62, 100, 21, 215);
    version->setFont(arialPx(16, true));
    version->setFontColor(Qt::white);
    version->setAngle(90);
    version->setText(QStringLiteral("Version  V") + QLatin1String(MorvekVersion));

    auto* inner = new BackPanel(&back);
    inner->setGeometry(116, 12, 369, 180);
    inner->setImageList(&dlgs);
    inner->setListIndex(2);
    text(inner, {19, 12, 254, 29}, QStringLiteral("Options:"), 21, true);
    const QString rows[] = {QStringLiteral("Sound is on."), QStringLiteral("Music is off."),
                            QStringLiteral("remove all entries")};
    for (int i = 0; i < 2; ++i) {
        auto* b = new ImageButton(inner);
        b->move(16, 47 + 56 * i);
        b->setButtonFaceImageList(&dlgs);
        b->setFaceTable(ImageButton::faceTable(5, 6, 5, 0));
        b->setHint(QStringLiteral("Sound on or off"));
        text(inner, {79, 64 + 56 * i, 280, 18}, rows[i], 16, false);
        if (i == 1) b->setEnabled(false);
    }
    auto* box = new TransparentCheckBox(inner);
    box->move(250, 20);
    box->setChecked(true);
    auto* box2 = new TransparentCheckBox(inner);
    box2->move(275, 20);

    auto* msg = new BackPanel(&back);
    msg->setGeometry(116, 200, 298, 77);
    msg->setImageList(&dlgs);
    msg->setListIndex(2);
    auto* txt = text(msg, {5, 5, 288, 67}, QStringLiteral("Game paused.\rContinue?"), 16, true);
    txt->setAlignment(Qt::AlignCenter);
    txt->setMultiLine(true);

    auto* ok = new ImageButton(&back);
    ok->move(436, 270);
    ok->setButtonFaceImageList(&dlgs);
    ok->setFaceTable(ImageButton::faceTable(5, 6, 5, 0));
    ok->setHint(QStringLiteral("Back to game"));
    auto* no = new ImageButton(&back);
    no->move(430, 205);
    no->setButtonFaceImageList(&dlgs);
    no->setFaceTable(ImageButton::faceTable(7, 8, 7, 0));

    back.move(100, 200);
    back.show();
    QApplication::processEvents();
    QEnterEvent enter(QPointF(25, 25), QPointF(25, 25), ok->mapToGlobal(QPointF(25, 25)));
    ok->setCursorPosSource([ok] { return ok->mapToGlobal(QPoint(25, 25)); });
    QApplication::sendEvent(ok, &enter);
    QHelpEvent tip(QEvent::ToolTip, QPoint(30, 20), ok->mapToGlobal(QPoint(30, 20)));
    QApplication::sendEvent(ok, &tip);

    // The balloon is a window of its own: lay it over the picture where the screen shows it.
    QImage shot = back.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QImage canvas(shot.width() + 160, shot.height() + 80, QImage::Format_ARGB32);
    canvas.fill(QColor(30, 30, 30));
    QPainter p(&canvas);
    const QPoint origin(20, 60);
    p.drawImage(origin, shot);
    if (hint.hintVisible()) {
        const QWidget* balloon = hint.hintWindow();
        p.drawImage(origin + balloon->pos() - back.pos(),
                    const_cast<QWidget*>(balloon)->grab().toImage());
    }
    p.end();
    canvas.save(out);
    canvas.scaled(canvas.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .copy(2 * 440, 2 * 300, 2 * 200, 2 * 80)
        .save(QString(out).replace(".png", "_zoom.png"));
    return 0;
}
