// SPDX-License-Identifier: MIT
// The placement record, its clamping onto the desktop, and a real window saved and restored.
#include "platform/WindowPlacement.h"
#include "QtPrint.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// Readable rectangles in failure messages (found by argument lookup, so not in the namespace).
void PrintTo(const PlacementRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {

TEST(PlacementRecord, ParsesOnlyWellFormedRecords) {
    struct Row {
        const char* record;
        std::optional<PlacementRect> rect;
    };
    const Row rows[] = {
        {"200,0,1,-50,10,700,500", PlacementRect{-50, 10, 700, 500}},
        {"200,2,3,1,2,3,4,", PlacementRect{1, 2, 3, 4}}, // a trailing comma adds no field
        {"200,,,1,2,3,4", PlacementRect{1, 2, 3, 4}},    // flags and show command are not used
        {"200,x,y,1,2,3,4", PlacementRect{1, 2, 3, 4}},
        {"200,0,1,$10, 2,-3,+4", PlacementRect{16, 2, -3, 4}},
        {"200,0,1,1,2,3", std::nullopt}, // six fields
        {"200,0,1,1,2,3,4,5", std::nullopt},
        {"200,0,1,1,2,3,4,,", std::nullopt}, // the second trailing comma makes an empty field
        {"201,0,1,1,2,3,4", std::nullopt},
        {" 200,0,1,1,2,3,4", std::nullopt}, // the marker must be exactly 200
        {"0200,0,1,1,2,3,4", std::nullopt},
        {"200,0,1,1.5,2,3,4", std::nullopt}, // coordinates that are not integers
        {"200,0,1,1,,3,4", std::nullopt},
        {"200,0,1,1,2,3,abc", std::nullopt},
        {"200,0,1,1,2,3,99999999999", std::nullopt},
        // Edges no window can have; their width would not even fit the arithmetic.
        {"200,0,1,-2147483648,0,2147483647,500", std::nullopt},
        {"200,0,1,0,-2147483648,800,2147483647", std::nullopt},
        {"200,0,1,2147483000,0,2147483647,500", std::nullopt},
        {"200,0,1,-16777215,-16777215,16777215,16777215",
         PlacementRect{-16777215, -16777215, 16777215, 16777215}},
        {"", std::nullopt},
        {",", std::nullopt},
        {",,,,,,", std::nullopt},
    };
    for (const Row& r : rows)
        EXPECT_EQ(parsePlacement(r.record), r.rect) << r.record;
}

// Only a frame a window manager may really draw is used: a frame estimated before the window
// manager framed the window can be anything.
TEST(PlacementRecord, OnlyPlausibleFramesCount) {
    const QSize outer(750, 480);
    const struct {
        QMargins frame;
        bool plausible;
    } rows[] = {
        {{0, 0, 0, 0}, true},     {{1, 23, 1, 1}, true},      {{4, 41, 4, 4}, true},
        {{10, 60, 10, 10}, true}, {{-1, 23, 1, 1}, false},    {{4, -41, 4, 4}, false},
        {{0, 0, 0, 201}, false},  {{400, 20, 400, 4}, false}, {{4, 300, 4, 190}, false},
        {{4, 201, 4, 4}, false},  {{749, 0, 0, 0}, false},    {{150, 0, 150, 0}, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(isPlausibleFrame(row.frame, outer), row.plausible)
            << row.frame.left() << "," << row.frame.top() << "," << row.frame.right() << ","
            << row.frame.bottom();
}

TEST(PlacementRecord, FormatsSevenPlainIntegers) {
    EXPECT_EQ(formatPlacement(0, swShowMaximized, {-50, 10, 700, 500}), "200,0,3,-50,10,700,500");
    EXPECT_EQ(parsePlacement(formatPlacement(0, 1, {-8, -9, 1000, 800})),
              (PlacementRect{-8, -9, 1000, 800}));
}

TEST(PlacementRecord, MovesTheWindowOntoTheDesktop) {
    const QRect single(0, 0, 1920, 1080);
    // Monitors left of the primary one: the right limit stays the desktop's width.
    const QRect twoScreens(-1920, 0, 3840, 1080);
    struct Row {
        const char* name;
        QRect desktop;
        PlacementRect in;
        PlacementRect out;
    };
    const Row rows[] = {
        {"inside stays", single, {100, 100, 900, 700}, {100, 100, 900, 700}},
        {"off the left", single, {-50, 10, 700, 500}, {0, 10, 750, 500}},
        {"off the right", single, {1500, 10, 2100, 500}, {1320, 10, 1920, 500}},
        {"off the bottom", single, {10, 900, 810, 1300}, {10, 680, 810, 1080}},
        {"off the top", single, {10, -30, 810, 570}, {10, 0, 810, 600}},
        {"off both corners", single, {1800, 1000, 2600, 1600}, {1120, 480, 1920, 1080}},
        {"wider than the desktop", single, {100, 0, 2100, 500}, {0, 0, 2000, 500}},
        {"turned round", single, {700, 10, -50, 500}, {700, 10, -50, 500}},
        {"on the left monitor", twoScreens, {-1500, 10, -700, 500}, {-1500, 10, -700, 500}},
        {"beyond both", twoScreens, {-2500, 10, -1700, 500}, {-1920, 10, -1120, 500}},
        {"right limit is the width", twoScreens, {3000, 10, 3900, 500}, {2940, 10, 3840, 500}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(moveOntoDesktop(r.in, r.desktop), r.out) << r.name;
}

TEST(PlacementRecord, CentresAndEnforcesTheMinimumSize) {
    EXPECT_EQ(centredPosition({800, 600}, {0, 0, 1920, 1080}), QPoint(560, 240));
    EXPECT_EQ(centredPosition({751, 481}, {0, 0, 1920, 1080}), QPoint(584, 299));
    EXPECT_EQ(centredPosition({1201, 601}, {0, 0, 1000, 400}), QPoint(-100, -100));
    EXPECT_EQ(centredPosition({100, 100}, {1920, 50, 1000, 800}), QPoint(2370, 400));

    EXPECT_EQ(enforceMinimumSize({10, 20, 300, 200}), (PlacementRect{10, 20, 760, 500}));
    EXPECT_EQ(enforceMinimumSize({10, 20, 1000, 200}), (PlacementRect{10, 20, 1000, 500}));
    EXPECT_EQ(enforceMinimumSize({10, 20, 760, 500}), (PlacementRect{10, 20, 760, 500}));
}

TEST(PlacementRecord, KeepsTheTopOfTheWindowOnAScreen) {
    const std::vector<QRect> one{{0, 0, 1280, 1024}};
    // A second screen right of the first, lower down and smaller.
    const std::vector<QRect> two{{0, 0, 1280, 1024}, {1280, 200, 1024, 768}};
    struct Row {
        const char* name;
        std::vector<QRect> screens;
        PlacementRect in;
        PlacementRect out;
    };
    const Row rows[] = {
        {"on the screen", one, {100, 100, 900, 700}, {100, 100, 900, 700}},
        {"only the bottom off", one, {100, 900, 900, 1500}, {100, 900, 900, 1500}},
        {"top band cut at the bottom", one, {100, 1000, 900, 1600}, {100, 1024 - 90, 900, 1534}},
        {"Exit button off the right", one, {700, 10, 1450, 500}, {530, 10, 1280, 500}},
        {"title off the top", one, {10, -20, 800, 500}, {10, 0, 800, 520}},
        {"wider and taller than the screen", one, {-10, -10, 3000, 2000}, {0, 0, 1280, 1024}},
        {"far away", one, {90000, 90000, 90800, 90500}, {480, 1024 - 90, 1280, 1434}},
        {"more on the second", two, {1000, 100, 1800, 600}, {1280, 200, 2080, 700}},
        {"more on the first", two, {700, 100, 1500, 600}, {480, 100, 1280, 600}},
        {"title above the second", two, {1400, 100, 2200, 600}, {1400, 200, 2200, 700}},
        {"on the second", two, {1400, 300, 2200, 800}, {1400, 300, 2200, 800}},
        {"no screens", {}, {-5000, 0, -4000, 500}, {-5000, 0, -4000, 500}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(keepTopOnScreen(r.in, 90, r.screens), r.out) << r.name;
    // A screen smaller than the minimum: the left edge stays on it.
    EXPECT_EQ(keepTopOnScreen({100, 100, 900, 600}, 90, {{0, 0, 640, 480}}),
              (PlacementRect{0, 100, 750, 580}));
    EXPECT_EQ(normalized({700, 500, -50, 10}), (PlacementRect{-50, 10, 700, 500}));
    EXPECT_EQ(normalized({1, 2, 3, 4}), (PlacementRect{1, 2, 3, 4}));
}

// A main window stand-in that notes where it stands when its own show handler runs.
class ShownWindow : public QWidget {
  public:
    QRect geometryAtShow;

  protected:
    void showEvent(QShowEvent*) override { geometryAtShow = geometry(); }
};

class PlacementWindow : public ::testing::Test {
  protected:
    // The outer rectangle settles once the platform knows the window's frame.
    static bool settles(const QWidget& w, const QRect& outer) {
        return QTest::qWaitFor([&] { return w.frameGeometry() == outer; }, 1000);
    }

    QTemporaryDir m_dir;
    SettingsStore m_ini{m_dir.path() + "/V1.ini"};
    QRect m_screen = QGuiApplication::primaryScreen()->geometry();
    QRect m_desktop = QGuiApplication::primaryScreen()->virtualGeometry();
};

TEST_F(PlacementWindow, RestoresBeforeTheWindowsOwnShowHandler) {
    ASSERT_GE(m_desktop.width(), 800);
    ASSERT_GE(m_desktop.height(), 560);
    m_ini.writeText(Setting::mainForm, "200,0,1,20,30,790,530");
    ShownWindow w;
    WindowPlacement form(&w, m_ini);
    w.show();
    EXPECT_TRUE(settles(w, {20, 30, 770, 500}));
    // Where the window came up is where it stays: no second placement once it is framed.
    EXPECT_EQ(w.geometryAtShow, w.geometry());
}

TEST_F(PlacementWindow, ClampsTheStoredRectangleOntoTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        const char* name;
        QString record;
        QRect outer;
    };
    const Row rows[] = {
        // Wider than the desktop: narrowed to the screen, the tool bar's right end on it.
        {"too wide",
         QString("200,0,1,-50,10,%1,510").arg(m_desktop.width() + 60),
         {area.left(), 10, area.width(), 500}},
        // Edges the wrong way round: turned round, the Exit button on the screen.
        {"turned round",
         QString("200,0,1,%1,10,%2,500").arg(area.left() + 770).arg(area.left() + 10),
         {area.left() + 10, 10, 760, 490}},
        {"far off",
         "200,0,1,90000,-90000,90800,-89500",
         {area.right() + 1 - 800, area.top(), 800, 500}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_ini.writeText(Setting::mainForm, row.record);
        ShownWindow w;
        WindowPlacement form(&w, m_ini);
        w.show();
        EXPECT_TRUE(settles(w, row.outer))
            << w.frameGeometry().x() << "," << w.frameGeometry().y() << " "
            << w.frameGeometry().width() << "x" << w.frameGeometry().height();
    }
}

TEST_F(PlacementWindow, SavesAndRestoresTheNormalRectangle) {
    {
        ShownWindow w;
        WindowPlacement form(&w, m_ini);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        const QRect outer = w.frameGeometry(), inner = w.geometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        w.setGeometry(QRect(10, 20, 760, 490).marginsRemoved(frame));
        ASSERT_TRUE(settles(w, {10, 20, 760, 490}));
        form.savePlacement();
        EXPECT_EQ(m_ini.readText(Setting::mainForm), "200,0,1,10,20,770,510");
        w.showMaximized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.isMaximized(); }));
        form.savePlacement(); // maximised: the normal rectangle still
        EXPECT_EQ(m_ini.readText(Setting::mainForm), "200,0,3,10,20,770,510");
    }
    // Start after start, the same outer rectangle: the window does not creep by its frame.
    for (int start = 0; start < 3; ++start) {
        SCOPED_TRACE(start);
        ShownWindow again;
        WindowPlacement form(&again, m_ini);
        again.show();
        EXPECT_FALSE(again.isMaximized());
        EXPECT_TRUE(settles(again, {10, 20, 760, 490}));
        form.savePlacement();
        EXPECT_EQ(m_ini.readText(Setting::mainForm), "200,0,1,10,20,770,510");
    }
}

TEST_F(PlacementWindow, CentresWithoutAUsableRecord) {
    for (const char* record : {"", "200,0,1,1,2,3", "201,0,1,10,20,770,510", "200,0,1,a,b,c,d"}) {
        SCOPED_TRACE(record);
        m_ini.writeText(Setting::mainForm, record);
        ShownWindow w;
        w.resize(760, 500);
        WindowPlacement form(&w, m_ini);
        w.show();
        // The window's own size is its outer size.
        EXPECT_TRUE(settles(w, {centredPosition({760, 500}, m_screen), QSize(760, 500)}));
    }
}

TEST_F(PlacementWindow, CentresASmallWindowFirstAndEnlargesItFromThere) {
    ShownWindow w;
    w.resize(702, 462);
    WindowPlacement form(&w, m_ini);
    w.show();
    const QPoint corner = centredPosition(QSize(702, 462), m_screen);
    EXPECT_TRUE(settles(w, QRect(corner, QSize(750, 480))));
}

TEST_F(PlacementWindow, KeepsTheMinimumSize) {
    m_ini.writeText(Setting::mainForm, "200,0,1,15,25,315,225");
    ShownWindow w;
    WindowPlacement form(&w, m_ini);
    w.show();
    EXPECT_TRUE(settles(w, {15, 25, 750, 480}));
    w.resize(100, 100);
    EXPECT_EQ(w.frameGeometry(), QRect(15, 25, 750, 480));
}

} // namespace
