// SPDX-License-Identifier: MIT
// The SDL audio device of the sound effects, and SDL's audio subsystem shared with the music's
// own device (MidiStream).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Loads the mixer, opens SDL's audio subsystem and the device on the first call and returns
// whether the device is open. A device that cannot be opened counts as "no wave output device":
// effects and music are then silently unavailable; the next call after audioClose tries again.
// User-interface thread; a warm-up still opening is waited for.
bool audioOpen();

// The device is open now; never opens it.
bool audioIsOpen();

// MIDI music can be played: there is a SoundFont file, and an output of the music's own opens
// (see MidiStream). Never opens the effects' device.
bool audioMidiReady();
// SDL's audio subsystem for the music's own device, taken and given back in pairs under the
// same lock as the effects' device. Any thread.
bool audioTakeSubsystem();
void audioGiveSubsystem();
// Opens the music's own SDL device through `open`, its stream named as music for the desktop's
// mixer, under the same lock as the effects' device. Any thread. Returns what `open` returns:
// SDL's device id, 0 when it would not open.
uint32_t audioOpenMusicDevice(const std::function<uint32_t()>& open);

// The SoundFont list chosen for the music, empty when none was found.
std::string audioSoundFont();
// The regular files named by a SoundFont list (names separated by ':' or ';'), in its order.
std::vector<std::string> soundFontFiles(const std::string& list);

// Chooses the SoundFont now, on the calling (user-interface) thread, when a worker thread is to
// open the device next: the choice writes the environment, which only that thread may do.
void audioChooseSoundFont();

// Called by audioClose before the device goes, so that chunks and music are freed while the
// mixer still runs. Returns an id for audioRemoveCloseHook.
int audioAddCloseHook(std::function<void()> hook);
void audioRemoveCloseHook(int id);

// Frees everything through the close hooks and closes the device. Runs at exit by itself.
void audioClose();

// An open device mixes, and wakes its thread, even when it only mixes silence. So it rests
// (closes, to open again at the next sound) a while after the last sound has ended, unless
// something holds it. (The music plays on a device of its own and holds nothing here.)
void audioHold();
void audioRelease();
// Called on the user-interface thread after a sound was started: the rest is due once all is
// quiet for AudioRestDelayMs.
void audioRestWhenQuiet();
constexpr int AudioRestDelayMs = 2000;
// Called when the device rests, to free what belongs to the open device (decoded chunks).
int audioAddRestHook(std::function<void()> hook);
void audioRemoveRestHook(int id);
// Called, on the thread opening the effects' device, when it would not open: a hook that gives
// up a device of its own (the music, where the sound system has only one) returns true, and the
// open is tried again.
int audioAddYieldHook(std::function<bool()> hook);
void audioRemoveYieldHook(int id);
// Called on the warm-up's worker once it has opened the device, to prepare what the next sound
// needs (the effects decode their waves), so that the click's picture and sound need not wait
// for it. Returns an id for audioRemoveWarmUpHook, which waits for a warm-up still running.
int audioAddWarmUpHook(std::function<void()> hook);
void audioRemoveWarmUpHook(int id);
// Rests now if nothing plays and nothing holds the device; returns whether it rests.
bool audioRestIfQuiet();

// A sound is likely soon (the pointer moves over the board): the device opens on a worker thread,
// so the click's sound need not wait for the library and the device. Cheap when it is open or
// opening. It rests as usual once all is quiet for AudioRestDelayMs. User-interface thread only.
void audioWarmUp();
