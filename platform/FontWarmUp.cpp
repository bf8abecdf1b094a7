// SPDX-License-Identifier: MIT
// The font configuration, read on a worker while the program connects to the window system.
#include "platform/FontWarmUp.h"

#include <dlfcn.h>

std::jthread readFontConfigurationAhead() {
    // Qt's own fontconfig, already loaded with it; found by name so that nothing more is linked.
    // Its configuration is built once per process, safely from any thread: Qt's later call finds
    // it made.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init) return {};
    return std::jthread([init] { init(); });
}
