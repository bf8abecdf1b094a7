// SPDX-License-Identifier: MIT
// The best-list dialog against a real settings file: viewing, entering, clearing, bad values.
#include "dialogs/BestListDialog.h"
#include "DialogTestKit.h"
#include "dialogs/DialogKit.h"
#include "logic/GameOptions.h"
#include "platform/Application.h"
#include "platform/SettingsStore.h"
#include "platform/TextScrambler.h"
#include "platform/widgets/BackPanel.h"
#include "platform/widgets/ImageButton.h"
#include "platform/widgets/TransparentCheckBox.h"

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
        m_savedTongue = testOptions().tongue;
        QFile::remove(SettingsStore::defaultFileName());
    }
    void TearDown() override {
        testOptions().tongue = m_savedTongue;
        QFile::remove(SettingsStore::defaultFileName());
    }

    // A dialog as the game sets it up: lower is better, the list of size 3.
    std::unique_ptr<BestListDialog> makeDlg() {
        auto dlg = std::make_unique<BestListDialog>(&m_main, m_ini, testOptions(), resources());
        dlg->setIniString("hs3");
        return dlg;
    }

    void store(int index, const QString& plain) {
        m_ini.writeText(Section, "hs3" + QString::number(index), scrambleText(plain));
    }
    QString stored(int index) {
        return unscrambleText(m_ini.readText(Section, "hs3" + QString::number(index), "<none>"));
    }
    // Scores 10, 20, ..., 150 with names p0..p14.
    void storeTens() {
        for (int i = 0; i < 15; ++i)
            store(i, QStringLiteral("%1,p%2").arg(10 * (i + 1)).arg(i));
    }
    // Every stored value of the section, raw.
    QMap<QString, QString> snapshot() {
        QMap<QString, QString> values;
        values["player"] = m_ini.readText(Section, "player", "<none>");
        for (int i = 0; i < 15; ++i)
            values["hs3" + QString::number(i)] =
                m_ini.readText(Section, "hs3" + QString::number(i), "<none>");
        return values;
    }

    static QString cell(const BestListDialog& dlg, const char* kind, int row) {
        const auto* label =
            dlg.findChild<QLabel*>(QString::fromLatin1(kind) + QString::number(row));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    struct RowLabels {
        QStringList names, scores;
        bool editVisible = false;
        bool cancelVisible = false;
    };
    static RowLabels rowLabels(const BestListDialog& dlg) {
        RowLabels rows;
        for (int i = 0; i < 15; ++i) {
            rows.names << cell(dlg, "name", i);
            rows.scores << cell(dlg, "score", i);
        }
        rows.editVisible = dlg.nameEdit()->isVisible();
        rows.cancelVisible = dlg.cancelButton()->isVisible();
        return rows;
    }
    // Views the list; returns what the rows showed. Closes with OK or Cancel.
    RowLabels view(BestListDialog& dlg, bool ok = true) {
        RowLabels rows;
        EXPECT_TRUE(runModal(
            dlg, [&] { dlg.showModal(12345, true); },
            [&] {
                rows = rowLabels(dlg);
                ok ? dlg.onOkClicked() : dlg.onCancelClicked();
            }));
        return rows;
    }

    FakeMainWindow m_main;
    SettingsStore m_ini;
    int32_t m_savedTongue = -1;
};

TEST_F(BestListDialogTest, EmptyStoreShowsDefaults) {
    auto dlg = makeDlg();
    const RowLabels rows = view(*dlg);
    EXPECT_EQ(rows.names, QStringList(15, "Mr. Brain"));
    EXPECT_EQ(rows.scores, QStringList(15, "9999999"));
    EXPECT_FALSE(rows.editVisible);
    EXPECT_FALSE(rows.cancelVisible);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(cell(*dlg, "rank", i), QStringLiteral("%1.   ").arg(i + 1));
    // OK while viewing stores nothing.
    EXPECT_FALSE(QFile::exists(SettingsStore::defaultFileName()));
}

TEST_F(BestListDialogTest, TieGoesBelowAndANameWithACommaRoundTrips) {
    storeTens();
    auto dlg = makeDlg();
    RowLabels during;
    bool focus = false;
    QRect editPlace;
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(30, false); },
        [&] {
            during = rowLabels(*dlg);
            focus = dlg->focusWidget() == dlg->nameEdit();
            editPlace = dlg->nameEdit()->geometry();
            EXPECT_EQ(dlg->nameEdit()->text(), "Mr.Brain");
            dlg->nameEdit()->selectAll();
            QTest::keyClicks(dlg->nameEdit(), "Smith, John");
            QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        }));
    EXPECT_EQ(dlg->insertPos(), 3);
    EXPECT_TRUE(during.editVisible);
    EXPECT_TRUE(during.cancelVisible);
    EXPECT_TRUE(focus);
    EXPECT_EQ(editPlace, QRect(50, 10 + 21 * 3, 140, 17));
    EXPECT_EQ(during.scores[2], "30");
    EXPECT_EQ(during.scores[3], "30");
    EXPECT_EQ(during.names[4], "p3");
    EXPECT_EQ(during.scores[14], "140");

    EXPECT_EQ(stored(2), "30,p2");
    EXPECT_EQ(stored(3), "30,Smith, John");
    EXPECT_EQ(stored(4), "40,p3");
    EXPECT_EQ(stored(14), "140,p13");
    EXPECT_EQ(m_ini.readText(Section, "player", ""), "Smith, John");

    // A fresh dialog (a new run) reads the name back whole.
    auto next = makeDlg();
    EXPECT_EQ(next->playerName(), "Smith, John");
    const RowLabels rows = view(*next);
    EXPECT_EQ(rows.names[3], "Smith, John");
    EXPECT_FALSE(rows.editVisible);
}

TEST_F(BestListDialogTest, NameFieldIsLimitedAndOutOfTabOrder) {
    auto dlg = makeDlg();
    EXPECT_EQ(dlg->nameEdit()->maxLength(), 25);
    EXPECT_FALSE(dlg->nameEdit()->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(dlg->nameEdit()->palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_EQ(dlg->nameEdit()->palette().color(QPalette::Text), QColor(Qt::yellow));
    EXPECT_TRUE(dlg->nameEdit()->font().bold());
    EXPECT_EQ(dlg->nameEdit()->font().pixelSize(), 13);
    EXPECT_FALSE(dlg->okButton()->showHint());
    EXPECT_FALSE(dlg->cancelButton()->showHint());
}

TEST_F(BestListDialogTest, SixteenthPlaceOpensNothingAndChangesNothing) {
    for (int i = 0; i < 15; ++i)
        store(i, QStringLiteral("%1,p%2").arg(i + 1).arg(i));
    const auto before = snapshot();
    auto dlg = makeDlg();
    EXPECT_FALSE(runModal(
        *dlg, [&] { dlg->showModal(15, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_EQ(dlg->insertPos(), -1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BestListDialogTest, CancelStoresNothing) {
    storeTens();
    const auto before = snapshot();
    auto dlg = makeDlg();
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(5, false); },
        [&] {
            QTest::keyClicks(dlg->nameEdit(), "Zed");
            QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
        }));
    EXPECT_EQ(snapshot(), before);
    const RowLabels rows = view(*dlg, false);
    EXPECT_EQ(rows.names[0], "p0");
    EXPECT_EQ(rows.scores[0], "10");
    EXPECT_FALSE(rows.editVisible);
}

// Another copy of the game stores a result while this list waits for a name: both results stay,
// each where its score belongs in the list as it is when written.
TEST_F(BestListDialogTest, AResultStoredMeanwhileByAnotherCopyIsKept) {
    storeTens();
    auto dlg = makeDlg();
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(25, false); },
        [&] {
            // The other copy: 15 goes in as the second row, 150 drops out.
            SettingsStore other;
            other.updateTexts(Section, "hs3", [](const SettingsStore::TextReader&) {
                std::vector<std::pair<QString, QString>> values;
                for (int i = 0; i < 15; ++i) {
                    const int score = i == 0 ? 10 : i == 1 ? 15 : 10 * i;
                    values.emplace_back("hs3" + QString::number(i),
                                        scrambleText(QStringLiteral("%1,o%2").arg(score).arg(i)));
                }
                return values;
            });
            QTest::keyClicks(dlg->nameEdit(), "Zed");
            dlg->onOkClicked();
        }));
    QStringList rows;
    for (int i = 0; i < 5; ++i)
        rows << stored(i);
    EXPECT_EQ(rows, (QStringList{"10,o0", "15,o1", "20,o2", "25,Zed", "30,o3"}));
    EXPECT_EQ(stored(14), "130,o13");
}

// The game is ended by a signal while the name is typed: the result is stored with what was typed.
TEST_F(BestListDialogTest, AnEndingGameStoresTheWaitingResult) {
    storeTens();
    auto dlg = makeDlg();
    bool stored1 = false;
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(5, false); },
        [&] {
            dlg->nameEdit()->setText("Ann");
            stored1 = dlg->storePendingResult();
            EXPECT_FALSE(dlg->storePendingResult()); // once only
            dlg->onCancelClicked();
        }));
    EXPECT_TRUE(stored1);
    EXPECT_EQ(stored(0), "5,Ann");
    EXPECT_EQ(stored(1), "10,p0");
    EXPECT_EQ(m_ini.readText(Section, "player", ""), "Ann");
    // Nothing waits while the list is only viewed.
    EXPECT_FALSE(dlg->storePendingResult());
}

TEST_F(BestListDialogTest, ClearBoxEmptiesTheListAndDropsThePendingResult) {
    storeTens();
    auto dlg = makeDlg();
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(25, false); },
        [&] {
            QTest::keyClicks(dlg->nameEdit(), "Eve");
            dlg->clearCheck()->setChecked(true);
            dlg->onOkClicked();
        }));
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ(stored(i), "0,Mr. Brain") << i;
    EXPECT_EQ(m_ini.readText(Section, "player", ""), "Mr. Brain");
    EXPECT_EQ(dlg->playerName(), "Mr. Brain");

    // A cleared list gives the next result row 1, offered with the new default name; the
    // box starts unticked again.
    bool unticked = false;
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(9000, false); },
        [&] {
            unticked = !dlg->clearCheck()->isChecked();
            EXPECT_EQ(dlg->nameEdit()->text(), "Mr. Brain");
            dlg->onOkClicked();
        }));
    EXPECT_TRUE(unticked);
    EXPECT_EQ(stored(0), "9000,Mr. Brain");
    EXPECT_EQ(stored(1), "0,Mr. Brain");
}

// Another copy of the game stores a result while this one shows the list: OK keeps that result.
TEST_F(BestListDialogTest, ViewAndOkWritesNothing) {
    storeTens();
    m_ini.writeText(Section, "player", "Ann");
    auto dlg = makeDlg();
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(12345, true); },
        [&] {
            SettingsStore other;
            other.writeText(Section, "hs30", scrambleText("5,Other"));
            other.writeText(Section, "player", "Zoe");
            dlg->onOkClicked();
        }));
    EXPECT_EQ(stored(0), "5,Other");
    EXPECT_EQ(stored(1), "20,p1");
    EXPECT_EQ(m_ini.readText(Section, "player", ""), "Zoe");
}

TEST_F(BestListDialogTest, AStoredZeroIsAResult) {
    store(0, "0,Zed");
    auto dlg = makeDlg();
    ASSERT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(7, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_EQ(stored(0), "0,Zed");
    EXPECT_EQ(stored(1), "7,Mr.Brain");
}

// Values that earlier versions could not read: the list opens, each bad value costs its row.
TEST_F(BestListDialogTest, ACommaOrATypedValueInTheStoreLeavesTheListUsable) {
    storeTens();
    QFile file(SettingsStore::defaultFileName());
    ASSERT_TRUE(file.open(QFile::Append));
    file.write("hs31=ejt,us_C7\nhs32=@ByteArray(x)\nhs33=-5\n");
    file.write("hs34=" + scrambleText("-40,Cheat").toUtf8() + "\n");
    file.close();
    auto dlg = makeDlg();
    const RowLabels rows = view(*dlg);
    EXPECT_EQ(rows.names[0], "p0");
    // The unquoted value is read as the text it is, and unscrambles to a good entry.
    EXPECT_EQ(rows.names[1], "P1_03");
    EXPECT_EQ(rows.scores[1], "103");
    for (int row : {2, 3, 4}) {
        EXPECT_EQ(rows.names[row], "Mr. Brain") << row;
        EXPECT_EQ(rows.scores[row], "9999999") << row;
    }
    EXPECT_EQ(rows.names[5], "p5");
}

// A store that cannot be written (here a folder in place of its lock) reports the failure once and
// never keeps the list from closing, by the tick or by Escape.
TEST_F(BestListDialogTest, AnUnwritableStoreNeverTrapsTheList) {
    storeTens();
    const QString lock = SettingsStore::defaultFileName() + ".lock";
    ASSERT_TRUE(QDir().mkpath(lock));
    QStringList errors;
    Application::errorHook = [&](const QString& text) { errors << text; };
    auto dlg = makeDlg();
    // Clearing writes even when only viewing.
    EXPECT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(0, true); },
        [&] {
            dlg->clearCheck()->setChecked(true);
            dlg->onOkClicked();
        }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 1);
    // A new result that cannot be stored.
    EXPECT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(15, false); }, [&] { dlg->onOkClicked(); }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(runModal(
        *dlg, [&] { dlg->showModal(0, true); },
        [&] { QTest::keyClick(dlg.get(), Qt::Key_Escape); }));
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(errors.size(), 2);
    Application::errorHook = nullptr;
    QDir().rmdir(lock);
    EXPECT_EQ(stored(0), "10,p0");
}

TEST_F(BestListDialogTest, BadValuesBecomeDefaultRowsAndSpoilNothingElse) {
    storeTens();
    const struct {
        int index;
        QString raw; // as it lies in the store
    } bad[] = {
        {0, scrambleText("12345")},         // no comma
        {3, scrambleText("abc,x")},         // score not a number
        {5, scrambleText("99999999999,x")}, // score beyond 32 bits
        {7, "!?%&/()=#"},                   // not a scrambled text: no comma after unscrambling
        {9, scrambleText(" 7,x")},          // stray space
        {11, ""},                           // empty value
    };
    for (const auto& row : bad)
        m_ini.writeText(Section, "hs3" + QString::number(row.index), row.raw);
    auto dlg = makeDlg();
    const RowLabels rows = view(*dlg, false);
    for (int i = 0; i < 15; ++i) {
        const bool isBad = std::any_of(std::begin(bad), std::end(bad),
                                       [&](const auto& row) { return row.index == i; });
        EXPECT_EQ(rows.names[i], isBad ? "Mr. Brain" : QStringLiteral("p%1").arg(i)) << i;
        EXPECT_EQ(rows.scores[i], isBad ? "9999999" : QString::number(10 * (i + 1))) << i;
    }
}

TEST_F(BestListDialogTest, TextsByLanguageAndPlacement) {
    auto dlg = makeDlg();
    const struct {
        int32_t tongue;
        const char* title;
        const char* clear;
        const char* cancel;
        const char* ok;
    } rows[] = {
        {1, "Morvek - Bestenliste", "alle Einträge löschen", "Abbrechen", "In Liste aufnehmen"},
        {0, "Morvek - Highscore", "remove all entries", "Cancel", "put in list"},
        {-1, "Morvek - Highscore", "remove all entries", "Cancel", "put in list"},
    };
    for (const auto& row : rows) {
        testOptions().tongue = row.tongue;
        QPoint pos;
        ASSERT_TRUE(runModal(
            *dlg, [&] { dlg->showModal(0, true); },
            [&] {
                pos = dlg->pos();
                dlg->onCancelClicked();
            }));
        EXPECT_EQ(dlg->title()->text(), QString::fromUtf8(row.title));
        EXPECT_EQ(dlg->clearLabel()->text(), QString::fromUtf8(row.clear));
        EXPECT_EQ(dlg->cancelButton()->hint(), QString::fromUtf8(row.cancel));
        EXPECT_EQ(dlg->okButton()->hint(), QString::fromUtf8(row.ok));
        EXPECT_EQ(pos, placeOverFrame(m_main.frameGeometry(), QSize(320, 476)));
    }
}

TEST_F(BestListDialogTest, ComponentsInPlace) {
    auto dlg = makeDlg();
    EXPECT_EQ(dlg->size(), QSize(320, 476));
    const struct {
        QWidget* widget;
        QRect place;
    } rows[] = {
        {dlg->background(), {0, 0, 320, 476}},
        {dlg->titlePanel(), {11, 12, 298, 33}},
        {dlg->title(), {12, 4, 273, 25}},
        {dlg->listPanel(), {11, 48, 298, 329}},
        {dlg->clearPanel(), {11, 380, 298, 29}},
        {dlg->clearCheck(), {16, 7, 17, 17}},
        {dlg->clearLabel(), {40, 8, 245, 17}},
        {dlg->cancelButton(), {204, 416, 50, 50}},
        {dlg->okButton(), {260, 416, 50, 50}},
        {dlg->findChild<QLabel*>("rank0"), {10, 10, 40, 21}},
        {dlg->findChild<QLabel*>("name7"), {50, 157, 140, 21}},
        {dlg->findChild<QLabel*>("score14"), {190, 304, 90, 21}},
    };
    for (const auto& row : rows) {
        ASSERT_NE(row.widget, nullptr);
        EXPECT_EQ(row.widget->geometry(), row.place) << row.widget->objectName().toStdString();
    }
    EXPECT_EQ(dlg->okButton()->currentFaceTable(), ImageButton::faceTable(5, 6, 5, 0));
    EXPECT_EQ(dlg->cancelButton()->currentFaceTable(), ImageButton::faceTable(7, 8, 7, 0));
    EXPECT_EQ(dlg->background()->listIndex(), 1);
    for (BackPanel* panel : {dlg->titlePanel(), dlg->listPanel(), dlg->clearPanel()})
        EXPECT_EQ(panel->listIndex(), 2);
    EXPECT_EQ(dlg->findChildren<QLabel*>(QRegularExpression("^(rank|name|score)\\d+$")).size(), 45);
}

} // namespace
