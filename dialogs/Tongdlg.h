// The first-run question: German or English.
#pragma once

#include <QDialog>

class TDlgResources;
class TLMDBackPanel;
class TLMDLImage;
class TLMDMMButton;
class QLabel;

class TTongueDlg : public QDialog {
    Q_OBJECT

  public:
    explicit TTongueDlg(const TDlgResources& resources, QWidget* parent = nullptr);

    // Centred on the screen; a button sets Tongue (1 German, 0 English) and closes. Closed any
    // other way, Tongue stays as it was. Returns the dialog's result.
    int ShowModal();

    TLMDBackPanel* LMDBackPanel1;
    TLMDLImage* LMDLImage3;
    TLMDBackPanel* p10;
    TLMDMMButton* GermanBtn;
    QLabel* TongueLabel;
    TLMDMMButton* EnglishBtn;
    QLabel* Label1;

    void GermanBtnClick();
    void EnglishBtnClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
