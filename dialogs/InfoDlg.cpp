// The program information window, in the same granite and faces as the other dialogs.
#include "InfoDlg.h"

#include "DialogKit.h"
#include "DlgResources.h"
#include "Globals.h"
#include "LMDBackPanel.h"
#include "LMDMMButton.h"

#include <QKeyEvent>
#include <QLabel>

TInfoDlg::TInfoDlg(QWidget* mainWindow, const TDlgResources& resources)
    : QDialog(mainWindow, DialogFlags()), MainWindow(mainWindow) {
    setFixedSize(400, 182);
    const TBitmapList& dlgs = resources.dlgs;
    TLMDBackPanel* back = MakePanel(this, dlgs, 1, rect());
    MakeLogo(back, dlgs);
    TLMDBackPanel* panel = MakePanel(back, dlgs, 2, QRect(116, 12, 272, 110));
    NameLabel = MakeLabel(panel, QRect(10, 8, 252, 34), ArialFont(30, true), Qt::AlignCenter);
    NameLabel->setText(QStringLiteral("Morvek"));
    VersionLabel = MakeLabel(panel, QRect(10, 42, 252, 18), ArialFont(16), Qt::AlignCenter);
    VersionLabel->setText(QStringLiteral("V1.0"));
    AboutLabel = MakeLabel(panel, QRect(14, 64, 244, 36), ArialFont(13), Qt::AlignCenter);
    AboutLabel->setWordWrap(true);
    OKBtn = MakeButton(back, dlgs, 338, 124, 5, 6, 5, 0, false);
    OKBtn->OnClick = [this] { accept(); };
}

void TInfoDlg::showEvent(QShowEvent* event) {
    AboutLabel->setText(German() ? QStringLiteral("Ein Logikrätsel: finde das versteckte Bild.")
                                 : QStringLiteral("A logic puzzle: find the hidden picture."));
    if (MainWindow && MainWindow->isVisible())
        move(PlaceOverClient(MainWindow->frameGeometry(), MainWindow->height(), size()));
    OKBtn->setFocus();
    QDialog::showEvent(event);
}

void TInfoDlg::keyPressEvent(QKeyEvent* event) {
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
