// SPDX-License-Identifier: MIT
// Bitmaps with one colour keyed out, built once per bitmap and kept for every later paint.
#pragma once

#include <QImage>
#include <QRgb>

// A copy of image in ARGB32 where every pixel of colour key (alpha ignored) is fully transparent.
QImage keyOutColour(const QImage& image, QRgb key);

// The same, cached by the image's data and the key; the key is the bottom-left pixel's colour.
QImage cachedKeyedByBottomLeft(const QImage& image);
QImage cachedKeyedByColour(const QImage& image, QRgb key);
