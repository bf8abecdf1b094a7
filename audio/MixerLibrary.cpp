// SPDX-License-Identifier: MIT
// The mixer library, opened by its versioned name and never unloaded (its threads may still run).
#include "audio/MixerLibrary.h"

#include <dlfcn.h>

#include <atomic>

namespace {

constexpr const char* LibraryName = "libSDL2_mixer-2.0.so.0";

std::atomic<bool> loadedMixer{false};

// Finds every function; the library's own dependencies (SDL) are searched too.
template <typename Function> bool find(void* handle, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

const MixerLibrary* load() {
    void* handle = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    static MixerLibrary mixer;
    MixerLibrary& m = mixer;
    const bool complete =
        find(handle, m.setHint, "SDL_SetHint") &&
        find(handle, m.initSubSystem, "SDL_InitSubSystem") &&
        find(handle, m.quitSubSystem, "SDL_QuitSubSystem") &&
        find(handle, m.rwFromConstMem, "SDL_RWFromConstMem") &&
        find(handle, m.getError, "SDL_GetError") && find(handle, m.init, "Mix_Init") &&
        find(handle, m.quit, "Mix_Quit") && find(handle, m.openAudio, "Mix_OpenAudio") &&
        find(handle, m.closeAudio, "Mix_CloseAudio") &&
        find(handle, m.setSoundFonts, "Mix_SetSoundFonts") &&
        find(handle, m.hasMusicDecoder, "Mix_HasMusicDecoder") &&
        find(handle, m.loadWavRw, "Mix_LoadWAV_RW") && find(handle, m.freeChunk, "Mix_FreeChunk") &&
        find(handle, m.playChannelTimed, "Mix_PlayChannelTimed") &&
        find(handle, m.haltChannel, "Mix_HaltChannel") && find(handle, m.playing, "Mix_Playing") &&
        find(handle, m.loadMus, "Mix_LoadMUS") &&
        find(handle, m.getMusicType, "Mix_GetMusicType") &&
        find(handle, m.freeMusic, "Mix_FreeMusic") && find(handle, m.playMusic, "Mix_PlayMusic") &&
        find(handle, m.haltMusic, "Mix_HaltMusic") &&
        find(handle, m.playingMusic, "Mix_PlayingMusic");
    if (!complete) return nullptr;
    loadedMixer = true;
    return &mixer;
}

} // namespace

const MixerLibrary* mixerLibrary() {
    static const MixerLibrary* const mixer = load();
    return mixer;
}

bool mixerLibraryLoaded() {
    return loadedMixer;
}
