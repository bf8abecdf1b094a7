// Game-wide values.
#include "GameGlobals.h"

RandomGenerator RandomSource;
int32_t mode = 1;
std::string ProgramDir;
int32_t Tongue = -1;
bool SoundOn = true;
bool MusicOn = true;
bool MusicFound = false;
bool FirstShow = true;
bool Dragging = false;
bool FairJudging = true;
