// SPDX-License-Identifier: MIT
// The options dialog and the language question: rings, labels, callbacks, places.
#include "dialogs/OptionsDialog.h"
#include "DialogTestKit.h"
#include "audio/Audio.h"
#include "dialogs/DialogKit.h"
#include "dialogs/LanguageDialog.h"
#include "logic/GameOptions.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ListImage.h"
#include "platform/widgets/RotatedLabel.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <string>
#include <vector>

namespace {

// The option globals are shared: each test restores them.
class OptionsFixture : public testing::Test {
  protected:
    void SetUp() override {
        m_saved = {testOptions().tongue, testOptions().soundOn, testOptions().musicOn,
                   testOptions().musicFound, testOptions().fairJudging};
        QObject::connect(&m_dlg, &OptionsDialog::backgroundChanged, [this] {
            m_calls.push_back("background " + std::to_string(m_backgroundMode));
        });
        QObject::connect(&m_dlg, &OptionsDialog::textsChanged, [this] {
            m_calls.push_back("texts " + std::to_string(testOptions().tongue));
        });
    }
    void TearDown() override {
        testOptions().tongue = m_saved.tongue;
        testOptions().soundOn = m_saved.soundOn;
        testOptions().musicOn = m_saved.musicOn;
        testOptions().musicFound = m_saved.musicFound;
        testOptions().fairJudging = m_saved.fairJudging;
    }

    struct {
        int32_t tongue;
        bool soundOn, musicOn, musicFound, fairJudging;
    } m_saved{};
    FakeMainWindow m_main;
    int32_t& m_backgroundMode = startBackground();
    OptionsDialog m_dlg{&m_main, testOptions(), resources()};

    static int32_t& startBackground() {
        testOptions().backgroundMode = 0;
        return testOptions().backgroundMode;
    }
    std::vector<std::string> m_calls;
};

using OptionsDialogTest = OptionsFixture;

TEST(NextTongue, Ring) {
    const struct {
        int32_t from, to;
    } rows[] = {
        {-1, 0},
        {0, 1},
        {1, 0},
        // A stored value out of range: 2 shows English, so the press must give German.
        {2, 1},
        {3, 0},
        {-2, -1},
        {-3, 0},
        {INT32_MAX, 0},
        {INT32_MIN, -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(nextTongue(row.from), row.to) << row.from;
}

TEST_F(OptionsDialogTest, LanguageButtonRingsFromUnchosen) {
    testOptions().tongue = -1;
    m_dlg.refreshTexts();
    EXPECT_EQ(m_dlg.languageLabel()->text(), "I speak English.");
    const struct {
        int32_t tongue;
        const char* label;
        const char* heading;
        const char* hint;
    } steps[] = {
        {0, "I speak English.", "Options:", "Change language"},
        {1, "Ich spreche deutsch.", "Einstellungen:", "Sprache ändern"},
        {0, "I speak English.", "Options:", "Change language"},
    };
    for (const auto& step : steps) {
        m_calls.clear();
        m_dlg.onLanguageClicked();
        EXPECT_EQ(testOptions().tongue, step.tongue);
        EXPECT_EQ(m_dlg.languageLabel()->text(), QString::fromUtf8(step.label));
        EXPECT_EQ(m_dlg.optionsLabel()->text(), QString::fromUtf8(step.heading));
        EXPECT_EQ(m_dlg.languageButton()->hint(), QString::fromUtf8(step.hint));
        // The main window's texts follow, after the dialog's own.
        EXPECT_EQ(m_calls, std::vector<std::string>{"texts " + std::to_string(step.tongue)});
    }
}

TEST_F(OptionsDialogTest, BackgroundButtonRingsThroughSeven) {
    testOptions().tongue = 0;
    m_dlg.refreshTexts();
    EXPECT_EQ(m_dlg.backgroundLabel()->text(), "Background: 1");
    for (int press = 1; press <= 8; ++press) {
        m_calls.clear();
        m_dlg.onBackgroundClicked();
        const int32_t want = press % 7;
        EXPECT_EQ(m_backgroundMode, want);
        EXPECT_EQ(m_dlg.backgroundLabel()->text(), QStringLiteral("Background: %1").arg(want + 1));
        // The picture is rebuilt first, then the tool bar texts are set.
        EXPECT_EQ(m_calls,
                  (std::vector<std::string>{"background " + std::to_string(want), "texts 0"}));
    }
    testOptions().tongue = 1;
    m_dlg.refreshTexts();
    EXPECT_EQ(m_dlg.backgroundLabel()->text(), "Hintergrund: 2");
    // A stored value out of range still lands in the ring.
    for (int32_t start : {-3, 9, INT32_MAX}) {
        m_backgroundMode = start;
        m_dlg.onBackgroundClicked();
        EXPECT_GE(m_backgroundMode, 0) << start;
        EXPECT_LE(m_backgroundMode, 6) << start;
    }
}

// The on/off rows: each click flips its value and its label, in both languages.
TEST_F(OptionsDialogTest, SwitchButtonsAndLabels) {
    const struct {
        bool* value;
        QLabel* label;
        ImageButton* button;
        void (OptionsDialog::*click)();
        int32_t tongue;
        const char* on;
        const char* off;
        const char* hint;
    } rows[] = {
        {&testOptions().soundOn, m_dlg.soundLabel(), m_dlg.soundButton(),
         &OptionsDialog::onSoundClicked, 0, "Sound is on.", "Sound is off.", "Sound on or off"},
        {&testOptions().soundOn, m_dlg.soundLabel(), m_dlg.soundButton(),
         &OptionsDialog::onSoundClicked, 1, "Geräusche sind an.", "Geräusche sind aus.",
         "Geräusche ein- und ausschalten."},
        {&testOptions().fairJudging, m_dlg.fairLabel(), m_dlg.fairButton(),
         &OptionsDialog::onFairClicked, 0, "Fair judging is on.", "Fair judging is off.",
         "Judge moves by the clues"},
        {&testOptions().fairJudging, m_dlg.fairLabel(), m_dlg.fairButton(),
         &OptionsDialog::onFairClicked, 1, "Faires Urteil ist an.", "Faires Urteil ist aus.",
         "Züge nach den Zahlen beurteilen"},
    };
    for (const auto& row : rows) {
        testOptions().tongue = row.tongue;
        *row.value = true;
        m_dlg.refreshTexts();
        EXPECT_EQ(row.label->text(), QString::fromUtf8(row.on));
        EXPECT_EQ(row.button->hint(), QString::fromUtf8(row.hint));
        (m_dlg.*row.click)();
        EXPECT_FALSE(*row.value) << row.on;
        EXPECT_EQ(row.label->text(), QString::fromUtf8(row.off));
        (m_dlg.*row.click)();
        EXPECT_TRUE(*row.value) << row.on;
        EXPECT_EQ(row.label->text(), QString::fromUtf8(row.on));
    }
}

TEST_F(OptionsDialogTest, MusicLabelByFoundThenOn) {
    m_dlg.setMusicNameSource([] { return QStringLiteral("ode.mid"); });
    const struct {
        bool found, on;
        int32_t tongue;
        const char* label;
    } rows[] = {
        {false, true, 0, "No music files available."},
        {false, false, 0, "No music files available."},
        {false, true, 1, "Keine Musikdateien vorhanden."},
        {true, true, 0, "Music: ode.mid"},
        {true, true, 1, "Musik: ode.mid"},
        {true, false, 0, "Music is off."},
        {true, false, 1, "Musik ist aus."},
    };
    for (const auto& row : rows) {
        testOptions().musicFound = row.found;
        testOptions().musicOn = row.on;
        testOptions().tongue = row.tongue;
        m_dlg.refreshTexts();
        EXPECT_EQ(m_dlg.musicLabel()->text(), QString::fromUtf8(row.label));
        EXPECT_EQ(m_dlg.musicButton()->isEnabled(), row.found);
    }
}

TEST_F(OptionsDialogTest, WithoutAnAudioDeviceBothRowsSaySoundIsUnavailable) {
    // A driver that does not exist: the device cannot open, so there is no music either.
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    audioClose();
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    testOptions().musicFound = false;
    for (const auto& [language, label] :
         {std::pair{0, "Sound is not available."}, std::pair{1, "Ton ist nicht verfügbar."}}) {
        testOptions().tongue = language;
        for (const bool soundOn : {true, false}) {
            testOptions().soundOn = soundOn;
            m_dlg.refreshTexts();
            EXPECT_EQ(m_dlg.soundLabel()->text(), QString::fromUtf8(label));
            EXPECT_EQ(m_dlg.musicLabel()->text(), QString::fromUtf8(label));
            EXPECT_FALSE(m_dlg.musicButton()->isEnabled());
        }
    }
    testOptions().soundOn = true;
    // With a device again, missing music is told as before.
    qputenv("SDL_AUDIODRIVER", driver);
    audioClose();
    testOptions().tongue = 0;
    m_dlg.refreshTexts();
    EXPECT_EQ(m_dlg.musicLabel()->text(), QStringLiteral("No music files available."));
    EXPECT_EQ(m_dlg.soundLabel()->text(), QStringLiteral("Sound is on."));
}

TEST_F(OptionsDialogTest, MusicButtonSwitchesThenRefreshes) {
    // A player with two files: off, then on with the next one.
    const QStringList files{"a.mid", "b.mid"};
    int current = 0;
    m_dlg.setMusicNameSource([&] { return files[current]; });
    QObject::connect(&m_dlg, &OptionsDialog::musicSwitched, [&] {
        if (testOptions().musicOn) {
            testOptions().musicOn = false;
        } else {
            current = (current + 1) % files.size();
            testOptions().musicOn = true;
        }
    });
    testOptions().tongue = 0;
    testOptions().musicFound = true;
    testOptions().musicOn = true;
    m_dlg.refreshTexts();
    EXPECT_EQ(m_dlg.musicLabel()->text(), "Music: a.mid");
    m_dlg.onMusicClicked();
    EXPECT_EQ(m_dlg.musicLabel()->text(), "Music is off.");
    m_dlg.onMusicClicked();
    EXPECT_EQ(m_dlg.musicLabel()->text(), "Music: b.mid");
}

TEST_F(OptionsDialogTest, FixedTextsAndHints) {
    for (int32_t language : {0, 1}) {
        testOptions().tongue = language;
        m_dlg.refreshTexts();
        const bool de = language == 1;
        EXPECT_EQ(m_dlg.programLabel()->caption(), "Morvek");
        EXPECT_EQ(m_dlg.versionLabel()->caption(), "Version  V1.0");
        EXPECT_EQ(m_dlg.okButton()->hint(), de ? "Zurück zum Spiel" : "Back to game");
        EXPECT_EQ(m_dlg.musicButton()->hint(),
                  de ? "Musik ein- und ausschalten." : "Music on or off.");
        EXPECT_EQ(m_dlg.backgroundButton()->hint(),
                  de ? "Hintergrund ändern" : "Change background");
    }
    for (ImageButton* button : {m_dlg.okButton(), m_dlg.languageButton(), m_dlg.soundButton(),
                                m_dlg.musicButton(), m_dlg.backgroundButton(), m_dlg.fairButton()})
        EXPECT_TRUE(button->showHint());
    EXPECT_EQ(m_dlg.programLabel()->angle(), 90);
    EXPECT_EQ(m_dlg.programLabel()->style3D(), Label3DStyle::Raised);
    EXPECT_EQ(m_dlg.programLabel()->font().pixelSize(), 37);
    EXPECT_TRUE(m_dlg.programLabel()->font().bold());
    EXPECT_EQ(m_dlg.versionLabel()->font().pixelSize(), 16);
}

TEST_F(OptionsDialogTest, ButtonsWorkThroughTheModalShow) {
    testOptions().tongue = 0;
    m_backgroundMode = 2;
    testOptions().fairJudging = true;
    int result = -1;
    QString labelAfter;
    ASSERT_TRUE(runModal(
        m_dlg, [&] { result = m_dlg.showModal(); },
        [&] {
            QTest::mouseClick(m_dlg.languageButton(), Qt::LeftButton);
            QTest::mouseClick(m_dlg.backgroundButton(), Qt::LeftButton);
            QTest::mouseClick(m_dlg.fairButton(), Qt::LeftButton);
            labelAfter = m_dlg.backgroundLabel()->text();
            QTest::mouseClick(m_dlg.okButton(), Qt::LeftButton);
        }));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(testOptions().tongue, 1);
    EXPECT_EQ(m_backgroundMode, 3);
    EXPECT_FALSE(testOptions().fairJudging);
    EXPECT_EQ(labelAfter, "Hintergrund: 4");
}

TEST_F(OptionsDialogTest, PlacedOnlyWhileTheMainWindowIsVisible) {
    QPoint pos;
    auto showAndRead = [&] {
        runModal(
            m_dlg, [&] { m_dlg.showModal(); },
            [&] {
                pos = m_dlg.pos();
                m_dlg.onOkClicked();
            });
    };
    showAndRead();
    EXPECT_EQ(pos, placeOverClient(m_main.frameGeometry(), m_main.height(), QSize(497, 472)));
    m_main.hide();
    m_dlg.move(7, 9);
    showAndRead();
    EXPECT_EQ(pos, QPoint(7, 9));
}

TEST_F(OptionsDialogTest, ComponentsInPlace) {
    EXPECT_EQ(m_dlg.size(), QSize(497, 472));
    const struct {
        QWidget* widget;
        QRect place;
    } rows[] = {
        {m_dlg.background(), {0, 0, 497, 472}},
        {m_dlg.logo(), {0, 12, 105, 77}},
        {m_dlg.programLabel(), {12, 119, 53, 281}},
        {m_dlg.versionLabel(), {56, 130, 21, 266}},
        {m_dlg.okButton(), {436, 411, 50, 50}},
        {m_dlg.settingsPanel(), {116, 12, 369, 389}},
        {m_dlg.optionsLabel(), {19, 12, 254, 29}},
        {m_dlg.languageButton(), {16, 47, 50, 50}},
        {m_dlg.languageLabel(), {79, 64, 294, 18}},
        {m_dlg.soundButton(), {16, 103, 50, 50}},
        {m_dlg.soundLabel(), {79, 120, 294, 18}},
        {m_dlg.musicButton(), {16, 159, 50, 50}},
        {m_dlg.musicLabel(), {79, 176, 294, 18}},
        {m_dlg.backgroundButton(), {16, 215, 50, 50}},
        {m_dlg.backgroundLabel(), {79, 232, 290, 18}},
        {m_dlg.fairButton(), {16, 271, 50, 50}},
        {m_dlg.fairLabel(), {79, 288, 294, 18}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.widget->geometry(), row.place) << row.place.x() << "," << row.place.y();
    // Faces: normal, mouse over, pressed, disabled.
    const struct {
        ImageButton* button;
        const BitmapList* list;
        int normal, over, pressed, disabled;
    } faces[] = {
        {m_dlg.okButton(), &resources().dlgs, 5, 6, 5, 0},
        {m_dlg.languageButton(), &resources().opts, 1, 2, 1, 0},
        {m_dlg.soundButton(), &resources().opts, 6, 8, 6, 0},
        {m_dlg.musicButton(), &resources().opts, 3, 4, 3, 5},
        {m_dlg.backgroundButton(), &resources().opts, 12, 13, 12, 0},
        {m_dlg.fairButton(), &resources().opts, 14, 15, 14, 0},
    };
    for (const auto& row : faces) {
        EXPECT_EQ(row.button->buttonFaceImageList(), row.list);
        const ButtonFaceTable& table = row.button->currentFaceTable();
        EXPECT_EQ(table[ButtonState::Normal], row.normal);
        EXPECT_EQ(table[ButtonState::MouseOver], row.over);
        EXPECT_EQ(table[ButtonState::Pressed], row.pressed);
        EXPECT_EQ(table[ButtonState::Disabled], row.disabled);
    }
}

class LanguageDialogTest : public testing::Test {
  protected:
    void SetUp() override { m_saved = testOptions().tongue; }
    void TearDown() override { testOptions().tongue = m_saved; }
    int32_t m_saved = -1;
    LanguageDialog m_dlg{testOptions(), resources()};
};

TEST_F(LanguageDialogTest, ButtonsChooseAndOtherCloseKeepsUnchosen) {
    const struct {
        const char* name;
        std::function<void(LanguageDialog&)> answer;
        int32_t tongue;
    } rows[] = {
        {"german", [](LanguageDialog& d) { QTest::mouseClick(d.germanButton(), Qt::LeftButton); },
         1},
        {"english", [](LanguageDialog& d) { QTest::mouseClick(d.englishButton(), Qt::LeftButton); },
         0},
        {"closed", [](LanguageDialog& d) { d.close(); }, -1},
    };
    for (const auto& row : rows) {
        testOptions().tongue = -1;
        QPoint pos;
        ASSERT_TRUE(runModal(
            m_dlg, [&] { m_dlg.showModal(); },
            [&] {
                pos = m_dlg.pos();
                row.answer(m_dlg);
            }))
            << row.name;
        EXPECT_EQ(testOptions().tongue, row.tongue) << row.name;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(pos, QPoint(screen.left() + (screen.width() - 408) / 2,
                              screen.top() + (screen.height() - 162) / 2));
    }
}

TEST_F(LanguageDialogTest, ComponentsInPlace) {
    EXPECT_EQ(m_dlg.size(), QSize(408, 162));
    const struct {
        QWidget* widget;
        QRect place;
    } rows[] = {
        {m_dlg.background(), {0, 0, 408, 162}},       {m_dlg.logo(), {0, 12, 105, 77}},
        {m_dlg.questionPanel(), {108, 12, 289, 137}}, {m_dlg.germanButton(), {16, 15, 50, 50}},
        {m_dlg.germanLabel(), {79, 32, 190, 18}},     {m_dlg.englishButton(), {16, 71, 50, 50}},
        {m_dlg.englishLabel(), {79, 88, 190, 18}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.widget->geometry(), row.place) << row.place.x() << "," << row.place.y();
    EXPECT_EQ(m_dlg.germanLabel()->text(), "Ich spreche deutsch");
    EXPECT_EQ(m_dlg.englishLabel()->text(), "I speak English");
    EXPECT_EQ(m_dlg.germanButton()->currentFaceTable(), ImageButton::faceTable(21, 22, 21, 0));
    EXPECT_EQ(m_dlg.englishButton()->currentFaceTable(), ImageButton::faceTable(23, 24, 23, 0));
    EXPECT_EQ(m_dlg.germanButton()->buttonFaceImageList(), &resources().dlgs);
    EXPECT_TRUE(m_dlg.germanButton()->showHint());
    EXPECT_EQ(m_dlg.logo()->listIndex(), 3);
    EXPECT_TRUE(m_dlg.logo()->forceTransparent());
}

} // namespace
