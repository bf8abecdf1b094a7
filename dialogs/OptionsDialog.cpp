// SPDX-License-Identifier: MIT
// The options dialog: language, sound effects, music, background picture and fair judging.
#include "dialogs/OptionsDialog.h"

#include "audio/Audio.h"
#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "logic/Version.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ListImage.h"
#include "platform/widgets/RotatedLabel.h"
#include "view/DialogImages.h"

#include <QKeyEvent>
#include <QLabel>

int32_t nextTongue(int32_t tongue) {
    // One step around the ring; a stored value out of range moves on like any other, so a press
    // always changes what an English value (anything but 1) shows. Wide, so the largest value
    // cannot overflow.
    return static_cast<int32_t>((int64_t(tongue) + 1) % 2);
}

OptionsDialog::OptionsDialog(QWidget* mainWindow, GameOptions& options,
                             const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_options(options), m_mainWindow(mainWindow) {
    // Five rows: one row pitch (56) taller than the four-row layout, the margins below kept.
    setFixedSize(497, 472);
    const BitmapList& dlgs = resources.dlgs;
    const BitmapList& opts = resources.opts;

    m_background = makePanel(this, dlgs, 1, rect());
    m_logo = makeLogo(m_background, dlgs);

    m_programLabel = new RotatedLabel(m_background);
    m_programLabel->setGeometry(12, 119, 53, 281);
    m_programLabel->setFont(arialFont(37, true));
    m_versionLabel = new RotatedLabel(m_background);
    m_versionLabel->setGeometry(56, 130, 21, 266);
    m_versionLabel->setFont(arialFont(16, true));
    for (RotatedLabel* label : {m_programLabel, m_versionLabel}) {
        label->setAngle(90);
        label->setStyle3D(Label3DStyle::Raised);
        label->setLightColor(Qt::black);
        label->setShadowColor(Qt::black);
        label->setBevelDepth(2);
        label->setFontColor(Qt::white);
    }

    m_okButton = makeButton(m_background, dlgs, 436, 411, 5, 6, 5, 0, true);
    m_settingsPanel = makePanel(m_background, dlgs, 2, QRect(116, 12, 369, 389));
    m_optionsLabel = makeLabel(m_settingsPanel, QRect(19, 12, 254, 29), arialFont(21, true));
    const QFont rowFont = arialFont(16);
    m_languageButton = makeButton(m_settingsPanel, opts, 16, 47, 1, 2, 1, 0, true);
    m_languageLabel = makeLabel(m_settingsPanel, QRect(79, 64, 294, 18), rowFont);
    m_soundButton = makeButton(m_settingsPanel, opts, 16, 103, 6, 8, 6, 0, true);
    m_soundLabel = makeLabel(m_settingsPanel, QRect(79, 120, 294, 18), rowFont);
    m_musicButton = makeButton(m_settingsPanel, opts, 16, 159, 3, 4, 3, 5, true);
    m_musicLabel = makeLabel(m_settingsPanel, QRect(79, 176, 294, 18), rowFont);
    m_backgroundButton = makeButton(m_settingsPanel, opts, 16, 215, 12, 13, 12, 0, true);
    m_backgroundLabel = makeLabel(m_settingsPanel, QRect(79, 232, 290, 18), rowFont);
    m_fairButton = makeButton(m_settingsPanel, opts, 16, 271, 14, 15, 14, 0, true);
    m_fairLabel = makeLabel(m_settingsPanel, QRect(79, 288, 294, 18), rowFont);

    connect(m_okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });
    connect(m_languageButton, &ImageButton::clicked, this, [this] { onLanguageClicked(); });
    connect(m_soundButton, &ImageButton::clicked, this, [this] { onSoundClicked(); });
    connect(m_musicButton, &ImageButton::clicked, this, [this] { onMusicClicked(); });
    connect(m_backgroundButton, &ImageButton::clicked, this, [this] { onBackgroundClicked(); });
    connect(m_fairButton, &ImageButton::clicked, this, [this] { onFairClicked(); });
}

int OptionsDialog::showModal() {
    refreshTexts();
    m_okButton->setFocus();
    return exec();
}

void OptionsDialog::refreshTexts() {
    m_programLabel->setText(QStringLiteral("Morvek"));
    m_versionLabel->setText(QStringLiteral("Version  V") + QLatin1String(MorvekVersion));
    m_musicButton->setEnabled(m_options.musicFound);

    const bool de = m_options.isGerman();
    m_okButton->setHint(de ? QStringLiteral("Zurück zum Spiel") : QStringLiteral("Back to game"));
    m_optionsLabel->setText(de ? QStringLiteral("Einstellungen:") : QStringLiteral("Options:"));
    m_languageButton->setHint(de ? QStringLiteral("Sprache ändern")
                                 : QStringLiteral("Change language"));
    m_languageLabel->setText(de ? QStringLiteral("Ich spreche deutsch.")
                                : QStringLiteral("I speak English."));
    m_soundButton->setHint(de ? QStringLiteral("Geräusche ein- und ausschalten.")
                              : QStringLiteral("Sound on or off"));
    // Both rows say the same about the device: without one, neither plays.
    const QString noDevice =
        de ? QStringLiteral("Ton ist nicht verfügbar.") : QStringLiteral("Sound is not available.");
    const bool device = audioOpen();
    // Opened only to see: it rests again once all is quiet, like after a sound.
    audioRestWhenQuiet();
    if (!device)
        m_soundLabel->setText(noDevice);
    else if (m_options.soundOn)
        m_soundLabel->setText(de ? QStringLiteral("Geräusche sind an.")
                                 : QStringLiteral("Sound is on."));
    else
        m_soundLabel->setText(de ? QStringLiteral("Geräusche sind aus.")
                                 : QStringLiteral("Sound is off."));
    m_musicButton->setHint(de ? QStringLiteral("Musik ein- und ausschalten.")
                              : QStringLiteral("Music on or off."));
    if (!device)
        m_musicLabel->setText(noDevice);
    else if (!m_options.musicFound)
        m_musicLabel->setText(de ? QStringLiteral("Keine Musikdateien vorhanden.")
                                 : QStringLiteral("No music files available."));
    else if (m_options.musicOn)
        m_musicLabel->setText((de ? QStringLiteral("Musik: ") : QStringLiteral("Music: ")) +
                              (m_musicName ? m_musicName() : QString()));
    else
        m_musicLabel->setText(de ? QStringLiteral("Musik ist aus.")
                                 : QStringLiteral("Music is off."));
    m_backgroundButton->setHint(de ? QStringLiteral("Hintergrund ändern")
                                   : QStringLiteral("Change background"));
    m_backgroundLabel->setText(
        (de ? QStringLiteral("Hintergrund: ") : QStringLiteral("Background: ")) +
        QString::number(m_options.backgroundMode + 1));
    m_fairButton->setHint(de ? QStringLiteral("Züge nach den Zahlen beurteilen")
                             : QStringLiteral("Judge moves by the clues"));
    if (m_options.fairJudging)
        m_fairLabel->setText(de ? QStringLiteral("Faires Urteil ist an.")
                                : QStringLiteral("Fair judging is on."));
    else
        m_fairLabel->setText(de ? QStringLiteral("Faires Urteil ist aus.")
                                : QStringLiteral("Fair judging is off."));
}

void OptionsDialog::prepareToShow() {
    if (m_mainWindow && m_mainWindow->isVisible())
        move(placeOverClient(m_mainWindow->frameGeometry(), m_mainWindow->height(),
                             frameGeometry().size()));
}

void OptionsDialog::onOkClicked() {
    accept();
}

void OptionsDialog::onLanguageClicked() {
    m_options.tongue = nextTongue(m_options.tongue);
    refreshTexts();
    emit textsChanged();
}

void OptionsDialog::onSoundClicked() {
    m_options.soundOn = !m_options.soundOn;
    refreshTexts();
}

void OptionsDialog::onMusicClicked() {
    emit musicSwitched();
    refreshTexts();
}

void OptionsDialog::onBackgroundClicked() {
    // A stored value out of range still steps into the ring of seven.
    m_options.backgroundMode = (m_options.backgroundMode % 7 + 8) % 7;
    emit backgroundChanged();
    emit textsChanged();
    refreshTexts();
}

void OptionsDialog::onFairClicked() {
    m_options.fairJudging = !m_options.fairJudging;
    refreshTexts();
}

void OptionsDialog::showEvent(QShowEvent* event) {
    prepareToShow();
    QDialog::showEvent(event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    // Every choice takes effect at once, so Escape closes as the tick does.
    if (!answerDialogKey(event, m_okButton, [this] { onOkClicked(); }))
        QDialog::keyPressEvent(event);
}
