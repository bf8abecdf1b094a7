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
    EditBack = MakePanel(background, dlgs, 2, QRect(11, 48, 298, 329));
    p6 = MakePanel(background, dlgs, 2, QRect(11, 380, 298, 29));
    ClearBox = new TransparentCheckBox(p6);
    ClearBox->setGeometry(16, 7, 17, 17);
    delcheck = MakeLabel(p6, QRect(40, 8, 245, 17), ArialFont(13));
    CancelBtn = MakeButton(background, dlgs, 204, 416, 7, 8, 7, 0, false);
    OkBtn = MakeButton(background, dlgs, 260, 416, 5, 6, 5, 0, false);
    CancelBtn->OnClick = [this] { CancelBtnClick(); };
    OkBtn->OnClick = [this] { OkBtnClick(); };

    // The rows: 10 points at the 96 dpi the layout was drawn for, so that they fill 21 pixels.
    const QFont rowFont = ArialFont(13);
    for (int i = 0; i < HighscoreCount; ++i) {
        const int top = 10 + 21 * i;
        Nums[i] =
            MakeLabel(EditBack, QRect(10, top, 40, 21), rowFont, Qt::AlignRight | Qt::AlignVCenter);
        Names[i] = MakeLabel(EditBack, QRect(50, top, 140, 21), rowFont);
        Scores[i] = MakeLabel(EditBack, QRect(190, top, 90, 21), rowFont,
                              Qt::AlignRight | Qt::AlignVCenter);
        Nums[i]->setObjectName(QStringLiteral("num%1").arg(i));
        Names[i]->setObjectName(QStringLiteral("pla%1").arg(i));
        Scores[i]->setObjectName(QStringLiteral("sco%1").arg(i));
        Nums[i]->setText(QStringLiteral("%1.   ").arg(i + 1));
    }

    Edit1 = new QLineEdit(EditBack);
    Edit1->setFrame(false);
    Edit1->setMaxLength(25);
    Edit1->setFocusPolicy(Qt::ClickFocus);
    Edit1->setFont(ArialFont(13, true));
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, Qt::yellow);
    Edit1->setPalette(pal);
    Edit1->hide();

    // An unreadable name must not keep the game from starting: say so, offer the default.
    try {
        PlayerName = ini.ReadText(Section, QStringLiteral("player"), QStringLiteral("Mr.Brain"));
    } catch (const ESettingsError& e) {
        Application::ReportError(e.Text());
        PlayerName = QStringLiteral("Mr.Brain");
    }
    Edit1->setText(PlayerName);
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
    CancelBtn->setVisible(!viewOnly);
    ClearBox->setChecked(false);
    LoadList();

    if (viewOnly) {
        InsertPos = -1;
        Edit1->hide();
        ShowRows();
        OkBtn->setFocus();
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
    Edit1->setGeometry(50, 10 + 21 * InsertPos, 140, 17);
    Edit1->show();
    Edit1->setEnabled(true);
    Edit1->setText(PlayerName);
    Edit1->selectAll();
    Edit1->setFocus();
    exec();
}

void BestListDialog::FormActivate() {
    if (mainWindow) move(PlaceOverFrame(mainWindow->frameGeometry(), size()));
    const bool german = German();
    title->setText(german ? QStringLiteral("Morvek - Bestenliste")
                          : QStringLiteral("Morvek - Highscore"));
    delcheck->setText(german ? QStringLiteral("alle Einträge löschen")
                             : QStringLiteral("remove all entries"));
    CancelBtn->SetHint(german ? QStringLiteral("Abbrechen") : QStringLiteral("Cancel"));
    OkBtn->SetHint(german ? QStringLiteral("In Liste aufnehmen") : QStringLiteral("put in list"));
}

void BestListDialog::OkBtnClick() {
    const bool cleared = ClearBox->isChecked();
    if (cleared) {
        for (int i = 0; i < HighscoreCount; ++i) {
            EntryNames[i] = QStringLiteral("Mr. Brain");
            EntryScores[i] = 0;
        }
        ShowRows();
        PlayerName = QStringLiteral("Mr. Brain");
        Edit1->setText(PlayerName);
        InsertPos = -1;
    }
    if (InsertPos >= 0) {
        PlayerName = Edit1->text();
        EntryNames[InsertPos] = PlayerName;
        Names[InsertPos]->setText(PlayerName);
    }
    Edit1->hide();
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

void BestListDialog::CancelBtnClick() {
    reject();
}

void BestListDialog::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void BestListDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in the name field confirms the name as the tick does; Escape there cancels the entry.
    // While viewing, Escape closes without writing.
    if (!AnswerDialogKey(event, OkBtn, [this] { CancelBtnClick(); })) QDialog::keyPressEvent(event);
}
