// SPDX-License-Identifier: MIT
// The paint box: persistent surface across resizes, synchronous flush, mouse hooks.
#include "view/PaintBox.h"

#include <QEvent>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the paint events that reach a widget.
class PaintSpy : public QObject {
  public:
    std::vector<QRect> rects;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            rects.push_back(static_cast<QPaintEvent*>(event)->rect());
        return false;
    }
};

} // namespace

TEST(PaintBox, SurfaceFollowsTheSizeAndKeepsWhatFits) {
    PaintBox box;
    box.resize(40, 30);
    ASSERT_EQ(box.surface().size(), QSize(40, 30));
    EXPECT_EQ(box.surface().format(), QImage::Format_RGB32);
    box.surface().setPixel(5, 6, 0xFF123456);
    box.surface().setPixel(39, 29, 0xFF654321);
    int resized = 0;
    QObject::connect(&box, &PaintBox::resized, [&] {
        ++resized;
        EXPECT_EQ(box.surface().size(), box.size());
    });
    box.show();
    box.resize(20, 50);
    QCoreApplication::processEvents();
    EXPECT_GE(resized, 1);
    ASSERT_EQ(box.surface().size(), QSize(20, 50));
    EXPECT_EQ(box.surface().pixel(5, 6), 0xFF123456u);
}

TEST(PaintBox, FlushRepaintsAtOnceWithoutTheEventLoop) {
    PaintBox box;
    box.resize(50, 40);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QCoreApplication::processEvents();
    PaintSpy spy;
    box.installEventFilter(&spy);
    box.surface().fill(0xFF00FF00);
    box.flush(QRect(10, 5, 8, 8));
    ASSERT_EQ(spy.rects.size(), 1u);
    EXPECT_EQ(spy.rects[0], QRect(10, 5, 8, 8));
    // Outside the widget nothing is asked for.
    box.flush(QRect(60, 60, 5, 5));
    EXPECT_EQ(spy.rects.size(), 1u);
    // What the widget shows is the surface.
    const QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixel(12, 7) & 0xFFFFFF, 0x00FF00u);
}

TEST(PaintBox, MouseEventsReachTheHooks) {
    PaintBox box;
    box.resize(60, 60);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    std::vector<std::string> calls;
    QObject::connect(&box, &PaintBox::mousePressed, [&](Qt::MouseButton b, int32_t x, int32_t y) {
        calls.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                        std::to_string(y));
    });
    QObject::connect(&box, &PaintBox::mouseMoved, [&](Qt::MouseButtons b, int32_t x, int32_t y) {
        calls.push_back("move " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                        std::to_string(y));
    });
    QObject::connect(&box, &PaintBox::mouseReleased, [&](Qt::MouseButton b, int32_t x, int32_t y) {
        calls.push_back("up " + std::to_string(int(b)) + " " + std::to_string(x) + "," +
                        std::to_string(y));
    });
    QTest::mousePress(&box, Qt::RightButton, Qt::NoModifier, QPoint(7, 9));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 21), box.mapToGlobal(QPointF(20, 21)),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &move);
    QTest::mouseRelease(&box, Qt::RightButton, Qt::NoModifier, QPoint(20, 21));
    const std::vector<std::string> expected{"down 2 7,9", "move 2 20,21", "up 2 20,21"};
    EXPECT_EQ(calls, expected);
}
