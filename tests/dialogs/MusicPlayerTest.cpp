// Background music on the real mixer (FluidSynth under the dummy audio driver).
#include "AudioFiles.h"

#include "Audio.h"
#include "GameGlobals.h"
#include "MusicPlayer.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

using AudioFiles::Midi;
using AudioFiles::WriteFile;

// Waits up to `seconds` for `done`, without handling events (the mixer runs on its own thread).
bool WaitFor(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        SDL_Delay(20);
    }
    return true;
}

// The loudest sample mixed since Listen(), heard on the mixer's thread.
std::atomic<int> Peak{0};

void Listen() {
    Peak = 0;
    Mix_SetPostMix(
        [](void*, Uint8* stream, int length) {
            const auto* samples = reinterpret_cast<const Sint16*>(stream);
            for (int i = 0; i < length / 2; ++i)
                if (std::abs(samples[i]) > Peak) Peak = std::abs(samples[i]);
        },
        nullptr);
}

// Without instruments FluidSynth mixes only a faint dither.
constexpr int Audible = 500;

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Saved = {musicOn, musicFound};
        musicOn = true;
        ASSERT_TRUE(Dir.isValid());
        ASSERT_TRUE(AudioMidiReady()) << "no MIDI playback; SoundFont: " << AudioSoundFont();
    }
    void TearDown() override {
        if (AudioIsOpen()) {
            Mix_SetPostMix(nullptr, nullptr);
            Mix_HaltMusic();
        }
        musicOn = Saved.first;
        musicFound = Saved.second;
    }

    void Write(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(WriteFile(Dir.filePath(name), bytes)) << name.toStdString();
    }

    QTemporaryDir Dir;
    std::pair<bool, bool> Saved;
};

TEST_F(MusicTest, FluidSynthPlaysWithTheInstalledSoundFont) {
    bool fluidSynth = false;
    std::string decoders;
    for (int i = 0; i < Mix_GetNumMusicDecoders(); ++i) {
        decoders += std::string(Mix_GetMusicDecoder(i)) + " ";
        fluidSynth |= std::string(Mix_GetMusicDecoder(i)) == "FLUIDSYNTH";
    }
    RecordProperty("MusicDecoders", decoders);
    RecordProperty("SoundFont", AudioSoundFont());
    EXPECT_TRUE(fluidSynth) << decoders;
    EXPECT_TRUE(QFileInfo(QString::fromStdString(AudioSoundFont())).isFile()) << AudioSoundFont();
    ASSERT_NE(Mix_GetSoundFonts(), nullptr);
    EXPECT_EQ(std::string(Mix_GetSoundFonts()), AudioSoundFont());

    Listen();
    Write("tune.mid", Midi({{60, 96}, {67, 96}}));
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Tick();
    EXPECT_TRUE(midi.Playing()) << midi.LastError().toStdString();
    EXPECT_TRUE(WaitFor([] { return Peak > Audible; }, 5)) << "peak " << Peak;
}

TEST_F(MusicTest, TimerLeavesAPlayingPieceAlone) {
    // Half a second of rest before the first note: restarting on every tick would never reach it.
    Write("late.mid", Midi({{60, 192}}, 250000, 192));
    MusicPlayer midi(Dir.path());
    midi.Start();
    Listen();
    midi.Tick();
    EXPECT_TRUE(WaitFor(
        [&] {
            SDL_Delay(80);
            midi.Tick();
            return Peak > Audible;
        },
        4))
        << "peak " << Peak;
}

TEST_F(MusicTest, EmptyFolderMeansNoMusic) {
    Write("notes.txt", "x");
    ASSERT_TRUE(QDir(Dir.path()).mkdir("folder.mid"));
    MusicPlayer midi(Dir.path());
    midi.Start();
    EXPECT_FALSE(musicFound);
    EXPECT_FALSE(midi.IsOpen());
    midi.Tick();
    EXPECT_FALSE(midi.Playing());
    midi.Switch(); // the button is disabled; a stray click changes nothing
    EXPECT_TRUE(musicOn);
    EXPECT_FALSE(midi.Playing());
}

TEST_F(MusicTest, SearchListsMidiFilesInNameOrder) {
    for (const char* name : {"c.mid", "a.mid", "B.MID", ".hidden.mid", "a.midi", "mid", "x.txt"})
        Write(name, Midi());
    ASSERT_TRUE(QDir(Dir.path()).mkdir("d.mid"));
    MusicPlayer midi(Dir.path());
    EXPECT_EQ(midi.Matches(), QStringList({".hidden.mid", "B.MID", "a.mid", "c.mid"}));
}

TEST_F(MusicTest, StartOpensTheFirstFileAndTheTimerPlaysIt) {
    for (const char* name : {"b.mid", "c.mid", "a.mid"})
        Write(name, Midi());
    musicOn = false;
    MusicPlayer midi(Dir.path() + "/");
    midi.Start();
    EXPECT_TRUE(musicFound);
    EXPECT_EQ(midi.CurrentName(), "a.mid");
    EXPECT_EQ(QFileInfo(midi.FileName()), QFileInfo(Dir.filePath("a.mid")));
    EXPECT_FALSE(midi.Playing()); // chosen, not played
    EXPECT_FALSE(midi.IsOpen());  // loading waits for the first tick that plays
    midi.Tick();
    EXPECT_FALSE(midi.Playing()); // music is off
    EXPECT_FALSE(midi.IsOpen());
    musicOn = true;
    midi.Tick();
    EXPECT_TRUE(midi.IsOpen());
    EXPECT_TRUE(midi.Playing());
}

TEST_F(MusicTest, SwitchGoesOffThenOnWithTheNextFileAndWraps) {
    for (const char* name : {"second.mid", "third.mid", "first.mid"})
        Write(name, Midi());
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Tick();
    ASSERT_TRUE(midi.Playing());
    ASSERT_EQ(midi.CurrentName(), "first.mid");
    const struct {
        bool On;
        const char* Name;
    } steps[] = {{false, "first.mid"}, {true, "second.mid"}, {false, "second.mid"},
                 {true, "third.mid"},  {false, "third.mid"}, {true, "first.mid"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Name);
        midi.Switch();
        EXPECT_EQ(musicOn, step.On);
        EXPECT_EQ(midi.Playing(), step.On);
        EXPECT_EQ(midi.IsOpen(), step.On);
        EXPECT_EQ(midi.CurrentName(), step.Name);
        midi.Tick();
        EXPECT_EQ(midi.Playing(), step.On);
    }
    EXPECT_TRUE(musicFound);
}

TEST_F(MusicTest, OneFileOffAndOnPlaysItAgainFromTheBeginning) {
    // A short note, then five seconds of silence: only a piece started afresh sounds again soon.
    Write("only.mid", Midi({{60, 48}}, 250000, 0, 1920));
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Tick();
    // Wait for the silence after the note has rung out.
    ASSERT_TRUE(WaitFor(
        [] {
            Listen();
            SDL_Delay(300);
            return Peak < Audible;
        },
        4))
        << "the note still sounds";
    midi.Switch();
    EXPECT_FALSE(midi.Playing());
    midi.Switch();
    EXPECT_TRUE(musicOn);
    EXPECT_TRUE(midi.Playing());
    EXPECT_EQ(midi.CurrentName(), "only.mid");
    EXPECT_TRUE(WaitFor([] { return Peak > Audible; }, 4)) << "peak " << Peak;
}

TEST_F(MusicTest, SwitchOnStartingOffMovesToTheNextFile) {
    // The first file was opened at start; the first switch-on is the next one.
    for (const char* name : {"a.mid", "b.mid"})
        Write(name, Midi());
    musicOn = false;
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Switch();
    EXPECT_TRUE(musicOn);
    EXPECT_EQ(midi.CurrentName(), "b.mid");
    EXPECT_TRUE(midi.Playing());
}

TEST_F(MusicTest, FilesDeletedMeanwhileAreNoticed) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        Write(name, Midi());
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Switch(); // off, on a.mid
    ASSERT_TRUE(QFile::remove(Dir.filePath("a.mid")));
    ASSERT_TRUE(QFile::remove(Dir.filePath("b.mid")));
    midi.Switch(); // the current file is gone: the next name after it
    EXPECT_EQ(midi.CurrentName(), "c.mid");
    EXPECT_TRUE(midi.Playing());
    midi.Switch();
    ASSERT_TRUE(QFile::remove(Dir.filePath("c.mid")));
    midi.Switch(); // nothing left to find
    EXPECT_FALSE(musicOn);
    EXPECT_FALSE(midi.Playing());
    EXPECT_EQ(midi.CurrentName(), "");
    EXPECT_TRUE(musicFound); // found at start, stays so
    Write("new.mid", Midi());
    midi.Switch(); // the search starts again from the beginning
    EXPECT_TRUE(musicOn);
    EXPECT_EQ(midi.CurrentName(), "new.mid");
}

QByteArray BrokenFile(int kind) {
    const QByteArray good = Midi();
    switch (kind) {
    case 0:
        return QByteArray();
    case 1:
        return QByteArray("These are not the notes you are looking for.\n");
    case 2:
        return good.left(10); // header cut short
    case 3:
        return good.left(good.size() - 5); // track cut short
    case 4:
        return AudioFiles::Wave(300); // a wave file named .mid
    default:
        return good.left(14); // header without its track
    }
}

TEST_F(MusicTest, BrokenFilesArePassedOverAtStart) {
    for (int kind = 0; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        ASSERT_TRUE(WriteFile(dir.filePath("a.mid"), BrokenFile(kind)));
        MusicPlayer alone(dir.path());
        alone.Start();
        EXPECT_FALSE(musicFound);
        alone.Tick();
        EXPECT_FALSE(alone.Playing());

        ASSERT_TRUE(WriteFile(dir.filePath("b.mid"), Midi()));
        MusicPlayer midi(dir.path());
        midi.Start();
        EXPECT_TRUE(musicFound);
        EXPECT_EQ(midi.CurrentName(), "b.mid");
        midi.Tick();
        EXPECT_TRUE(midi.Playing());
        Mix_HaltMusic();
    }
}

TEST_F(MusicTest, BrokenFilesArePassedOverAtASwitch) {
    for (int kind = 0; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        ASSERT_TRUE(WriteFile(dir.filePath("a.mid"), Midi()));
        ASSERT_TRUE(WriteFile(dir.filePath("b.mid"), BrokenFile(kind)));
        musicOn = true;
        MusicPlayer midi(dir.path());
        midi.Start();
        midi.Switch();
        midi.Switch(); // b.mid is skipped, wrapping to a.mid
        EXPECT_TRUE(musicOn);
        EXPECT_EQ(midi.CurrentName(), "a.mid");
        EXPECT_TRUE(midi.Playing());

        // The only playable file breaks while the music is off: it stays off.
        midi.Switch();
        ASSERT_TRUE(WriteFile(dir.filePath("a.mid"), BrokenFile(kind)));
        midi.Switch();
        EXPECT_FALSE(musicOn);
        EXPECT_FALSE(midi.Playing());
        midi.Tick();
        EXPECT_FALSE(midi.Playing());
    }
}

TEST_F(MusicTest, GamePlayerLoadsOnAWorkerAndPlaysWhenReady) {
    for (const char* name : {"a.mid", "b.mid", "broken.mid"})
        Write(name, Midi());
    Write("broken.mid", BrokenFile(3));
    MusicPlayer midi(Dir.path());
    midi.SetBackgroundLoading(true);
    midi.Start();
    EXPECT_TRUE(musicFound);
    EXPECT_EQ(midi.CurrentName(), "a.mid");
    EXPECT_FALSE(midi.IsOpen());
    midi.Tick(); // starts the load, returns at once
    EXPECT_TRUE(midi.Loading() || midi.IsOpen());
    const auto tickUntilPlaying = [&] {
        return WaitFor(
            [&] {
                midi.Tick();
                return midi.Playing();
            },
            5);
    };
    EXPECT_TRUE(tickUntilPlaying()) << midi.LastError().toStdString();
    EXPECT_EQ(midi.CurrentName(), "a.mid");

    // Off, and on with the next file, which plays once loaded; the broken one is passed over.
    const char* expected[] = {"b.mid", "a.mid"};
    for (const char* name : expected) {
        SCOPED_TRACE(name);
        midi.Switch();
        EXPECT_FALSE(musicOn);
        EXPECT_FALSE(midi.Playing());
        EXPECT_FALSE(midi.Loading());
        midi.Switch();
        EXPECT_TRUE(musicOn);
        EXPECT_EQ(midi.CurrentName(), name);
        EXPECT_TRUE(tickUntilPlaying()) << midi.LastError().toStdString();
    }

    // Switched off while the piece still loads: the load is waited for and freed.
    midi.Switch();
    midi.Switch();
    ASSERT_TRUE(midi.Loading() || midi.IsOpen());
    midi.Switch();
    EXPECT_FALSE(midi.Loading());
    EXPECT_FALSE(midi.IsOpen());
}

TEST_F(MusicTest, TimerRestartsAPieceThatHasEnded) {
    Write("short.mid", AudioFiles::ShortMidi());
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Tick();
    ASSERT_TRUE(midi.Playing());
    // FluidSynth lets the last note ring out for some seconds before the piece counts as over.
    ASSERT_TRUE(WaitFor([&] { return !midi.Playing(); }, 10));
    Listen();
    midi.Tick();
    EXPECT_TRUE(midi.Playing()) << midi.LastError().toStdString();
    EXPECT_TRUE(WaitFor([] { return Peak > Audible; }, 4)) << "peak " << Peak;
}

TEST_F(MusicTest, DeviceClosedUnderALivePlayer) {
    Write("a.mid", Midi());
    MusicPlayer midi(Dir.path());
    midi.Start();
    midi.Tick();
    AudioClose();
    EXPECT_FALSE(midi.IsOpen());
    midi.Tick(); // nothing open: nothing to play, no crash
    EXPECT_FALSE(midi.Playing());
    ASSERT_TRUE(AudioMidiReady());
    midi.Start();
    midi.Tick();
    EXPECT_TRUE(midi.Playing());
}

TEST(SoundFontTest, PlayersOwnChoiceIsKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath("a.mid"), Midi()));
    AudioClose();
    unsetenv("SDL_SOUNDFONTS");
    ASSERT_TRUE(AudioOpen());
    const std::string installed = AudioSoundFont();
    ASSERT_TRUE(QFileInfo(QString::fromStdString(installed)).isFile()) << installed;
    EXPECT_EQ(std::string(SDL_getenv("SDL_SOUNDFONTS")), installed);

    const struct {
        std::string Value;
        bool Ready;
    } rows[] = {
        {"/no/such/font.sf2", false},
        {"/no/such/font.sf2:" + installed, true},
        {installed, true},
    };
    const bool savedFound = musicFound;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Value);
        AudioClose();
        setenv("SDL_SOUNDFONTS", row.Value.c_str(), 1);
        ASSERT_TRUE(AudioOpen());
        EXPECT_EQ(AudioSoundFont(), row.Value);
        EXPECT_EQ(std::string(Mix_GetSoundFonts()), row.Value);
        EXPECT_EQ(AudioMidiReady(), row.Ready);
        MusicPlayer midi(dir.path());
        midi.Start();
        EXPECT_EQ(musicFound, row.Ready); // no instruments: no music, and the game goes on
    }
    musicFound = savedFound;
    AudioClose();
    unsetenv("SDL_SOUNDFONTS");
}

TEST(MidiFrameTest, TellsMidiFilesFromOtherData) {
    const QByteArray good = Midi();
    QByteArray typeOne = good;
    typeOne[9] = 1;  // format 1
    typeOne[11] = 2; // two tracks
    typeOne += AudioFiles::Track({{48, 96}}, 500000);
    QByteArray withOtherChunk =
        good.left(14) + QByteArray("XFIH\x00\x00\x00\x02zz", 10) + good.mid(14);
    QByteArray longHeader = good;
    longHeader[7] = 8;
    longHeader.insert(14, "\x00\x00", 2);
    QByteArray noTracks = good.left(14);
    noTracks[11] = 0;
    QByteArray formatThree = good;
    formatThree[9] = 3;
    QByteArray noDivision = good;
    noDivision[12] = 0;
    noDivision[13] = 0;
    QByteArray shortHeader = good;
    shortHeader[7] = 4;
    QByteArray missingSecondTrack = typeOne.left(good.size());

    const struct {
        const char* Name;
        QByteArray Bytes;
        bool Midi;
    } rows[] = {
        {"type 0", good, true},
        {"type 1, two tracks", typeOne, true},
        {"unknown chunk between", withOtherChunk, true},
        {"longer header", longHeader, true},
        {"empty", QByteArray(), false},
        {"text", QByteArray("MThx hello"), false},
        {"header only", good.left(14), false},
        {"track cut short", good.left(good.size() - 1), false},
        {"second track missing", missingSecondTrack, false},
        {"no tracks", noTracks, false},
        {"format 3", formatThree, false},
        {"division 0", noDivision, false},
        {"header length 4", shortHeader, false},
        {"wave", AudioFiles::Wave(100), false},
    };
    for (const auto& row : rows) {
        QByteArray bytes = row.Bytes;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(IsMidiFile(buffer), row.Midi) << row.Name;
    }
}

} // namespace
