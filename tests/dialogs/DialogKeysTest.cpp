// SPDX-License-Identifier: MIT
// Every dialog by keyboard: Enter does what the tick does, Escape what cancel or close does, Tab
// and the arrow keys move a visible focus between the buttons, and Enter or Space on a focused
// button presses it. Keys go where the application sends them: to the widget with the focus.
#include "DialogTestKit.h"
#include "dialogs/BestListDialog.h"
#include "dialogs/InfoDialog.h"
#include "dialogs/LanguageDialog.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/OptionsDialog.h"
#include "logic/GameOptions.h"
#include "platform/SettingsStore.h"
#include "platform/TextScrambler.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/TransparentCheckBox.h"

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
bool active(QDialog& dlg) {
    return QTest::qWaitFor(
        [&] {
            return QGuiApplication::focusWindow() == dlg.windowHandle() &&
                   QApplication::activeWindow() == &dlg;
        },
        2000);
}

// Types each key into whatever has the keyboard focus at that moment; stops once the dialog
// has closed.
void type(QDialog& dlg, const std::vector<Qt::Key>& keys) {
    for (Qt::Key key : keys) {
        if (!dlg.isVisible()) return;
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &dlg, key);
    }
}

std::string keysName(const std::vector<Qt::Key>& keys) {
    std::string name;
    for (Qt::Key key : keys)
        name += QKeySequence(key).toString().toStdString() + " ";
    return name;
}

class DialogKeys : public testing::Test {
  protected:
    void SetUp() override {
        m_saved = {testOptions().tongue, testOptions().musicFound, testOptions().musicOn};
        QFile::remove(SettingsStore::defaultFileName());
    }
    void TearDown() override {
        testOptions().tongue = m_saved.tongue;
        testOptions().musicFound = m_saved.musicFound;
        testOptions().musicOn = m_saved.musicOn;
        QFile::remove(SettingsStore::defaultFileName());
    }
    struct {
        int32_t tongue;
        bool musicFound, musicOn;
    } m_saved{};
    FakeMainWindow m_main;
};

TEST_F(DialogKeys, MessageBoxAnswersTheFocusedButtonAndTheKeysOfItsOwn) {
    const struct {
        int message;
        std::vector<Qt::Key> keys;
        int result;
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
    MessageDialog dlg(&m_main, testOptions(), resources());
    for (const auto& row : rows) {
        const std::string name = std::to_string(row.message) + ": " + keysName(row.keys);
        int result = -1;
        ASSERT_TRUE(runModal(
            dlg, [&] { result = dlg.showMsg(row.message); },
            [&] {
                ASSERT_TRUE(active(dlg));
                EXPECT_TRUE(dlg.yesButton()->hasFocus()) << name;
                type(dlg, row.keys);
            }))
            << name;
        EXPECT_EQ(result, row.result) << name;
    }
}

TEST_F(DialogKeys, LanguageQuestionByTabArrowsAndEnter) {
    const struct {
        std::vector<Qt::Key> keys;
        int32_t tongue;
        int result;
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
    // A German desktop: the focus starts on German.
    const QByteArray savedLcAll = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    for (const auto& row : rows) {
        LanguageDialog dlg(testOptions(), resources());
        testOptions().tongue = -1;
        int result = -1;
        ASSERT_TRUE(runModal(
            dlg, [&] { result = dlg.showModal(); },
            [&] {
                ASSERT_TRUE(active(dlg));
                EXPECT_TRUE(dlg.germanButton()->hasFocus()) << keysName(row.keys);
                type(dlg, row.keys);
            }))
            << keysName(row.keys);
        EXPECT_EQ(testOptions().tongue, row.tongue) << keysName(row.keys);
        EXPECT_EQ(result, row.result) << keysName(row.keys);
    }
    // Any other desktop: Enter answers English.
    qputenv("LC_ALL", "en_GB.UTF-8");
    LanguageDialog dlg(testOptions(), resources());
    testOptions().tongue = -1;
    ASSERT_TRUE(runModal(
        dlg, [&] { dlg.showModal(); },
        [&] {
            ASSERT_TRUE(active(dlg));
            EXPECT_TRUE(dlg.englishButton()->hasFocus());
            type(dlg, {Qt::Key_Return});
        }));
    EXPECT_EQ(testOptions().tongue, 0);
    qputenv("LC_ALL", savedLcAll);
}

TEST(DesktopLanguage, TheFirstLocaleSetDecides) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        bool german;
    } rows[] = {
        {nullptr, nullptr, "de_DE.UTF-8", true},
        {nullptr, nullptr, "de", true},
        {nullptr, nullptr, "de_AT@euro", true},
        {nullptr, nullptr, "en_US.UTF-8", false},
        {nullptr, nullptr, "C", false},
        {nullptr, nullptr, nullptr, false},
        {"", "", "de_CH", true},
        {nullptr, "en_GB", "de_DE", false},
        {"de_DE", "en_GB", "en_GB", true},
        {"C.UTF-8", nullptr, "de_DE", false},
        {nullptr, "de_DE.UTF-8", "en_US", true},
        {nullptr, nullptr, "dsb_DE", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(localeIsGerman(row.lcAll, row.lcMessages, row.lang), row.german)
            << (row.lcAll ? row.lcAll : "-") << " " << (row.lcMessages ? row.lcMessages : "-")
            << " " << (row.lang ? row.lang : "-");
}

TEST_F(DialogKeys, OptionsCloseByEnterAndEscapeAndPressTheFocusedButton) {
    testOptions().backgroundMode = 0;
    OptionsDialog dlg(&m_main, testOptions(), resources());
    testOptions().musicFound = false;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        testOptions().tongue = 0;
        ASSERT_TRUE(runModal(
            dlg, [&] { dlg.showModal(); },
            [&] {
                ASSERT_TRUE(active(dlg));
                EXPECT_TRUE(dlg.okButton()->hasFocus());
                type(dlg, {key});
                EXPECT_FALSE(dlg.isVisible()) << keysName({key});
            }));
        EXPECT_EQ(testOptions().tongue, 0);
    }
    // Tab to the language button, press it twice, then Escape; the disabled music button is
    // passed over on the way round.
    testOptions().tongue = 0;
    std::vector<QWidget*> visited;
    ASSERT_TRUE(runModal(
        dlg, [&] { dlg.showModal(); },
        [&] {
            ASSERT_TRUE(active(dlg));
            type(dlg, {Qt::Key_Tab, Qt::Key_Return});
            EXPECT_EQ(testOptions().tongue, 1);
            EXPECT_EQ(dlg.languageLabel()->text(), QStringLiteral("Ich spreche deutsch."));
            type(dlg, {Qt::Key_Space});
            EXPECT_EQ(testOptions().tongue, 0);
            EXPECT_TRUE(dlg.isVisible());
            for (int i = 0; i < 5; ++i) {
                type(dlg, {Qt::Key_Tab});
                visited.push_back(QApplication::focusWidget());
            }
            type(dlg, {Qt::Key_Escape});
        }));
    EXPECT_EQ(visited,
              (std::vector<QWidget*>{dlg.soundButton(), dlg.backgroundButton(), dlg.fairButton(),
                                     dlg.okButton(), dlg.languageButton()}));
    // The next show starts on the tick again.
    ASSERT_TRUE(runModal(
        dlg, [&] { dlg.showModal(); },
        [&] {
            ASSERT_TRUE(active(dlg));
            EXPECT_TRUE(dlg.okButton()->hasFocus());
            dlg.onOkClicked();
        }));
}

TEST_F(DialogKeys, InformationClosesByEnterAndEscape) {
    InfoDialog dlg(&m_main, testOptions(), resources());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) {
        ASSERT_TRUE(runModal(
            dlg, [&] { dlg.exec(); },
            [&] {
                ASSERT_TRUE(active(dlg));
                EXPECT_TRUE(dlg.okButton()->hasFocus());
                type(dlg, {key});
                EXPECT_FALSE(dlg.isVisible()) << keysName({key});
            }));
    }
}

class BestListKeys : public DialogKeys {
  protected:
    void SetUp() override {
        DialogKeys::SetUp();
        for (int i = 0; i < 15; ++i)
            m_ini.writeText("common", "hs3" + QString::number(i),
                            scrambleText(QStringLiteral("%1,p%2").arg(10 * (i + 1)).arg(i)));
        m_dlg.setIniString("hs3");
    }
    QString stored(int index) {
        return unscrambleText(m_ini.readText("common", "hs3" + QString::number(index), ""));
    }
    SettingsStore m_ini;
    BestListDialog m_dlg{&m_main, m_ini, testOptions(), resources()};
};

TEST_F(BestListKeys, EnterAfterTypingTheNameConfirmsItAsTheTickDoes) {
    ASSERT_TRUE(runModal(
        m_dlg, [&] { m_dlg.showModal(25, false); },
        [&] {
            ASSERT_TRUE(active(m_dlg));
            ASSERT_TRUE(m_dlg.nameEdit()->hasFocus());
            QTest::keyClicks(m_dlg.nameEdit(), "Ada");
            type(m_dlg, {Qt::Key_Return});
        }));
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    EXPECT_EQ(stored(2), "25,Ada");
    EXPECT_EQ(stored(3), "30,p2");
    EXPECT_EQ(m_ini.readText("common", "player", ""), "Ada");
}

TEST_F(BestListKeys, EscapeWhileTypingCancelsTheEntry) {
    ASSERT_TRUE(runModal(
        m_dlg, [&] { m_dlg.showModal(25, false); },
        [&] {
            ASSERT_TRUE(active(m_dlg));
            QTest::keyClicks(m_dlg.nameEdit(), "Ada");
            type(m_dlg, {Qt::Key_Escape});
        }));
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(stored(2), "30,p2");
    EXPECT_EQ(m_ini.readText("common", "player", "<none>"), "<none>");
}

TEST_F(BestListKeys, TabFromTheNameWalksTheCheckBoxCancelAndTick) {
    std::vector<QWidget*> visited;
    ASSERT_TRUE(runModal(
        m_dlg, [&] { m_dlg.showModal(25, false); },
        [&] {
            ASSERT_TRUE(active(m_dlg));
            QTest::keyClicks(m_dlg.nameEdit(), "Ada");
            for (int i = 0; i < 4; ++i) {
                type(m_dlg, {Qt::Key_Tab});
                visited.push_back(QApplication::focusWidget());
            }
            // Round to Cancel again, whose Enter cancels.
            type(m_dlg, {Qt::Key_Tab, Qt::Key_Return});
        }));
    // The name field is left by Tab but never reached by it.
    EXPECT_EQ(visited, (std::vector<QWidget*>{m_dlg.clearCheck(), m_dlg.cancelButton(),
                                              m_dlg.okButton(), m_dlg.clearCheck()}));
    EXPECT_EQ(m_dlg.result(), QDialog::Rejected);
    EXPECT_EQ(stored(2), "30,p2");
}

TEST_F(BestListKeys, SpaceTicksRemoveAllAndEnterConfirmsIt) {
    ASSERT_TRUE(runModal(
        m_dlg, [&] { m_dlg.showModal(25, false); },
        [&] {
            ASSERT_TRUE(active(m_dlg));
            type(m_dlg, {Qt::Key_Tab, Qt::Key_Space});
            EXPECT_TRUE(m_dlg.clearCheck()->isChecked());
            type(m_dlg, {Qt::Key_Return});
        }));
    EXPECT_EQ(m_dlg.result(), QDialog::Accepted);
    for (int i : {0, 2, 14})
        EXPECT_EQ(stored(i), "0,Mr. Brain") << i;
}

TEST_F(BestListKeys, ViewingClosesByEnterWithTheTickAndByEscape) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        m_ini.writeText("common", "player", "<untouched>");
        ASSERT_TRUE(runModal(
            m_dlg, [&] { m_dlg.showModal(0, true); },
            [&] {
                ASSERT_TRUE(active(m_dlg));
                EXPECT_TRUE(m_dlg.okButton()->hasFocus());
                // Cancel is hidden: Tab goes between the check box and the tick.
                type(m_dlg, {Qt::Key_Tab});
                EXPECT_TRUE(m_dlg.clearCheck()->hasFocus());
                type(m_dlg, {Qt::Key_Tab});
                EXPECT_TRUE(m_dlg.okButton()->hasFocus());
                type(m_dlg, {key});
            }));
        EXPECT_EQ(m_dlg.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
        // A list only looked at is never written back, whichever way it closes.
        EXPECT_EQ(m_ini.readText("common", "player", ""), "<untouched>");
    }
}

} // namespace
