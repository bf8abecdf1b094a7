// Game-wide values that live for the whole run.
#pragma once

#include "Puzzle.h"
#include "RandomGenerator.h"

#include <cstdint>
#include <string>

enum class GameState : uint8_t {
    Ready = 0,
    Running = 1,
    Solved = 2,
    Paused = 3,
};

extern RandomGenerator randomSource; // seeded once at start
extern int32_t mode;                 // size level 1..9
extern std::string programDir;       // folder of rules file and music (gameDataFolder), ending in /
extern int32_t tongue;               // -1 not chosen yet, 0 English, 1 German
extern bool soundOn;
extern bool musicOn;
extern bool musicFound;
extern bool firstShow;
extern bool dragging;
// A claim that some picture fitting the clues allows is right (off: only the hidden picture
// counts).
extern bool fairJudging;

// German is shown exactly when tongue is 1.
inline bool isGerman() {
    return tongue == 1;
}
