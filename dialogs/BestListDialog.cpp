// SPDX-License-Identifier: MIT
// The best lists: 15 results per board size, viewed or extended with the player's name.
#include "dialogs/BestListDialog.h"

#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/Application.h"
#include "platform/SettingsStore.h"
#include "platform/TextScrambler.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/TransparentCheckBox.h"
#include "view/DialogImages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString Section = QLatin1String(SettingsSection);

} // namespace

BestListDialog::BestListDialog(QWidget* mainWindow, SettingsStore& ini, const GameOptions& options,
                               const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_ini(ini), m_options(options), m_mainWindow(mainWindow) {
    setFixedSize(320, 476);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    const BitmapList& dlgs = resources.dlgs;
    m_background = makePanel(this, dlgs, 1, rect());
    m_titlePanel = makePanel(m_background, dlgs, 2, QRect(11, 12, 298, 33));
    m_title = makeLabel(m_titlePanel, QRect(12, 4, 273, 25), arialFont(19, true), Qt::AlignCenter);
    m_listPanel = makePanel(m_background, dlgs, 2, QRect(11, 48, 298, 329));
    m_clearPanel = makePanel(m_background, dlgs, 2, QRect(11, 380, 298, 29));
    m_clearCheck = new TransparentCheckBox(m_clearPanel);
    m_clearCheck->setGeometry(16, 7, 17, 17);
    m_clearLabel = makeLabel(m_clearPanel, QRect(40, 8, 245, 17), arialFont(13));
    m_cancelButton = makeButton(m_background, dlgs, 204, 416, 7, 8, 7, 0, false);
    m_okButton = makeButton(m_background, dlgs, 260, 416, 5, 6, 5, 0, false);
    connect(m_cancelButton, &ImageButton::clicked, this, [this] { onCancelClicked(); });
    connect(m_okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });

    // The rows: 10 points at the 96 dpi the layout was drawn for, so that they fill 21 pixels.
    const QFont rowFont = arialFont(13);
    for (int i = 0; i < HighscoreCount; ++i) {
        const int top = 10 + 21 * i;
        m_ranks[i] = makeLabel(m_listPanel, QRect(10, top, 40, 21), rowFont,
                               Qt::AlignRight | Qt::AlignVCenter);
        m_names[i] = makeLabel(m_listPanel, QRect(50, top, 140, 21), rowFont);
        m_scores[i] = makeLabel(m_listPanel, QRect(190, top, 90, 21), rowFont,
                                Qt::AlignRight | Qt::AlignVCenter);
        m_ranks[i]->setObjectName(QStringLiteral("rank%1").arg(i));
        m_names[i]->setObjectName(QStringLiteral("name%1").arg(i));
        m_scores[i]->setObjectName(QStringLiteral("score%1").arg(i));
        m_ranks[i]->setText(QStringLiteral("%1.   ").arg(i + 1));
    }

    m_nameEdit = new QLineEdit(m_listPanel);
    m_nameEdit->setFrame(false);
    m_nameEdit->setMaxLength(25);
    m_nameEdit->setFocusPolicy(Qt::ClickFocus);
    m_nameEdit->setFont(arialFont(13, true));
    QPalette pal = m_nameEdit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::yellow);
    m_nameEdit->setPalette(pal);
    m_nameEdit->hide();

    // An unreadable name must not keep the game from starting: say so, offer the default.
    try {
        m_playerName = ini.readText(Section, QLatin1String(Setting::player.name),
                                    QLatin1String(Setting::player.textDefault));
    } catch (const SettingsError& e) {
        Application::reportError(e.text());
        m_playerName = QLatin1String(Setting::player.textDefault);
    }
    m_nameEdit->setText(m_playerName);
}

void BestListDialog::setIniString(const QString& text) {
    m_keyPrefix = text;
}

std::vector<QString> BestListDialog::entryKeys() const {
    std::vector<QString> keys;
    for (int i = 0; i < HighscoreCount; ++i)
        keys.push_back(m_keyPrefix + QString::number(i));
    return keys;
}

void BestListDialog::loadList() {
    // One read for the whole list. A value that is not text, or does not unscramble to
    // "score,name", becomes a default row by itself.
    const std::vector<QString> stored = m_ini.readTexts(Section, entryKeys(), QString());
    for (int i = 0; i < HighscoreCount; ++i)
        m_list[i] = parseHighscoreEntry(unscrambleText(stored[i]));
}

void BestListDialog::saveList(const std::optional<BestListEntry>& result) {
    // One write: the name and all 15 rows reach the file together or not at all. A new result
    // goes into the list as it stands in the file under the lock, so that a result another copy
    // of the game stored since this list was read stays too.
    const std::vector<QString> keys = entryKeys();
    m_ini.updateTexts(
        Section, QStringLiteral("player"), [&](const SettingsStore::TextReader& read) {
            std::vector<std::pair<QString, QString>> values;
            values.emplace_back(QStringLiteral("player"), m_playerName);
            BestList list;
            for (int i = 0; i < HighscoreCount; ++i)
                list[i] =
                    result ? parseHighscoreEntry(unscrambleText(read(keys[i]).value_or(QString())))
                           : m_list[i];
            if (result) {
                const int32_t rank = rankHighscore(list, result->score);
                if (rank >= 0) insertHighscore(list, rank, *result);
            }
            for (int i = 0; i < HighscoreCount; ++i)
                values.emplace_back(keys[i], scrambleText(formatHighscoreEntry(list[i])));
            return values;
        });
}

bool BestListDialog::storePendingResult() {
    if (m_viewOnly || m_insertPos < 0 || !isVisible()) return false;
    // What was typed so far; an emptied field keeps the last name.
    if (!m_nameEdit->text().isEmpty()) m_playerName = m_nameEdit->text();
    const BestListEntry result{m_playerName, m_list[m_insertPos].score};
    m_insertPos = -1;
    saveList(result);
    return true;
}

void BestListDialog::showRows() {
    for (int i = 0; i < HighscoreCount; ++i) {
        m_names[i]->setText(m_list[i].name);
        m_scores[i]->setText(QString::number(m_list[i].score));
    }
}

void BestListDialog::showModal(int32_t score, bool viewOnly) {
    m_viewOnly = viewOnly;
    m_cancelButton->setVisible(!m_viewOnly);
    m_clearCheck->setChecked(false);
    loadList();

    if (m_viewOnly) {
        m_insertPos = -1;
        m_nameEdit->hide();
        showRows();
        m_okButton->setFocus();
        exec();
        return;
    }

    m_insertPos = rankHighscore(m_list, score);
    if (m_insertPos < 0) return;
    insertHighscore(m_list, m_insertPos, {m_playerName, score});
    showRows();
    m_nameEdit->setGeometry(50, 10 + 21 * m_insertPos, 140, 17);
    m_nameEdit->show();
    m_nameEdit->setEnabled(true);
    m_nameEdit->setText(m_playerName);
    m_nameEdit->selectAll();
    m_nameEdit->setFocus();
    exec();
}

void BestListDialog::prepareToShow() {
    if (m_mainWindow) move(placeOverFrame(m_mainWindow->frameGeometry(), size()));
    const bool german = m_options.isGerman();
    m_title->setText(german ? QStringLiteral("Morvek - Bestenliste")
                            : QStringLiteral("Morvek - Highscore"));
    m_clearLabel->setText(german ? QStringLiteral("alle Einträge löschen")
                                 : QStringLiteral("remove all entries"));
    m_cancelButton->setHint(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
    m_okButton->setHint(german ? QStringLiteral("In Liste aufnehmen")
                               : QStringLiteral("put in list"));
}

void BestListDialog::onOkClicked() {
    const bool cleared = m_clearCheck->isChecked();
    if (cleared) {
        m_list.fill(clearedHighscoreEntry());
        showRows();
        m_playerName = clearedHighscoreEntry().name;
        m_nameEdit->setText(m_playerName);
        m_insertPos = -1;
    }
    std::optional<BestListEntry> result;
    if (m_insertPos >= 0) {
        m_playerName = m_nameEdit->text();
        m_list[m_insertPos].name = m_playerName;
        m_names[m_insertPos]->setText(m_playerName);
        result = m_list[m_insertPos];
    }
    m_nameEdit->hide();
    // A list only looked at is not written back: another copy of the game may have stored a
    // result in it meanwhile. A store that cannot be written is reported, and the dialog closes
    // all the same, so that it can never trap the player.
    if (!m_viewOnly || cleared) {
        try {
            saveList(result);
        } catch (const SettingsError& e) {
            Application::reportError(e.text());
        }
    }
    accept();
}

void BestListDialog::onCancelClicked() {
    reject();
}

void BestListDialog::showEvent(QShowEvent* event) {
    prepareToShow();
    QDialog::showEvent(event);
}

void BestListDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in the name field confirms the name as the tick does; Escape there cancels the entry.
    // While viewing, Escape closes without writing.
    if (!answerDialogKey(event, m_okButton, [this] { onCancelClicked(); }))
        QDialog::keyPressEvent(event);
}
