// SPDX-License-Identifier: MIT
// Without an audio device, effects and music are silently unavailable and the game goes on.
#include "AudioFiles.h"

#include "audio/Audio.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "logic/GameOptions.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

namespace {

class NoDeviceTest : public ::testing::Test {
  protected:
    GameOptions m_options;
    void SetUp() override {
        // A driver that does not exist: the device can never open.
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        m_options.soundOn = true;
        m_options.musicOn = true;
        m_options.musicFound = true;
    }
};

TEST_F(NoDeviceTest, EffectsAreSkipped) {
    SoundPlayer player(m_options, AudioFiles::gameLikeWaves());
    const auto before = std::chrono::steady_clock::now();
    for (int number : {1, 2, 3, 4, 0, 2}) {
        player.playSnd(number);
        EXPECT_EQ(player.chunk(number), nullptr) << number;
    }
    SoundPlayer game(m_options); // the game's own list, from resources that may not even be there
    game.playSnd(2);
    game.playSnd(0);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_FALSE(audioOpen());
    EXPECT_FALSE(audioMidiReady());
}

TEST_F(NoDeviceTest, MusicIsUnavailable) {
    QTemporaryDir dir;
    ASSERT_TRUE(AudioFiles::writeFile(dir.filePath("a.mid"), AudioFiles::midiFile()));
    MusicPlayer midi(m_options, dir.path());
    midi.start();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((m_options.musicFound || midi.loading()) && std::chrono::steady_clock::now() < end)
        midi.tick();
    EXPECT_FALSE(m_options.musicFound);
    EXPECT_FALSE(midi.isOpen());
    midi.tick();
    midi.toggle();
    EXPECT_TRUE(m_options.musicOn); // the player's option is kept for a later run
    EXPECT_FALSE(midi.playing());
}

TEST_F(NoDeviceTest, GamePlayerLearnsItFromItsLoad) {
    QTemporaryDir dir;
    ASSERT_TRUE(AudioFiles::writeFile(dir.filePath("a.mid"), AudioFiles::midiFile()));
    MusicPlayer midi(m_options, dir.path());
    midi.start(); // the device is not tried before the music is wanted
    EXPECT_TRUE(m_options.musicFound);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (m_options.musicFound && std::chrono::steady_clock::now() < end)
        midi.tick();
    EXPECT_FALSE(m_options.musicFound); // music unavailable from now on
    EXPECT_FALSE(midi.isOpen());
    EXPECT_FALSE(midi.loading());
    EXPECT_TRUE(m_options.musicOn);
}

} // namespace
