// SPDX-License-Identifier: MIT
// The main window's picture list and the counts of every picture list of the game.
#pragma once

#include "platform/BitmapList.h"

#include <QSize>

#include <cstdint>

// Items in each list; positions count from 0.
constexpr int MainBitmapCount = 17;
constexpr int DlgBitmapCount = 28;
constexpr int OptBitmapCount = 16;
constexpr int BtnBitmapCount = 9;

// Positions in the main window's list with a geometry the painters depend on.
constexpr int BackgroundStripItem = 0;
constexpr int DigitStripItem = 10;

// The main window's list `bmps`, loaded from the compiled-in resources ":/bmps".
BitmapList loadMainBitmaps();

// Tile size of a background strip: two tiles across, seven rows down.
QSize backgroundTileSize(const QImage& strip);

// The two tiles of one row of the background strip: the bright one of the board and the dark
// one of the clue slots, hidden cells and tool bar.
struct BackgroundTiles {
    QImage board;
    QImage shade;
};
// The tiles of background row `mode` (0..6) for a screen of `scale` pixels per point, as
// plain RGB32 pictures of that many pixels: a tile covers the same points at every scale, cut
// from the strip drawn for two pixels per point where the screen is scaled. Flat greys when
// the strip is missing.
BackgroundTiles backgroundTiles(const BitmapList& bmps, int32_t mode, qreal scale);
