// SPDX-License-Identifier: MIT
// The font configuration, read on a worker while the program connects to the window system.
#pragma once

#include <thread>

// Starts reading the system's font configuration (fontconfig's) on a worker thread and returns
// at once. The first frame needs fonts, and reading the configuration takes some milliseconds
// that would otherwise follow the window's connection instead of running beside it. Call it
// first thing, before the application object, and let the worker end (the thread joins as it
// goes) before the application does: Qt frees the configuration with its font database. Where
// the fonts come from elsewhere, no worker starts.
std::jthread readFontConfigurationAhead();
