// Sound effects on the real mixer with the dummy audio driver.
#include "AudioFiles.h"

#include "Audio.h"
#include "GameGlobals.h"
#include "SoundPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SavedSoundOn = soundOn;
        soundOn = true;
        ASSERT_TRUE(AudioOpen()) << Mix_GetError();
    }
    void TearDown() override {
        if (AudioIsOpen()) Mix_HaltChannel(-1);
        soundOn = SavedSoundOn;
    }

    // The chunk on the effects channel while it plays, else null.
    static const Mix_Chunk* Sounding() {
        return Mix_Playing(SoundPlayer::Channel) ? Mix_GetChunk(SoundPlayer::Channel) : nullptr;
    }

    SoundPlayer Player{AudioFiles::GameLikeWaves()};
    bool SavedSoundOn = true;
};

TEST_F(SoundTest, EachNumberPlaysItsOwnWaveWithoutWaiting) {
    // Mixer format: 44100 Hz, 16 bits, stereo, so one 22050 Hz sample becomes 8 bytes.
    const struct {
        int Number;
        int Milliseconds;
    } rows[] = {{1, 2300}, {2, 60}, {3, 640}, {4, 790}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Number);
        const auto before = std::chrono::steady_clock::now();
        Player.PlaySnd(row.Number);
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(500));
        ASSERT_NE(Player.Chunk(row.Number), nullptr);
        EXPECT_EQ(Sounding(), Player.Chunk(row.Number));
        const int samples = 22050 * row.Milliseconds / 1000;
        EXPECT_NEAR(int(Player.Chunk(row.Number)->alen), samples * 8, 64);
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, NewSoundCutsOffThePlayingOne) {
    // A click completing a row and a column and solving the board: 2, 4, 4, 1.
    for (int number : {1, 2, 4, 4, 1, 3}) {
        SCOPED_TRACE(number);
        Player.PlaySnd(number);
        EXPECT_EQ(Sounding(), Player.Chunk(number));
        EXPECT_EQ(Mix_Playing(-1), 1);
    }
}

TEST_F(SoundTest, ZeroStopsTheSound) {
    Player.PlaySnd(1);
    ASSERT_NE(Sounding(), nullptr);
    Player.PlaySnd(0);
    EXPECT_EQ(Mix_Playing(-1), 0);
    Player.PlaySnd(0); // nothing left to stop
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SoundTest, SoundOffSilencesEveryNumber) {
    for (int number : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(number);
        SoundPlayer player(AudioFiles::GameLikeWaves());
        player.PlaySnd(1);
        const Mix_Chunk* before = Sounding();
        ASSERT_NE(before, nullptr);
        soundOn = false;
        player.PlaySnd(number);
        // Neither a stop nor a new sound: the old one plays on.
        EXPECT_EQ(Sounding(), before);
        if (number > 1) {
            EXPECT_EQ(player.Chunk(number), nullptr);
        }
        soundOn = true;
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, NumbersOutsideTheListAreIgnored) {
    Player.PlaySnd(3);
    const Mix_Chunk* before = Sounding();
    for (int number : {-1, 5, 21, 1000, INT32_MIN}) {
        Player.PlaySnd(number);
        EXPECT_EQ(Sounding(), before) << number;
    }
}

TEST_F(SoundTest, WaveWithoutUsableDataIsSkipped) {
    const QByteArray good = AudioFiles::Wave(640);
    const struct {
        const char* Name;
        QByteArray Bytes;
    } rows[] = {
        {"empty item", QByteArray()},
        {"text", QByteArray("this is not a wave file")},
        {"header cut off", good.left(20)},
        {"RIFF of another kind", QByteArray("RIFF\x04\x00\x00\x00"
                                            "AVI ",
                                            12)},
        {"midi", AudioFiles::Midi()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        SoundPlayer player({AudioFiles::Wave(2300), row.Bytes});
        player.PlaySnd(1);
        const Mix_Chunk* before = Sounding();
        ASSERT_NE(before, nullptr);
        player.PlaySnd(2);
        player.PlaySnd(2); // refused once, refused again without harm
        EXPECT_EQ(player.Chunk(2), nullptr);
        // The sound already playing is left alone, and the list goes on working.
        EXPECT_EQ(Sounding(), before);
        player.PlaySnd(1);
        EXPECT_EQ(Sounding(), player.Chunk(1));
        Mix_HaltChannel(-1);
    }
}

TEST_F(SoundTest, ShortListSkipsTheMissingNumbers) {
    SoundPlayer player({AudioFiles::Wave(640)});
    player.PlaySnd(1);
    const Mix_Chunk* before = Sounding();
    for (int number : {2, 3, 4})
        player.PlaySnd(number);
    EXPECT_EQ(Sounding(), before);
}

TEST_F(SoundTest, DeviceClosedUnderALivePlayerOpensAgainOnNextSound) {
    Player.PlaySnd(1);
    ASSERT_NE(Player.Chunk(1), nullptr);
    AudioClose();
    EXPECT_FALSE(AudioIsOpen());
    EXPECT_EQ(Player.Chunk(1), nullptr); // freed while the mixer still ran
    Player.PlaySnd(0);                   // no device: nothing to stop, nothing opened
    EXPECT_FALSE(AudioIsOpen());
    Player.PlaySnd(4);
    ASSERT_TRUE(AudioIsOpen());
    EXPECT_EQ(Sounding(), Player.Chunk(4));
}

TEST_F(SoundTest, QuietDeviceRestsAndWakesForTheNextSound) {
    Player.PlaySnd(2);
    ASSERT_NE(Sounding(), nullptr);
    EXPECT_FALSE(AudioRestIfQuiet()); // still sounding
    EXPECT_TRUE(AudioIsOpen());
    for (int i = 0; i < 100 && Mix_Playing(-1); ++i)
        SDL_Delay(10);
    ASSERT_EQ(Mix_Playing(-1), 0);
    AudioHold(); // the music holds the device while it has a piece
    EXPECT_FALSE(AudioRestIfQuiet());
    AudioRelease();
    EXPECT_TRUE(AudioRestIfQuiet());
    EXPECT_FALSE(AudioIsOpen());
    EXPECT_EQ(Player.Chunk(2), nullptr); // decoded for the closed device: freed with it
    Player.PlaySnd(0);                   // resting: nothing to stop, nothing opened
    EXPECT_FALSE(AudioIsOpen());
    Player.PlaySnd(3);
    ASSERT_TRUE(AudioIsOpen());
    EXPECT_EQ(Sounding(), Player.Chunk(3));
}

TEST_F(SoundTest, DeviceRestsByItselfOnceAllIsQuiet) {
    Player.PlaySnd(2);
    ASSERT_TRUE(AudioIsOpen());
    QElapsedTimer waited;
    waited.start();
    while (AudioIsOpen() && waited.elapsed() < 4 * AudioRestDelayMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(AudioIsOpen());
    Player.PlaySnd(2);
    EXPECT_NE(Sounding(), nullptr);
}

TEST_F(SoundTest, WarmUpOpensAheadAndTheDeviceRestsAgainUnused) {
    for (int i = 0; i < 100 && Mix_Playing(-1); ++i)
        SDL_Delay(10);
    ASSERT_TRUE(AudioRestIfQuiet());
    AudioWarmUp();
    QElapsedTimer waited;
    waited.start();
    while (!AudioIsOpen() && waited.elapsed() < 5000) {
        AudioWarmUp(); // the pointer moves on: cheap while opening
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_TRUE(AudioIsOpen());
    Player.PlaySnd(2); // finds the device open
    EXPECT_NE(Sounding(), nullptr);
    waited.restart();
    while (AudioIsOpen() && waited.elapsed() < 4 * AudioRestDelayMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(AudioIsOpen());
}

} // namespace
