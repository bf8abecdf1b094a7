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

    void setDirection(int32_t value);
    void setIniString(const QString& text);
    // viewOnly: shows the list of KeyPrefix; OK stores nothing unless "remove all entries" is
    // ticked. Otherwise ranks score and, when it earns a row, asks for the name; a score that
    // earns nothing shows nothing and returns at once.
    void showModal(int32_t score, bool viewOnly);

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

    int32_t direction = 0;
    QString keyPrefix = QStringLiteral("hs");
    int32_t insertPos = -1;
    bool viewOnly = true;
    QString playerName;
    std::array<QString, HighscoreCount> entryNames;
    std::array<int32_t, HighscoreCount> entryScores{};

    void formActivate();
    void onOkClicked();
    void onCancelClicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<QString> entryKeys() const;
    void loadList();
    void saveList();
    void showRows();
    QLabel* rowLabel(const char* kind, int row) const;

    SettingsStore& m_ini;
    QPointer<QWidget> m_mainWindow;
    std::array<QLabel*, HighscoreCount> m_nums{};
    std::array<QLabel*, HighscoreCount> m_names{};
    std::array<QLabel*, HighscoreCount> m_scores{};
};
