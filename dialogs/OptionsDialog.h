// The options dialog: language, sound effects, music, background picture and fair judging.
#pragma once

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <functional>

class QLabel;
class DialogImages;
class BackPanel;
class RotatedLabel;
class ListImage;
class ImageButton;

class OptionsDialog : public QDialog {
    Q_OBJECT

  public:
    // backMode is the main window's backgroundMode, changed in place. mainWindow is where the
    // dialog places itself (may be null) and becomes its parent.
    OptionsDialog(QWidget* mainWindow, int32_t& backMode, const DialogImages& resources);

    // The main window's side of the buttons. Unset callbacks are skipped.
    std::function<void()> onBackgroundChanged; // prepareBackground and repaint
    std::function<void()> onTextsChanged;      // setMainTexts
    std::function<void()> onMusicSwitch;       // music off, or on with the next file
    std::function<QString()> musicName;        // the current music file, without its folder

    // RefreshTexts, then the modal show. Returns the dialog's result.
    int showModal();
    void refreshTexts();

    BackPanel* background;
    ListImage* logo;
    RotatedLabel* programLabel;
    RotatedLabel* versionLabel;
    ImageButton* okButton;
    BackPanel* settingsPanel;
    QLabel* optionsLabel;
    ImageButton* languageButton;
    QLabel* languageLabel;
    ImageButton* soundButton;
    QLabel* soundLabel;
    ImageButton* musicButton;
    QLabel* musicLabel;
    ImageButton* backgroundButton;
    QLabel* backgroundLabel;
    ImageButton* fairButton;
    QLabel* fairLabel;

    void formActivate();
    void onOkClicked();
    void onLanguageClicked();
    void onSoundClicked();
    void onMusicClicked();
    void onBackgroundClicked();
    void onFairClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int32_t& m_backgroundMode;
    QPointer<QWidget> m_mainWindow;
};

// The language after the language button: (tongue + 1) mod 2 with the sign of the dividend,
// so -1 (not chosen) and 1 give 0, 0 gives 1, and 2 gives 1.
int32_t nextTongue(int32_t tongue);
