// SPDX-License-Identifier: MIT
// FluidSynth and SDL's audio calls, opened by their versioned names and never unloaded.
#include "audio/SynthLibrary.h"

#include <dlfcn.h>

#include <initializer_list>

namespace {

template <typename Function> bool find(void* handle, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

const SynthLibrary* load() {
    void* fluid = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
    void* sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!fluid || !sdl) return nullptr;
    static SynthLibrary library;
    SynthLibrary& l = library;
    const bool complete =
        find(fluid, l.newSettings, "new_fluid_settings") &&
        find(fluid, l.deleteSettings, "delete_fluid_settings") &&
        find(fluid, l.settingsSetNum, "fluid_settings_setnum") &&
        find(fluid, l.settingsSetInt, "fluid_settings_setint") &&
        find(fluid, l.settingsSetStr, "fluid_settings_setstr") &&
        find(fluid, l.newSynth, "new_fluid_synth") &&
        find(fluid, l.deleteSynth, "delete_fluid_synth") &&
        find(fluid, l.loadSoundFont, "fluid_synth_sfload") &&
        find(fluid, l.writeS16, "fluid_synth_write_s16") &&
        find(fluid, l.newPlayer, "new_fluid_player") &&
        find(fluid, l.deletePlayer, "delete_fluid_player") &&
        find(fluid, l.playerAddMem, "fluid_player_add_mem") &&
        find(fluid, l.playerPlay, "fluid_player_play") &&
        find(fluid, l.playerStop, "fluid_player_stop") &&
        find(fluid, l.playerStatus, "fluid_player_get_status") &&
        find(fluid, l.setLogFunction, "fluid_set_log_function") &&
        find(sdl, l.setHint, "SDL_SetHint") && find(sdl, l.initSubSystem, "SDL_InitSubSystem") &&
        find(sdl, l.quitSubSystem, "SDL_QuitSubSystem") && find(sdl, l.getError, "SDL_GetError") &&
        find(sdl, l.openAudioDevice, "SDL_OpenAudioDevice") &&
        find(sdl, l.closeAudioDevice, "SDL_CloseAudioDevice") &&
        find(sdl, l.pauseAudioDevice, "SDL_PauseAudioDevice") &&
        find(sdl, l.queueAudio, "SDL_QueueAudio") &&
        find(sdl, l.queuedAudioSize, "SDL_GetQueuedAudioSize") &&
        find(sdl, l.clearQueuedAudio, "SDL_ClearQueuedAudio");
    if (!complete) return nullptr;
    if (!find(fluid, l.newDefaultLoader, "new_fluid_defsfloader") ||
        !find(fluid, l.deleteLoader, "delete_fluid_sfloader") ||
        !find(fluid, l.loaderSetCallbacks, "fluid_sfloader_set_callbacks") ||
        !find(fluid, l.addLoader, "fluid_synth_add_sfloader"))
        l.newDefaultLoader = nullptr;
    // FluidSynth reports every unusual SoundFont zone on the terminal; the game reports what
    // matters (a SoundFont or piece that will not load) itself.
    for (int level : {2, 3, 4}) // warnings, information, debugging
        l.setLogFunction(level, nullptr, nullptr);
    return &library;
}

} // namespace

const SynthLibrary* synthLibrary() {
    static const SynthLibrary* const library = load();
    return library;
}
