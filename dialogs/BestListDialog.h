// SPDX-License-Identifier: MIT
// The best lists: 15 results per board size, viewed or extended with the player's name.
#pragma once

#include "dialogs/BestList.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class DialogImages;
struct GameOptions;
class BackPanel;
class TransparentCheckBox;
class SettingsStore;
class ImageButton;

class BestListDialog : public QDialog {
    Q_OBJECT

  public:
    // Reads the last player name from `ini`, which must outlive the dialog. mainWindow is where
    // the dialog places itself (may be null) and becomes its parent.
    BestListDialog(QWidget* mainWindow, SettingsStore& ini, const GameOptions& options,
                   const DialogImages& resources);

    void setIniString(const QString& text);
    // viewOnly: shows the list of keyPrefix; OK stores nothing unless "remove all entries" is
    // ticked. Otherwise ranks score and, when it earns a row, asks for the name; a score that
    // earns nothing shows nothing and returns at once.
    void showModal(int32_t score, bool viewOnly);

    // The game is ending (a signal) while a new result waits for its name: the result is stored
    // with the name typed so far. False when nothing was waiting.
    bool storePendingResult();

    void prepareToShow();
    void onOkClicked();
    void onCancelClicked();

    // The components and state, for the tests.
    BackPanel* background() const { return m_background; }
    BackPanel* titlePanel() const { return m_titlePanel; }
    QLabel* title() const { return m_title; }
    BackPanel* listPanel() const { return m_listPanel; }
    QLineEdit* nameEdit() const { return m_nameEdit; }
    BackPanel* clearPanel() const { return m_clearPanel; }
    TransparentCheckBox* clearCheck() const { return m_clearCheck; }
    QLabel* clearLabel() const { return m_clearLabel; }
    ImageButton* cancelButton() const { return m_cancelButton; }
    ImageButton* okButton() const { return m_okButton; }
    const QString& keyPrefix() const { return m_keyPrefix; }
    int32_t insertPos() const { return m_insertPos; }
    const QString& playerName() const { return m_playerName; }

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::vector<QString> entryKeys() const;
    void loadList();
    // Writes the name and the list shown, or, with a result, the stored list with the result put
    // in.
    void saveList(const std::optional<BestListEntry>& result);
    void showRows();
    QLabel* rowLabel(const char* kind, int row) const;

    SettingsStore& m_ini;
    const GameOptions& m_options;
    QPointer<QWidget> m_mainWindow;
    std::array<QLabel*, HighscoreCount> m_ranks{};
    std::array<QLabel*, HighscoreCount> m_names{};
    std::array<QLabel*, HighscoreCount> m_scores{};
    BackPanel* m_background = nullptr;
    BackPanel* m_titlePanel = nullptr;
    QLabel* m_title = nullptr;
    BackPanel* m_listPanel = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    BackPanel* m_clearPanel = nullptr;
    TransparentCheckBox* m_clearCheck = nullptr;
    QLabel* m_clearLabel = nullptr;
    ImageButton* m_cancelButton = nullptr;
    ImageButton* m_okButton = nullptr;
    QString m_keyPrefix = QStringLiteral("hs");
    int32_t m_insertPos = -1;
    bool m_viewOnly = true;
    QString m_playerName;
    BestList m_list; // the rows as shown
};
