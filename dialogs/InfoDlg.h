// The program information window: name, version and a line about the game.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class TDlgResources;
class TLMDMMButton;

class TInfoDlg : public QDialog {
    Q_OBJECT
  public:
    TInfoDlg(QWidget* mainWindow, const TDlgResources& resources);

    QLabel* NameLabel;
    QLabel* VersionLabel;
    QLabel* AboutLabel;
    TLMDMMButton* OKBtn;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointer<QWidget> MainWindow;
};
