// SPDX-License-Identifier: MIT
// SDL's own audio calls, loaded when the first piece of music needs them. The music plays
// through these directly, on a device of its own, so that it can be rendered in large blocks
// while the sound effects keep their short buffer.
#pragma once

#include <SDL.h>

struct SdlLibrary {
    decltype(&SDL_SetHint) setHint;
    decltype(&SDL_InitSubSystem) initSubSystem;
    decltype(&SDL_QuitSubSystem) quitSubSystem;
    decltype(&SDL_GetError) getError;
    decltype(&SDL_OpenAudioDevice) openAudioDevice;
    decltype(&SDL_CloseAudioDevice) closeAudioDevice;
    decltype(&SDL_PauseAudioDevice) pauseAudioDevice;
};

// Loads the library on the first call, from any thread; null when it is missing or incomplete
// (then there is no music, and the game goes on).
const SdlLibrary* sdlLibrary();
