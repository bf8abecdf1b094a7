// SPDX-License-Identifier: MIT
// The play clock: the 100 ms ticks of a running level make whole seconds of played time; a tick
// that falls while a move waits is held and caught up once afterwards.
#pragma once

#include <cstdint>

class GameClock {
  public:
    enum class Tick {
        Held,    // a move waits: the tick is kept for afterwards
        Counted, // a tenth of a second
        Second,  // a whole second: the played time changed
    };

    // One tick of the timer; only a running level counts it.
    Tick tick(bool running);
    // A move waits (nested waits count); the clock holds meanwhile.
    void beginWait() { ++m_waiting; }
    void endWait();
    bool waiting() const { return m_waiting > 0; }
    // After the last wait ended: a tick was held and is due now (asked once).
    bool takeHeldTick();
    bool tickHeld() const { return m_held; }

    // The played time in seconds; the rules charge penalties to it directly.
    int32_t& playTime() { return m_playTime; }
    int32_t playTime() const { return m_playTime; }
    // A new level starts from `seconds` (0, or a kept level's time).
    void restart(int32_t seconds);

  private:
    int32_t m_playTime = 0;
    int32_t m_tenths = 0;
    int32_t m_waiting = 0;
    bool m_held = false;
};
