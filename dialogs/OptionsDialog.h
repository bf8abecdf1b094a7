// SPDX-License-Identifier: MIT
// The options dialog: language, sound effects, music, background picture and fair judging.
#pragma once

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <functional>

class QLabel;
class DialogImages;
struct GameOptions;
class BackPanel;
class RotatedLabel;
class ListImage;
class ImageButton;

class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    // The options are changed in place. mainWindow is where the dialog places itself (may be
    // null) and becomes its parent.
    OptionsDialog(QWidget* mainWindow, GameOptions& options, const DialogImages& resources);

    // Where the music row reads the current music file's name (without its folder).
    void setMusicNameSource(std::function<QString()> source) { m_musicName = std::move(source); }

    // refreshTexts, then the modal show. Returns the dialog's result.
    int showModal();
    void refreshTexts();

    void prepareToShow();
    void onOkClicked();
    void onLanguageClicked();
    void onSoundClicked();
    void onMusicClicked();
    void onBackgroundClicked();
    void onFairClicked();

    // The components and state, for the tests.
    BackPanel* background() const { return m_background; }
    ListImage* logo() const { return m_logo; }
    RotatedLabel* programLabel() const { return m_programLabel; }
    RotatedLabel* versionLabel() const { return m_versionLabel; }
    ImageButton* okButton() const { return m_okButton; }
    BackPanel* settingsPanel() const { return m_settingsPanel; }
    QLabel* optionsLabel() const { return m_optionsLabel; }
    ImageButton* languageButton() const { return m_languageButton; }
    QLabel* languageLabel() const { return m_languageLabel; }
    ImageButton* soundButton() const { return m_soundButton; }
    QLabel* soundLabel() const { return m_soundLabel; }
    ImageButton* musicButton() const { return m_musicButton; }
    QLabel* musicLabel() const { return m_musicLabel; }
    ImageButton* backgroundButton() const { return m_backgroundButton; }
    QLabel* backgroundLabel() const { return m_backgroundLabel; }
    ImageButton* fairButton() const { return m_fairButton; }
    QLabel* fairLabel() const { return m_fairLabel; }

  signals:
    // The main window's side of the buttons.
    void backgroundChanged(); // prepare the background and repaint
    void textsChanged();      // the language changed: the main window's texts follow
    void musicSwitched();     // music off, or on with the next file

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    GameOptions& m_options;
    std::function<QString()> m_musicName;
    QPointer<QWidget> m_mainWindow;
    BackPanel* m_background = nullptr;
    ListImage* m_logo = nullptr;
    RotatedLabel* m_programLabel = nullptr;
    RotatedLabel* m_versionLabel = nullptr;
    ImageButton* m_okButton = nullptr;
    BackPanel* m_settingsPanel = nullptr;
    QLabel* m_optionsLabel = nullptr;
    ImageButton* m_languageButton = nullptr;
    QLabel* m_languageLabel = nullptr;
    ImageButton* m_soundButton = nullptr;
    QLabel* m_soundLabel = nullptr;
    ImageButton* m_musicButton = nullptr;
    QLabel* m_musicLabel = nullptr;
    ImageButton* m_backgroundButton = nullptr;
    QLabel* m_backgroundLabel = nullptr;
    ImageButton* m_fairButton = nullptr;
    QLabel* m_fairLabel = nullptr;
};

// The language after the language button: the remainder of (tongue + 1) by 2, with the sign of the
// dividend, so -1 (not chosen) and 1 give 0, 0 gives 1, and 2 gives 1.
int32_t nextTongue(int32_t tongue);
