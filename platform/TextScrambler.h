// SPDX-License-Identifier: MIT
// The text scrambler that keeps stored best-list entries from being edited by hand.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

inline constexpr char DefaultScramblerAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
inline constexpr int32_t DefaultScramblerKey = 47261;

// Sets the one scrambler of the program. Until it is called the defaults apply. Repeated
// characters of the alphabet count once, so that unscrambling always undoes scrambling.
void setupScrambler(const QString& alphabet = QString::fromLatin1(DefaultScramblerAlphabet),
                    int32_t key = DefaultScramblerKey);

// Each character found in the alphabet is shifted along it; all others stay. The length is kept.
QString scrambleText(const QString& text);
QString unscrambleText(const QString& text);

// The shift (0 .. alphabetLength-1) that scrambling applies at each of the first `count`
// positions with this key: the heart of the scrambler, exposed for checking.
std::vector<int32_t> scramblerShifts(int32_t key, int32_t alphabetLength, int32_t count);
