// SPDX-License-Identifier: MIT
// Opening the sound libraries at run time: none of them is linked, so a game that never sounds
// never maps them, and a missing one only silences what needs it.
#pragma once

#include <dlfcn.h>

// Opens a library by its versioned name; it is never closed (its threads may outlive any use).
inline void* openSharedLibrary(const char* name) {
    return dlopen(name, RTLD_NOW | RTLD_LOCAL);
}

// Sets `function` to the library's symbol `name` (searched in its dependencies too); false when
// there is none.
template <typename Function> bool findSymbol(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}
