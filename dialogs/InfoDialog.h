// The program information window: name, version and a line about the game.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class DialogImages;
class ImageButton;

class InfoDialog : public QDialog {
    Q_OBJECT
  public:
    InfoDialog(QWidget* mainWindow, const DialogImages& resources);

    QLabel* nameLabel;
    QLabel* versionLabel;
    QLabel* aboutLabel;
    ImageButton* okButton;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPointer<QWidget> mainWindow;
};
