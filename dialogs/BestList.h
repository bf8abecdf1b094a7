// SPDX-License-Identifier: MIT
// One best list of 15 entries: the stored entry text, ranking and insertion, without any window.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

constexpr int HighscoreCount = 15;

struct BestListEntry {
    QString name;
    int32_t score = 0;

    bool operator==(const BestListEntry&) const = default;
};

using BestList = std::array<BestListEntry, HighscoreCount>;

// A score is a time: the lower, the better. A free row holds the highest there is.
BestListEntry defaultHighscoreEntry();
BestList defaultHighscoreList();
// What "remove all entries" leaves: ("Mr. Brain", 0) in every row.
BestListEntry clearedHighscoreEntry();
BestList clearedHighscoreList();

// Reads the plain (unscrambled) text "score,name". The name is everything after the first comma,
// so it may hold commas itself. Empty text, text without a comma, or a score part that is not
// decimal digits fitting 32 bits (a negative score included) gives the default entry: a damaged
// value costs only its own row.
BestListEntry parseHighscoreEntry(const QString& plain);
QString formatHighscoreEntry(const BestListEntry& entry);

// The row a new score earns, or -1. A score equal to stored ones goes below them; a cleared row
// ("Mr. Brain", 0) counts as free, while any other 0 is a real result (a tiny board solved while
// the animations held the clock).
int32_t rankHighscore(const BestList& list, int32_t score);
// Moves the rows from pos on down by one (the last drops out) and puts entry at pos.
void insertHighscore(BestList& list, int32_t pos, const BestListEntry& entry);
