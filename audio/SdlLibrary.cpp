// SPDX-License-Identifier: MIT
// SDL's audio calls, opened by their versioned name and never unloaded.
#include "audio/SdlLibrary.h"

#include "audio/SharedLibrary.h"

namespace {

const SdlLibrary* load() {
    void* sdl = openSharedLibrary("libSDL2-2.0.so.0");
    if (!sdl) return nullptr;
    static SdlLibrary library;
    SdlLibrary& l = library;
    const bool complete = findSymbol(sdl, l.setHint, "SDL_SetHint") &&
                          findSymbol(sdl, l.initSubSystem, "SDL_InitSubSystem") &&
                          findSymbol(sdl, l.quitSubSystem, "SDL_QuitSubSystem") &&
                          findSymbol(sdl, l.getError, "SDL_GetError") &&
                          findSymbol(sdl, l.openAudioDevice, "SDL_OpenAudioDevice") &&
                          findSymbol(sdl, l.closeAudioDevice, "SDL_CloseAudioDevice") &&
                          findSymbol(sdl, l.pauseAudioDevice, "SDL_PauseAudioDevice");
    return complete ? &library : nullptr;
}

} // namespace

const SdlLibrary* sdlLibrary() {
    static const SdlLibrary* const library = load();
    return library;
}
