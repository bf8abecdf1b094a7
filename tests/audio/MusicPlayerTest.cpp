// SPDX-License-Identifier: MIT
// Background music on the real synthesizer (the SoundFont, SDL's dummy audio driver).
#include "AudioFiles.h"

#include "audio/Audio.h"
#include "audio/MidiStream.h"
#include "audio/MusicPlayer.h"
#include "logic/GameOptions.h"

#include <QBuffer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <SDL.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

using AudioFiles::midiFile;
using AudioFiles::writeFile;

// Waits up to `seconds` for `done`, without handling events (the music renders on its own thread).
bool waitFor(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        SDL_Delay(20);
    }
    return true;
}

// Ticks until no load is under way: the piece that loaded then plays, a refused file has made
// way for the next. The game's timer does the same, woken by the load's end.
bool settle(MusicPlayer& midi) {
    return waitFor(
        [&] {
            midi.tick();
            return !midi.loading();
        },
        10);
}

// The loudest sample handed to the music's device since listen().
int heardPeak = 0;

void listen() {
    MidiStream::takePeak();
    heardPeak = 0;
}

int peakLevel() {
    heardPeak = std::max(heardPeak, MidiStream::takePeak());
    return heardPeak;
}

// A test note peaks near 500; silence is 0.
constexpr int Audible = 200;

class MusicTest : public ::testing::Test {
  protected:
    GameOptions m_options;
    void SetUp() override {
        m_saved = {m_options.musicOn, m_options.musicFound};
        m_options.musicOn = true;
        ASSERT_TRUE(m_dir.isValid());
        // The effects' device of an earlier test would make the music wait its turn.
        audioRestIfQuiet();
        ASSERT_TRUE(audioMidiReady()) << "no MIDI playback; SoundFont: " << audioSoundFont();
    }
    void TearDown() override {
        m_options.musicOn = m_saved.first;
        m_options.musicFound = m_saved.second;
    }

    void write(const QString& name, const QByteArray& bytes) {
        ASSERT_TRUE(writeFile(m_dir.filePath(name), bytes)) << name.toStdString();
    }

    QTemporaryDir m_dir;
    std::pair<bool, bool> m_saved;
};

TEST_F(MusicTest, PlaysWithTheInstalledSoundFont) {
    RecordProperty("SoundFont", audioSoundFont());
    EXPECT_TRUE(QFileInfo(QString::fromStdString(audioSoundFont())).isFile()) << audioSoundFont();

    listen();
    write("tune.mid", midiFile({{60, 96}, {67, 96}}));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(midi.playing()) << midi.lastError().toStdString();
    EXPECT_TRUE(waitFor([] { return peakLevel() > Audible; }, 5)) << "peak " << peakLevel();
}

TEST_F(MusicTest, TimerLeavesAPlayingPieceAlone) {
    // Half a second of rest before the first note: restarting on every tick would never reach it.
    write("late.mid", midiFile({{60, 192}}, 250000, 192));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    listen();
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(waitFor(
        [&] {
            SDL_Delay(80);
            midi.tick();
            return peakLevel() > Audible;
        },
        4))
        << "peak " << peakLevel();
}

TEST_F(MusicTest, EmptyFolderMeansNoMusic) {
    write("notes.txt", "x");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.mid"));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    EXPECT_FALSE(m_options.musicFound);
    EXPECT_FALSE(midi.isOpen());
    midi.tick();
    EXPECT_FALSE(midi.playing());
    midi.toggle(); // the button is disabled; a stray click changes nothing
    EXPECT_TRUE(m_options.musicOn);
    EXPECT_FALSE(midi.playing());
}

TEST_F(MusicTest, SearchListsMidiFilesInNameOrder) {
    for (const char* name : {"c.mid", "a.mid", "B.MID", ".hidden.mid", "a.midi", "mid", "x.txt"})
        write(name, midiFile());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("d.mid"));
    MusicPlayer midi(m_options, m_dir.path());
    EXPECT_EQ(midi.matches(), QStringList({".hidden.mid", "B.MID", "a.mid", "c.mid"}));
}

TEST_F(MusicTest, StartOpensTheFirstFileAndTheTimerPlaysIt) {
    for (const char* name : {"b.mid", "c.mid", "a.mid"})
        write(name, midiFile());
    m_options.musicOn = false;
    MusicPlayer midi(m_options, m_dir.path() + "/");
    midi.start();
    EXPECT_TRUE(m_options.musicFound);
    EXPECT_EQ(midi.currentName(), "a.mid");
    EXPECT_EQ(QFileInfo(midi.fileName()), QFileInfo(m_dir.filePath("a.mid")));
    EXPECT_FALSE(midi.playing()); // chosen, not played
    EXPECT_FALSE(midi.isOpen());  // loading waits for the first tick that plays
    midi.tick();
    EXPECT_FALSE(midi.playing()); // music is off
    EXPECT_FALSE(midi.isOpen());
    m_options.musicOn = true;
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(midi.isOpen());
    EXPECT_TRUE(midi.playing());
}

TEST_F(MusicTest, SwitchGoesOffThenOnWithTheNextFileAndWraps) {
    for (const char* name : {"second.mid", "third.mid", "first.mid"})
        write(name, midiFile());
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    ASSERT_TRUE(midi.playing());
    ASSERT_EQ(midi.currentName(), "first.mid");
    const struct {
        bool on;
        const char* name;
    } steps[] = {{false, "first.mid"}, {true, "second.mid"}, {false, "second.mid"},
                 {true, "third.mid"},  {false, "third.mid"}, {true, "first.mid"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        midi.toggle();
        ASSERT_TRUE(settle(midi));
        EXPECT_EQ(m_options.musicOn, step.on);
        EXPECT_EQ(midi.playing(), step.on);
        EXPECT_EQ(midi.isOpen(), step.on);
        EXPECT_EQ(midi.currentName(), step.name);
        midi.tick();
        EXPECT_EQ(midi.playing(), step.on);
    }
    EXPECT_TRUE(m_options.musicFound);
}

TEST_F(MusicTest, OneFileOffAndOnPlaysItAgainFromTheBeginning) {
    // A short note, then five seconds of silence: only a piece started afresh sounds again soon.
    write("only.mid", midiFile({{60, 48}}, 250000, 0, 1920));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    // Wait for the silence after the note has rung out.
    ASSERT_TRUE(waitFor(
        [] {
            listen();
            SDL_Delay(300);
            return peakLevel() < Audible;
        },
        4))
        << "the note still sounds";
    midi.toggle();
    EXPECT_FALSE(midi.playing());
    midi.toggle();
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(m_options.musicOn);
    EXPECT_TRUE(midi.playing());
    EXPECT_EQ(midi.currentName(), "only.mid");
    EXPECT_TRUE(waitFor([] { return peakLevel() > Audible; }, 4)) << "peak " << peakLevel();
}

TEST_F(MusicTest, SwitchOnStartingOffMovesToTheNextFile) {
    // The first file was opened at start; the first switch-on is the next one.
    for (const char* name : {"a.mid", "b.mid"})
        write(name, midiFile());
    m_options.musicOn = false;
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    midi.toggle();
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(m_options.musicOn);
    EXPECT_EQ(midi.currentName(), "b.mid");
    EXPECT_TRUE(midi.playing());
}

TEST_F(MusicTest, FilesDeletedMeanwhileAreNoticed) {
    for (const char* name : {"a.mid", "b.mid", "c.mid"})
        write(name, midiFile());
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    midi.toggle(); // off, on a.mid
    ASSERT_TRUE(QFile::remove(m_dir.filePath("a.mid")));
    ASSERT_TRUE(QFile::remove(m_dir.filePath("b.mid")));
    midi.toggle(); // the current file is gone: the next name after it
    ASSERT_TRUE(settle(midi));
    EXPECT_EQ(midi.currentName(), "c.mid");
    EXPECT_TRUE(midi.playing());
    midi.toggle();
    ASSERT_TRUE(QFile::remove(m_dir.filePath("c.mid")));
    midi.toggle(); // nothing left to find
    EXPECT_FALSE(m_options.musicOn);
    EXPECT_FALSE(midi.playing());
    EXPECT_EQ(midi.currentName(), "");
    EXPECT_TRUE(m_options.musicFound); // found at start, stays so
    write("new.mid", midiFile());
    midi.toggle(); // the search starts again from the beginning
    EXPECT_TRUE(m_options.musicOn);
    EXPECT_EQ(midi.currentName(), "new.mid");
}

QByteArray brokenFile(int kind) {
    const QByteArray good = midiFile();
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
        return AudioFiles::wave(300); // a wave file named .mid
    default:
        return good.left(14); // header without its track
    }
}

TEST_F(MusicTest, BrokenFilesArePassedOverAtStart) {
    for (int kind = 0; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        ASSERT_TRUE(writeFile(dir.filePath("a.mid"), brokenFile(kind)));
        MusicPlayer alone(m_options, dir.path());
        alone.start();
        EXPECT_FALSE(m_options.musicFound);
        ASSERT_TRUE(settle(alone));
        EXPECT_FALSE(alone.playing());

        ASSERT_TRUE(writeFile(dir.filePath("b.mid"), midiFile()));
        MusicPlayer midi(m_options, dir.path());
        midi.start();
        EXPECT_TRUE(m_options.musicFound);
        EXPECT_EQ(midi.currentName(), "b.mid");
        ASSERT_TRUE(settle(midi));
        EXPECT_TRUE(midi.playing());
    }
}

TEST_F(MusicTest, BrokenFilesArePassedOverAtASwitch) {
    for (int kind = 0; kind <= 5; ++kind) {
        SCOPED_TRACE(kind);
        QTemporaryDir dir;
        ASSERT_TRUE(writeFile(dir.filePath("a.mid"), midiFile()));
        ASSERT_TRUE(writeFile(dir.filePath("b.mid"), brokenFile(kind)));
        m_options.musicOn = true;
        MusicPlayer midi(m_options, dir.path());
        midi.start();
        midi.toggle();
        midi.toggle(); // b.mid is skipped, wrapping to a.mid
        ASSERT_TRUE(settle(midi));
        EXPECT_TRUE(m_options.musicOn);
        EXPECT_EQ(midi.currentName(), "a.mid");
        EXPECT_TRUE(midi.playing());

        // The only playable file breaks while the music is off: it stays off.
        midi.toggle();
        ASSERT_TRUE(writeFile(dir.filePath("a.mid"), brokenFile(kind)));
        midi.toggle();
        EXPECT_FALSE(m_options.musicOn);
        EXPECT_FALSE(midi.playing());
        midi.tick();
        EXPECT_FALSE(midi.playing());
    }
}

TEST_F(MusicTest, GamePlayerLoadsOnAWorkerAndPlaysWhenReady) {
    for (const char* name : {"a.mid", "b.mid", "broken.mid"})
        write(name, midiFile());
    write("broken.mid", brokenFile(3));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    EXPECT_TRUE(m_options.musicFound);
    EXPECT_EQ(midi.currentName(), "a.mid");
    EXPECT_FALSE(midi.isOpen());
    midi.tick(); // starts the load, returns at once
    EXPECT_TRUE(midi.loading() || midi.isOpen());
    const auto tickUntilPlaying = [&] {
        return waitFor(
            [&] {
                midi.tick();
                return midi.playing();
            },
            5);
    };
    EXPECT_TRUE(tickUntilPlaying()) << midi.lastError().toStdString();
    EXPECT_EQ(midi.currentName(), "a.mid");

    // Off, and on with the next file, which plays once loaded; the broken one is passed over.
    const char* expected[] = {"b.mid", "a.mid"};
    for (const char* name : expected) {
        SCOPED_TRACE(name);
        midi.toggle();
        EXPECT_FALSE(m_options.musicOn);
        EXPECT_FALSE(midi.playing());
        EXPECT_FALSE(midi.loading());
        midi.toggle();
        EXPECT_TRUE(m_options.musicOn);
        EXPECT_EQ(midi.currentName(), name);
        EXPECT_TRUE(tickUntilPlaying()) << midi.lastError().toStdString();
    }

    // Switched off while the piece still loads: the load is waited for and freed.
    midi.toggle();
    midi.toggle();
    ASSERT_TRUE(midi.loading() || midi.isOpen());
    midi.toggle();
    EXPECT_FALSE(midi.loading());
    EXPECT_FALSE(midi.isOpen());
}

TEST_F(MusicTest, TimerRestartsAPieceThatHasEnded) {
    write("short.mid", AudioFiles::shortMidi());
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    ASSERT_TRUE(midi.playing());
    // The last note rings out for up to two seconds before the piece counts as over.
    ASSERT_TRUE(waitFor([&] { return !midi.playing(); }, 10));
    listen();
    midi.tick();
    EXPECT_TRUE(midi.playing()) << midi.lastError().toStdString();
    EXPECT_TRUE(waitFor([] { return peakLevel() > Audible; }, 4)) << "peak " << peakLevel();
}

// A playing piece needs no ticks: its end calls the wake hook (on its own thread), and the next
// tick starts it again.
TEST_F(MusicTest, TheEndOfAPieceWakesTheOwner) {
    write("short.mid", AudioFiles::shortMidi());
    MusicPlayer midi(m_options, m_dir.path());
    std::atomic<int> wakes{0};
    midi.setWakeHook([&] { ++wakes; });
    midi.start();
    EXPECT_TRUE(midi.needsTicks());
    ASSERT_TRUE(settle(midi));
    EXPECT_GT(wakes, 0); // the load's end woke it first
    const int afterLoad = wakes;
    ASSERT_TRUE(midi.playing());
    EXPECT_FALSE(midi.needsTicks());
    ASSERT_TRUE(waitFor([&] { return wakes > afterLoad; }, 10));
    EXPECT_FALSE(midi.playing());
    EXPECT_TRUE(midi.needsTicks());
    midi.tick();
    EXPECT_TRUE(midi.playing());
}

// Where the sound system has one device only (SDL's dummy driver has), the effects win: the
// music steps aside while their device is open and goes on once it rests.
TEST_F(MusicTest, MusicStepsAsideForTheEffectsOnASingleDevice) {
    write("a.mid", midiFile({{60, 96}}, 250000, 0, 19200));
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    ASSERT_TRUE(midi.playing());
    ASSERT_TRUE(audioOpen()); // an effect's device: opens, whatever the driver
    EXPECT_TRUE(midi.playing());
    if (std::string(SDL_GetCurrentAudioDriver()) == "dummy") {
        EXPECT_TRUE(midi.needsTicks()); // waiting for its turn
    }
    ASSERT_TRUE(audioRestIfQuiet());
    midi.tick();
    EXPECT_TRUE(midi.playing());
    EXPECT_FALSE(midi.needsTicks());
}

TEST_F(MusicTest, DeviceClosedUnderALivePlayer) {
    write("a.mid", midiFile());
    MusicPlayer midi(m_options, m_dir.path());
    midi.start();
    ASSERT_TRUE(settle(midi));
    audioClose();
    EXPECT_FALSE(midi.isOpen());
    midi.tick(); // nothing open: nothing to play, no crash
    EXPECT_FALSE(midi.playing());
    ASSERT_TRUE(audioMidiReady());
    midi.start();
    ASSERT_TRUE(settle(midi));
    EXPECT_TRUE(midi.playing());
}

// The sound server comes first, but where none answers the piece plays on SDL's device to its end.
TEST_F(MusicTest, WithoutASoundServerThePiecePlaysOnSdl) {
    const QByteArray drivers = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "pulseaudio,dummy");
    qputenv("PULSE_SERVER", QByteArray("unix:") + QFile::encodeName(m_dir.filePath("no-server")));
    write("a.mid", midiFile({{60, 48}}));
    MidiStream music;
    QString error;
    ASSERT_TRUE(music.load(m_dir.filePath("a.mid"), audioSoundFont(), error))
        << error.toStdString();
    listen();
    const bool played = music.play(error);
    qputenv("SDL_AUDIODRIVER", drivers);
    qunsetenv("PULSE_SERVER");
    ASSERT_TRUE(played) << error.toStdString();
    // The piece ends only once its output has taken every frame.
    EXPECT_TRUE(waitFor([&] { return !music.playing(); }, 10));
    EXPECT_GT(peakLevel(), Audible);
}

TEST(SoundFontTest, PlayersOwnChoiceIsKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath("a.mid"), midiFile()));
    audioClose();
    unsetenv("SDL_SOUNDFONTS");
    ASSERT_TRUE(audioOpen());
    const std::string installed = audioSoundFont();
    ASSERT_TRUE(QFileInfo(QString::fromStdString(installed)).isFile()) << installed;
    EXPECT_EQ(std::string(SDL_getenv("SDL_SOUNDFONTS")), installed);

    const struct {
        std::string value;
        bool ready;
    } rows[] = {
        {"/no/such/font.sf2", false},
        {"/no/such/font.sf2:" + installed, true},
        {installed, true},
    };
    GameOptions options;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        audioClose();
        setenv("SDL_SOUNDFONTS", row.value.c_str(), 1);
        ASSERT_TRUE(audioOpen());
        EXPECT_EQ(audioSoundFont(), row.value);
        EXPECT_EQ(audioMidiReady(), row.ready);
        MusicPlayer midi(options, dir.path());
        midi.start();
        ASSERT_TRUE(settle(midi));                // the load tells whether MIDI plays
        EXPECT_EQ(options.musicFound, row.ready); // no instruments: no music, and the game goes on
    }
    audioClose();
    unsetenv("SDL_SOUNDFONTS");
}

TEST(MidiFrameTest, TellsMidiFilesFromOtherData) {
    const QByteArray good = midiFile();
    QByteArray typeOne = good;
    typeOne[9] = 1;  // format 1
    typeOne[11] = 2; // two tracks
    typeOne += AudioFiles::track({{48, 96}}, 500000);
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
        const char* name;
        QByteArray bytes;
        bool midi;
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
        {"wave", AudioFiles::wave(100), false},
    };
    for (const auto& row : rows) {
        QByteArray bytes = row.bytes;
        QBuffer buffer(&bytes);
        ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
        EXPECT_EQ(isMidiFile(buffer), row.midi) << row.name;
    }
}

} // namespace
