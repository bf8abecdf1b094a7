// SPDX-License-Identifier: MIT
// The information window: texts by language, the ways to close it, its place.
#include "dialogs/InfoDialog.h"
#include "DialogTestKit.h"
#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/widgets/ImageButton.h"

#include <QLabel>
#include <QTest>

TEST(InfoDialogTest, NamesTheProgramAndVersionInBothLanguages) {
    FakeMainWindow main;
    InfoDialog info(&main, testOptions(), resources());
    const int32_t saved = testOptions().tongue;
    for (int32_t language : {-1, 0, 1}) {
        testOptions().tongue = language;
        EXPECT_TRUE(runModal(
            info, [&] { info.exec(); }, [&] { info.accept(); }));
        EXPECT_EQ(info.nameLabel()->text(), QStringLiteral("Morvek"));
        EXPECT_EQ(info.versionLabel()->text(), QStringLiteral("V1.0"));
        EXPECT_EQ(info.aboutLabel()->text().startsWith(QStringLiteral("Ein ")), language == 1)
            << language;
    }
    testOptions().tongue = saved;
    EXPECT_EQ(info.pos(), placeOverClient(main.frameGeometry(), main.height(), info.size()));
}

TEST(InfoDialogTest, ClosesByButtonAndByKey) {
    FakeMainWindow main;
    InfoDialog info(&main, testOptions(), resources());
    const std::vector<std::function<void()>> ways = {
        [&] {
            QTest::mousePress(info.okButton(), Qt::LeftButton, {}, QPoint(25, 25));
            QTest::mouseRelease(info.okButton(), Qt::LeftButton, {}, QPoint(25, 25));
        },
        [&] { QTest::keyClick(&info, Qt::Key_Return); },
        [&] { QTest::keyClick(&info, Qt::Key_Escape); },
    };
    for (const auto& way : ways) {
        int result = -1;
        EXPECT_TRUE(runModal(
            info, [&] { result = info.exec(); }, way));
        EXPECT_EQ(result, QDialog::Accepted);
    }
}
