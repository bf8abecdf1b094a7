// The blocking wait of the board animations.
#pragma once

#include <cstdint>

// Milliseconds of a monotonic clock.
uint32_t TickCount();
// Returns once the tick count has passed start + ms; handles no events meanwhile.
void Delay(int32_t ms);
