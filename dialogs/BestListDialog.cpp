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
    : QDialog(mainWindow, DialogFlags()), ini(ini), mainWindow(mainWindow) {
    setFixedSize(320, 476);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    const BitmapList& dlgs = resources.dlgs;
    background = MakePanel(this, dlgs, 1, rect());
    titlePanel = MakePanel(background, dlgs, 2, QRect(11, 12, 298, 33));
    title = MakeLabel(titlePanel, QRect(12, 4, 273, 25), ArialFont(19, true), Qt::AlignCenter);
    listPanel = MakePanel(background, dlgs, 2, QRect(11, 48, 298, 329));
    clearPanel = MakePanel(background, dlgs, 2, QRect(11, 380, 298, 29));
    clearCheck = new TransparentCheckBox(clearPanel);
    clearCheck->setGeometry(16, 7, 17, 17);
    clearLabel = MakeLabel(clearPanel, QRect(40, 8, 245, 17), ArialFont(13));
    cancelButton = MakeButton(background, dlgs, 204, 416, 7, 8, 7, 0, false);
    okButton = MakeButton(background, dlgs, 260, 416, 5, 6, 5, 0, false);
    connect(cancelButton, &ImageButton::clicked, this, [this] { onCancelClicked(); });
    connect(okButton, &ImageButton::clicked, this, [this] { onOkClicked(); });

    // The rows: 10 points at the 96 dpi the layout was drawn for, so that they fill 21 pixels.
    const QFont rowFont = ArialFont(13);
    for (int i = 0; i < HighscoreCount; ++i) {
        const int top = 10 + 21 * i;
        Nums[i] = MakeLabel(listPanel, QRect(10, top, 40, 21), rowFont,
                            Qt::AlignRight | Qt::AlignVCenter);
        Names[i] = MakeLabel(listPanel, QRect(50, top, 140, 21), rowFont);
        Scores[i] = MakeLabel(listPanel, QRect(190, top, 90, 21), rowFont,
                              Qt::AlignRight | Qt::AlignVCenter);
        Nums[i]->setObjectName(QStringLiteral("num%1").arg(i));
        Names[i]->setObjectName(QStringLiteral("pla%1").arg(i));
        Scores[i]->setObjectName(QStringLiteral("sco%1").arg(i));
        Nums[i]->setText(QStringLiteral("%1.   ").arg(i + 1));
    }

    nameEdit = new QLineEdit(listPanel);
    nameEdit->setFrame(false);
    nameEdit->setMaxLength(25);
    nameEdit->setFocusPolicy(Qt::ClickFocus);
    nameEdit->setFont(ArialFont(13, true));
    QPalette pal = nameEdit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::yellow);
    nameEdit->setPalette(pal);
    nameEdit->hide();

    // An unreadable name must not keep the game from starting: say so, offer the default.
    try {
        PlayerName = ini.ReadText(Section, QStringLiteral("player"), QStringLiteral("Mr.Brain"));
    } catch (const ESettingsError& e) {
        Application::ReportError(e.Text());
        PlayerName = QStringLiteral("Mr.Brain");
    }
    nameEdit->setText(PlayerName);
}

void BestListDialog::SetDirection(int32_t value) {
    Direction = value;
}

void BestListDialog::SetINIString(const QString& text) {
    KeyPrefix = text;
}

std::vector<QString> BestListDialog::EntryKeys() const {
    std::vector<QString> keys;
    for (int i = 0; i < HighscoreCount; ++i)
        keys.push_back(KeyPrefix + QString::number(i));
    return keys;
}

void BestListDialog::LoadList() {
    // One read for the whole list. A value that is not text, or does not unscramble to
    // "score,name", becomes a default row by itself.
    const std::vector<QString> stored = ini.ReadTexts(Section, EntryKeys(), QString());
    for (int i = 0; i < HighscoreCount; ++i) {
        const BestListEntry entry = ParseHighscoreEntry(UnscrambleText(stored[i]), Direction);
        EntryNames[i] = entry.Name;
        EntryScores[i] = entry.Score;
    }
}

void BestListDialog::SaveList() {
    // One write: the name and all 15 rows reach the file together or not at all.
    std::vector<std::pair<QString, QString>> values;
    values.emplace_back(QStringLiteral("player"), PlayerName);
    const std::vector<QString> keys = EntryKeys();
    for (int i = 0; i < HighscoreCount; ++i)
        values.emplace_back(keys[i],
                            ScrambleText(FormatHighscoreEntry({EntryNames[i], EntryScores[i]})));
    ini.WriteTexts(Section, values);
}

void BestListDialog::ShowRows() {
    for (int i = 0; i < HighscoreCount; ++i) {
        Names[i]->setText(EntryNames[i]);
        Scores[i]->setText(QString::number(EntryScores[i]));
    }
}

void BestListDialog::ShowModal(int32_t score, bool viewOnly) {
    ViewOnly = viewOnly;
    cancelButton->setVisible(!viewOnly);
    clearCheck->setChecked(false);
    LoadList();

    if (viewOnly) {
        InsertPos = -1;
        nameEdit->hide();
        ShowRows();
        okButton->setFocus();
        exec();
        return;
    }

    BestList list;
    for (int i = 0; i < HighscoreCount; ++i)
        list[i] = {EntryNames[i], EntryScores[i]};
    InsertPos = RankHighscore(list, score, Direction);
    if (InsertPos < 0) return;
    InsertHighscore(list, InsertPos, {PlayerName, score});
    for (int i = 0; i < HighscoreCount; ++i) {
        EntryNames[i] = list[i].Name;
        EntryScores[i] = list[i].Score;
    }
    ShowRows();
    nameEdit->setGeometry(50, 10 + 21 * InsertPos, 140, 17);
    nameEdit->show();
    nameEdit->setEnabled(true);
    nameEdit->setText(PlayerName);
    nameEdit->selectAll();
    nameEdit->setFocus();
    exec();
}

void BestListDialog::FormActivate() {
    if (mainWindow) move(PlaceOverFrame(mainWindow->frameGeometry(), size()));
    const bool german = German();
    title->setText(german ? QStringLiteral("Morvek - Bestenliste")
                          : QStringLiteral("Morvek - Highscore"));
    clearLabel->setText(german ? QStringLiteral("alle Einträge löschen")
                               : QStringLiteral("remove all entries"));
    cancelButton->SetHint(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
    okButton->SetHint(german ? QStringLiteral("In Liste aufnehmen")
                             : QStringLiteral("put in list"));
}

void BestListDialog::onOkClicked() {
    const bool cleared = clearCheck->isChecked();
    if (cleared) {
        for (int i = 0; i < HighscoreCount; ++i) {
            EntryNames[i] = QStringLiteral("Mr. Brain");
            EntryScores[i] = 0;
        }
        ShowRows();
        PlayerName = QStringLiteral("Mr. Brain");
        nameEdit->setText(PlayerName);
        InsertPos = -1;
    }
    if (InsertPos >= 0) {
        PlayerName = nameEdit->text();
        EntryNames[InsertPos] = PlayerName;
        Names[InsertPos]->setText(PlayerName);
    }
    nameEdit->hide();
    // A list only looked at is not written back: another copy of the game may have stored a
    // result in it meanwhile. A store that cannot be written is reported, and the dialog closes
    // all the same, so that it can never trap the player.
    if (!ViewOnly || cleared) {
        try {
            SaveList();
        } catch (const ESettingsError& e) {
            Application::ReportError(e.Text());
        }
    }
    accept();
}

void BestListDialog::onCancelClicked() {
    reject();
}

void BestListDialog::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void BestListDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in the name field confirms the name as the tick does; Escape there cancels the entry.
    // While viewing, Escape closes without writing.
    if (!AnswerDialogKey(event, okButton, [this] { onCancelClicked(); }))
        QDialog::keyPressEvent(event);
}
