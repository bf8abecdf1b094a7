// SPDX-License-Identifier: MIT
// Widget set: image button states and faces, panels, labels, images, check box, balloon hint.
#include "platform/Application.h"
#include "platform/BitmapList.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/HintBalloon.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ListImage.h"
#include "platform/widgets/RotatedLabel.h"
#include "platform/widgets/TextLabel.h"
#include "platform/widgets/TransparentCheckBox.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb GroundColour = qRgb(0, 160, 0);

// A distinct flat colour per item, so that a face can be recognised by one pixel.
QRgb itemColour(int i) {
    return qRgb(40 + 11 * i, 200 - 9 * i, (60 + 37 * i) % 256);
}

// Items 0..16 of 50 x 50 in their own colour with a white bottom-left pixel (the key colour);
// item 10 is empty.
BitmapList flatList() {
    std::vector<QImage> items;
    for (int i = 0; i < 17; ++i) {
        QImage img(50, 50, QImage::Format_RGB32);
        img.fill(itemColour(i));
        img.setPixel(0, 49, qRgb(255, 255, 255));
        items.push_back(i == 10 ? QImage() : img);
    }
    return BitmapList(std::move(items));
}

std::unique_ptr<QWidget> groundWidget(int w, int h) {
    auto ground = std::make_unique<QWidget>();
    ground->resize(w, h);
    QPalette pal = ground->palette();
    pal.setColor(QPalette::Window, QColor(GroundColour));
    ground->setPalette(pal);
    ground->setAutoFillBackground(true);
    return ground;
}

class ButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_ground = groundWidget(140, 80);
        m_button = new ImageButton(m_ground.get());
        m_button->move(10, 10);
        m_button->setButtonFaceImageList(&m_list);
        m_button->setCursorPosSource([this] { return m_cursor; });
        QObject::connect(m_button, &ImageButton::clicked, [this] { ++m_clicks; });
        m_ground->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_ground.get()));
        // Start polling with the cursor over the button; tests move it where they need it. Only
        // now: a window manager places the window where it likes.
        m_cursor = m_button->mapToGlobal(QPoint(25, 25));
    }

    // The item whose colour shows in the middle of the button, -1 for the bare ground.
    int shownItem() const {
        const QRgb pixel = m_ground->grab().toImage().pixel(35, 35);
        for (int i = 0; i < m_list.count(); ++i)
            if (pixel == itemColour(i)) return i;
        return -1;
    }

    void enter() {
        QEnterEvent enter(QPointF(25, 25), QPointF(35, 35), m_button->mapToGlobal(QPointF(25, 25)));
        QApplication::sendEvent(m_button, &enter);
    }

    BitmapList m_list = flatList();
    std::unique_ptr<QWidget> m_ground;
    ImageButton* m_button = nullptr;
    QPoint m_cursor;
    int m_clicks = 0;
};

TEST_F(ButtonTest, HoverPressReleaseShowsFacesAndClicksOnce) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    EXPECT_EQ(shownItem(), 4);
    enter();
    EXPECT_EQ(m_button->state(), ButtonState::MouseOver);
    EXPECT_EQ(shownItem(), 5);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(m_button->state(), ButtonState::Pressed);
    EXPECT_EQ(shownItem(), 4);
    EXPECT_EQ(m_clicks, 0);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(m_button->state(), ButtonState::MouseOver);
    EXPECT_EQ(shownItem(), 5);
    EXPECT_EQ(m_clicks, 1);
    m_cursor = m_button->mapToGlobal(QPoint(80, 80));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_button, &leave);
    EXPECT_EQ(m_button->state(), ButtonState::Normal);
    EXPECT_EQ(m_clicks, 1);
}

// A store error in a click handler ends that handler with a report; the button works on.
TEST_F(ButtonTest, AHandlerErrorIsReportedAndTheButtonWorksOn) {
    QStringList reports;
    Application::errorHook = [&](const QString& text) { reports << text; };
    QObject::disconnect(m_button, &ImageButton::clicked, nullptr, nullptr);
    QObject::connect(m_button, &ImageButton::clicked, [this] {
        ++m_clicks;
        throw SettingsError(QStringLiteral("Fehler beim Setzen der Daten für 'mode'"));
    });
    QObject::connect(m_button, &ImageButton::pressed, [](Qt::MouseButton, int, int) {
        throw SettingsError(QStringLiteral("Erzeugung von Schlüssel common misslungen"));
    });
    for (int i = 0; i < 2; ++i) {
        QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
        QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    }
    Application::errorHook = nullptr;
    EXPECT_EQ(m_clicks, 2);
    EXPECT_EQ(reports.size(), 4);
    EXPECT_EQ(reports.value(0), QStringLiteral("Erzeugung von Schlüssel common misslungen"));
    EXPECT_EQ(reports.value(1), QStringLiteral("Fehler beim Setzen der Daten für 'mode'"));
    EXPECT_EQ(m_button->state(), ButtonState::MouseOver);
}

// A balloon hint mapped under the cursor makes X report a leave; the face must stay lively.
TEST_F(ButtonTest, LeaveWhileTheCursorStaysKeepsMouseOver) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    enter();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_button, &leave);
    EXPECT_EQ(m_button->state(), ButtonState::MouseOver);
    m_cursor = m_button->mapToGlobal(QPoint(80, 80));
    QTRY_COMPARE_WITH_TIMEOUT(m_button->state(), int(ButtonState::Normal), 1000);
}

TEST_F(ButtonTest, DraggingOffAndReleasingOutsideDoesNotClick) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    QTest::mouseMove(m_button, QPoint(90, 25));
    EXPECT_EQ(m_button->state(), ButtonState::Normal);
    QTest::mouseMove(m_button, QPoint(20, 20));
    EXPECT_EQ(m_button->state(), ButtonState::Pressed);
    QTest::mouseMove(m_button, QPoint(90, 25));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(90, 25));
    EXPECT_EQ(m_button->state(), ButtonState::Normal);
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(ButtonTest, MouseDownFiresForEveryButtonButOnlyLeftPresses) {
    m_button->setFaceTable(ImageButton::faceTable(14, 15, 14, 16));
    std::vector<std::tuple<Qt::MouseButton, int, int>> downs;
    QObject::connect(m_button, &ImageButton::pressed,
                     [&](Qt::MouseButton b, int x, int y) { downs.emplace_back(b, x, y); });
    QTest::mousePress(m_button, Qt::RightButton, {}, QPoint(7, 9));
    EXPECT_EQ(m_button->state(), ButtonState::Normal);
    QTest::mouseRelease(m_button, Qt::RightButton, {}, QPoint(7, 9));
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(m_button->state(), ButtonState::Pressed);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(30, 12));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], std::make_tuple(Qt::RightButton, 7, 9));
    EXPECT_EQ(downs[1], std::make_tuple(Qt::LeftButton, 30, 12));
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(ButtonTest, MouseDownHandlerThatSwallowsTheReleaseLeavesNoPressedButton) {
    // A handler running a modal dialog: the release goes to the dialog, not to the button.
    m_button->setFaceTable(ImageButton::faceTable(14, 15, 14, 16));
    QWidget other;
    other.resize(40, 40);
    QObject::connect(m_button, &ImageButton::pressed, [&](Qt::MouseButton, int, int) {
        other.show();
        QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(5, 5));
    });
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_NE(m_button->state(), ButtonState::Pressed);
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(ButtonTest, DisabledButtonShowsItsFaceAndIgnoresTheMouse) {
    m_button->setFaceTable(ImageButton::faceTable(11, 12, 11, 13));
    int downs = 0;
    QObject::connect(m_button, &ImageButton::pressed, [&](Qt::MouseButton, int, int) { ++downs; });
    m_button->setEnabled(false);
    EXPECT_EQ(m_button->state(), ButtonState::Disabled);
    EXPECT_EQ(shownItem(), 13);
    enter();
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(m_button->state(), ButtonState::Disabled);
    EXPECT_EQ(shownItem(), 13);
    EXPECT_EQ(downs, 0);
    EXPECT_EQ(m_clicks, 0);
    m_button->setEnabled(true);
    EXPECT_EQ(m_button->state(), ButtonState::Normal);
    EXPECT_EQ(shownItem(), 11);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(ButtonTest, PollRestoresNormalFaceWhenCursorLeftWithoutLeaveEvent) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    enter();
    ASSERT_TRUE(m_button->pollActive());
    QTest::qWait(250);
    EXPECT_EQ(m_button->state(), ButtonState::MouseOver) << "cursor still inside";
    m_cursor = m_button->mapToGlobal(QPoint(51, 25));
    // About 100 ms; a busy machine may take longer.
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_button->state() == ButtonState::Normal; }, 2000));
    EXPECT_EQ(shownItem(), 4);
    EXPECT_FALSE(m_button->pollActive());
}

TEST_F(ButtonTest, PollStopsWhenPressed) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    enter();
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_FALSE(m_button->pollActive());
    m_cursor = m_button->mapToGlobal(QPoint(80, 25));
    QTest::qWait(250);
    EXPECT_EQ(m_button->state(), ButtonState::Pressed);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(25, 25));
}

struct FallbackRow {
    const char* name;
    ButtonFaceTable faces;
    int state;
    int expected;
};

// List items: 0..16 valid except 10 (empty); 40 lies beyond the list.
const FallbackRow FallbackRows[] = {
    {"own entry", {1, 2, 3, 9}, 3, 9},
    {"disabled beyond list uses normal", {1, 40, 3, 5}, 1, 1},
    {"over on empty item uses normal", {1, 2, 10, 5}, 2, 1},
    {"over unset uses normal", {1, 2, -1, 5}, 2, 1},
    {"pressed has no fallback", {1, 2, 3, 40}, 3, -1},
    {"normal has no fallback", {40, 2, 3, 5}, 0, -1},
    {"fallback to an invalid normal", {10, 40, 3, 5}, 1, -1},
    {"no such state", {1, 2, 3, 5}, 4, -1},
    {"negative state", {1, 2, 3, 5}, -1, -1},
};

TEST_F(ButtonTest, FaceFallbacks) {
    for (const FallbackRow& row : FallbackRows) {
        m_button->setFaceTable(row.faces);
        EXPECT_EQ(m_button->faceItem(row.state), row.expected) << row.name;
    }
    m_button->setButtonFaceImageList(nullptr);
    EXPECT_EQ(m_button->faceItem(0), -1) << "no list";
}

TEST_F(ButtonTest, MissingFaceShowsGroundAndStillReacts) {
    m_button->setFaceTable(ImageButton::faceTable(40, 5, 4, 6));
    EXPECT_EQ(shownItem(), -1);
    enter();
    EXPECT_EQ(shownItem(), 5);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(shownItem(), 4);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(ButtonTest, ListGivenLaterRepaintsTheFace) {
    m_button->setButtonFaceImageList(nullptr);
    m_button->setFaceTable(ImageButton::faceTable(7, 8, 7, 7));
    EXPECT_EQ(shownItem(), -1);
    m_button->setButtonFaceImageList(&m_list);
    EXPECT_EQ(shownItem(), 7);
}

TEST_F(ButtonTest, FaceColourOfBottomLeftPixelIsTransparent) {
    // Face 0: white ground with a red square holding a white spot. Face 1: black ground, a white
    // square: white stays, black goes.
    QImage whiteKey(50, 50, QImage::Format_RGB32);
    whiteKey.fill(Qt::white);
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 40; ++x)
            whiteKey.setPixel(x, y, qRgb(220, 0, 0));
    whiteKey.setPixel(20, 20, qRgb(255, 255, 255));
    QImage blackKey(50, 50, QImage::Format_RGB32);
    blackKey.fill(Qt::black);
    for (int y = 10; y < 40; ++y)
        for (int x = 10; x < 40; ++x)
            blackKey.setPixel(x, y, qRgb(255, 255, 255));
    BitmapList faces(std::vector<QImage>{whiteKey, blackKey});
    m_button->setButtonFaceImageList(&faces);

    struct Row {
        int face;
        QPoint at;
        QRgb expected;
    };
    const Row rows[] = {
        {0, {2, 2}, GroundColour},   {0, {25, 25}, qRgb(220, 0, 0)},
        {0, {20, 20}, GroundColour}, {0, {0, 49}, GroundColour},
        {1, {2, 47}, GroundColour},  {1, {25, 25}, qRgb(255, 255, 255)},
        {1, {49, 0}, GroundColour},
    };
    for (const Row& row : rows) {
        m_button->setFaceTable(ImageButton::faceTable(row.face, row.face, 0, 0));
        const QImage shot = m_ground->grab().toImage();
        EXPECT_EQ(shot.pixel(QPoint(10, 10) + row.at), row.expected)
            << "face " << row.face << " at " << row.at.x() << "," << row.at.y();
    }
}

TEST_F(ButtonTest, HintOnlyWhileShowHint) {
    m_button->setHint(QStringLiteral("I want to start again."));
    EXPECT_EQ(m_button->toolTip(), QStringLiteral("I want to start again."));
    m_button->setShowHint(false);
    EXPECT_TRUE(m_button->toolTip().isEmpty());
    m_button->setHint(QStringLiteral("Cancel"));
    EXPECT_TRUE(m_button->toolTip().isEmpty());
    EXPECT_EQ(m_button->hint(), QStringLiteral("Cancel"));
    m_button->setShowHint(true);
    EXPECT_EQ(m_button->toolTip(), QStringLiteral("Cancel"));
}

// A dialog's buttons take the focus by Tab; the focused one shows a ring and answers the keys.
TEST_F(ButtonTest, FocusedButtonShowsItsRingAndAnswersSpaceAndEnter) {
    m_button->setFaceTable(ImageButton::faceTable(4, 5, 4, 6));
    m_button->setFocusPolicy(Qt::TabFocus);
    m_ground->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_ground.get()));
    // An activated window may hand its first focusable widget the focus, sooner or later.
    QApplication::processEvents();
    m_button->clearFocus();
    auto ringPixel = [this] { return m_ground->grab().toImage().pixel(10 + 3, 10 + 25); };
    EXPECT_EQ(ringPixel(), itemColour(4));
    m_button->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(m_button->hasFocus());
    const QRgb ring = ringPixel();
    EXPECT_GT(qRed(ring), 200);
    EXPECT_GT(qGreen(ring), 170);
    EXPECT_LT(qBlue(ring), 90);
    EXPECT_EQ(shownItem(), 4); // the face itself still shows inside the ring
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(m_button, key);
    EXPECT_EQ(m_clicks, 3);
    // A held key answers once.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(m_button, &repeat);
    EXPECT_EQ(m_clicks, 3);
    m_button->setEnabled(false);
    m_button->click();
    EXPECT_EQ(m_clicks, 3);
    m_button->setEnabled(true);
    m_button->setFocus(Qt::TabFocusReason);
    m_button->clearFocus();
    EXPECT_EQ(ringPixel(), itemColour(4));
}

// The arrow keys walk the focus along the tab order, as Tab and Backtab do.
TEST_F(ButtonTest, ArrowKeysMoveTheFocusToTheNeighbours) {
    auto* second = new ImageButton(m_ground.get());
    second->move(70, 10);
    for (ImageButton* b : {m_button, second})
        b->setFocusPolicy(Qt::TabFocus);
    second->show();
    m_ground->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_ground.get()));
    m_button->setFocus(Qt::TabFocusReason);
    const struct {
        Qt::Key key;
        QWidget* then;
    } steps[] = {{Qt::Key_Down, second},
                 {Qt::Key_Up, m_button},
                 {Qt::Key_Right, second},
                 {Qt::Key_Right, m_button},
                 {Qt::Key_Left, second}};
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_EQ(QApplication::focusWidget(), step.then) << step.key;
    }
    EXPECT_EQ(m_clicks, 0);
}

// A screen reader sees a button it can press: a press is a click, and nothing while disabled.
TEST_F(ButtonTest, ScreenReadersSeeAButtonToPress) {
    int downs = 0;
    QObject::connect(m_button, &ImageButton::pressed,
                     [&](Qt::MouseButton b, int, int) { downs += b == Qt::LeftButton; });
    m_button->setHint(QStringLiteral("I want to start again. (F2)"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(m_button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    // Without a name of its own, the hint names it.
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("I want to start again. (F2)"));
    m_button->setAccessibleName(QStringLiteral("New game"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("New game"));

    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_clicks, 1);
    EXPECT_EQ(downs, 1);

    m_button->setEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m_clicks, 1);
    EXPECT_EQ(downs, 1);
}

TEST(BackPanel, TilesItemFromTopLeftUnderFrame) {
    QImage tile(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            tile.setPixel(x, y, qRgb(x * 8, y * 12, 77));
    BitmapList list(std::vector<QImage>{QImage(), tile});
    BackPanel panel;
    panel.resize(200, 150);
    panel.setImageList(&list);
    panel.setListIndex(1);
    auto* child = new QWidget(&panel);
    child->setGeometry(100, 100, 10, 10);
    child->setAutoFillBackground(true);
    QPalette pal = child->palette();
    pal.setColor(QPalette::Window, Qt::red);
    child->setPalette(pal);

    const QImage shot = panel.grab().toImage();
    EXPECT_EQ(panel.frameWidth(), 7);
    EXPECT_EQ(shot.pixel(30 + 10, 20 + 10), tile.pixel(10, 10));
    EXPECT_EQ(shot.pixel(60 + 15, 12), tile.pixel(15, 12)) << "first row of tiles";
    EXPECT_EQ(shot.pixel(8, 40 + 9), tile.pixel(8, 9)) << "first column of tiles";
    EXPECT_EQ(shot.pixel(180 + 5, 140 - 1 - 7), tile.pixel(5, 12)) << "cut tile at the corner";
    EXPECT_EQ(shot.pixel(105, 105), qRgb(255, 0, 0)) << "children draw over the ground";
    for (QPoint black :
         {QPoint(2, 75), QPoint(4, 75), QPoint(197, 75), QPoint(100, 3), QPoint(100, 146)})
        EXPECT_EQ(shot.pixel(black), qRgb(0, 0, 0)) << black.x() << "," << black.y();
}

TEST(TextLabelTest, CarriageReturnAndWidthBreakLines) {
    struct Row {
        const char* caption;
        bool multi;
        QStringList expected;
    };
    const Row rows[] = {
        {"Game paused.\rContinue?", true, {"Game paused.", "Continue?"}},
        {"Spiel angehalten.\rWeitermachen?", true, {"Spiel angehalten.", "Weitermachen?"}},
        {"Hurrah, you did it!", true, {"Hurrah, you did it!"}},
        {"one\r\ntwo", true, {"one", "two"}},
        {"Game paused.\rContinue?", false, {"Game paused. Continue?"}},
    };
    TextLabel label;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    label.setFont(font);
    label.resize(288, 67);
    label.setAlignment(Qt::AlignCenter);
    for (const Row& row : rows) {
        label.setMultiLine(row.multi);
        label.setText(QString::fromUtf8(row.caption));
        EXPECT_EQ(label.wrappedLines(), row.expected) << row.caption;
    }

    const QString longText = QStringLiteral("Hurrah, you made it! Continue with next level?");
    label.setMultiLine(true);
    label.setText(longText);
    label.resize(120, 67);
    const QStringList lines = label.wrappedLines();
    EXPECT_GT(lines.size(), 2);
    EXPECT_EQ(lines.join(QLatin1Char(' ')), longText);
    for (const QString& line : lines)
        EXPECT_LE(label.fontMetrics().horizontalAdvance(line), 120);
}

TEST(TextLabelTest, DrawsTwoCentredLines) {
    auto ground = groundWidget(288, 67);
    auto* label = new TextLabel(ground.get());
    label->resize(288, 67);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    label->setFont(font);
    label->setFontColor(Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setMultiLine(true);
    label->setText(QStringLiteral("Game paused.\rContinue?"));
    const QImage shot = ground->grab().toImage();

    // Bands of rows with ink, and the ink's horizontal extent.
    int bands = 0, left = 288, right = -1, top = 67, bottom = -1;
    bool inBand = false;
    for (int y = 0; y < 67; ++y) {
        bool ink = false;
        for (int x = 0; x < 288; ++x) {
            if (shot.pixel(x, y) == GroundColour) continue;
            ink = true;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (ink && !inBand) ++bands;
        inBand = ink;
    }
    EXPECT_EQ(bands, 2);
    EXPECT_NEAR((left + right) / 2.0, 144, 3);
    EXPECT_NEAR((top + bottom) / 2.0, 33.5, 4);
}

TEST(ListImageTest, MagentaShowsTheGround) {
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(qRgb(0, 0, 200));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            logo.setPixel(x, y, qRgb(255, 0, 255));
    BitmapList list(std::vector<QImage>{QImage(), QImage(), QImage(), logo});
    auto ground = groundWidget(60, 30);
    auto* image = new ListImage(ground.get());
    image->setGeometry(5, 5, 40, 20);
    image->setImageList(&list);
    image->setListIndex(3);
    QImage shot = ground->grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10), GroundColour);
    EXPECT_EQ(shot.pixel(35, 10), qRgb(0, 0, 200));
    image->setForceTransparent(false);
    shot = ground->grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10), qRgb(255, 0, 255));
}

TEST(RotatedLabelTest, TurnedTextRunsUpFromTheBottomWithShadow) {
    auto ground = groundWidget(53, 281);
    auto* label = new RotatedLabel(ground.get());
    label->resize(53, 281);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(37);
    font.setBold(true);
    label->setFont(font);
    label->setFontColor(Qt::white);
    label->setAngle(90);
    label->setText(QStringLiteral("Morvek"));
    const QImage shot = ground->grab().toImage();

    int left = 53, right = -1, top = 281, bottom = -1, white = 0, black = 0;
    for (int y = 0; y < 281; ++y)
        for (int x = 0; x < 53; ++x) {
            const QRgb p = shot.pixel(x, y);
            if (p == GroundColour) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            white += p == qRgb(255, 255, 255);
            black += p == qRgb(0, 0, 0);
        }
    EXPECT_GT(bottom - top, 2 * (right - left)) << "text runs along the height";
    EXPECT_GT(bottom, 270) << "starts at the bottom edge";
    EXPECT_GT(top, 80);
    EXPECT_GT(white, 100);
    EXPECT_GT(black, 100) << "raised effect";
}

TEST(TransparentCheckBoxTest, ClickAnywhereToggles) {
    auto ground = groundWidget(40, 40);
    auto* box = new TransparentCheckBox(ground.get());
    box->move(10, 10);
    ground->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ground.get()));
    EXPECT_EQ(box->size(), QSize(17, 17));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(box->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(ground->grab().toImage().pixel(10, 10), GroundColour) << "transparent corner";
}

TEST(TransparentCheckBoxTest, TabFocusTurnsTheOutlineYellowAndSpaceToggles) {
    auto ground = groundWidget(40, 40);
    auto* box = new TransparentCheckBox(ground.get());
    box->move(10, 10);
    ground->show();
    ground->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ground.get()));
    EXPECT_EQ(box->focusPolicy(), Qt::TabFocus);
    auto outline = [&] { return ground->grab().toImage().pixel(10 + 1, 10 + 8); };
    box->setFocus(Qt::TabFocusReason);
    const QRgb focused = outline();
    EXPECT_GT(qRed(focused), 150);
    EXPECT_LT(qBlue(focused), 100);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    box->clearFocus();
    EXPECT_GT(qBlue(outline()), 150) << "white outline without the focus";
}

class HintBalloonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_window = std::make_unique<QWidget>();
        m_window->setGeometry(200, 200, 200, 100);
        m_button = new ImageButton(m_window.get());
        m_button->move(10, 10);
        m_button->setHint(QStringLiteral("I need a break."));
        m_inner = new QWidget(m_window.get());
        m_inner->setGeometry(100, 10, 50, 50);
        m_window->setToolTip(QStringLiteral("Who are the best?"));
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void TearDown() override { QToolTip::hideText(); }

    static void askTip(QWidget* widget, QPoint at = QPoint(20, 20)) {
        QHelpEvent event(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
    }

    std::unique_ptr<QWidget> m_window;
    ImageButton* m_button = nullptr;
    QWidget* m_inner = nullptr;
};

TEST_F(HintBalloonTest, ToolTipShowsInBalloonAndHidesAgain) {
    HintBalloon hint;
    askTip(m_button);
    ASSERT_TRUE(hint.hintVisible());
    EXPECT_FALSE(QToolTip::isVisible());
    const HintBalloonWindow* balloon = hint.hintWindow();
    EXPECT_EQ(balloon->text(), QStringLiteral("I need a break."));
    EXPECT_EQ(balloon->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(balloon->font().pixelSize(), 13);
    EXPECT_EQ(balloon->position(), HintPosition::AboveRight);
    EXPECT_EQ(balloon->pos() + balloon->noseTip(), m_button->mapToGlobal(QPoint(20, 20)));
    EXPECT_LE(balloon->geometry().bottom(), m_button->mapToGlobal(QPoint(20, 20)).y());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_button, &leave);
    EXPECT_FALSE(hint.hintVisible());

    askTip(m_button);
    ASSERT_TRUE(hint.hintVisible());
    QTest::mousePress(m_window.get(), Qt::LeftButton, {}, QPoint(180, 80));
    EXPECT_FALSE(hint.hintVisible());
    QTest::mouseRelease(m_window.get(), Qt::LeftButton, {}, QPoint(180, 80));

    hint.setHideTimeout(50);
    askTip(m_button);
    ASSERT_TRUE(hint.hintVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hint.hintVisible(); }, 2000));
}

// However the pointer leaves the hinted widget (no leave notification at all here), the balloon
// goes within a few polls.
TEST_F(HintBalloonTest, BalloonGoesWhenThePointerIsOffTheWidget) {
    HintBalloon hint;
    QCursor::setPos(m_button->mapToGlobal(QPoint(20, 20)));
    askTip(m_button);
    ASSERT_TRUE(hint.hintVisible());
    QTest::qWait(150);
    EXPECT_TRUE(hint.hintVisible()) << "the pointer still rests on the button";
    QCursor::setPos(m_window->mapToGlobal(QPoint(180, 90)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !hint.hintVisible(); }, 1000));
}

TEST_F(HintBalloonTest, WidgetWithoutTipShowsItsParentsTip) {
    HintBalloon hint;
    askTip(m_inner);
    ASSERT_TRUE(hint.hintVisible());
    EXPECT_EQ(hint.hintWindow()->text(), QStringLiteral("Who are the best?"));
}

TEST_F(HintBalloonTest, ButtonWithShowHintOffShowsNoOwnHint) {
    HintBalloon hint;
    m_window->setToolTip(QString());
    m_button->setShowHint(false);
    askTip(m_button);
    EXPECT_FALSE(hint.hintVisible());
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(HintBalloonTest, DisablingOrDestroyingRestoresStandardTips) {
    auto hint = std::make_unique<HintBalloon>();
    hint->setEnabled(false);
    askTip(m_button);
    EXPECT_FALSE(hint->hintVisible());
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();

    hint->setEnabled(true);
    askTip(m_button);
    EXPECT_TRUE(hint->hintVisible());
    hint.reset();
    QTest::qWait(1); // lets the hidden standard tip settle
    askTip(m_inner);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Who are the best?"));
}

TEST_F(HintBalloonTest, OnlyTheFirstInstanceActs) {
    HintBalloon first;
    HintBalloon second;
    EXPECT_EQ(HintBalloon::instance(), &first);
    askTip(m_button);
    EXPECT_TRUE(first.hintVisible());
    EXPECT_FALSE(second.hintVisible());
}

TEST(HintBalloonWindowTest, FlipsAwayFromScreenEdges) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        const char* name;
        QPoint spot;
        HintPosition preferred;
        HintPosition expected;
    };
    const Row rows[] = {
        {"room everywhere", screen.center(), HintPosition::AboveRight, HintPosition::AboveRight},
        {"room everywhere, below left", screen.center(), HintPosition::BelowLeft,
         HintPosition::BelowLeft},
        {"top edge",
         {screen.center().x(), screen.top() + 5},
         HintPosition::AboveRight,
         HintPosition::BelowRight},
        {"right edge",
         {screen.right() - 5, screen.center().y()},
         HintPosition::AboveRight,
         HintPosition::AboveLeft},
        {"top right corner",
         {screen.right() - 5, screen.top() + 5},
         HintPosition::AboveRight,
         HintPosition::BelowLeft},
        {"bottom edge",
         {screen.center().x(), screen.bottom() - 2},
         HintPosition::BelowLeft,
         HintPosition::AboveLeft},
        {"left edge",
         {screen.left() + 3, screen.center().y()},
         HintPosition::AboveLeft,
         HintPosition::AboveRight},
    };
    HintBalloonWindow balloon;
    for (const Row& row : rows) {
        balloon.showAt(row.spot, QStringLiteral("Ich möchte die Einstellungen ändern."),
                       row.preferred);
        EXPECT_EQ(balloon.position(), row.expected) << row.name;
        EXPECT_EQ(balloon.pos() + balloon.noseTip(), row.spot) << row.name;
        EXPECT_TRUE(screen.contains(balloon.geometry())) << row.name;
        const QImage shot = balloon.grab().toImage();
        const QPoint tip = balloon.noseTip();
        EXPECT_GT(qAlpha(shot.pixel(tip)), 0) << row.name << ": nose tip is drawn";
        const bool above =
            row.expected == HintPosition::AboveLeft || row.expected == HintPosition::AboveRight;
        const QPoint farEdge(shot.width() / 2, above ? 0 : shot.height() - 1);
        EXPECT_EQ(shot.pixel(farEdge), qRgb(0, 0, 0)) << row.name << ": black border";
        // In the left margin, halfway down the body (the nose is 12 pixels high).
        const QPoint margin(3, (above ? 0 : 12) + (shot.height() - 12) / 2);
        EXPECT_EQ(shot.pixel(margin) & RGB_MASK,
                  balloon.palette().color(QPalette::ToolTipBase).rgb() & RGB_MASK)
            << row.name;
    }
}

// Where a balloon cannot pass the pointer through (Wayland) it points at the edge of the button
// instead, and covers neither the button nor the pointer on it, whichever side it goes to.
TEST(HintBalloonPlacement, ABalloonToAvoidLeavesTheButtonFree) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect mid(screen.center(), QSize(50, 50));
    const QRect top(QPoint(screen.center().x(), screen.top() + 5), QSize(50, 50));
    const QRect bottom(QPoint(screen.center().x(), screen.bottom() - 55), QSize(50, 50));
    HintBalloonWindow balloon;
    for (const QRect& button : {mid, top, bottom})
        for (const HintPosition preferred : {HintPosition::AboveLeft, HintPosition::BelowRight}) {
            const QPoint pointer = button.center();
            balloon.showAt(pointer, QStringLiteral("Pause"), preferred, button);
            EXPECT_FALSE(balloon.geometry().intersects(button))
                << button.y() << " " << int(preferred);
            const QPoint tip = balloon.pos() + balloon.noseTip();
            EXPECT_EQ(tip.x(), pointer.x());
            EXPECT_TRUE(tip.y() == button.top() - 1 || tip.y() == button.bottom() + 1);
        }
}

} // namespace
