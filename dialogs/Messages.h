// SPDX-License-Identifier: MIT
// The texts and button modes of the message dialog.
#pragma once

#include <QString>

#include <cstdint>

struct DialogMessage {
    int buttonMode = 0; // 1 one button, 2 Yes and No, 0 not in the table
    QString german;
    QString english;
};

// The messages the game shows, by what they say; the number is the message's place in the table.
enum class Message : int32_t {
    Solved = 1,     // "Hurrah, you did it!"
    Quit = 3,       // "Do you really want to go?"
    GiveUpGame = 4, // "Do you really want to give up the game?"
    Paused = 12,    // "Game paused. Continue?"
};

constexpr int ResultYes = 6;
constexpr int ResultNo = 7;

// The message of a number 1..14; numbers 10, 11 and those outside the table give buttonMode 0.
DialogMessage messageText(int number);
