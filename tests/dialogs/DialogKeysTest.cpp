// Every dialog by keyboard: Enter does what the tick does, Escape what cancel or close does, Tab
// and the arrow keys move a visible focus between the buttons, and Enter or Space on a focused
// button presses it. Keys go where the application sends them: to the widget with the focus.
#include "BestListDialog.h"
#include "DialogTestKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "InfoDialog.h"
#include "LanguageDialog.h"
#include "MessageDialog.h"
#include "OptionsDialog.h"
#include "SettingsStore.h"
#include "TextScrambler.h"
#include "TransparentCheckBox.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

namespace {

// Waits until the dialog itself holds the keyboard, as it does for the player once the window
// manager has given it the focus. QTest::qWaitForWindowActive is not enough: a transient window
// counts as active while its parent still has the focus, so under a window manager it returns
// before the focus has moved from the main window to the dialog.
bool Active(QDialog& dlg) {
    return QTest::qWaitFor(
        [&] {
            return QGuiApplication::focusWindow() == dlg.windowHandle() &&
                   QApplication::activeWindow() == &dlg;
        },
        2000);
}

// Types each key into whatever has the keyboard focus at that moment; stops once the dialog
// has closed.
void Type(QDialog& dlg, const std::vector<Qt::Key>& keys) {
    for (Qt::Key key : keys) {
        if (!dlg.isVisible()) return;
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &dlg, key);
    }
}

std::string Name(const std::vector<Qt::Key>& keys) {
    std::string name;
    for (Qt::Key key : keys)
        name += QKeySequence(key).toString().toStdString() + " ";
    return name;
}

class DialogKeys : public testing::Test {
  protected:
    void SetUp() override {
        Saved = {tongue, musicFound, musicOn};
        QFile::remove(SettingsStore::DefaultFileName());
    }
    void TearDown() override {
        tongue = Saved.tongue;
        musicFound = Saved.musicFound;
        musicOn = Saved.musicOn;
        QFile::remove(SettingsStore::DefaultFileName());
    }
    struct {
        int32_t tongue;
        bool musicFound, musicOn;
    } Saved{};
    FakeMainWindow Main;
};

TEST_F(DialogKeys, MessageBoxAnswersTheFocusedButtonAndTheKeysOfItsOwn) {
    const struct {
        int Message;
        std::vector<Qt::Key> Keys;
        int Result;
    } rows[] = {
        {4, {Qt::Key_Return}, ResultYes},
        {4, {Qt::Key_Enter}, ResultYes},
        {4, {Qt::Key_Space}, ResultYes},
        {4, {Qt::Key_Escape}, ResultNo},
        {4, {Qt::Key_N}, ResultNo},
        // The focus moves to No: Enter now answers No, as the frame shows.
        {4, {Qt::Key_Tab, Qt::Key_Return}, ResultNo},
        {4, {Qt::Key_Left, Qt::Key_Space}, ResultNo},
        {4, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, ResultYes},
        // One button: Tab has nowhere else to go.
        {12, {Qt::Key_Tab, Qt::Key_Return}, ResultYes},
        {12, {Qt::Key_Escape}, ResultNo},
    };
    MessageDialog dlg(&Main, Resources());
    for (const auto& row : rows) {
        const std::string name = std::to_string(row.Message) + ": " + Name(row.Keys);
        int result = -1;
        ASSERT_TRUE(RunModal(
            dlg, [&] { result = dlg.ShowMsg(row.Message); },
            [&] {
                ASSERT_TRUE(Active(dlg));
                EXPECT_TRUE(dlg.yesButton()->hasFocus()) << name;
                Type(dlg, row.Keys);
            }))
            << name;
        EXPECT_EQ(result, row.Result) << name;
    }
}

TEST_F(DialogKeys, LanguageQuestionByTabArrowsAndEnter) {
    const struct {
        std::vector<Qt::Key> Keys;
        int32_t tongue;
        int Result;
    } rows[] = {
        {{Qt::Key_Return}, 1, QDialog::Accepted},
        {{Qt::Key_Tab, Qt::Key_Return}, 0, QDialog::Accepted},
        {{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Enter}, 1, QDialog::Accepted},
        {{Qt::Key_Backtab, Qt::Key_Return}, 0, QDialog::Accepted},
        {{Qt::Key_Down, Qt::Key_Space}, 0, QDialog::Accepted},
        {{Qt::Key_Down, Qt::Key_Up, Qt::Key_Return}, 1, QDialog::Accepted},
        {{Qt::Key_Right, Qt::Key_Return}, 0, QDialog::Accepted},
        // Escape leaves the question unanswered, to be asked again at the next start.
        {{Qt::Key_Escape}, -1, QDialog::Rejected},
        {{Qt::Key_Tab, Qt::Key_Escape}, -1, QDialog::Rejected},
    };
    for (const auto& row : rows) {
        LanguageDialog dlg(Resources());
        tongue = -1;
        int result = -1;
        ASSERT_TRUE(RunModal(
            dlg, [&] { result = dlg.ShowModal(); },
            [&] {
                ASSERT_TRUE(Active(dlg));
                EXPECT_TRUE(dlg.germanButton()->hasFocus()) << Name(row.Keys);
                Type(dlg, row.Keys);
            }))
            << Name(row.Keys);
        EXPECT_EQ(tongue, row.tongue) << Name(row.Keys);
        EXPECT_EQ(result, row.Result) << Name(row.Keys);
    }
}

TEST_F(DialogKeys, OptionsCloseByEnterAndEscapeAndPressTheFocusedButton) {
    int32_t backMode = 0;
    OptionsDialog dlg(&Main, backMode, Resources());
    musicFound = false;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        tongue = 0;
        ASSERT_TRUE(RunModal(
            dlg, [&] { dlg.ShowModal(); },
            [&] {
                ASSERT_TRUE(Active(dlg));
                EXPECT_TRUE(dlg.okButton->hasFocus());
                Type(dlg, {key});
                EXPECT_FALSE(dlg.isVisible()) << Name({key});
            }));
        EXPECT_EQ(tongue, 0);
    }
    // Tab to the language button, press it twice, then Escape; the disabled music button is
    // passed over on the way round.
    tongue = 0;
    std::vector<QWidget*> visited;
    ASSERT_TRUE(RunModal(
        dlg, [&] { dlg.ShowModal(); },
        [&] {
            ASSERT_TRUE(Active(dlg));
            Type(dlg, {Qt::Key_Tab, Qt::Key_Return});
            EXPECT_EQ(tongue, 1);
            EXPECT_EQ(dlg.languageLabel->text(), QStringLiteral("Ich spreche deutsch."));
            Type(dlg, {Qt::Key_Space});
            EXPECT_EQ(tongue, 0);
            EXPECT_TRUE(dlg.isVisible());
            for (int i = 0; i < 5; ++i) {
                Type(dlg, {Qt::Key_Tab});
                visited.push_back(QApplication::focusWidget());
            }
            Type(dlg, {Qt::Key_Escape});
        }));
    EXPECT_EQ(visited, (std::vector<QWidget*>{dlg.soundButton, dlg.backgroundButton, dlg.fairButton,
                                              dlg.okButton, dlg.languageButton}));
    // The next show starts on the tick again.
    ASSERT_TRUE(RunModal(
        dlg, [&] { dlg.ShowModal(); },
        [&] {
            ASSERT_TRUE(Active(dlg));
            EXPECT_TRUE(dlg.okButton->hasFocus());
            dlg.onOkClicked();
        }));
}

TEST_F(DialogKeys, InformationClosesByEnterAndEscape) {
    InfoDialog dlg(&Main, Resources());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) {
        ASSERT_TRUE(RunModal(
            dlg, [&] { dlg.exec(); },
            [&] {
                ASSERT_TRUE(Active(dlg));
                EXPECT_TRUE(dlg.okButton()->hasFocus());
                Type(dlg, {key});
                EXPECT_FALSE(dlg.isVisible()) << Name({key});
            }));
    }
}

class BestListKeys : public DialogKeys {
  protected:
    void SetUp() override {
        DialogKeys::SetUp();
        for (int i = 0; i < 15; ++i)
            Ini.WriteText("common", "hs3" + QString::number(i),
                          ScrambleText(QStringLiteral("%1,p%2").arg(10 * (i + 1)).arg(i)));
        Dlg.SetDirection(1);
        Dlg.SetINIString("hs3");
    }
    QString Stored(int index) {
        return UnscrambleText(Ini.ReadText("common", "hs3" + QString::number(index), ""));
    }
    SettingsStore Ini;
    BestListDialog Dlg{&Main, Ini, Resources()};
};

TEST_F(BestListKeys, EnterAfterTypingTheNameConfirmsItAsTheTickDoes) {
    ASSERT_TRUE(RunModal(
        Dlg, [&] { Dlg.ShowModal(25, false); },
        [&] {
            ASSERT_TRUE(Active(Dlg));
            ASSERT_TRUE(Dlg.nameEdit->hasFocus());
            QTest::keyClicks(Dlg.nameEdit, "Ada");
            Type(Dlg, {Qt::Key_Return});
        }));
    EXPECT_EQ(Dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Stored(2), "25,Ada");
    EXPECT_EQ(Stored(3), "30,p2");
    EXPECT_EQ(Ini.ReadText("common", "player", ""), "Ada");
}

TEST_F(BestListKeys, EscapeWhileTypingCancelsTheEntry) {
    ASSERT_TRUE(RunModal(
        Dlg, [&] { Dlg.ShowModal(25, false); },
        [&] {
            ASSERT_TRUE(Active(Dlg));
            QTest::keyClicks(Dlg.nameEdit, "Ada");
            Type(Dlg, {Qt::Key_Escape});
        }));
    EXPECT_EQ(Dlg.result(), QDialog::Rejected);
    EXPECT_EQ(Stored(2), "30,p2");
    EXPECT_EQ(Ini.ReadText("common", "player", "<none>"), "<none>");
}

TEST_F(BestListKeys, TabFromTheNameWalksTheCheckBoxCancelAndTick) {
    std::vector<QWidget*> visited;
    ASSERT_TRUE(RunModal(
        Dlg, [&] { Dlg.ShowModal(25, false); },
        [&] {
            ASSERT_TRUE(Active(Dlg));
            QTest::keyClicks(Dlg.nameEdit, "Ada");
            for (int i = 0; i < 4; ++i) {
                Type(Dlg, {Qt::Key_Tab});
                visited.push_back(QApplication::focusWidget());
            }
            // Round to Cancel again, whose Enter cancels.
            Type(Dlg, {Qt::Key_Tab, Qt::Key_Return});
        }));
    // The name field is left by Tab but never reached by it.
    EXPECT_EQ(visited, (std::vector<QWidget*>{Dlg.clearCheck, Dlg.cancelButton, Dlg.okButton,
                                              Dlg.clearCheck}));
    EXPECT_EQ(Dlg.result(), QDialog::Rejected);
    EXPECT_EQ(Stored(2), "30,p2");
}

TEST_F(BestListKeys, SpaceTicksRemoveAllAndEnterConfirmsIt) {
    ASSERT_TRUE(RunModal(
        Dlg, [&] { Dlg.ShowModal(25, false); },
        [&] {
            ASSERT_TRUE(Active(Dlg));
            Type(Dlg, {Qt::Key_Tab, Qt::Key_Space});
            EXPECT_TRUE(Dlg.clearCheck->isChecked());
            Type(Dlg, {Qt::Key_Return});
        }));
    EXPECT_EQ(Dlg.result(), QDialog::Accepted);
    for (int i : {0, 2, 14})
        EXPECT_EQ(Stored(i), "0,Mr. Brain") << i;
}

TEST_F(BestListKeys, ViewingClosesByEnterWithTheTickAndByEscape) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Ini.WriteText("common", "player", "<untouched>");
        ASSERT_TRUE(RunModal(
            Dlg, [&] { Dlg.ShowModal(0, true); },
            [&] {
                ASSERT_TRUE(Active(Dlg));
                EXPECT_TRUE(Dlg.okButton->hasFocus());
                // Cancel is hidden: Tab goes between the check box and the tick.
                Type(Dlg, {Qt::Key_Tab});
                EXPECT_TRUE(Dlg.clearCheck->hasFocus());
                Type(Dlg, {Qt::Key_Tab});
                EXPECT_TRUE(Dlg.okButton->hasFocus());
                Type(Dlg, {key});
            }));
        EXPECT_EQ(Dlg.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        // A list only looked at is never written back, whichever way it closes.
        EXPECT_EQ(Ini.ReadText("common", "player", ""), "<untouched>");
    }
}

} // namespace
