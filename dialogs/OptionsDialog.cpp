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

int32_t nextTongue(int32_t tongue) {
    // One step around the ring; a stored value out of range moves on like any other, so a press
    // always changes what an English value (anything but 1) shows. Wide, so the largest value
    // cannot overflow.
    return static_cast<int32_t>((int64_t(tongue) + 1) % 2);
}

OptionsDialog::OptionsDialog(QWidget* mainWindow, int32_t& backMode, const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_backgroundMode(backMode), m_mainWindow(mainWindow) {
    // Five rows: one row pitch (56) taller than the four-row layout, the margins below kept.
    setFixedSize(497, 472);
    const BitmapList& dlgs = resources.dlgs;
    const BitmapList& opts = resources.opts;

    background = makePanel(this, dlgs, 1, rect());
    logo = makeLogo(background, dlgs);

    programLabel = new RotatedLabel(background);
    programLabel->setGeometry(12, 119, 53, 281);
    programLabel->setFont(arialFont(37, true));
    versionLabel = new RotatedLabel(background);
    versionLabel->setGeometry(56, 130, 21, 266);
    versionLabel->setFont(arialFont(16, true));
    for (RotatedLabel* label : {programLabel, versionLabel}) {
        label->setAngle(90);
        label->setStyle3D(Label3DStyle::Raised);
        label->setLightColor(Qt::black);
        label->setShadowColor(Qt::black);
        label->setBevelDepth(2);
        label->setFontColor(Qt::white);
    }

    okButton = makeButton(background, dlgs, 436, 411, 5, 6, 5, 0, true);
    settingsPanel = makePanel(background, dlgs, 2, QRect(116, 12, 369, 389));
    optionsLabel = makeLabel(settingsPanel, QRect(19, 12, 254, 29), arialFont(21, true));
    const QFont rowFont = arialFont(16);
    languageButton = makeButton(settingsPanel, opts, 16, 47, 1, 2, 1, 0, true);
    languageLabel = makeLabel(settingsPanel, QRect(79, 64, 294, 18), rowFont);
    soundButton = makeButton(settingsPanel, opts, 16, 103, 6, 8, 6, 0, true);
    soundLabel = makeLabel(settingsPanel, QRect(79, 120, 294, 18), rowFont);
    musicButton = makeButton(settingsPanel, opts, 16, 159, 3, 4, 3, 5, true);
    musicLabel = makeLabel(settingsPanel, QRect(79, 176, 294, 18), rowFont);
    backgroundButton = makeButton(settingsPanel, opts, 16, 215, 12, 13, 12, 0, true);
    backgroundLabel = makeLabel(settingsPanel, QRect(79, 232, 290, 18), rowFont);
    fairButton = makeButton(settingsPanel, opts, 16, 271, 14, 15, 14, 0, true);
    fairLabel = makeLabel(settingsPanel, QRect(79, 288, 294, 18), rowFont);

    connect(okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });
    connect(languageButton, &ImageButton::clicked, this, [this] { onLanguageClicked(); });
    connect(soundButton, &ImageButton::clicked, this, [this] { onSoundClicked(); });
    connect(musicButton, &ImageButton::clicked, this, [this] { onMusicClicked(); });
    connect(backgroundButton, &ImageButton::clicked, this, [this] { onBackgroundClicked(); });
    connect(fairButton, &ImageButton::clicked, this, [this] { onFairClicked(); });
}

int OptionsDialog::showModal() {
    refreshTexts();
    okButton->setFocus();
    return exec();
}

void OptionsDialog::refreshTexts() {
    programLabel->setCaption(QStringLiteral("Morvek"));
    versionLabel->setCaption(QStringLiteral("Version  V1.0"));
    musicButton->setEnabled(musicFound);

    const bool de = isGerman();
    okButton->setHint(de ? QStringLiteral("Zurück zum Spiel") : QStringLiteral("Back to game"));
    optionsLabel->setText(de ? QStringLiteral("Einstellungen:") : QStringLiteral("Options:"));
    languageButton->setHint(de ? QStringLiteral("Sprache ändern")
                               : QStringLiteral("Change language"));
    languageLabel->setText(de ? QStringLiteral("Ich spreche deutsch.")
                              : QStringLiteral("I speak English."));
    soundButton->setHint(de ? QStringLiteral("Geräusche ein- und ausschalten.")
                            : QStringLiteral("Sound on or off"));
    if (soundOn)
        soundLabel->setText(de ? QStringLiteral("Geräusche sind an.")
                               : QStringLiteral("Sound is on."));
    else
        soundLabel->setText(de ? QStringLiteral("Geräusche sind aus.")
                               : QStringLiteral("Sound is off."));
    musicButton->setHint(de ? QStringLiteral("Musik ein- und ausschalten.")
                            : QStringLiteral("Music on or off."));
    if (!musicFound && !audioOpen())
        musicLabel->setText(de ? QStringLiteral("Ton ist nicht verfügbar.")
                               : QStringLiteral("Sound is not available."));
    else if (!musicFound)
        musicLabel->setText(de ? QStringLiteral("Keine Musikdateien vorhanden.")
                               : QStringLiteral("No music files available."));
    else if (musicOn)
        musicLabel->setText((de ? QStringLiteral("Musik: ") : QStringLiteral("Music: ")) +
                            (musicName ? musicName() : QString()));
    else
        musicLabel->setText(de ? QStringLiteral("Musik ist aus.")
                               : QStringLiteral("Music is off."));
    backgroundButton->setHint(de ? QStringLiteral("Hintergrund ändern")
                                 : QStringLiteral("Change background"));
    backgroundLabel->setText(
        (de ? QStringLiteral("Hintergrund: ") : QStringLiteral("Background: ")) +
        QString::number(m_backgroundMode + 1));
    fairButton->setHint(de ? QStringLiteral("Züge nach den Zahlen beurteilen")
                           : QStringLiteral("Judge moves by the clues"));
    if (fairJudging)
        fairLabel->setText(de ? QStringLiteral("Faires Urteil ist an.")
                              : QStringLiteral("Fair judging is on."));
    else
        fairLabel->setText(de ? QStringLiteral("Faires Urteil ist aus.")
                              : QStringLiteral("Fair judging is off."));
}

void OptionsDialog::formActivate() {
    if (m_mainWindow && m_mainWindow->isVisible())
        move(placeOverClient(m_mainWindow->frameGeometry(), m_mainWindow->height(),
                             frameGeometry().size()));
}

void OptionsDialog::onOkClicked() {
    accept();
}

void OptionsDialog::onLanguageClicked() {
    tongue = nextTongue(tongue);
    refreshTexts();
    if (onTextsChanged) onTextsChanged();
}

void OptionsDialog::onSoundClicked() {
    soundOn = !soundOn;
    refreshTexts();
}

void OptionsDialog::onMusicClicked() {
    if (onMusicSwitch) onMusicSwitch();
    refreshTexts();
}

void OptionsDialog::onBackgroundClicked() {
    // A stored value out of range still steps into the ring of seven.
    m_backgroundMode = (m_backgroundMode % 7 + 8) % 7;
    if (onBackgroundChanged) onBackgroundChanged();
    if (onTextsChanged) onTextsChanged();
    refreshTexts();
}

void OptionsDialog::onFairClicked() {
    fairJudging = !fairJudging;
    refreshTexts();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    formActivate();
    QDialog::showEvent(event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    // Every choice takes effect at once, so Escape closes as the tick does.
    if (!answerDialogKey(event, okButton, [this] { onOkClicked(); })) QDialog::keyPressEvent(event);
}
