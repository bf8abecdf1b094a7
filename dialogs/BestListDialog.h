// The best lists: 15 results per board size, viewed or extended with the player's name.
#pragma once

#include "BestList.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;
class DialogImages;
class BackPanel;
class TransparentCheckBox;
class SettingsStore;
class ImageButton;

class BestListDialog : public QDialog {
    Q_OBJECT

  public:
    // Reads the last player name from `ini`, which must outlive the dialog. mainWindow is where
    // the dialog places itself (may be null) and becomes its parent.
    BestListDialog(QWidget* mainWindow, SettingsStore& ini, const DialogImages& resources);

    void SetDirection(int32_t value);
    void SetINIString(const QString& text);
    // viewOnly: shows the list of KeyPrefix; OK stores nothing unless "remove all entries" is
    // ticked. Otherwise ranks score and, when it earns a row, asks for the name; a score that
    // earns nothing shows nothing and returns at once.
    void ShowModal(int32_t score, bool viewOnly);

    BackPanel* background;
    BackPanel* titlePanel;
    QLabel* title;
    BackPanel* listPanel;
    QLineEdit* nameEdit;
    BackPanel* clearPanel;
    TransparentCheckBox* clearCheck;
    QLabel* clearLabel;
    ImageButton* cancelButton;
    ImageButton* okButton;

    int32_t Direction = 0;
    QString KeyPrefix = QStringLiteral("hs");
    int32_t InsertPos = -1;
    bool ViewOnly = true;
    QString PlayerName;
    std::array<QString, HighscoreCount> EntryNames;
    std::array<int32_t, HighscoreCount> EntryScores{};

    void FormActivate();
    void onOkClicked();
    void onCancelClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<QString> EntryKeys() const;
    void LoadList();
    void SaveList();
    void ShowRows();
    QLabel* RowLabel(const char* kind, int row) const;

    SettingsStore& ini;
    QPointer<QWidget> mainWindow;
    std::array<QLabel*, HighscoreCount> Nums{};
    std::array<QLabel*, HighscoreCount> Names{};
    std::array<QLabel*, HighscoreCount> Scores{};
};
