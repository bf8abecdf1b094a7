// The options dialog: language, sound effects, music, background picture and fair judging.
#include "OptionsDialog.h"

#include "Audio.h"
#include "BackPanel.h"
#include "DialogImages.h"
#include "DialogKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "ListImage.h"
#include "RotatedLabel.h"

#include <QKeyEvent>
#include <QLabel>

int32_t NextTongue(int32_t tongue) {
    // One step around the ring; a stored value out of range moves on like any other, so a press
    // always changes what an English value (anything but 1) shows. Wide, so the largest value
    // cannot overflow.
    return static_cast<int32_t>((int64_t(tongue) + 1) % 2);
}

OptionsDialog::OptionsDialog(QWidget* mainWindow, int32_t& backMode, const DialogImages& resources)
    : QDialog(mainWindow, DialogFlags()), backgroundMode(backMode), mainWindow(mainWindow) {
    // Five rows: one row pitch (56) taller than the four-row layout, the margins below kept.
    setFixedSize(497, 472);
    const BitmapList& dlgs = resources.dlgs;
    const BitmapList& opts = resources.opts;

    background = MakePanel(this, dlgs, 1, rect());
    logo = MakeLogo(background, dlgs);

    programLabel = new RotatedLabel(background);
    programLabel->setGeometry(12, 119, 53, 281);
    programLabel->setFont(ArialFont(37, true));
    versionLabel = new RotatedLabel(background);
    versionLabel->setGeometry(56, 130, 21, 266);
    versionLabel->setFont(ArialFont(16, true));
    for (RotatedLabel* label : {programLabel, versionLabel}) {
        label->SetAngle(90);
        label->SetStyle3D(Label3DStyle::Raised);
        label->SetLightColor(Qt::black);
        label->SetShadowColor(Qt::black);
        label->SetBevelDepth(2);
        label->SetFontColor(Qt::white);
    }

    okButton = MakeButton(background, dlgs, 436, 411, 5, 6, 5, 0, true);
    settingsPanel = MakePanel(background, dlgs, 2, QRect(116, 12, 369, 389));
    optionsLabel = MakeLabel(settingsPanel, QRect(19, 12, 254, 29), ArialFont(21, true));
    const QFont rowFont = ArialFont(16);
    languageButton = MakeButton(settingsPanel, opts, 16, 47, 1, 2, 1, 0, true);
    languageLabel = MakeLabel(settingsPanel, QRect(79, 64, 294, 18), rowFont);
    soundButton = MakeButton(settingsPanel, opts, 16, 103, 6, 8, 6, 0, true);
    soundLabel = MakeLabel(settingsPanel, QRect(79, 120, 294, 18), rowFont);
    musicButton = MakeButton(settingsPanel, opts, 16, 159, 3, 4, 3, 5, true);
    musicLabel = MakeLabel(settingsPanel, QRect(79, 176, 294, 18), rowFont);
    backgroundButton = MakeButton(settingsPanel, opts, 16, 215, 12, 13, 12, 0, true);
    backgroundLabel = MakeLabel(settingsPanel, QRect(79, 232, 290, 18), rowFont);
    fairButton = MakeButton(settingsPanel, opts, 16, 271, 14, 15, 14, 0, true);
    fairLabel = MakeLabel(settingsPanel, QRect(79, 288, 294, 18), rowFont);

    connect(okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });
    connect(languageButton, &ImageButton::clicked, this, [this] { onLanguageClicked(); });
    connect(soundButton, &ImageButton::clicked, this, [this] { onSoundClicked(); });
    connect(musicButton, &ImageButton::clicked, this, [this] { onMusicClicked(); });
    connect(backgroundButton, &ImageButton::clicked, this, [this] { onBackgroundClicked(); });
    connect(fairButton, &ImageButton::clicked, this, [this] { onFairClicked(); });
}

int OptionsDialog::ShowModal() {
    RefreshTexts();
    okButton->setFocus();
    return exec();
}

void OptionsDialog::RefreshTexts() {
    programLabel->SetCaption(QStringLiteral("Morvek"));
    versionLabel->SetCaption(QStringLiteral("Version  V1.0"));
    musicButton->setEnabled(musicFound);

    const bool de = German();
    okButton->SetHint(de ? QStringLiteral("Zurück zum Spiel") : QStringLiteral("Back to game"));
    optionsLabel->setText(de ? QStringLiteral("Einstellungen:") : QStringLiteral("Options:"));
    languageButton->SetHint(de ? QStringLiteral("Sprache ändern")
                               : QStringLiteral("Change language"));
    languageLabel->setText(de ? QStringLiteral("Ich spreche deutsch.")
                              : QStringLiteral("I speak English."));
    soundButton->SetHint(de ? QStringLiteral("Geräusche ein- und ausschalten.")
                            : QStringLiteral("Sound on or off"));
    if (soundOn)
        soundLabel->setText(de ? QStringLiteral("Geräusche sind an.")
                               : QStringLiteral("Sound is on."));
    else
        soundLabel->setText(de ? QStringLiteral("Geräusche sind aus.")
                               : QStringLiteral("Sound is off."));
    musicButton->SetHint(de ? QStringLiteral("Musik ein- und ausschalten.")
                            : QStringLiteral("Music on or off."));
    if (!musicFound && !AudioOpen())
        musicLabel->setText(de ? QStringLiteral("Ton ist nicht verfügbar.")
                               : QStringLiteral("Sound is not available."));
    else if (!musicFound)
        musicLabel->setText(de ? QStringLiteral("Keine Musikdateien vorhanden.")
                               : QStringLiteral("No music files available."));
    else if (musicOn)
        musicLabel->setText((de ? QStringLiteral("Musik: ") : QStringLiteral("Music: ")) +
                            (MusicName ? MusicName() : QString()));
    else
        musicLabel->setText(de ? QStringLiteral("Musik ist aus.")
                               : QStringLiteral("Music is off."));
    backgroundButton->SetHint(de ? QStringLiteral("Hintergrund ändern")
                                 : QStringLiteral("Change background"));
    backgroundLabel->setText(
        (de ? QStringLiteral("Hintergrund: ") : QStringLiteral("Background: ")) +
        QString::number(backgroundMode + 1));
    fairButton->SetHint(de ? QStringLiteral("Züge nach den Zahlen beurteilen")
                           : QStringLiteral("Judge moves by the clues"));
    if (fairJudging)
        fairLabel->setText(de ? QStringLiteral("Faires Urteil ist an.")
                              : QStringLiteral("Fair judging is on."));
    else
        fairLabel->setText(de ? QStringLiteral("Faires Urteil ist aus.")
                              : QStringLiteral("Fair judging is off."));
}

void OptionsDialog::FormActivate() {
    if (mainWindow && mainWindow->isVisible())
        move(PlaceOverClient(mainWindow->frameGeometry(), mainWindow->height(),
                             frameGeometry().size()));
}

void OptionsDialog::onOkClicked() {
    accept();
}

void OptionsDialog::onLanguageClicked() {
    tongue = NextTongue(tongue);
    RefreshTexts();
    if (OnTextsChanged) OnTextsChanged();
}

void OptionsDialog::onSoundClicked() {
    soundOn = !soundOn;
    RefreshTexts();
}

void OptionsDialog::onMusicClicked() {
    if (OnMusicSwitch) OnMusicSwitch();
    RefreshTexts();
}

void OptionsDialog::onBackgroundClicked() {
    // A stored value out of range still steps into the ring of seven.
    backgroundMode = (backgroundMode % 7 + 8) % 7;
    if (OnBackgroundChanged) OnBackgroundChanged();
    if (OnTextsChanged) OnTextsChanged();
    RefreshTexts();
}

void OptionsDialog::onFairClicked() {
    fairJudging = !fairJudging;
    RefreshTexts();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    // Every choice takes effect at once, so Escape closes as the tick does.
    if (!AnswerDialogKey(event, okButton, [this] { onOkClicked(); })) QDialog::keyPressEvent(event);
}
