// SPDX-License-Identifier: MIT
// The wait of the board animations.
#pragma once

#include <cstdint>

// Milliseconds of a monotonic clock.
uint32_t tickCount();
// Returns once the tick count has passed start + ms. Meanwhile the thread sleeps in an event
// loop that repaints and answers the window system but holds back the player's input, which
// follows in its order once the wait is over. Returns early when the application quits.
void delay(int32_t ms);

// Drops the player's input that a wait held back and that has not been handled yet: keys and
// clicks meant for the board must not answer the box that follows the last move.
void discardHeldInput();
