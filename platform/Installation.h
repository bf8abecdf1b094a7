// SPDX-License-Identifier: MIT
// How the game finds its files and how the desktop knows it, built or installed.
#pragma once

#include <QString>

// The folder of the rules file and the music, with a trailing separator: the program's own
// folder when they lie beside it (the build folder, a tree moved as a whole), else the installed
// data folder relative to the program (../share/morvek by default). When neither holds them, the
// program's own folder, so that the reports name a sensible place.
QString gameDataFolder(const QString& programFolder);

// The installed data folder as seen from the program's folder, as the build configured it.
QString installedDataPath();

// The reverse-DNS id that names the desktop entry, the icon and the metainfo.
QString desktopId();

// Names the desktop entry for the window system and gives every window the game's icon.
void applyDesktopIdentity();
