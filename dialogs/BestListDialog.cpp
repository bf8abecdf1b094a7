// The best lists: 15 results per board size, viewed or extended with the player's name.
#include "BestListDialog.h"

#include "Application.h"
#include "BackPanel.h"
#include "DialogImages.h"
#include "DialogKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "SettingsStore.h"
#include "TextScrambler.h"
#include "TransparentCheckBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString Section = QStringLiteral("common");

} // namespace

BestListDialog::BestListDialog(QWidget* mainWindow, SettingsStore& ini,
                               const DialogImages& resources)
    : QDialog(mainWindow, dialogFlags()), m_ini(ini), m_mainWindow(mainWindow) {
    setFixedSize(320, 476);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    const BitmapList& dlgs = resources.dlgs;
    background = makePanel(this, dlgs, 1, rect());
    titlePanel = makePanel(background, dlgs, 2, QRect(11, 12, 298, 33));
    title = makeLabel(titlePanel, QRect(12, 4, 273, 25), arialFont(19, true), Qt::AlignCenter);
    listPanel = makePanel(background, dlgs, 2, QRect(11, 48, 298, 329));
    clearPanel = makePanel(background, dlgs, 2, QRect(11, 380, 298, 29));
    clearCheck = new TransparentCheckBox(clearPanel);
    clearCheck->setGeometry(16, 7, 17, 17);
    clearLabel = makeLabel(clearPanel, QRect(40, 8, 245, 17), arialFont(13));
    cancelButton = makeButton(background, dlgs, 204, 416, 7, 8, 7, 0, false);
    okButton = makeButton(background, dlgs, 260, 416, 5, 6, 5, 0, false);
    connect(cancelButton, &ImageButton::clicked, this, [this] { onCancelClicked(); });
    connect(okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });

    // The rows: 10 points at the 96 dpi the layout was drawn for, so that they fill 21 pixels.
    const QFont rowFont = arialFont(13);
    for (int i = 0; i < HighscoreCount; ++i) {
        const int top = 10 + 21 * i;
        m_nums[i] = makeLabel(listPanel, QRect(10, top, 40, 21), rowFont,
                              Qt::AlignRight | Qt::AlignVCenter);
        m_names[i] = makeLabel(listPanel, QRect(50, top, 140, 21), rowFont);
        m_scores[i] = makeLabel(listPanel, QRect(190, top, 90, 21), rowFont,
                                Qt::AlignRight | Qt::AlignVCenter);
        m_nums[i]->setObjectName(QStringLiteral("num%1").arg(i));
        m_names[i]->setObjectName(QStringLiteral("pla%1").arg(i));
        m_scores[i]->setObjectName(QStringLiteral("sco%1").arg(i));
        m_nums[i]->setText(QStringLiteral("%1.   ").arg(i + 1));
    }

    nameEdit = new QLineEdit(listPanel);
    nameEdit->setFrame(false);
    nameEdit->setMaxLength(25);
    nameEdit->setFocusPolicy(Qt::ClickFocus);
    nameEdit->setFont(arialFont(13, true));
    QPalette pal = nameEdit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::yellow);
    nameEdit->setPalette(pal);
    nameEdit->hide();

    // An unreadable name must not keep the game from starting: say so, offer the default.
    try {
        playerName = ini.readText(Section, QStringLiteral("player"), QStringLiteral("Mr.Brain"));
    } catch (const ESettingsError& e) {
        Application::reportError(e.text());
        playerName = QStringLiteral("Mr.Brain");
    }
    nameEdit->setText(playerName);
}

void BestListDialog::setDirection(int32_t value) {
    direction = value;
}

void BestListDialog::setIniString(const QString& text) {
    keyPrefix = text;
}

std::vector<QString> BestListDialog::entryKeys() const {
    std::vector<QString> keys;
    for (int i = 0; i < HighscoreCount; ++i)
        keys.push_back(keyPrefix + QString::number(i));
    return keys;
}

void BestListDialog::loadList() {
    // One read for the whole list. A value that is not text, or does not unscramble to
    // "score,name", becomes a default row by itself.
    const std::vector<QString> stored = m_ini.readTexts(Section, entryKeys(), QString());
    for (int i = 0; i < HighscoreCount; ++i) {
        const BestListEntry entry = parseHighscoreEntry(unscrambleText(stored[i]), direction);
        entryNames[i] = entry.name;
        entryScores[i] = entry.score;
    }
}

void BestListDialog::saveList() {
    // One write: the name and all 15 rows reach the file together or not at all.
    std::vector<std::pair<QString, QString>> values;
    values.emplace_back(QStringLiteral("player"), playerName);
    const std::vector<QString> keys = entryKeys();
    for (int i = 0; i < HighscoreCount; ++i)
        values.emplace_back(keys[i],
                            scrambleText(formatHighscoreEntry({entryNames[i], entryScores[i]})));
    m_ini.writeTexts(Section, values);
}

void BestListDialog::showRows() {
    for (int i = 0; i < HighscoreCount; ++i) {
        m_names[i]->setText(entryNames[i]);
        m_scores[i]->setText(QString::number(entryScores[i]));
    }
}

void BestListDialog::showModal(int32_t score, bool viewOnly) {
    this->viewOnly = viewOnly;
    cancelButton->setVisible(!viewOnly);
    clearCheck->setChecked(false);
    loadList();

    if (viewOnly) {
        insertPos = -1;
        nameEdit->hide();
        showRows();
        okButton->setFocus();
        exec();
        return;
    }

    BestList list;
    for (int i = 0; i < HighscoreCount; ++i)
        list[i] = {entryNames[i], entryScores[i]};
    insertPos = rankHighscore(list, score, direction);
    if (insertPos < 0) return;
    insertHighscore(list, insertPos, {playerName, score});
    for (int i = 0; i < HighscoreCount; ++i) {
        entryNames[i] = list[i].name;
        entryScores[i] = list[i].score;
    }
    showRows();
    nameEdit->setGeometry(50, 10 + 21 * insertPos, 140, 17);
    nameEdit->show();
    nameEdit->setEnabled(true);
    nameEdit->setText(playerName);
    nameEdit->selectAll();
    nameEdit->setFocus();
    exec();
}

void BestListDialog::formActivate() {
    if (m_mainWindow) move(placeOverFrame(m_mainWindow->frameGeometry(), size()));
    const bool german = isGerman();
    title->setText(german ? QStringLiteral("Morvek - Bestenliste")
                          : QStringLiteral("Morvek - Highscore"));
    clearLabel->setText(german ? QStringLiteral("alle Einträge löschen")
                               : QStringLiteral("remove all entries"));
    cancelButton->setHint(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
    okButton->setHint(german ? QStringLiteral("In Liste aufnehmen")
                             : QStringLiteral("put in list"));
}

void BestListDialog::onOkClicked() {
    const bool cleared = clearCheck->isChecked();
    if (cleared) {
        for (int i = 0; i < HighscoreCount; ++i) {
            entryNames[i] = QStringLiteral("Mr. Brain");
            entryScores[i] = 0;
        }
        showRows();
        playerName = QStringLiteral("Mr. Brain");
        nameEdit->setText(playerName);
        insertPos = -1;
    }
    if (insertPos >= 0) {
        playerName = nameEdit->text();
        entryNames[insertPos] = playerName;
        m_names[insertPos]->setText(playerName);
    }
    nameEdit->hide();
    // A list only looked at is not written back: another copy of the game may have stored a
    // result in it meanwhile. A store that cannot be written is reported, and the dialog closes
    // all the same, so that it can never trap the player.
    if (!viewOnly || cleared) {
        try {
            saveList();
        } catch (const ESettingsError& e) {
            Application::reportError(e.text());
        }
    }
    accept();
}

void BestListDialog::onCancelClicked() {
    reject();
}

void BestListDialog::showEvent(QShowEvent* event) {
    formActivate();
    QDialog::showEvent(event);
}

void BestListDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in the name field confirms the name as the tick does; Escape there cancels the entry.
    // While viewing, Escape closes without writing.
    if (!answerDialogKey(event, okButton, [this] { onCancelClicked(); }))
        QDialog::keyPressEvent(event);
}
