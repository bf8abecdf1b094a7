// SPDX-License-Identifier: MIT
// What the player chose (the stored options) and whether music was found: owned by the main
// window, read by reference by its dialogs, its players and the rules.
#pragma once

#include <cstdint>

struct GameOptions {
    int32_t mode = 1;    // size level 1..9
    int32_t tongue = -1; // -1 not chosen yet, 0 English, 1 German
    bool soundOn = true;
    bool musicOn = true;
    bool musicFound = false;
    // A claim that some picture fitting the clues allows is right (off: only the hidden picture
    // counts).
    bool fairJudging = true;
    int32_t backgroundMode = 0; // row of the background strip, 0..6

    // German is shown exactly when tongue is 1.
    bool isGerman() const { return tongue == 1; }
};
