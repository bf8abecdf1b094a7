// SPDX-License-Identifier: MIT
// One best list of 15 entries: the stored entry text, ranking and insertion, without any window.
#include "dialogs/BestList.h"

namespace {

const QString DefaultName = QStringLiteral("Mr. Brain");

// Strict decimal: QString::toInt would also take spaces and a plus sign.
bool parseScore(QStringView text, int32_t& score) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == u'-') {
        negative = true;
        ++i;
    }
    if (i == text.size()) return false;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
        if (value > int64_t(INT32_MAX) + 1) return false;
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    score = static_cast<int32_t>(value);
    return true;
}

} // namespace

BestListEntry defaultHighscoreEntry() {
    return {DefaultName, 9999999};
}

BestList defaultHighscoreList() {
    BestList list;
    list.fill(defaultHighscoreEntry());
    return list;
}

BestListEntry clearedHighscoreEntry() {
    return {DefaultName, 0};
}

BestList clearedHighscoreList() {
    BestList list;
    list.fill(clearedHighscoreEntry());
    return list;
}

BestListEntry parseHighscoreEntry(const QString& plain) {
    const qsizetype comma = plain.indexOf(u',');
    int32_t score = 0;
    // No game gives a negative result: such a score was made by hand and would rank first.
    if (comma < 0 || !parseScore(QStringView(plain).left(comma), score) || score < 0)
        return defaultHighscoreEntry();
    return {plain.mid(comma + 1), score};
}

QString formatHighscoreEntry(const BestListEntry& entry) {
    return QString::number(entry.score) + u',' + entry.name;
}

int32_t rankHighscore(const BestList& list, int32_t score) {
    for (int32_t k = 0; k < HighscoreCount; ++k) {
        if (list[k] == clearedHighscoreEntry() || list[k].score > score) return k;
    }
    return -1;
}

void insertHighscore(BestList& list, int32_t pos, const BestListEntry& entry) {
    if (pos < 0 || pos >= HighscoreCount) return;
    for (int32_t i = HighscoreCount - 1; i > pos; --i)
        list[i] = list[i - 1];
    list[pos] = entry;
}
