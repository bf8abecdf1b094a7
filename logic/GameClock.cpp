// SPDX-License-Identifier: MIT
// The play clock.
#include "logic/GameClock.h"

GameClock::Tick GameClock::tick(bool running) {
    if (m_waiting > 0) {
        m_held = true;
        return Tick::Held;
    }
    if (!running) return Tick::Counted;
    if (++m_tenths > 9) m_tenths = 0;
    if (m_tenths != 0) return Tick::Counted;
    ++m_playTime;
    return Tick::Second;
}

void GameClock::endWait() {
    if (m_waiting > 0) --m_waiting;
}

bool GameClock::takeHeldTick() {
    if (m_waiting > 0 || !m_held) return false;
    m_held = false;
    return true;
}

void GameClock::restart(int32_t seconds) {
    m_playTime = seconds;
}
