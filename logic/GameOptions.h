// SPDX-License-Identifier: MIT
// What the player chose (the stored options) and whether music was found: owned by the main
// window, read by reference by its dialogs, its players and the rules.
#pragma once

#include <cstdint>

// The stored language values. Any other stored value counts as English (only German is told
// apart), so they stay plain numbers rather than an enum.
namespace Tongue {
inline constexpr int32_t Unchosen = -1; // the first start asks
inline constexpr int32_t English = 0;
inline constexpr int32_t German = 1;
} // namespace Tongue

struct GameOptions {
    int32_t mode = 1; // size level 1..9
    int32_t tongue = Tongue::Unchosen;
    bool soundOn = true;
    bool musicOn = true;
    bool musicFound = false;
    // A claim that some picture fitting the clues allows is right (off: only the hidden picture
    // counts).
    bool fairJudging = true;
    int32_t backgroundMode = 0; // row of the background strip, 0..6

    bool isGerman() const { return tongue == Tongue::German; }
};
