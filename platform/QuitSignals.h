// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT and SIGHUP (a desktop logout) end the game the way its own close does.
#pragma once

#include <functional>

// From now on the first of these signals runs onSignal from the event loop, where it is safe to
// save and close; a second one, while the first is still being handled, ends the program at once
// by the signal's default action. Call once, after the event loop's application object exists.
void installQuitSignals(std::function<void()> onSignal);
