// The blocking wait of the board animations.
#include "Delay.h"

#include <chrono>

uint32_t TickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void Delay(int32_t ms) {
    // Spins on the tick count without handling events: the window stays as drawn.
    const uint32_t start = TickCount();
    // Unsigned difference: correct across the wrap of the 32-bit counter. Compared as a
    // signed 64-bit value, so a negative wait returns at once instead of spinning for weeks.
    while (static_cast<int64_t>(TickCount() - start) <= ms) {
    }
}
