// SPDX-License-Identifier: MIT
// The program information window: name, version and a line about the game.
#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class DialogImages;
struct GameOptions;
class ImageButton;

class InfoDialog : public QDialog {
    Q_OBJECT
  public:
    InfoDialog(QWidget* mainWindow, const GameOptions& options, const DialogImages& resources);

    QLabel* nameLabel() const { return m_nameLabel; }
    QLabel* versionLabel() const { return m_versionLabel; }
    QLabel* aboutLabel() const { return m_aboutLabel; }
    ImageButton* okButton() const { return m_okButton; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    const GameOptions& m_options;
    QLabel* m_nameLabel;
    QLabel* m_versionLabel;
    QLabel* m_aboutLabel;
    ImageButton* m_okButton;
    QPointer<QWidget> m_mainWindow;
};
