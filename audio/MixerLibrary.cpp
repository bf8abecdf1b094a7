// SPDX-License-Identifier: MIT
// The mixer library, opened by its versioned name and never unloaded (its threads may still run).
#include "audio/MixerLibrary.h"

#include "audio/SharedLibrary.h"

#include <atomic>

namespace {

constexpr const char* LibraryName = "libSDL2_mixer-2.0.so.0";

std::atomic<bool> loadedMixer{false};

const MixerLibrary* load() {
    void* handle = openSharedLibrary(LibraryName);
    if (!handle) return nullptr;
    static MixerLibrary mixer;
    MixerLibrary& m = mixer;
    const bool complete = findSymbol(handle, m.setHint, "SDL_SetHint") &&
                          findSymbol(handle, m.initSubSystem, "SDL_InitSubSystem") &&
                          findSymbol(handle, m.quitSubSystem, "SDL_QuitSubSystem") &&
                          findSymbol(handle, m.rwFromConstMem, "SDL_RWFromConstMem") &&
                          findSymbol(handle, m.getError, "SDL_GetError") &&
                          findSymbol(handle, m.init, "Mix_Init") &&
                          findSymbol(handle, m.quit, "Mix_Quit") &&
                          findSymbol(handle, m.openAudio, "Mix_OpenAudio") &&
                          findSymbol(handle, m.closeAudio, "Mix_CloseAudio") &&
                          findSymbol(handle, m.setSoundFonts, "Mix_SetSoundFonts") &&
                          findSymbol(handle, m.hasMusicDecoder, "Mix_HasMusicDecoder") &&
                          findSymbol(handle, m.loadWavRw, "Mix_LoadWAV_RW") &&
                          findSymbol(handle, m.freeChunk, "Mix_FreeChunk") &&
                          findSymbol(handle, m.playChannelTimed, "Mix_PlayChannelTimed") &&
                          findSymbol(handle, m.haltChannel, "Mix_HaltChannel") &&
                          findSymbol(handle, m.playing, "Mix_Playing") &&
                          findSymbol(handle, m.loadMus, "Mix_LoadMUS") &&
                          findSymbol(handle, m.getMusicType, "Mix_GetMusicType") &&
                          findSymbol(handle, m.freeMusic, "Mix_FreeMusic") &&
                          findSymbol(handle, m.playMusic, "Mix_PlayMusic") &&
                          findSymbol(handle, m.haltMusic, "Mix_HaltMusic") &&
                          findSymbol(handle, m.playingMusic, "Mix_PlayingMusic");
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
