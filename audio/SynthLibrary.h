// SPDX-License-Identifier: MIT
// FluidSynth and SDL's own audio calls, loaded when the first piece of music needs them. The music
// renders through these directly, on a device of its own, so that it can be rendered in large
// blocks while the sound effects keep their short buffer.
#pragma once

#include <SDL.h>

#include <cstddef>

// FluidSynth's objects are only passed around here.
using FluidSettings = void;
using FluidSynth = void;
using FluidPlayer = void;

struct SynthLibrary {
    // FluidSynth (libfluidsynth.so.3)
    FluidSettings* (*newSettings)();
    void (*deleteSettings)(FluidSettings*);
    int (*settingsSetNum)(FluidSettings*, const char*, double);
    int (*settingsSetInt)(FluidSettings*, const char*, int);
    int (*settingsSetStr)(FluidSettings*, const char*, const char*);
    FluidSynth* (*newSynth)(FluidSettings*);
    void (*deleteSynth)(FluidSynth*);
    int (*loadSoundFont)(FluidSynth*, const char*, int);
    int (*writeS16)(FluidSynth*, int, void*, int, int, void*, int, int);
    FluidPlayer* (*newPlayer)(FluidSynth*);
    void (*deletePlayer)(FluidPlayer*);
    int (*playerAddMem)(FluidPlayer*, const void*, size_t);
    int (*playerPlay)(FluidPlayer*);
    int (*playerStop)(FluidPlayer*);
    int (*playerStatus)(FluidPlayer*);
    void* (*setLogFunction)(int, void*, void*);
    // Reading a SoundFont through our own file calls (null when the library lacks them).
    void* (*newDefaultLoader)(FluidSettings*);
    void (*deleteLoader)(void*);
    int (*loaderSetCallbacks)(void* loader, void* (*open)(const char*),
                              int (*read)(void*, long long, void*),
                              int (*seek)(void*, long long, int), long long (*tell)(void*),
                              int (*close)(void*));
    void (*addLoader)(FluidSynth*, void* loader);

    // SDL (libSDL2-2.0.so.0)
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_GetError) getError;
    decltype(&SDL_OpenAudioDevice) openAudioDevice;
    decltype(&SDL_CloseAudioDevice) closeAudioDevice;
    decltype(&SDL_PauseAudioDevice) pauseAudioDevice;
    decltype(&SDL_QueueAudio) queueAudio;
    decltype(&SDL_GetQueuedAudioSize) queuedAudioSize;
    decltype(&SDL_ClearQueuedAudio) clearQueuedAudio;
};

// FluidSynth's player states.
constexpr int FluidPlayerPlaying = 1;
constexpr int FluidPlayerDone = 3;

// Loads both libraries on the first call, from any thread; null when either is missing or
// incomplete (then there is no music, and the game goes on).
const SynthLibrary* synthLibrary();
