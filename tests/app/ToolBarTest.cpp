// SPDX-License-Identifier: MIT
// The tool bar on its own: the right-hand buttons follow the width, the level button tells
// which mouse button pressed it, and the counters' spoken names follow values and language.
#include "app/ToolBar.h"

#include "platform/widgets/ImageButton.h"
#include "view/Counters.h"
#include "view/ImageSet.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ToolBarFixture : ::testing::Test {
    BitmapList images = loadMainBitmaps();
    QWidget window;
    ToolBar* bar = new ToolBar(images, &window);
};

TEST_F(ToolBarFixture, RightButtonsKeepToTheRightEdge) {
    window.show();
    for (int width : {702, 1000, 430}) {
        bar->setGeometry(0, 0, width, ToolBarHeight);
        EXPECT_EQ(bar->exitButton()->x(), width - 52) << width;
        EXPECT_EQ(bar->rulesButton()->x(), width - 104) << width;
        EXPECT_EQ(bar->infoButton()->x(), width - 156) << width;
        EXPECT_EQ(bar->optionsButton()->x(), width - 208) << width;
        EXPECT_EQ(bar->startButton()->x(), 4) << width;
    }
}

TEST_F(ToolBarFixture, LevelButtonTellsWhichMouseButton) {
    bar->setGeometry(0, 0, 702, ToolBarHeight);
    window.show();
    QSignalSpy pressed(bar, &ToolBar::levelPressed);
    QSignalSpy started(bar, &ToolBar::startClicked);
    QTest::mouseClick(bar->levelButton(), Qt::RightButton);
    QTest::mouseClick(bar->levelButton(), Qt::LeftButton);
    ASSERT_EQ(pressed.count(), 2);
    EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(pressed[1][0].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(started.count(), 0);
}

TEST_F(ToolBarFixture, CountersAreNamedInThePlayersLanguage) {
    bar->setGeometry(0, 0, 702, ToolBarHeight);
    bar->setTexts(false);
    bar->drawTime(75);
    bar->drawSize(15, 10);
    EXPECT_EQ(bar->scoreLabel()->accessibleName(), QStringLiteral("Time: 75 seconds"));
    EXPECT_EQ(bar->sizeLabel()->accessibleName(), QStringLiteral("Size: 15 by 10"));
    EXPECT_EQ(bar->scoreLabel()->text(), QStringLiteral("Time:"));

    // A change of language renames the counters as they stand, without drawing them again.
    bar->setTexts(true);
    EXPECT_EQ(bar->scoreLabel()->text(), QStringLiteral("Zeit:"));
    EXPECT_EQ(bar->scoreLabel()->accessibleName(), QStringLiteral("Zeit: 75 Sekunden"));
    EXPECT_EQ(bar->sizeLabel()->accessibleName(), QString::fromUtf8("Größe: 15 mal 10"));
}

} // namespace
