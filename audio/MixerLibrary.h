// SPDX-License-Identifier: MIT
// The mixer library (SDL2_mixer with SDL), loaded when the first sound or piece of music needs it.
// A game left without sound never maps it, nor the synthesizer and sound-server libraries it
// brings along, which keeps the start quick and the process small.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

struct MixerLibrary {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_RWFromConstMem) rwFromConstMem;
    decltype(&SDL_GetError) getError;
    decltype(&Mix_Init) init;
    decltype(&Mix_Quit) quit;
    decltype(&Mix_OpenAudio) openAudio;
    decltype(&Mix_CloseAudio) closeAudio;
    decltype(&Mix_SetSoundFonts) setSoundFonts;
    decltype(&Mix_HasMusicDecoder) hasMusicDecoder;
    decltype(&Mix_LoadWAV_RW) loadWavRw;
    decltype(&Mix_FreeChunk) freeChunk;
    decltype(&Mix_PlayChannelTimed) playChannelTimed;
    decltype(&Mix_HaltChannel) haltChannel;
    decltype(&Mix_Playing) playing;
    decltype(&Mix_LoadMUS) loadMus;
    decltype(&Mix_GetMusicType) getMusicType;
    decltype(&Mix_FreeMusic) freeMusic;
    decltype(&Mix_PlayMusic) playMusic;
    decltype(&Mix_HaltMusic) haltMusic;
    decltype(&Mix_PlayingMusic) playingMusic;
};

// Loads the library on the first call, from any thread; null when it is missing or incomplete
// (then there is no sound, and the game goes on).
const MixerLibrary* mixerLibrary();

// The library has been loaded by an earlier call; never loads it.
bool mixerLibraryLoaded();
