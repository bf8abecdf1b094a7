// The message dialog: texts and button modes by number and language, keys, placement.
#include "MessageDialog.h"
#include "BackPanel.h"
#include "DialogKit.h"
#include "DialogTestKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "TextLabel.h"

#include <QTest>

namespace {

// tongue is global: every test leaves it as it found it.
class MessageDialogTest : public testing::Test {
  protected:
    void SetUp() override { SavedTongue = tongue; }
    void TearDown() override { tongue = SavedTongue; }

    struct ShownDialog {
        int Result = -1;
        QString Text;
        bool NoVisible = false;
        bool YesVisible = false;
        QPoint Pos;
    };

    // Shows message `number` and answers with `answer` once it is up.
    ShownDialog Show(MessageDialog& dlg, int number, const std::function<void()>& answer) {
        ShownDialog shown;
        RunModal(
            dlg, [&] { shown.Result = dlg.ShowMsg(number); },
            [&] {
                shown.Text = dlg.textLabel()->Caption();
                shown.NoVisible = dlg.noButton()->isVisible();
                shown.YesVisible = dlg.yesButton()->isVisible();
                shown.Pos = dlg.pos();
                answer();
            });
        return shown;
    }

    FakeMainWindow Main;
    MessageDialog Dlg{&Main, Resources()};
    int32_t SavedTongue = -1;
};

struct MessageRow {
    int Number;
    int Mode;
    const char* German;
    const char* English;
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
            SCOPED_TRACE(testing::Message() << "message " << row.Number << " tongue " << language);
            tongue = language;
            const ShownDialog shown = Show(Dlg, row.Number, [&] { Dlg.onYesClicked(); });
            EXPECT_EQ(shown.Result, ResultYes);
            EXPECT_EQ(Dlg.messageNumber(), row.Number);
            EXPECT_EQ(Dlg.buttonMode(), row.Mode);
            EXPECT_EQ(shown.Text, QString::fromUtf8(language == 1 ? row.German : row.English));
            EXPECT_EQ(shown.NoVisible, row.Mode == 2);
            EXPECT_TRUE(shown.YesVisible);
        }
    }
}

TEST_F(MessageDialogTest, CarriageReturnBreaksTheLine) {
    tongue = 0;
    Show(Dlg, 12, [&] {
        EXPECT_EQ(Dlg.textLabel()->Lines(), (QStringList{"Game paused.", "Continue?"}));
        Dlg.onYesClicked();
    });
}

TEST_F(MessageDialogTest, NumbersWithoutTextKeepTheLastTextAndMode) {
    tongue = 0;
    Show(Dlg, 3, [&] { Dlg.onNoClicked(); });
    for (int number : {0, 15, -1, 99}) {
        const ShownDialog shown = Show(Dlg, number, [&] { Dlg.onYesClicked(); });
        EXPECT_EQ(shown.Text, "Do you really want to go?") << number;
        EXPECT_EQ(Dlg.buttonMode(), 2) << number;
        EXPECT_TRUE(shown.NoVisible) << number;
    }
    Show(Dlg, 1, [&] { Dlg.onYesClicked(); });
    Dlg.setCustomText("Own text");
    for (int number : {10, 11}) {
        const ShownDialog shown = Show(Dlg, number, [&] { Dlg.onYesClicked(); });
        EXPECT_EQ(shown.Text, "Own text") << number;
        EXPECT_EQ(Dlg.buttonMode(), 1) << number;
        EXPECT_FALSE(shown.NoVisible) << number;
    }
}

struct KeyRow {
    const char* Name;
    Qt::Key Key;
    char Character; // 0: use Key
    int Result;     // 0: the key does nothing
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
            SCOPED_TRACE(testing::Message() << "message " << message << " key " << row.Name);
            bool openAfterKey = false;
            const ShownDialog shown = Show(Dlg, message, [&] {
                if (row.Character)
                    QTest::keyClick(&Dlg, row.Character);
                else
                    QTest::keyClick(&Dlg, row.Key);
                openAfterKey = Dlg.isVisible();
                if (openAfterKey) Dlg.close(); // neither Yes nor No
            });
            EXPECT_EQ(shown.Result, row.Result);
            EXPECT_EQ(openAfterKey, row.Result == 0);
        }
    }
}

TEST_F(MessageDialogTest, ButtonsAnswerAndCloseOtherwiseGivesNeither) {
    EXPECT_EQ(Show(Dlg, 4, [&] { QTest::mouseClick(Dlg.yesButton(), Qt::LeftButton); }).Result,
              ResultYes);
    EXPECT_EQ(Show(Dlg, 4, [&] { QTest::mouseClick(Dlg.noButton(), Qt::LeftButton); }).Result,
              ResultNo);
    const int closed = Show(Dlg, 4, [&] { Dlg.close(); }).Result;
    EXPECT_NE(closed, ResultYes);
    EXPECT_NE(closed, ResultNo);
    EXPECT_FALSE(Dlg.yesButton()->ShowHint());
    EXPECT_FALSE(Dlg.noButton()->ShowHint());
}

struct PlaceRow {
    QRect Frame;
    int ClientHeight;
    QSize Dialog;
    QPoint Expected;
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
        EXPECT_EQ(PlaceOverClient(row.Frame, row.ClientHeight, row.Dialog), row.Expected)
            << row.Frame.x() << "," << row.Frame.y();
    const PlaceRow overFrame[] = {
        {{100, 50, 800, 600}, 0, {320, 476}, {340, 110}},
        {{0, 0, 750, 480}, 0, {320, 476}, {215, 0}},
        {{0, 0, 301, 401}, 0, {320, 476}, {-9, -39}},
    };
    for (const PlaceRow& row : overFrame)
        EXPECT_EQ(PlaceOverFrame(row.Frame, row.Dialog), row.Expected) << row.Frame.x();
}

TEST_F(MessageDialogTest, PlacedOverTheMainWindowAtEachShow) {
    const ShownDialog first = Show(Dlg, 1, [&] { Dlg.onYesClicked(); });
    EXPECT_EQ(first.Pos, PlaceOverClient(Main.frameGeometry(), Main.height(), QSize(319, 158)));
    Main.setGeometry(300, 200, 900, 700);
    const ShownDialog second = Show(Dlg, 1, [&] { Dlg.onYesClicked(); });
    EXPECT_EQ(second.Pos, PlaceOverClient(Main.frameGeometry(), Main.height(), QSize(319, 158)));
    EXPECT_NE(first.Pos, second.Pos);
}

TEST_F(MessageDialogTest, ComponentsInPlace) {
    EXPECT_EQ(Dlg.size(), QSize(319, 158));
    EXPECT_TRUE(Dlg.windowFlags() & Qt::FramelessWindowHint);
    const struct {
        QWidget* Widget;
        QRect Place;
    } rows[] = {
        {Dlg.background(), {0, 0, 319, 158}},  {Dlg.textPanel(), {11, 12, 298, 77}},
        {Dlg.textLabel(), {5, 5, 288, 67}},    {Dlg.noButton(), {204, 100, 50, 50}},
        {Dlg.yesButton(), {260, 100, 50, 50}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.Widget->geometry(), row.Place) << row.Widget->metaObject()->className();
    EXPECT_EQ(Dlg.yesButton()->ButtonFaceIndicesNew2(), ImageButton::FaceTable(5, 6, 5, 0));
    EXPECT_EQ(Dlg.noButton()->ButtonFaceIndicesNew2(), ImageButton::FaceTable(7, 8, 7, 0));
    EXPECT_EQ(Dlg.yesButton()->ButtonFaceImageList(), &Resources().dlgs);
    EXPECT_EQ(Dlg.background()->ListIndex(), 1);
    EXPECT_EQ(Dlg.textPanel()->ListIndex(), 2);
    EXPECT_EQ(Dlg.textLabel()->font().pixelSize(), 16);
    EXPECT_TRUE(Dlg.textLabel()->font().bold());
}

} // namespace
