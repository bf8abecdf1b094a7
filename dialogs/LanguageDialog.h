// The first-run question: German or English.
#pragma once

#include <QDialog>

class DialogImages;
class BackPanel;
class ListImage;
class ImageButton;
class QLabel;

class LanguageDialog : public QDialog {
    Q_OBJECT

  public:
    explicit LanguageDialog(const DialogImages& resources, QWidget* parent = nullptr);

    // Centred on the screen; a button sets tongue (1 German, 0 English) and closes. Closed any
    // other way, tongue stays as it was. Returns the dialog's result.
    int ShowModal();

    BackPanel* background;
    ListImage* logo;
    BackPanel* questionPanel;
    ImageButton* germanButton;
    QLabel* germanLabel;
    ImageButton* englishButton;
    QLabel* englishLabel;

    void onGermanClicked();
    void onEnglishClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
