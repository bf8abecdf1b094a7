// SPDX-License-Identifier: MIT
// SDL's audio calls, opened by their versioned name and never unloaded.
#include "audio/SdlLibrary.h"

#include <dlfcn.h>

namespace {

template <typename Function> bool find(void* handle, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

const SdlLibrary* load() {
    void* sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!sdl) return nullptr;
    static SdlLibrary library;
    SdlLibrary& l = library;
    const bool complete =
        find(sdl, l.setHint, "SDL_SetHint") && find(sdl, l.initSubSystem, "SDL_InitSubSystem") &&
        find(sdl, l.quitSubSystem, "SDL_QuitSubSystem") && find(sdl, l.getError, "SDL_GetError") &&
        find(sdl, l.openAudioDevice, "SDL_OpenAudioDevice") &&
        find(sdl, l.closeAudioDevice, "SDL_CloseAudioDevice") &&
        find(sdl, l.pauseAudioDevice, "SDL_PauseAudioDevice");
    return complete ? &library : nullptr;
}

} // namespace

const SdlLibrary* sdlLibrary() {
    static const SdlLibrary* const library = load();
    return library;
}
