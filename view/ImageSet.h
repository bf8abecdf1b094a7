// The main window's picture list and the counts of every picture list of the game.
#pragma once

#include "BitmapList.h"

#include <QSize>

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
