// The one SDL audio device shared by the sound effects and the music.
#pragma once

#include <functional>
#include <string>

// Opens SDL's audio subsystem and the mixer on the first call and returns whether the device is
// open. A device that cannot be opened counts as "no wave output device": effects and music are
// then silently unavailable; the next call after AudioClose tries again.
bool AudioOpen();

// The device is open now; never opens it.
bool AudioIsOpen();

// MIDI music can be played: the device is open, the mixer has a MIDI decoder, and the FluidSynth
// decoder has a SoundFont to play it with (Timidity or a native MIDI device need none).
bool AudioMidiReady();

// The SoundFont given to the mixer, empty when none was found.
std::string AudioSoundFont();

// Called by AudioClose before the device goes, so that chunks and music are freed while the
// mixer still runs. Returns an id for AudioRemoveCloseHook.
int AudioAddCloseHook(std::function<void()> hook);
void AudioRemoveCloseHook(int id);

// Frees everything through the close hooks and closes the device. Runs at exit by itself.
void AudioClose();
