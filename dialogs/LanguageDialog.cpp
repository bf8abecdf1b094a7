// SPDX-License-Identifier: MIT
// The first-run question: German or English.
#include "dialogs/LanguageDialog.h"

#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/ListImage.h"
#include "view/DialogImages.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <cstdlib>
#include <cstring>

LanguageDialog::LanguageDialog(GameOptions& options, const DialogImages& resources, QWidget* parent)
    : QDialog(parent, dialogFlags()), m_options(options) {
    setFixedSize(408, 162);
    const BitmapList& dlgs = resources.dlgs;
    m_background = makePanel(this, dlgs, 1, rect());
    m_logo = makeLogo(m_background, dlgs);
    m_questionPanel = makePanel(m_background, dlgs, 2, QRect(108, 12, 289, 137));
    m_germanButton = makeButton(m_questionPanel, dlgs, 16, 15, 21, 22, 21, 0, true);
    m_germanLabel = makeLabel(m_questionPanel, QRect(79, 32, 190, 18), arialFont(16));
    m_germanLabel->setText(QStringLiteral("Ich spreche deutsch"));
    m_englishButton = makeButton(m_questionPanel, dlgs, 16, 71, 23, 24, 23, 0, true);
    m_englishLabel = makeLabel(m_questionPanel, QRect(79, 88, 190, 18), arialFont(16));
    m_englishLabel->setText(QStringLiteral("I speak English"));
    connect(m_germanButton, &ImageButton::clicked, this, [this] { onGermanClicked(); });
    connect(m_englishButton, &ImageButton::clicked, this, [this] { onEnglishClicked(); });
}

bool localeIsGerman(const char* lcAll, const char* lcMessages, const char* lang) {
    // The first of them that is set decides, as for every program's messages.
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value)
            return std::strncmp(value, "de", 2) == 0 && std::strchr("_.@", value[2]);
    return false;
}

int LanguageDialog::showModal() {
    // The focus starts on the desktop's language: Enter takes it, Tab or an arrow key the other.
    const bool german =
        localeIsGerman(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    (german ? m_germanButton : m_englishButton)->setFocus();
    return exec();
}

void LanguageDialog::onGermanClicked() {
    m_options.tongue = Tongue::German;
    accept();
}

void LanguageDialog::onEnglishClicked() {
    m_options.tongue = Tongue::English;
    accept();
}

void LanguageDialog::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
    QDialog::showEvent(event);
}

void LanguageDialog::keyPressEvent(QKeyEvent* event) {
    // There is no tick: Enter reaches the dialog only when no flag has the focus. Escape leaves
    // the language unchosen, as closing any other way does.
    if (!answerDialogKey(event, nullptr, [this] { reject(); })) QDialog::keyPressEvent(event);
}
