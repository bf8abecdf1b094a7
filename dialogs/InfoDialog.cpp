// SPDX-License-Identifier: MIT
// The program information window, in the same granite and faces as the other dialogs.
#include "dialogs/InfoDialog.h"

#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "logic/Version.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "view/DialogImages.h"

#include <QKeyEvent>
#include <QLabel>

InfoDialog::InfoDialog(QWidget* mainWindow, const GameOptions& options,
                       const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_options(options), m_mainWindow(mainWindow) {
    setFixedSize(400, 182);
    const BitmapList& dlgs = resources.dlgs;
    BackPanel* back = makePanel(this, dlgs, 1, rect());
    makeLogo(back, dlgs);
    BackPanel* panel = makePanel(back, dlgs, 2, QRect(116, 12, 272, 110));
    m_nameLabel = makeLabel(panel, QRect(10, 8, 252, 34), arialFont(30, true), Qt::AlignCenter);
    m_nameLabel->setText(QStringLiteral("Morvek"));
    m_versionLabel = makeLabel(panel, QRect(10, 42, 252, 18), arialFont(16), Qt::AlignCenter);
    m_versionLabel->setText(QStringLiteral("V") + QLatin1String(MorvekVersion));
    m_aboutLabel = makeLabel(panel, QRect(14, 64, 244, 36), arialFont(13), Qt::AlignCenter);
    m_aboutLabel->setWordWrap(true);
    m_okButton = makeButton(back, dlgs, 338, 124, 5, 6, 5, 0, false);
    connect(m_okButton, &ImageButton::clicked, this, [this] { accept(); });
}

void InfoDialog::showEvent(QShowEvent* event) {
    m_aboutLabel->setText(m_options.isGerman()
                              ? QStringLiteral("Ein Logikrätsel: finde das versteckte Bild.")
                              : QStringLiteral("A logic puzzle: find the hidden picture."));
    if (m_mainWindow && m_mainWindow->isVisible())
        move(placeOverClient(m_mainWindow->frameGeometry(), m_mainWindow->height(), size()));
    m_okButton->setFocus();
    QDialog::showEvent(event);
}

void InfoDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
        accept();
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}
