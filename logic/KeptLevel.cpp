// SPDX-License-Identifier: MIT
// The kept level's text: written in one piece, read back only when every part fits the others.
#include "logic/KeptLevel.h"

#include <charconv>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr char CellLetters[] = {'.', '#', 'x', 'o'}; // by CellState
constexpr int32_t LongestPlayTime = 1000000000;

std::string doneText(const bool* done, int32_t count) {
    std::string text;
    for (int32_t i = 1; i <= count; ++i)
        text += done[i] ? '1' : '0';
    return text;
}

template <typename T> std::optional<T> number(const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

bool readDone(const std::string& text, bool* done, int32_t count) {
    if (static_cast<int32_t>(text.size()) != count) return false;
    for (int32_t i = 1; i <= count; ++i) {
        if (text[i - 1] != '0' && text[i - 1] != '1') return false;
        done[i] = text[i - 1] == '1';
    }
    return true;
}

} // namespace

std::string keptLevelText(const KeptLevel& level) {
    const Puzzle& p = level.puzzle;
    std::string text = "[level]\nversion=1\n";
    text += "owner=" + std::to_string(level.owner) + '\n';
    text += "mode=" + std::to_string(level.mode) + '\n';
    text += "time=" + std::to_string(level.playTime) + '\n';
    text += "random=" + std::to_string(level.randomState) + '\n';
    text += "tile=" + std::to_string(level.tileStyle) + '\n';
    text += "rowsdone=" + doneText(p.rowDone, p.rowCount) + '\n';
    text += "colsdone=" + doneText(p.colDone, p.colCount) + '\n';
    for (int32_t r = 1; r <= p.rowCount; ++r) {
        text += "row" + std::to_string(r) + '=';
        for (int32_t c = 1; c <= p.colCount; ++c)
            text += CellLetters[p.grid[c][r] & 3];
        text += '\n';
    }
    return text;
}

std::optional<KeptLevel> parseKeptLevel(std::string_view text) {
    std::map<std::string, std::string> values;
    size_t start = 0;
    bool header = false;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        if (!header) {
            if (line != "[level]") return std::nullopt;
            header = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return std::nullopt;
        const std::string key(line.substr(0, equals));
        if (!values.emplace(key, std::string(line.substr(equals + 1))).second) return std::nullopt;
    }
    auto get = [&](const char* key) -> const std::string* {
        const auto found = values.find(key);
        return found == values.end() ? nullptr : &found->second;
    };
    auto getNumber = [&]<typename T>(const char* key, T) -> std::optional<T> {
        const std::string* v = get(key);
        return v ? number<T>(*v) : std::nullopt;
    };
    const auto version = getNumber("version", int32_t{});
    const auto owner = getNumber("owner", int64_t{});
    const auto mode = getNumber("mode", int32_t{});
    const auto time = getNumber("time", int32_t{});
    const auto random = getNumber("random", uint32_t{});
    const auto tile = getNumber("tile", int32_t{});
    if (!version || *version != 1 || !owner || *owner < 0 || !mode || *mode < MinMode ||
        *mode > MaxMode || !time || *time < 0 || *time > LongestPlayTime || !random || !tile ||
        *tile < 1 || *tile > 4)
        return std::nullopt;

    KeptLevel level;
    level.mode = *mode;
    level.playTime = *time;
    level.randomState = *random;
    level.tileStyle = *tile;
    level.owner = *owner;
    Puzzle& p = level.puzzle;
    p.colCount = colCountFor(*mode);
    p.rowCount = rowCountFor(*mode);
    // The clues come from the picture: uncovered cells are filled ones, marked cells empty ones.
    std::vector<std::string> rows;
    for (int32_t r = 1; r <= p.rowCount; ++r) {
        const std::string* row = get(("row" + std::to_string(r)).c_str());
        if (!row || static_cast<int32_t>(row->size()) != p.colCount) return std::nullopt;
        for (int32_t c = 1; c <= p.colCount; ++c) {
            const char letter = (*row)[c - 1];
            if (letter == '#' || letter == 'o')
                p.grid[c][r] = CellState::HiddenFilled;
            else if (letter == '.' || letter == 'x')
                p.grid[c][r] = CellState::HiddenEmpty;
            else
                return std::nullopt;
        }
        rows.push_back(*row);
    }
    if (values.size() != 8 + static_cast<size_t>(p.rowCount)) return std::nullopt;
    computeClues(p);
    for (int32_t r = 1; r <= p.rowCount; ++r)
        for (int32_t c = 1; c <= p.colCount; ++c) {
            const char letter = rows[r - 1][c - 1];
            if (letter == 'x') p.grid[c][r] = CellState::MarkedEmpty;
            if (letter == 'o') p.grid[c][r] = CellState::Uncovered;
        }
    const std::string* rowsDone = get("rowsdone");
    const std::string* colsDone = get("colsdone");
    if (!rowsDone || !colsDone || !readDone(*rowsDone, p.rowDone, p.rowCount) ||
        !readDone(*colsDone, p.colDone, p.colCount))
        return std::nullopt;
    // A solved level is never kept: one that reads as solved is no level to go on with.
    if (isSolved(p)) return std::nullopt;
    return level;
}
