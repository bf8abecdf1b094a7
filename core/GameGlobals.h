// Game-wide values that live for the whole run.
#pragma once

#include "Puzzle.h"
#include "RandomGenerator.h"

#include <cstdint>
#include <string>

enum GameState : uint8_t {
    Ready = 0,
    Running = 1,
    Solved = 2,
    Paused = 3,
};

extern RandomGenerator RandomSource; // seeded once at start
extern int32_t mode;                 // size level 1..9
extern std::string ProgramDir;       // folder of rules file and music (gameDataFolder), ending in /
extern int32_t Tongue;               // -1 not chosen yet, 0 English, 1 German
extern bool SoundOn;
extern bool MusicOn;
extern bool MusicFound;
extern bool FirstShow;
extern bool Dragging;
// A claim that some picture fitting the clues allows is right (off: only the hidden picture
// counts).
extern bool FairJudging;

// German is shown exactly when Tongue is 1.
inline bool German() {
    return Tongue == 1;
}
