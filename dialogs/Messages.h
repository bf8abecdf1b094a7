// SPDX-License-Identifier: MIT
// The texts and button modes of the message dialog.
#pragma once

#include <QString>

struct DialogMessage {
    int buttonMode = 0; // 1 one button, 2 Yes and No, 0 not in the table
    QString german;
    QString english;
};

constexpr int ResultYes = 6;
constexpr int ResultNo = 7;

// The message of a number 1..14; numbers 10, 11 and those outside the table give buttonMode 0.
DialogMessage messageText(int number);
