// SPDX-License-Identifier: MIT
// The tool bar texts in both languages; each hint names its key.
#include "dialogs/MainTexts.h"
#include "dialogs/AccessibleTexts.h"

#include <gtest/gtest.h>

TEST(MainTexts, BothLanguages) {
    const MainWindowTexts de = mainTexts(true);
    const MainWindowTexts en = mainTexts(false);
    const struct {
        QString de, en, wantDe, wantEn;
    } rows[] = {
        {de.startHint, en.startHint, "Ich möchte neu beginnen. (F2)",
         "I want to start again. (F2)"},
        {de.highScoreHint, en.highScoreHint, "Wer sind die Besten? (F3)", "Who are the best? (F3)"},
        {de.pauseHint, en.pauseHint, "Ich brauch eine kurze Pause. (P)", "I need a break. (P)"},
        {de.levelHint, en.levelHint, "Ich möchte eine ander Spielfeldgröße. (F4, Umschalt+F4)",
         "I want another game size. (F4, Shift+F4)"},
        {de.rulesHint, en.rulesHint, "Worum geht's da eigentlich? (F1)", "What's to do here? (F1)"},
        {de.optionHint, en.optionHint, "Ich möchte die Einstellungen ändern. (F5)",
         " I want to change the options. (F5)"},
        {de.exitHint, en.exitHint, "Ich hab genug! (Esc)", "I have enough! (Esc)"},
        {de.infoHint, en.infoHint, "Wer hat diese Spiele nur verbrochen? (Strg+I)",
         "Who did these TALLOW GAME? (Ctrl+I)"},
        {de.scoreCaption, en.scoreCaption, "Zeit:", "Time:"},
        {de.sizeCaption, en.sizeCaption, "Größe:", "Size:"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.de, row.wantDe);
        EXPECT_EQ(row.en, row.wantEn);
    }
}

// What a screen reader hears about the cell under the keyboard cursor. The board has a hidden
// filled and a hidden empty cell side by side: they must sound the same.
TEST(AccessibleTexts, CellUnderTheCursor) {
    Puzzle p;
    p.colCount = 3;
    p.rowCount = 2;
    // Row 1: filled, empty, filled; row 2: filled, filled, empty.
    p.grid[1][1] = p.grid[3][1] = p.grid[1][2] = p.grid[2][2] = CellState::HiddenFilled;
    computeClues(p);
    p.grid[3][2] = CellState::MarkedEmpty;
    p.grid[1][2] = CellState::Uncovered;
    p.rowDone[2] = true;
    const struct {
        int32_t col, row;
        const char* en;
        const char* de;
    } cases[] = {
        {1, 1, "row 1, column 1, hidden; row clues 1 1, column clues 2",
         "Zeile 1, Spalte 1, verdeckt; Zeilenzahlen 1 1, Spaltenzahlen 2"},
        {2, 1, "row 1, column 2, hidden; row clues 1 1, column clues 1",
         "Zeile 1, Spalte 2, verdeckt; Zeilenzahlen 1 1, Spaltenzahlen 1"},
        {1, 2, "row 2, column 1, uncovered; row clues 2 (done), column clues 2",
         "Zeile 2, Spalte 1, aufgedeckt; Zeilenzahlen 2 (fertig), Spaltenzahlen 2"},
        {3, 2, "row 2, column 3, marked empty; row clues 2 (done), column clues 1",
         "Zeile 2, Spalte 3, als leer markiert; Zeilenzahlen 2 (fertig), Spaltenzahlen 1"},
        // Off the board: nothing to say rather than a wrong cell.
        {4, 1, "", ""},
        {1, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.col << "," << c.row);
        EXPECT_EQ(cellText(false, p, c.col, c.row), QString::fromUtf8(c.en));
        EXPECT_EQ(cellText(true, p, c.col, c.row), QString::fromUtf8(c.de));
    }
}

TEST(AccessibleTexts, CountersAndNames) {
    EXPECT_EQ(timeText(false, 0), QStringLiteral("Time: 0 seconds"));
    EXPECT_EQ(timeText(false, 1), QStringLiteral("Time: 1 second"));
    EXPECT_EQ(timeText(true, 1), QStringLiteral("Zeit: 1 Sekunde"));
    EXPECT_EQ(timeText(true, 99), QStringLiteral("Zeit: 99 Sekunden"));
    EXPECT_EQ(sizeText(false, 34, 23), QStringLiteral("Size: 34 by 23"));
    EXPECT_EQ(sizeText(true, 10, 7), QString::fromUtf8("Größe: 10 mal 7"));
    // Every name and description is there in both languages, and the two differ.
    for (const bool german : {false, true}) {
        const AccessibleTexts a = accessibleTexts(german);
        for (const QString& text : {a.startName, a.pauseName, a.highScoreName, a.levelName,
                                    a.optionName, a.infoName, a.rulesName, a.exitName, a.boardName,
                                    a.boardDescription, a.timeDescription, a.sizeDescription})
            EXPECT_FALSE(text.isEmpty());
    }
    EXPECT_NE(accessibleTexts(false).startName, accessibleTexts(true).startName);
    EXPECT_NE(accessibleTexts(false).boardDescription, accessibleTexts(true).boardDescription);
}
