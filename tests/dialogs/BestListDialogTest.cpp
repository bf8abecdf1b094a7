// The best-list dialog against a real settings file: viewing, entering, clearing, bad values.
#include "BestListDialog.h"
#include "Application.h"
#include "BackPanel.h"
#include "DialogKit.h"
#include "DialogTestKit.h"
#include "GameGlobals.h"
#include "ImageButton.h"
#include "SettingsStore.h"
#include "TextScrambler.h"
#include "TransparentCheckBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QString Section = QStringLiteral("common");

class BestListDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        SavedTongue = tongue;
        QFile::remove(SettingsStore::DefaultFileName());
    }
    void TearDown() override {
        tongue = SavedTongue;
        QFile::remove(SettingsStore::DefaultFileName());
    }

    // A dialog as the game sets it up: lower is better, the list of size 3.
    std::unique_ptr<BestListDialog> MakeDlg() {
        auto dlg = std::make_unique<BestListDialog>(&Main, Ini, Resources());
        dlg->SetDirection(1);
        dlg->SetINIString("hs3");
        return dlg;
    }

    void Store(int index, const QString& plain) {
        Ini.WriteText(Section, "hs3" + QString::number(index), ScrambleText(plain));
    }
    QString Stored(int index) {
        return UnscrambleText(Ini.ReadText(Section, "hs3" + QString::number(index), "<none>"));
    }
    // Scores 10, 20, ..., 150 with names p0..p14.
    void StoreTens() {
        for (int i = 0; i < 15; ++i)
            Store(i, QStringLiteral("%1,p%2").arg(10 * (i + 1)).arg(i));
    }
    // Every stored value of the section, raw.
    QMap<QString, QString> Snapshot() {
        QMap<QString, QString> values;
        values["player"] = Ini.ReadText(Section, "player", "<none>");
        for (int i = 0; i < 15; ++i)
            values["hs3" + QString::number(i)] =
                Ini.ReadText(Section, "hs3" + QString::number(i), "<none>");
        return values;
    }

    static QString Cell(const BestListDialog& dlg, const char* kind, int row) {
        const auto* label =
            dlg.findChild<QLabel*>(QString::fromLatin1(kind) + QString::number(row));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    struct RowLabels {
        QStringList Names, Scores;
        bool EditVisible = false;
        bool CancelVisible = false;
    };
    static RowLabels Rows(const BestListDialog& dlg) {
        RowLabels rows;
        for (int i = 0; i < 15; ++i) {
            rows.Names << Cell(dlg, "pla", i);
            rows.Scores << Cell(dlg, "sco", i);
        }
        rows.EditVisible = dlg.nameEdit->isVisible();
        rows.CancelVisible = dlg.cancelButton->isVisible();
        return rows;
    }
    // Views the list; returns what the rows showed. Closes with OK or Cancel.
    RowLabels View(BestListDialog& dlg, bool ok = true) {
        RowLabels rows;
        EXPECT_TRUE(RunModal(
            dlg, [&] { dlg.ShowModal(12345, true); },
            [&] {
                rows = Rows(dlg);
                ok ? dlg.onOkClicked() : dlg.onCancelClicked();
            }));
        return rows;
    }

    FakeMainWindow Main;
    SettingsStore Ini;
    int32_t SavedTongue = -1;
};

TEST_F(BestListDialogTest, EmptyStoreShowsDefaults) {
    auto dlg = MakeDlg();
    const RowLabels rows = View(*dlg);
    EXPECT_EQ(rows.Names, QStringList(15, "Mr. Brain"));
    EXPECT_EQ(rows.Scores, QStringList(15, "9999999"));
    EXPECT_FALSE(rows.EditVisible);
    EXPECT_FALSE(rows.CancelVisible);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(Cell(*dlg, "num", i), QStringLiteral("%1.   ").arg(i + 1));
    // OK while viewing stores nothing.
    EXPECT_FALSE(QFile::exists(SettingsStore::DefaultFileName()));
}

TEST_F(BestListDialogTest, TieGoesBelowAndANameWithACommaRoundTrips) {
    StoreTens();
    auto dlg = MakeDlg();
    RowLabels during;
    bool focus = false;
    QRect editPlace;
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(30, false); },
        [&] {
            during = Rows(*dlg);
            focus = dlg->focusWidget() == dlg->nameEdit;
            editPlace = dlg->nameEdit->geometry();
            EXPECT_EQ(dlg->nameEdit->text(), "Mr.Brain");
            dlg->nameEdit->selectAll();
            QTest::keyClicks(dlg->nameEdit, "Smith, John");
            QTest::mouseClick(dlg->okButton, Qt::LeftButton);
        }));
    EXPECT_EQ(dlg->InsertPos, 3);
    EXPECT_TRUE(during.EditVisible);
    EXPECT_TRUE(during.CancelVisible);
    EXPECT_TRUE(focus);
    EXPECT_EQ(editPlace, QRect(50, 10 + 21 * 3, 140, 17));
    EXPECT_EQ(during.Scores[2], "30");
    EXPECT_EQ(during.Scores[3], "30");
    EXPECT_EQ(during.Names[4], "p3");
    EXPECT_EQ(during.Scores[14], "140");

    EXPECT_EQ(Stored(2), "30,p2");
    EXPECT_EQ(Stored(3), "30,Smith, John");
    EXPECT_EQ(Stored(4), "40,p3");
    EXPECT_EQ(Stored(14), "140,p13");
    EXPECT_EQ(Ini.ReadText(Section, "player", ""), "Smith, John");

    // A fresh dialog (a new run) reads the name back whole.
    auto next = MakeDlg();
    EXPECT_EQ(next->PlayerName, "Smith, John");
    const RowLabels rows = View(*next);
    EXPECT_EQ(rows.Names[3], "Smith, John");
    EXPECT_FALSE(rows.EditVisible);
}

TEST_F(BestListDialogTest, NameFieldIsLimitedAndOutOfTabOrder) {
    auto dlg = MakeDlg();
    EXPECT_EQ(dlg->nameEdit->maxLength(), 25);
    EXPECT_FALSE(dlg->nameEdit->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(dlg->nameEdit->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(dlg->nameEdit->palette().color(QPalette::Text), QColor(Qt::yellow));
    EXPECT_TRUE(dlg->nameEdit->font().bold());
    EXPECT_EQ(dlg->nameEdit->font().pixelSize(), 13);
    EXPECT_FALSE(dlg->okButton->ShowHint());
    EXPECT_FALSE(dlg->cancelButton->ShowHint());
}

TEST_F(BestListDialogTest, SixteenthPlaceOpensNothingAndChangesNothing) {
    for (int i = 0; i < 15; ++i)
        Store(i, QStringLiteral("%1,p%2").arg(i + 1).arg(i));
    const auto before = Snapshot();
    auto dlg = MakeDlg();
    EXPECT_FALSE(RunModal(
        *dlg, [&] { dlg->ShowModal(15, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_EQ(dlg->InsertPos, -1);
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(BestListDialogTest, CancelStoresNothing) {
    StoreTens();
    const auto before = Snapshot();
    auto dlg = MakeDlg();
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(5, false); },
        [&] {
            QTest::keyClicks(dlg->nameEdit, "Zed");
            QTest::mouseClick(dlg->cancelButton, Qt::LeftButton);
        }));
    EXPECT_EQ(Snapshot(), before);
    const RowLabels rows = View(*dlg, false);
    EXPECT_EQ(rows.Names[0], "p0");
    EXPECT_EQ(rows.Scores[0], "10");
    EXPECT_FALSE(rows.EditVisible);
}

TEST_F(BestListDialogTest, ClearBoxEmptiesTheListAndDropsThePendingResult) {
    StoreTens();
    auto dlg = MakeDlg();
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(25, false); },
        [&] {
            QTest::keyClicks(dlg->nameEdit, "Eve");
            dlg->clearCheck->setChecked(true);
            dlg->onOkClicked();
        }));
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(Stored(i), "0,Mr. Brain") << i;
    EXPECT_EQ(Ini.ReadText(Section, "player", ""), "Mr. Brain");
    EXPECT_EQ(dlg->PlayerName, "Mr. Brain");

    // A cleared list gives the next result row 1, offered with the new default name; the
    // box starts unticked again.
    bool unticked = false;
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(9000, false); },
        [&] {
            unticked = !dlg->clearCheck->isChecked();
            EXPECT_EQ(dlg->nameEdit->text(), "Mr. Brain");
            dlg->onOkClicked();
        }));
    EXPECT_TRUE(unticked);
    EXPECT_EQ(Stored(0), "9000,Mr. Brain");
    EXPECT_EQ(Stored(1), "0,Mr. Brain");
}

// Another copy of the game stores a result while this one shows the list: OK keeps that result.
TEST_F(BestListDialogTest, ViewAndOkWritesNothing) {
    StoreTens();
    Ini.WriteText(Section, "player", "Ann");
    auto dlg = MakeDlg();
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(12345, true); },
        [&] {
            SettingsStore other;
            other.WriteText(Section, "hs30", ScrambleText("5,Other"));
            other.WriteText(Section, "player", "Zoe");
            dlg->onOkClicked();
        }));
    EXPECT_EQ(Stored(0), "5,Other");
    EXPECT_EQ(Stored(1), "20,p1");
    EXPECT_EQ(Ini.ReadText(Section, "player", ""), "Zoe");
}

TEST_F(BestListDialogTest, AStoredZeroIsAResult) {
    Store(0, "0,Zed");
    auto dlg = MakeDlg();
    ASSERT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(7, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_EQ(Stored(0), "0,Zed");
    EXPECT_EQ(Stored(1), "7,Mr.Brain");
}

// Values that earlier versions could not read: the list opens, each bad value costs its row.
TEST_F(BestListDialogTest, ACommaOrATypedValueInTheStoreLeavesTheListUsable) {
    StoreTens();
    QFile file(SettingsStore::DefaultFileName());
    ASSERT_TRUE(file.open(QFile::Append));
    file.write("hs31=ejt,us_C7\nhs32=@ByteArray(x)\nhs33=-5\n");
    file.write("hs34=" + ScrambleText("-40,Cheat").toUtf8() + "\n");
    file.close();
    auto dlg = MakeDlg();
    const RowLabels rows = View(*dlg);
    EXPECT_EQ(rows.Names[0], "p0");
    // The unquoted value is read as the text it is, and unscrambles to a good entry.
    EXPECT_EQ(rows.Names[1], "P1_03");
    EXPECT_EQ(rows.Scores[1], "103");
    for (int row : {2, 3, 4}) {
        EXPECT_EQ(rows.Names[row], "Mr. Brain") << row;
        EXPECT_EQ(rows.Scores[row], "9999999") << row;
    }
    EXPECT_EQ(rows.Names[5], "p5");
}

// A store that cannot be written (here a folder in place of its lock) reports the failure once and
// never keeps the list from closing, by the tick or by Escape.
TEST_F(BestListDialogTest, AnUnwritableStoreNeverTrapsTheList) {
    StoreTens();
    const QString lock = SettingsStore::DefaultFileName() + ".lock";
    ASSERT_TRUE(QDir().mkpath(lock));
    QStringList errors;
    Application::ErrorHook = [&](const QString& text) { errors << text; };
    auto dlg = MakeDlg();
    // Clearing writes even when only viewing.
    EXPECT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(0, true); },
        [&] {
            dlg->clearCheck->setChecked(true);
            dlg->onOkClicked();
        }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 1);
    // A new result that cannot be stored.
    EXPECT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(15, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(RunModal(
        *dlg, [&] { dlg->ShowModal(0, true); },
        [&] { QTest::keyClick(dlg.get(), Qt::Key_Escape); }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 2);
    Application::ErrorHook = nullptr;
    QDir().rmdir(lock);
    EXPECT_EQ(Stored(0), "10,p0");
}

TEST_F(BestListDialogTest, BadValuesBecomeDefaultRowsAndSpoilNothingElse) {
    StoreTens();
    const struct {
        int Index;
        QString Raw; // as it lies in the store
    } bad[] = {
        {0, ScrambleText("12345")},         // no comma
        {3, ScrambleText("abc,x")},         // score not a number
        {5, ScrambleText("99999999999,x")}, // score beyond 32 bits
        {7, "!?%&/()=#"},                   // not a scrambled text: no comma after unscrambling
        {9, ScrambleText(" 7,x")},          // stray space
        {11, ""},                           // empty value
    };
    for (const auto& row : bad)
        Ini.WriteText(Section, "hs3" + QString::number(row.Index), row.Raw);
    auto dlg = MakeDlg();
    const RowLabels rows = View(*dlg, false);
    for (int i = 0; i < 15; ++i) {
        const bool isBad = std::any_of(std::begin(bad), std::end(bad),
                                       [&](const auto& row) { return row.Index == i; });
        EXPECT_EQ(rows.Names[i], isBad ? "Mr. Brain" : QStringLiteral("p%1").arg(i)) << i;
        EXPECT_EQ(rows.Scores[i], isBad ? "9999999" : QString::number(10 * (i + 1))) << i;
    }
}

TEST_F(BestListDialogTest, TextsByLanguageAndPlacement) {
    auto dlg = MakeDlg();
    const struct {
        int32_t tongue;
        const char* Title;
        const char* Clear;
        const char* Cancel;
        const char* Ok;
    } rows[] = {
        {1, "Morvek - Bestenliste", "alle Einträge löschen", "Abbrechen", "In Liste aufnehmen"},
        {0, "Morvek - Highscore", "remove all entries", "Cancel", "put in list"},
        {-1, "Morvek - Highscore", "remove all entries", "Cancel", "put in list"},
    };
    for (const auto& row : rows) {
        tongue = row.tongue;
        QPoint pos;
        ASSERT_TRUE(RunModal(
            *dlg, [&] { dlg->ShowModal(0, true); },
            [&] {
                pos = dlg->pos();
                dlg->onCancelClicked();
            }));
        EXPECT_EQ(dlg->title->text(), QString::fromUtf8(row.Title));
        EXPECT_EQ(dlg->clearLabel->text(), QString::fromUtf8(row.Clear));
        EXPECT_EQ(dlg->cancelButton->Hint(), QString::fromUtf8(row.Cancel));
        EXPECT_EQ(dlg->okButton->Hint(), QString::fromUtf8(row.Ok));
        EXPECT_EQ(pos, PlaceOverFrame(Main.frameGeometry(), QSize(320, 476)));
    }
}

TEST_F(BestListDialogTest, ComponentsInPlace) {
    auto dlg = MakeDlg();
    EXPECT_EQ(dlg->size(), QSize(320, 476));
    const struct {
        QWidget* Widget;
        QRect Place;
    } rows[] = {
        {dlg->background, {0, 0, 320, 476}},
        {dlg->titlePanel, {11, 12, 298, 33}},
        {dlg->title, {12, 4, 273, 25}},
        {dlg->listPanel, {11, 48, 298, 329}},
        {dlg->clearPanel, {11, 380, 298, 29}},
        {dlg->clearCheck, {16, 7, 17, 17}},
        {dlg->clearLabel, {40, 8, 245, 17}},
        {dlg->cancelButton, {204, 416, 50, 50}},
        {dlg->okButton, {260, 416, 50, 50}},
        {dlg->findChild<QLabel*>("num0"), {10, 10, 40, 21}},
        {dlg->findChild<QLabel*>("pla7"), {50, 157, 140, 21}},
        {dlg->findChild<QLabel*>("sco14"), {190, 304, 90, 21}},
    };
    for (const auto& row : rows) {
        ASSERT_NE(row.Widget, nullptr);
        EXPECT_EQ(row.Widget->geometry(), row.Place) << row.Widget->objectName().toStdString();
    }
    EXPECT_EQ(dlg->okButton->ButtonFaceIndicesNew2(), ImageButton::FaceTable(5, 6, 5, 0));
    EXPECT_EQ(dlg->cancelButton->ButtonFaceIndicesNew2(), ImageButton::FaceTable(7, 8, 7, 0));
    EXPECT_EQ(dlg->background->ListIndex(), 1);
    for (BackPanel* panel : {dlg->titlePanel, dlg->listPanel, dlg->clearPanel})
        EXPECT_EQ(panel->ListIndex(), 2);
    EXPECT_EQ(dlg->findChildren<QLabel*>(QRegularExpression("^(num|pla|sco)\\d+$")).size(), 45);
}

} // namespace
