// SPDX-License-Identifier: MIT
// The paint box: persistent surface across resizes, synchronous flush, mouse hooks, a painter
// drawing straight into the window.
#include "view/PaintBox.h"

#include <QBackingStore>
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

namespace {

// A painter that draws the box from a state of its own: one colour, and a dark pixel where the
// box's own corner lies; it records the areas it was asked for.
struct StatePainter {
    QRgb colour = 0xFF2080C0;
    std::vector<QRect> areas;
    void paint(QImage& target, const QRect& area) {
        areas.push_back(area);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                target.setPixel(x, y, x == 0 && y == 0 ? 0xFF000000 : colour);
    }
};

} // namespace

TEST(PaintBox, APainterDrawsStraightIntoTheWindowAndForGrabs) {
    QWidget window;
    window.resize(120, 90);
    PaintBox box(&window);
    box.setGeometry(10, 20, 60, 40); // not at the window's corner
    StatePainter state;
    box.setPainter([&](QImage& target, const QRect& area) { state.paint(target, area); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    box.flush();

    // What the window shows: the box where it lies, its own corner dark, nothing outside it.
    ASSERT_NE(dynamic_cast<QImage*>(window.backingStore()->paintDevice()), nullptr);
    const auto shown = [&](int x, int y) {
        // The window may take a new buffer between paints.
        const auto* buffer = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
        const qreal scale = buffer->devicePixelRatio();
        return buffer->pixel(int(x * scale), int(y * scale));
    };
    EXPECT_EQ(shown(10, 20), 0xFF000000u);
    EXPECT_EQ(shown(40, 40), state.colour);
    EXPECT_EQ(shown(69, 59), state.colour);
    EXPECT_NE(shown(70, 60), state.colour) << "drawn outside the box";
    EXPECT_NE(shown(9, 19), state.colour) << "drawn outside the box";

    // A change flushed in part: only that part is asked for, and it shows at once.
    state.colour = 0xFFC04020;
    state.areas.clear();
    box.flush(QRect(QPoint(0, 0), box.surfaceSize() / 2));
    ASSERT_FALSE(state.areas.empty());
    EXPECT_LE(state.areas.back().width(), box.surfaceSize().width() / 2 + 2);
    EXPECT_EQ(shown(12, 22), state.colour);

    // A grab paints into its own picture, not the window's: it shows the box whole.
    state.colour = 0xFF30A050;
    const QImage grabbed = box.grab().toImage();
    EXPECT_EQ(grabbed.pixel(grabbed.width() / 2, grabbed.height() / 2), state.colour);
    EXPECT_EQ(shown(40, 40), 0xFF2080C0u) << "a grab changed the window";
    // And for tests, the picture of the whole box.
    EXPECT_EQ(box.surface().size(), box.surfaceSize());
    EXPECT_EQ(box.surface().pixel(5, 5), state.colour);
}
