// SPDX-License-Identifier: MIT
// What screen readers say about the main window, in German and English: the names of the tool
// bar buttons, the board and the counters, and the cell under the keyboard cursor.
#pragma once

#include "logic/Puzzle.h"

#include <QString>

#include <cstdint>

struct AccessibleTexts {
    // Button names; each button's description is its hint.
    QString startName;
    QString pauseName;
    QString highScoreName;
    QString levelName;
    QString optionName;
    QString infoName;
    QString rulesName;
    QString exitName;
    // The board's name while no cursor is shown, and how to play it by keyboard.
    QString boardName;
    QString boardDescription;
    QString timeDescription;
    QString sizeDescription;
};

AccessibleTexts accessibleTexts(bool german);

// The counters' names carry their values: "Time: 12 seconds", "Size: 10 by 7".
QString timeText(bool german, int32_t playTime);
QString sizeText(bool german, int32_t cols, int32_t rows);

// The cell at the cursor, for example "row 3, column 5, hidden; row clues 2 1, column clues 4".
// A hidden cell never tells whether it is filled.
QString cellText(bool german, const Puzzle& puzzle, int32_t col, int32_t row);
