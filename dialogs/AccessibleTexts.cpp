// SPDX-License-Identifier: MIT
// What screen readers say about the main window, in German and English.
#include "dialogs/AccessibleTexts.h"

#include <QStringList>

#include <algorithm>

namespace {

QString clueList(const int32_t* clues, int32_t count) {
    QStringList numbers;
    for (int32_t k = 1; k <= count; ++k)
        numbers << QString::number(clues[k]);
    return numbers.join(QLatin1Char(' '));
}

QString stateText(bool german, int32_t state) {
    switch (state) {
    case CellState::Uncovered:
        return german ? QStringLiteral("aufgedeckt") : QStringLiteral("uncovered");
    case CellState::MarkedEmpty:
        return german ? QStringLiteral("als leer markiert") : QStringLiteral("marked empty");
    default:
        return german ? QStringLiteral("verdeckt") : QStringLiteral("hidden");
    }
}

} // namespace

AccessibleTexts accessibleTexts(bool german) {
    if (german)
        return {
            QStringLiteral("Neues Spiel"),
            QStringLiteral("Pause"),
            QStringLiteral("Bestenliste"),
            QStringLiteral("Spielfeldgröße"),
            QStringLiteral("Einstellungen"),
            QStringLiteral("Information"),
            QStringLiteral("Spielregeln"),
            QStringLiteral("Beenden"),
            QStringLiteral("Spielfeld"),
            QStringLiteral("Pfeiltasten bewegen den Rahmen, Pos1, Ende, Bild auf und Bild ab "
                           "springen an die Enden von Zeile und Spalte. Leertaste oder Eingabe: "
                           "das Kästchen ist gefüllt. X oder Entf: das Kästchen ist leer. "
                           "Umschalt mit Pfeiltaste deckt jedes betretene Kästchen auf."),
            QStringLiteral("Sekunden dieses Spiels samt Strafen"),
            QStringLiteral("Spalten mal Zeilen des Spielfelds"),
        };
    return {
        QStringLiteral("New game"),
        QStringLiteral("Pause"),
        QStringLiteral("Best list"),
        QStringLiteral("Board size"),
        QStringLiteral("Options"),
        QStringLiteral("Information"),
        QStringLiteral("Rules"),
        QStringLiteral("Exit"),
        QStringLiteral("Board"),
        QStringLiteral("Arrow keys move the frame, Home, End, Page Up and Page Down jump to the "
                       "ends of the row and the column. Space or Return: this cell is filled. "
                       "X or Delete: this cell is empty. Shift with an arrow key uncovers every "
                       "cell it enters."),
        QStringLiteral("Seconds of this game, penalties included"),
        QStringLiteral("Columns by rows of the board"),
    };
}

QString timeText(bool german, int32_t playTime) {
    const bool one = playTime == 1 || playTime == -1;
    if (german)
        return (one ? QStringLiteral("Zeit: %1 Sekunde") : QStringLiteral("Zeit: %1 Sekunden"))
            .arg(playTime);
    return (one ? QStringLiteral("Time: %1 second") : QStringLiteral("Time: %1 seconds"))
        .arg(playTime);
}

QString sizeText(bool german, int32_t cols, int32_t rows) {
    return german ? QStringLiteral("Größe: %1 mal %2").arg(cols).arg(rows)
                  : QStringLiteral("Size: %1 by %2").arg(cols).arg(rows);
}

QString cellText(bool german, const Puzzle& puzzle, int32_t col, int32_t row) {
    if (col < 1 || col > std::min(puzzle.colCount, MaxCols) || row < 1 ||
        row > std::min(puzzle.rowCount, MaxRows))
        return {};
    QString rowClues =
        clueList(puzzle.rowClues[row], std::min(puzzle.rowClueCount[row], MaxRowClueSlots));
    QString colClues =
        clueList(puzzle.colClues[col], std::min(puzzle.colClueCount[col], MaxColClueSlots));
    const QString done = german ? QStringLiteral(" (fertig)") : QStringLiteral(" (done)");
    if (puzzle.rowDone[row]) rowClues += done;
    if (puzzle.colDone[col]) colClues += done;
    const QString state = stateText(german, puzzle.grid[col][row]);
    if (german)
        return QStringLiteral("Zeile %1, Spalte %2, %3; Zeilenzahlen %4, Spaltenzahlen %5")
            .arg(row)
            .arg(col)
            .arg(state, rowClues, colClues);
    return QStringLiteral("row %1, column %2, %3; row clues %4, column clues %5")
        .arg(row)
        .arg(col)
        .arg(state, rowClues, colClues);
}
