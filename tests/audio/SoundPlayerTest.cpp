// SPDX-License-Identifier: MIT
// Sound effects on the real mixer with the dummy audio driver.
#include "AudioFiles.h"

#include "audio/Audio.h"
#include "audio/SoundPlayer.h"
#include "logic/GameOptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

class SoundTest : public ::testing::Test {
  protected:
    GameOptions m_options;
    void SetUp() override {
        m_savedSoundOn = m_options.soundOn;
        m_options.soundOn = true;
        ASSERT_TRUE(audioOpen()) << Mix_GetError();
    }
    void TearDown() override {
        if (audioIsOpen()) Mix_HaltChannel(-1);
        m_options.soundOn = m_savedSoundOn;
    }

    // The chunk on the effects channel while it plays, else null.
    static const Mix_Chunk* sounding() {
        return Mix_Playing(SoundPlayer::Channel) ? Mix_GetChunk(SoundPlayer::Channel) : nullptr;
    }

    SoundPlayer m_player{m_options, AudioFiles::gameLikeWaves()};
    bool m_savedSoundOn = true;
};

TEST_F(SoundTest, EachNumberPlaysItsOwnWaveWithoutWaiting) {
    // Mixer format: 44100 Hz, 16 bits, stereo, so one 22050 Hz sample becomes 8 bytes.
    const struct {
        int number;
        int milliseconds;
    } rows[] = {{1, 2300}, {2, 60}, {3, 640}, {4, 790}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.number);
        const auto before = std::chrono::steady_clock::now();
        m_player.playSnd(row.number);
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
        ASSERT_NE(m_player.chunk(row.number), nullptr);
        EXPECT_EQ(sounding(), m_player.chunk(row.number));
        const int samples = 22050 * row.milliseconds / 1000;
        EXPECT_NEAR(int(m_player.chunk(row.number)->alen), samples * 8, 64);
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, NewSoundCutsOffThePlayingOne) {
    // A click completing a row and a column and solving the board: 2, 4, 4, 1.
    for (int number : {1, 2, 4, 4, 1, 3}) {
        SCOPED_TRACE(number);
        m_player.playSnd(number);
        EXPECT_EQ(sounding(), m_player.chunk(number));
        EXPECT_EQ(Mix_Playing(-1), 1);
    }
}

TEST_F(SoundTest, ZeroStopsTheSound) {
    m_player.playSnd(1);
    ASSERT_NE(sounding(), nullptr);
    m_player.playSnd(0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    m_player.playSnd(0); // nothing left to stop
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundTest, SoundOffSilencesEveryNumber) {
    for (int number : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(number);
        SoundPlayer player(m_options, AudioFiles::gameLikeWaves());
        player.playSnd(1);
        const Mix_Chunk* before = sounding();
        ASSERT_NE(before, nullptr);
        m_options.soundOn = false;
        player.playSnd(number);
        // Neither a stop nor a new sound: the old one plays on.
        EXPECT_EQ(sounding(), before);
        if (number > 1) {
            EXPECT_EQ(player.chunk(number), nullptr);
        }
        m_options.soundOn = true;
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, NumbersOutsideTheListAreIgnored) {
    m_player.playSnd(3);
    const Mix_Chunk* before = sounding();
    for (int number : {-1, 5, 21, 1000, INT32_MIN}) {
        m_player.playSnd(number);
        EXPECT_EQ(sounding(), before) << number;
    }
}

TEST_F(SoundTest, WaveWithoutUsableDataIsSkipped) {
    const QByteArray good = AudioFiles::wave(640);
    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"empty item", QByteArray()},
        {"text", QByteArray("this is not a wave file")},
        {"header cut off", good.left(20)},
        {"RIFF of another kind", QByteArray("RIFF\x04\x00\x00\x00"
                                            "AVI ",
                                            12)},
        {"midi", AudioFiles::midiFile()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SoundPlayer player(m_options, {AudioFiles::wave(2300), row.bytes});
        player.playSnd(1);
        const Mix_Chunk* before = sounding();
        ASSERT_NE(before, nullptr);
        player.playSnd(2);
        player.playSnd(2); // refused once, refused again without harm
        EXPECT_EQ(player.chunk(2), nullptr);
        // The sound already playing is left alone, and the list goes on working.
        EXPECT_EQ(sounding(), before);
        player.playSnd(1);
        EXPECT_EQ(sounding(), player.chunk(1));
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, ShortListSkipsTheMissingNumbers) {
    SoundPlayer player(m_options, {AudioFiles::wave(640)});
    player.playSnd(1);
    const Mix_Chunk* before = sounding();
    for (int number : {2, 3, 4})
        player.playSnd(number);
    EXPECT_EQ(sounding(), before);
}

TEST_F(SoundTest, DeviceClosedUnderALivePlayerOpensAgainOnNextSound) {
    m_player.playSnd(1);
    ASSERT_NE(m_player.chunk(1), nullptr);
    audioClose();
    EXPECT_FALSE(audioIsOpen());
    EXPECT_EQ(m_player.chunk(1), nullptr); // freed while the mixer still ran
    m_player.playSnd(0);                   // no device: nothing to stop, nothing opened
    EXPECT_FALSE(audioIsOpen());
    m_player.playSnd(4);
    ASSERT_TRUE(audioIsOpen());
    EXPECT_EQ(sounding(), m_player.chunk(4));
}

TEST_F(SoundTest, WarmUpDecodesEveryWaveBeforeTheClick) {
    audioClose();
    for (int number : {1, 2, 3, 4})
        ASSERT_EQ(m_player.chunk(number), nullptr);
    audioWarmUp();
    ASSERT_TRUE(audioOpen()); // waits for the warm-up's worker
    for (int number : {1, 2, 3, 4})
        EXPECT_NE(m_player.chunk(number), nullptr) << number;
    // The click then only starts its sound; a rest frees what the warm-up decoded.
    m_player.playSnd(3);
    EXPECT_EQ(sounding(), m_player.chunk(3));
    Mix_HaltChannel(-1);
    ASSERT_TRUE(audioRestIfQuiet());
    for (int number : {1, 2, 3, 4})
        EXPECT_EQ(m_player.chunk(number), nullptr) << number;
}

TEST_F(SoundTest, QuietDeviceRestsAndWakesForTheNextSound) {
    m_player.playSnd(2);
    ASSERT_NE(sounding(), nullptr);
    EXPECT_FALSE(audioRestIfQuiet()); // still sounding
    EXPECT_TRUE(audioIsOpen());
    for (int i = 0; i < 100 && Mix_Playing(-1); ++i)
        SDL_Delay(10);
    ASSERT_EQ(Mix_Playing(-1), 0);
    audioHold(); // the music holds the device while it has a piece
    EXPECT_FALSE(audioRestIfQuiet());
    audioRelease();
    EXPECT_TRUE(audioRestIfQuiet());
    EXPECT_FALSE(audioIsOpen());
    EXPECT_EQ(m_player.chunk(2), nullptr); // decoded for the closed device: freed with it
    m_player.playSnd(0);                   // resting: nothing to stop, nothing opened
    EXPECT_FALSE(audioIsOpen());
    m_player.playSnd(3);
    ASSERT_TRUE(audioIsOpen());
    EXPECT_EQ(sounding(), m_player.chunk(3));
}

TEST_F(SoundTest, DeviceRestsByItselfOnceAllIsQuiet) {
    m_player.playSnd(2);
    ASSERT_TRUE(audioIsOpen());
    QElapsedTimer waited;
    waited.start();
    while (audioIsOpen() && waited.elapsed() < 4 * AudioRestDelayMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(audioIsOpen());
    m_player.playSnd(2);
    EXPECT_NE(sounding(), nullptr);
}

TEST_F(SoundTest, WarmUpOpensAheadAndTheDeviceRestsAgainUnused) {
    for (int i = 0; i < 100 && Mix_Playing(-1); ++i)
        SDL_Delay(10);
    ASSERT_TRUE(audioRestIfQuiet());
    audioWarmUp();
    QElapsedTimer waited;
    waited.start();
    while (!audioIsOpen() && waited.elapsed() < 5000) {
        audioWarmUp(); // the pointer moves on: cheap while opening
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_TRUE(audioIsOpen());
    m_player.playSnd(2); // finds the device open
    EXPECT_NE(sounding(), nullptr);
    waited.restart();
    while (audioIsOpen() && waited.elapsed() < 4 * AudioRestDelayMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(audioIsOpen());
}

} // namespace
