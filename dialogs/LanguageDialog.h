// SPDX-License-Identifier: MIT
// The first-run question: German or English.
#pragma once

#include <QDialog>

class DialogImages;
struct GameOptions;
class BackPanel;
class ListImage;
class ImageButton;
class QLabel;

// True when the desktop speaks German: the first of LC_ALL, LC_MESSAGES and LANG that is set
// names a "de" locale.
bool localeIsGerman(const char* lcAll, const char* lcMessages, const char* lang);

class LanguageDialog : public QDialog {
    Q_OBJECT

  public:
    LanguageDialog(GameOptions& options, const DialogImages& resources, QWidget* parent = nullptr);

    // Centred on the screen, the focus on the desktop's language; a button sets tongue (1 German,
    // 0 English) and closes. Closed any other way, tongue stays as it was. Returns the dialog's
    // result.
    int showModal();

    BackPanel* background() const { return m_background; }
    ListImage* logo() const { return m_logo; }
    BackPanel* questionPanel() const { return m_questionPanel; }
    ImageButton* germanButton() const { return m_germanButton; }
    QLabel* germanLabel() const { return m_germanLabel; }
    ImageButton* englishButton() const { return m_englishButton; }
    QLabel* englishLabel() const { return m_englishLabel; }

    void onGermanClicked();
    void onEnglishClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    GameOptions& m_options;
    BackPanel* m_background;
    ListImage* m_logo;
    BackPanel* m_questionPanel;
    ImageButton* m_germanButton;
    QLabel* m_germanLabel;
    ImageButton* m_englishButton;
    QLabel* m_englishLabel;
};
