// SPDX-License-Identifier: MIT
// A level in progress as the game keeps it between runs: its size, every cell, the played time
// and the random source, as text. No window and no file here: the main window stores the text.
#pragma once

#include "logic/Puzzle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct KeptLevel {
    Puzzle puzzle;            // the current hidden picture, the player's cells and done lines
    int32_t mode = 1;         // size level 1..9
    int32_t playTime = 0;     // seconds, penalties included
    uint32_t randomState = 0; // the random source after the level was drawn
    int32_t tileStyle = 1;    // 1..4, drawn with the level
    int64_t owner = 0;        // the process playing it now; 0 when none
};

// The level as lines "key=value" under "[level]": the cells row by row as '.' hidden empty, '#'
// hidden filled, 'x' marked, 'o' uncovered.
std::string keptLevelText(const KeptLevel& level);

// The level read back, or nothing when the text is not a whole, consistent level of the game
// (every line checked: a damaged file never becomes a board).
std::optional<KeptLevel> parseKeptLevel(std::string_view text);
