// SPDX-License-Identifier: MIT
// The player's own folder for what the game keeps between runs: $XDG_STATE_HOME/morvek/.
#pragma once

#include <QString>

// $XDG_STATE_HOME, or ~/.local/state when it is unset or not an absolute path; empty without a
// home.
QString stateHome();

// The folder with a separator when it is a real folder of this user's (made now when asked to and
// missing), not a link that someone else planted; empty otherwise.
QString ownFolder(const QString& path, bool create);

// <stateHome>/morvek/ as ownFolder gives it.
QString gameStateFolder(bool create);
