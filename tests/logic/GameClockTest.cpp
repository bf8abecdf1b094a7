// SPDX-License-Identifier: MIT
// The play clock without a window: seconds from ticks, held ticks during waits.
#include "logic/GameClock.h"

#include <gtest/gtest.h>

using Tick = GameClock::Tick;

TEST(GameClock, TenTicksOfARunningLevelMakeASecond) {
    GameClock clock;
    clock.restart(7);
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(clock.tick(true), Tick::Counted) << i;
    EXPECT_EQ(clock.tick(true), Tick::Second);
    EXPECT_EQ(clock.playTime(), 8);
    // A level that does not run (ready, paused, solved) counts nothing.
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(clock.tick(false), Tick::Counted);
    EXPECT_EQ(clock.playTime(), 8);
    // The rules charge penalties to the time itself.
    clock.playTime() += 15;
    EXPECT_EQ(clock.playTime(), 23);
}

TEST(GameClock, ATickDuringAWaitIsHeldAndCaughtUpOnce) {
    GameClock clock;
    for (int i = 0; i < 9; ++i)
        clock.tick(true);
    clock.beginWait();
    clock.beginWait(); // a wait inside a wait: both must end
    EXPECT_EQ(clock.tick(true), Tick::Held);
    EXPECT_EQ(clock.tick(true), Tick::Held);
    EXPECT_EQ(clock.playTime(), 0);
    clock.endWait();
    EXPECT_TRUE(clock.waiting());
    EXPECT_FALSE(clock.takeHeldTick()); // not while still waiting
    clock.endWait();
    EXPECT_FALSE(clock.waiting());
    ASSERT_TRUE(clock.takeHeldTick());
    EXPECT_FALSE(clock.takeHeldTick()); // however many ticks fell in the wait: one
    EXPECT_EQ(clock.tick(true), Tick::Second);
    EXPECT_EQ(clock.playTime(), 1);
}
