// SPDX-License-Identifier: MIT
// The game's one message box: a numbered message in the current language, Yes or Yes/No.
#include "dialogs/MessageDialog.h"

#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/TextLabel.h"
#include "view/DialogImages.h"

#include <QKeyEvent>

MessageDialog::MessageDialog(QWidget* mainWindow, const GameOptions& options,
                             const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_options(options), m_mainWindow(mainWindow) {
    setFixedSize(319, 158);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    const BitmapList& dlgs = resources.dlgs;
    m_background = makePanel(this, dlgs, 1, rect());
    m_textPanel = makePanel(m_background, dlgs, 2, QRect(11, 12, 298, 77));
    m_text = new TextLabel(m_textPanel);
    m_text->setGeometry(5, 5, 288, 67);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setMultiLine(true);
    m_text->setFont(arialFont(16, true));
    m_text->setFontColor(Qt::white);
    m_noButton = makeButton(m_background, dlgs, 204, 100, 7, 8, 7, 0, false);
    m_yesButton = makeButton(m_background, dlgs, 260, 100, 5, 6, 5, 0, false);
    connect(m_noButton, &ImageButton::clicked, this, [this] { onNoClicked(); });
    connect(m_yesButton, &ImageButton::clicked, this, [this] { onYesClicked(); });
}

int MessageDialog::showMsg(int32_t number) {
    m_messageNumber = number;
    // Numbers without a mode of their own (10, 11 and those outside the table) keep the last one.
    const DialogMessage message = messageText(number);
    if (message.buttonMode != 0) m_buttonMode = message.buttonMode;
    return exec();
}

int MessageDialog::keyResult(QChar key) {
    switch (key.unicode()) {
    case 13:
    case u'J':
    case u'j':
    case u'Y':
    case u'y':
        return ResultYes;
    case 27:
    case u'N':
    case u'n':
        return ResultNo;
    default:
        return 0;
    }
}

void MessageDialog::prepareToShow() {
    if (m_mainWindow)
        move(placeOverClient(m_mainWindow->frameGeometry(), m_mainWindow->height(),
                             frameGeometry().size()));
    m_noButton->setVisible(m_buttonMode == 2);
    // Each message starts with the focus on Yes; Tab moves it to No, and Enter then answers No.
    m_yesButton->setFocus();
    if (m_messageNumber == 10 || m_messageNumber == 11) {
        m_text->setText(m_customText);
        return;
    }
    // A number outside the table leaves the previous text.
    const DialogMessage message = messageText(m_messageNumber);
    if (message.buttonMode != 0)
        m_text->setText(m_options.isGerman() ? message.german : message.english);
}

void MessageDialog::onYesClicked() {
    done(ResultYes);
}

void MessageDialog::onNoClicked() {
    done(ResultNo);
}

void MessageDialog::showEvent(QShowEvent* event) {
    prepareToShow();
    QDialog::showEvent(event);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
    // The focused button takes Space and Enter itself; every other key reaches the form. Escape
    // and Return must not fall through to QDialog, which would reject or press a default button.
    // Return, Enter and Escape by key, since the text a platform attaches to them varies.
    QChar key;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = QChar(13);
        break;
    case Qt::Key_Escape:
        key = QChar(27);
        break;
    default:
        if (event->text().size() == 1) key = event->text()[0];
    }
    const int result = keyResult(key);
    if (result != 0) done(result);
    event->accept();
}
