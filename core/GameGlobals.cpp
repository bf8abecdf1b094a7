// Game-wide values.
#include "GameGlobals.h"

RandomGenerator randomSource;
int32_t mode = 1;
std::string programDir;
int32_t tongue = -1;
bool soundOn = true;
bool musicOn = true;
bool musicFound = false;
bool firstShow = true;
bool dragging = false;
bool fairJudging = true;
