// The options dialog and the language question: rings, labels, callbacks, places.
#include "OptionsDialog.h"
#include "Audio.h"
#include "BackPanel.h"
#include "DialogKit.h"
#include "DialogTestKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "LanguageDialog.h"
#include "ListImage.h"
#include "RotatedLabel.h"

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
        Saved = {tongue, soundOn, musicOn, musicFound, fairJudging};
        Dlg.OnBackgroundChanged = [this] {
            Calls.push_back("background " + std::to_string(backgroundMode));
        };
        Dlg.OnTextsChanged = [this] { Calls.push_back("texts " + std::to_string(tongue)); };
    }
    void TearDown() override {
        tongue = Saved.tongue;
        soundOn = Saved.soundOn;
        musicOn = Saved.musicOn;
        musicFound = Saved.musicFound;
        fairJudging = Saved.fairJudging;
    }

    struct {
        int32_t tongue;
        bool soundOn, musicOn, musicFound, fairJudging;
    } Saved{};
    FakeMainWindow Main;
    int32_t backgroundMode = 0;
    OptionsDialog Dlg{&Main, backgroundMode, Resources()};
    std::vector<std::string> Calls;
};

using OptionsDialogTest = OptionsFixture;

TEST(NextTongue, Ring) {
    const struct {
        int32_t From, To;
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
        EXPECT_EQ(NextTongue(row.From), row.To) << row.From;
}

TEST_F(OptionsDialogTest, LanguageButtonRingsFromUnchosen) {
    tongue = -1;
    Dlg.RefreshTexts();
    EXPECT_EQ(Dlg.languageLabel->text(), "I speak English.");
    const struct {
        int32_t tongue;
        const char* Label;
        const char* Heading;
        const char* Hint;
    } steps[] = {
        {0, "I speak English.", "Options:", "Change language"},
        {1, "Ich spreche deutsch.", "Einstellungen:", "Sprache ändern"},
        {0, "I speak English.", "Options:", "Change language"},
    };
    for (const auto& step : steps) {
        Calls.clear();
        Dlg.onLanguageClicked();
        EXPECT_EQ(tongue, step.tongue);
        EXPECT_EQ(Dlg.languageLabel->text(), QString::fromUtf8(step.Label));
        EXPECT_EQ(Dlg.optionsLabel->text(), QString::fromUtf8(step.Heading));
        EXPECT_EQ(Dlg.languageButton->Hint(), QString::fromUtf8(step.Hint));
        // The main window's texts follow, after the dialog's own.
        EXPECT_EQ(Calls, std::vector<std::string>{"texts " + std::to_string(step.tongue)});
    }
}

TEST_F(OptionsDialogTest, BackgroundButtonRingsThroughSeven) {
    tongue = 0;
    Dlg.RefreshTexts();
    EXPECT_EQ(Dlg.backgroundLabel->text(), "Background: 1");
    for (int press = 1; press <= 8; ++press) {
        Calls.clear();
        Dlg.onBackgroundClicked();
        const int32_t want = press % 7;
        EXPECT_EQ(backgroundMode, want);
        EXPECT_EQ(Dlg.backgroundLabel->text(), QStringLiteral("Background: %1").arg(want + 1));
        // The picture is rebuilt first, then the tool bar texts are set.
        EXPECT_EQ(Calls,
                  (std::vector<std::string>{"background " + std::to_string(want), "texts 0"}));
    }
    tongue = 1;
    Dlg.RefreshTexts();
    EXPECT_EQ(Dlg.backgroundLabel->text(), "Hintergrund: 2");
    // A stored value out of range still lands in the ring.
    for (int32_t start : {-3, 9, INT32_MAX}) {
        backgroundMode = start;
        Dlg.onBackgroundClicked();
        EXPECT_GE(backgroundMode, 0) << start;
        EXPECT_LE(backgroundMode, 6) << start;
    }
}

// The on/off rows: each click flips its value and its label, in both languages.
TEST_F(OptionsDialogTest, SwitchButtonsAndLabels) {
    const struct {
        bool* Value;
        QLabel* Label;
        ImageButton* Button;
        void (OptionsDialog::*Click)();
        int32_t tongue;
        const char* On;
        const char* Off;
        const char* Hint;
    } rows[] = {
        {&soundOn, Dlg.soundLabel, Dlg.soundButton, &OptionsDialog::onSoundClicked, 0,
         "Sound is on.", "Sound is off.", "Sound on or off"},
        {&soundOn, Dlg.soundLabel, Dlg.soundButton, &OptionsDialog::onSoundClicked, 1,
         "Geräusche sind an.", "Geräusche sind aus.", "Geräusche ein- und ausschalten."},
        {&fairJudging, Dlg.fairLabel, Dlg.fairButton, &OptionsDialog::onFairClicked, 0,
         "Fair judging is on.", "Fair judging is off.", "Judge moves by the clues"},
        {&fairJudging, Dlg.fairLabel, Dlg.fairButton, &OptionsDialog::onFairClicked, 1,
         "Faires Urteil ist an.", "Faires Urteil ist aus.", "Züge nach den Zahlen beurteilen"},
    };
    for (const auto& row : rows) {
        tongue = row.tongue;
        *row.Value = true;
        Dlg.RefreshTexts();
        EXPECT_EQ(row.Label->text(), QString::fromUtf8(row.On));
        EXPECT_EQ(row.Button->Hint(), QString::fromUtf8(row.Hint));
        (Dlg.*row.Click)();
        EXPECT_FALSE(*row.Value) << row.On;
        EXPECT_EQ(row.Label->text(), QString::fromUtf8(row.Off));
        (Dlg.*row.Click)();
        EXPECT_TRUE(*row.Value) << row.On;
        EXPECT_EQ(row.Label->text(), QString::fromUtf8(row.On));
    }
}

TEST_F(OptionsDialogTest, MusicLabelByFoundThenOn) {
    Dlg.MusicName = [] { return QStringLiteral("ode.mid"); };
    const struct {
        bool Found, On;
        int32_t tongue;
        const char* Label;
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
        musicFound = row.Found;
        musicOn = row.On;
        tongue = row.tongue;
        Dlg.RefreshTexts();
        EXPECT_EQ(Dlg.musicLabel->text(), QString::fromUtf8(row.Label));
        EXPECT_EQ(Dlg.musicButton->isEnabled(), row.Found);
    }
}

TEST_F(OptionsDialogTest, WithoutAnAudioDeviceTheMusicRowSaysSoundIsUnavailable) {
    // A driver that does not exist: the device cannot open, so there is no music either.
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    AudioClose();
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    musicFound = false;
    for (const auto& [language, label] :
         {std::pair{0, "Sound is not available."}, std::pair{1, "Ton ist nicht verfügbar."}}) {
        tongue = language;
        Dlg.RefreshTexts();
        EXPECT_EQ(Dlg.musicLabel->text(), QString::fromUtf8(label));
        EXPECT_FALSE(Dlg.musicButton->isEnabled());
    }
    // With a device again, missing music is told as before.
    qputenv("SDL_AUDIODRIVER", driver);
    AudioClose();
    tongue = 0;
    Dlg.RefreshTexts();
    EXPECT_EQ(Dlg.musicLabel->text(), QStringLiteral("No music files available."));
}

TEST_F(OptionsDialogTest, MusicButtonSwitchesThenRefreshes) {
    // A player with two files: off, then on with the next one.
    const QStringList files{"a.mid", "b.mid"};
    int current = 0;
    Dlg.MusicName = [&] { return files[current]; };
    Dlg.OnMusicSwitch = [&] {
        if (musicOn) {
            musicOn = false;
        } else {
            current = (current + 1) % files.size();
            musicOn = true;
        }
    };
    tongue = 0;
    musicFound = true;
    musicOn = true;
    Dlg.RefreshTexts();
    EXPECT_EQ(Dlg.musicLabel->text(), "Music: a.mid");
    Dlg.onMusicClicked();
    EXPECT_EQ(Dlg.musicLabel->text(), "Music is off.");
    Dlg.onMusicClicked();
    EXPECT_EQ(Dlg.musicLabel->text(), "Music: b.mid");
}

TEST_F(OptionsDialogTest, FixedTextsAndHints) {
    for (int32_t language : {0, 1}) {
        tongue = language;
        Dlg.RefreshTexts();
        const bool de = language == 1;
        EXPECT_EQ(Dlg.programLabel->Caption(), "Morvek");
        EXPECT_EQ(Dlg.versionLabel->Caption(), "Version  V1.0");
        EXPECT_EQ(Dlg.okButton->Hint(), de ? "Zurück zum Spiel" : "Back to game");
        EXPECT_EQ(Dlg.musicButton->Hint(), de ? "Musik ein- und ausschalten." : "Music on or off.");
        EXPECT_EQ(Dlg.backgroundButton->Hint(), de ? "Hintergrund ändern" : "Change background");
    }
    for (ImageButton* button : {Dlg.okButton, Dlg.languageButton, Dlg.soundButton, Dlg.musicButton,
                                Dlg.backgroundButton, Dlg.fairButton})
        EXPECT_TRUE(button->ShowHint());
    EXPECT_EQ(Dlg.programLabel->Angle(), 90);
    EXPECT_EQ(Dlg.programLabel->Style3D(), Label3DStyle::Raised);
    EXPECT_EQ(Dlg.programLabel->font().pixelSize(), 37);
    EXPECT_TRUE(Dlg.programLabel->font().bold());
    EXPECT_EQ(Dlg.versionLabel->font().pixelSize(), 16);
}

TEST_F(OptionsDialogTest, ButtonsWorkThroughTheModalShow) {
    tongue = 0;
    backgroundMode = 2;
    fairJudging = true;
    int result = -1;
    QString labelAfter;
    ASSERT_TRUE(RunModal(
        Dlg, [&] { result = Dlg.ShowModal(); },
        [&] {
            QTest::mouseClick(Dlg.languageButton, Qt::LeftButton);
            QTest::mouseClick(Dlg.backgroundButton, Qt::LeftButton);
            QTest::mouseClick(Dlg.fairButton, Qt::LeftButton);
            labelAfter = Dlg.backgroundLabel->text();
            QTest::mouseClick(Dlg.okButton, Qt::LeftButton);
        }));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(tongue, 1);
    EXPECT_EQ(backgroundMode, 3);
    EXPECT_FALSE(fairJudging);
    EXPECT_EQ(labelAfter, "Hintergrund: 4");
}

TEST_F(OptionsDialogTest, PlacedOnlyWhileTheMainWindowIsVisible) {
    QPoint pos;
    auto showAndRead = [&] {
        RunModal(
            Dlg, [&] { Dlg.ShowModal(); },
            [&] {
                pos = Dlg.pos();
                Dlg.onOkClicked();
            });
    };
    showAndRead();
    EXPECT_EQ(pos, PlaceOverClient(Main.frameGeometry(), Main.height(), QSize(497, 472)));
    Main.hide();
    Dlg.move(7, 9);
    showAndRead();
    EXPECT_EQ(pos, QPoint(7, 9));
}

TEST_F(OptionsDialogTest, ComponentsInPlace) {
    EXPECT_EQ(Dlg.size(), QSize(497, 472));
    const struct {
        QWidget* Widget;
        QRect Place;
    } rows[] = {
        {Dlg.background, {0, 0, 497, 472}},        {Dlg.logo, {0, 12, 105, 77}},
        {Dlg.programLabel, {12, 119, 53, 281}},    {Dlg.versionLabel, {56, 130, 21, 266}},
        {Dlg.okButton, {436, 411, 50, 50}},        {Dlg.settingsPanel, {116, 12, 369, 389}},
        {Dlg.optionsLabel, {19, 12, 254, 29}},     {Dlg.languageButton, {16, 47, 50, 50}},
        {Dlg.languageLabel, {79, 64, 294, 18}},    {Dlg.soundButton, {16, 103, 50, 50}},
        {Dlg.soundLabel, {79, 120, 294, 18}},      {Dlg.musicButton, {16, 159, 50, 50}},
        {Dlg.musicLabel, {79, 176, 294, 18}},      {Dlg.backgroundButton, {16, 215, 50, 50}},
        {Dlg.backgroundLabel, {79, 232, 290, 18}}, {Dlg.fairButton, {16, 271, 50, 50}},
        {Dlg.fairLabel, {79, 288, 294, 18}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.Widget->geometry(), row.Place) << row.Place.x() << "," << row.Place.y();
    // Faces: normal, mouse over, pressed, disabled.
    const struct {
        ImageButton* Button;
        const BitmapList* List;
        int Normal, Over, Pressed, Disabled;
    } faces[] = {
        {Dlg.okButton, &Resources().dlgs, 5, 6, 5, 0},
        {Dlg.languageButton, &Resources().opts, 1, 2, 1, 0},
        {Dlg.soundButton, &Resources().opts, 6, 8, 6, 0},
        {Dlg.musicButton, &Resources().opts, 3, 4, 3, 5},
        {Dlg.backgroundButton, &Resources().opts, 12, 13, 12, 0},
        {Dlg.fairButton, &Resources().opts, 14, 15, 14, 0},
    };
    for (const auto& row : faces) {
        EXPECT_EQ(row.Button->ButtonFaceImageList(), row.List);
        const ButtonFaceTable& table = row.Button->ButtonFaceIndicesNew2();
        EXPECT_EQ(table[ButtonState::Normal], row.Normal);
        EXPECT_EQ(table[ButtonState::MouseOver], row.Over);
        EXPECT_EQ(table[ButtonState::Pressed], row.Pressed);
        EXPECT_EQ(table[ButtonState::Disabled], row.Disabled);
    }
}

class LanguageDialogTest : public testing::Test {
  protected:
    void SetUp() override { Saved = tongue; }
    void TearDown() override { tongue = Saved; }
    int32_t Saved = -1;
    LanguageDialog Dlg{Resources()};
};

TEST_F(LanguageDialogTest, ButtonsChooseAndOtherCloseKeepsUnchosen) {
    const struct {
        const char* Name;
        std::function<void(LanguageDialog&)> Answer;
        int32_t tongue;
    } rows[] = {
        {"german", [](LanguageDialog& d) { QTest::mouseClick(d.germanButton(), Qt::LeftButton); },
         1},
        {"english", [](LanguageDialog& d) { QTest::mouseClick(d.englishButton(), Qt::LeftButton); },
         0},
        {"closed", [](LanguageDialog& d) { d.close(); }, -1},
    };
    for (const auto& row : rows) {
        tongue = -1;
        QPoint pos;
        ASSERT_TRUE(RunModal(
            Dlg, [&] { Dlg.ShowModal(); },
            [&] {
                pos = Dlg.pos();
                row.Answer(Dlg);
            }))
            << row.Name;
        EXPECT_EQ(tongue, row.tongue) << row.Name;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(pos, QPoint(screen.left() + (screen.width() - 408) / 2,
                              screen.top() + (screen.height() - 162) / 2));
    }
}

TEST_F(LanguageDialogTest, ComponentsInPlace) {
    EXPECT_EQ(Dlg.size(), QSize(408, 162));
    const struct {
        QWidget* Widget;
        QRect Place;
    } rows[] = {
        {Dlg.background(), {0, 0, 408, 162}},       {Dlg.logo(), {0, 12, 105, 77}},
        {Dlg.questionPanel(), {108, 12, 289, 137}}, {Dlg.germanButton(), {16, 15, 50, 50}},
        {Dlg.germanLabel(), {79, 32, 190, 18}},     {Dlg.englishButton(), {16, 71, 50, 50}},
        {Dlg.englishLabel(), {79, 88, 190, 18}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.Widget->geometry(), row.Place) << row.Place.x() << "," << row.Place.y();
    EXPECT_EQ(Dlg.germanLabel()->text(), "Ich spreche deutsch");
    EXPECT_EQ(Dlg.englishLabel()->text(), "I speak English");
    EXPECT_EQ(Dlg.germanButton()->ButtonFaceIndicesNew2(), ImageButton::FaceTable(21, 22, 21, 0));
    EXPECT_EQ(Dlg.englishButton()->ButtonFaceIndicesNew2(), ImageButton::FaceTable(23, 24, 23, 0));
    EXPECT_EQ(Dlg.germanButton()->ButtonFaceImageList(), &Resources().dlgs);
    EXPECT_TRUE(Dlg.germanButton()->ShowHint());
    EXPECT_EQ(Dlg.logo()->ListIndex(), 3);
    EXPECT_TRUE(Dlg.logo()->ForceTransparent());
}

} // namespace
