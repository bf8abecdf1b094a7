// SPDX-License-Identifier: MIT
// Where the current level stands.
#pragma once

#include <cstdint>

enum class GameState : uint8_t {
    Ready = 0,
    Running = 1,
    Solved = 2,
    Paused = 3,
};
