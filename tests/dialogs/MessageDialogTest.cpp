// SPDX-License-Identifier: MIT
// The message dialog: texts and button modes by number and language, keys, placement.
#include "dialogs/MessageDialog.h"
#include "DialogTestKit.h"
#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/TextLabel.h"

#include <QTest>

namespace {

// testOptions().tongue is global: every test leaves it as it found it.
class MessageDialogTest : public testing::Test {
  protected:
    void SetUp() override { m_savedTongue = testOptions().tongue; }
    void TearDown() override { testOptions().tongue = m_savedTongue; }

    struct ShownDialog {
        int result = -1;
        QString text;
        bool noVisible = false;
        bool yesVisible = false;
        QPoint pos;
    };

    // Shows message `number` and answers with `answer` once it is up.
    ShownDialog show(MessageDialog& dlg, int number, const std::function<void()>& answer) {
        ShownDialog shown;
        runModal(
            dlg, [&] { shown.result = dlg.showMsg(number); },
            [&] {
                shown.text = dlg.textLabel()->caption();
                shown.noVisible = dlg.noButton()->isVisible();
                shown.yesVisible = dlg.yesButton()->isVisible();
                shown.pos = dlg.pos();
                answer();
            });
        return shown;
    }

    FakeMainWindow m_main;
    MessageDialog m_dlg{&m_main, testOptions(), resources()};
    int32_t m_savedTongue = -1;
};

struct MessageRow {
    int number;
    int mode;
    const char* german;
    const char* english;
};

const MessageRow MessageRows[] = {
    {1, 1, "Hurra, geschafft!", "Hurrah, you did it!"},
    {2, 2, "Willst Du die Stufe wirklich aufgeben?", "Do you really want to give up the level?"},
    {3, 2, "Willst Du wirklich schon aufhören?", "Do you really want to go?"},
    {4, 2, "Willst Du das Spiel wirklich aufgeben?", "Do you really want to give up the game?"},
    {5, 1, "Du warst leider zu langsam!", "Sorry, you weren't quick enough!"},
    {6, 1, "Gratulation, Du hast alle Stufen gelöst.", "Congratulation, you solved all levels."},
    {7, 1, "Das Spiel ist leider aus.", "Sorry, game over!"},
    {8, 1, "Auf zur nächsten Stufe!", "The next level is waiting!"},
    {9, 1, "Du hast leider verloren!", "Sorry, that was it!"},
    {12, 1, "Spiel angehalten.\rWeitermachen?", "Game paused.\rContinue?"},
    {13, 2, "Leider nein!\rStufe wiederholen?", "That was it!\rRepeat level?"},
    {14, 2, "Hurra, geschafft!\rMit der nächste Stufe weitermachen?",
     "Hurrah, you made it!\rContinue with next level?"},
};

TEST_F(MessageDialogTest, EveryMessageInEveryLanguage) {
    // The same dialog for every row: the text is chosen at each show, not at creation.
    for (const MessageRow& row : MessageRows) {
        for (int32_t language : {-1, 0, 1, 2}) {
            SCOPED_TRACE(testing::Message()
                         << "message " << row.number << " testOptions().tongue " << language);
            testOptions().tongue = language;
            const ShownDialog shown = show(m_dlg, row.number, [&] { m_dlg.onYesClicked(); });
            EXPECT_EQ(shown.result, ResultYes);
            EXPECT_EQ(m_dlg.messageNumber(), row.number);
            EXPECT_EQ(m_dlg.buttonMode(), row.mode);
            EXPECT_EQ(shown.text, QString::fromUtf8(language == 1 ? row.german : row.english));
            EXPECT_EQ(shown.noVisible, row.mode == 2);
            EXPECT_TRUE(shown.yesVisible);
        }
    }
}

TEST_F(MessageDialogTest, CarriageReturnBreaksTheLine) {
    testOptions().tongue = 0;
    show(m_dlg, 12, [&] {
        EXPECT_EQ(m_dlg.textLabel()->wrappedLines(), (QStringList{"Game paused.", "Continue?"}));
        m_dlg.onYesClicked();
    });
}

TEST_F(MessageDialogTest, NumbersWithoutTextKeepTheLastTextAndMode) {
    testOptions().tongue = 0;
    show(m_dlg, 3, [&] { m_dlg.onNoClicked(); });
    for (int number : {0, 15, -1, 99}) {
        const ShownDialog shown = show(m_dlg, number, [&] { m_dlg.onYesClicked(); });
        EXPECT_EQ(shown.text, "Do you really want to go?") << number;
        EXPECT_EQ(m_dlg.buttonMode(), 2) << number;
        EXPECT_TRUE(shown.noVisible) << number;
    }
    show(m_dlg, 1, [&] { m_dlg.onYesClicked(); });
    m_dlg.setCustomText("Own text");
    for (int number : {10, 11}) {
        const ShownDialog shown = show(m_dlg, number, [&] { m_dlg.onYesClicked(); });
        EXPECT_EQ(shown.text, "Own text") << number;
        EXPECT_EQ(m_dlg.buttonMode(), 1) << number;
        EXPECT_FALSE(shown.noVisible) << number;
    }
}

struct KeyRow {
    const char* name;
    Qt::Key key;
    char character; // 0: use Key
    int result;     // 0: the key does nothing
};

const KeyRow KeyRows[] = {
    {"return", Qt::Key_Return, 0, ResultYes},
    {"enter", Qt::Key_Enter, 0, ResultYes},
    {"J", Qt::Key_J, 'J', ResultYes},
    {"j", Qt::Key_J, 'j', ResultYes},
    {"Y", Qt::Key_Y, 'Y', ResultYes},
    {"y", Qt::Key_Y, 'y', ResultYes},
    {"escape", Qt::Key_Escape, 0, ResultNo},
    {"N", Qt::Key_N, 'N', ResultNo},
    {"n", Qt::Key_N, 'n', ResultNo},
    {"x", Qt::Key_X, 'x', 0},
    {"space", Qt::Key_Space, ' ', 0},
    {"z", Qt::Key_Z, 'z', 0},
    {"tab", Qt::Key_Tab, 0, 0},
    {"one", Qt::Key_1, '1', 0},
};

TEST_F(MessageDialogTest, KeysAnswerInBothModes) {
    for (int message : {1, 4}) {
        for (const KeyRow& row : KeyRows) {
            SCOPED_TRACE(testing::Message() << "message " << message << " key " << row.name);
            bool openAfterKey = false;
            const ShownDialog shown = show(m_dlg, message, [&] {
                if (row.character)
                    QTest::keyClick(&m_dlg, row.character);
                else
                    QTest::keyClick(&m_dlg, row.key);
                openAfterKey = m_dlg.isVisible();
                if (openAfterKey) m_dlg.close(); // neither Yes nor No
            });
            EXPECT_EQ(shown.result, row.result);
            EXPECT_EQ(openAfterKey, row.result == 0);
        }
    }
}

TEST_F(MessageDialogTest, ButtonsAnswerAndCloseOtherwiseGivesNeither) {
    EXPECT_EQ(show(m_dlg, 4, [&] { QTest::mouseClick(m_dlg.yesButton(), Qt::LeftButton); }).result,
              ResultYes);
    EXPECT_EQ(show(m_dlg, 4, [&] { QTest::mouseClick(m_dlg.noButton(), Qt::LeftButton); }).result,
              ResultNo);
    const int closed = show(m_dlg, 4, [&] { m_dlg.close(); }).result;
    EXPECT_NE(closed, ResultYes);
    EXPECT_NE(closed, ResultNo);
    EXPECT_FALSE(m_dlg.yesButton()->showHint());
    EXPECT_FALSE(m_dlg.noButton()->showHint());
}

struct PlaceRow {
    QRect frame;
    int clientHeight;
    QSize dialog;
    QPoint expected;
};

TEST(DialogPlacement, OverClientAndOverFrame) {
    const PlaceRow overClient[] = {
        {{100, 50, 800, 600}, 570, {319, 158}, {340, 286}},
        // The options dialog over the smallest main window still starts inside it.
        {{0, 0, 750, 480}, 450, {497, 472}, {126, 19}},
        // Halves truncate toward zero, also when the dialog is the wider one.
        {{10, 20, 300, 200}, 171, {319, 158}, {1, 56}},
        {{-200, -100, 800, 600}, 571, {319, 158}, {40, 136}},
    };
    for (const PlaceRow& row : overClient)
        EXPECT_EQ(placeOverClient(row.frame, row.clientHeight, row.dialog), row.expected)
            << row.frame.x() << "," << row.frame.y();
    const PlaceRow overFrame[] = {
        {{100, 50, 800, 600}, 0, {320, 476}, {340, 110}},
        {{0, 0, 750, 480}, 0, {320, 476}, {215, 0}},
        {{0, 0, 301, 401}, 0, {320, 476}, {-9, -39}},
    };
    for (const PlaceRow& row : overFrame)
        EXPECT_EQ(placeOverFrame(row.frame, row.dialog), row.expected) << row.frame.x();
}

TEST_F(MessageDialogTest, PlacedOverTheMainWindowAtEachShow) {
    const ShownDialog first = show(m_dlg, 1, [&] { m_dlg.onYesClicked(); });
    EXPECT_EQ(first.pos, placeOverClient(m_main.frameGeometry(), m_main.height(), QSize(319, 158)));
    m_main.setGeometry(300, 200, 900, 700);
    const ShownDialog second = show(m_dlg, 1, [&] { m_dlg.onYesClicked(); });
    EXPECT_EQ(second.pos,
              placeOverClient(m_main.frameGeometry(), m_main.height(), QSize(319, 158)));
    EXPECT_NE(first.pos, second.pos);
}

TEST_F(MessageDialogTest, ComponentsInPlace) {
    EXPECT_EQ(m_dlg.size(), QSize(319, 158));
    EXPECT_TRUE(m_dlg.windowFlags() & Qt::FramelessWindowHint);
    const struct {
        QWidget* widget;
        QRect place;
    } rows[] = {
        {m_dlg.background(), {0, 0, 319, 158}},  {m_dlg.textPanel(), {11, 12, 298, 77}},
        {m_dlg.textLabel(), {5, 5, 288, 67}},    {m_dlg.noButton(), {204, 100, 50, 50}},
        {m_dlg.yesButton(), {260, 100, 50, 50}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.widget->geometry(), row.place) << row.widget->metaObject()->className();
    EXPECT_EQ(m_dlg.yesButton()->currentFaceTable(), ImageButton::faceTable(5, 6, 5, 0));
    EXPECT_EQ(m_dlg.noButton()->currentFaceTable(), ImageButton::faceTable(7, 8, 7, 0));
    EXPECT_EQ(m_dlg.yesButton()->buttonFaceImageList(), &resources().dlgs);
    EXPECT_EQ(m_dlg.background()->listIndex(), 1);
    EXPECT_EQ(m_dlg.textPanel()->listIndex(), 2);
    EXPECT_EQ(m_dlg.textLabel()->font().pixelSize(), 16);
    EXPECT_TRUE(m_dlg.textLabel()->font().bold());
}

} // namespace
