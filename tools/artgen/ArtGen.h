// SPDX-License-Identifier: MIT
// Shared pieces of the artwork generator: noise, drawing helpers and the writers of each asset
// kind.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

// Gradient noise whose lattice wraps after Period cells, so a tile made from it repeats seamlessly.
class PeriodicNoise {
  public:
    explicit PeriodicNoise(uint32_t seed) : m_seed(seed) {}
    // Noise near -1..1 at lattice coordinates (x, y); wraps every periodX x periodY cells.
    double at(double x, double y, int periodX, int periodY) const;
    // Fractal sum over octaves; u, v in tile units (0..1 is one tile), baseX/baseY cells per tile.
    double fbm(double u, double v, int baseX, int baseY, int octaves, double gain = 0.5) const;

  private:
    uint32_t m_seed;
};

// Nearest and second nearest feature points of a jittered grid that wraps around the tile.
struct WorleyNoise {
    double f1 = 0, f2 = 0; // distances in tile units
    double dx = 0, dy = 0; // offset from the nearest point to the sample
    uint32_t id = 0;       // hash of the nearest point's cell
};
WorleyNoise worley(double u, double v, int cells, uint32_t seed);

uint32_t hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
double hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// A floating-point RGB picture, corrected to a wanted mean colour before it becomes an image.
struct FloatImage {
    int w = 0, h = 0;
    std::vector<double> px; // r, g, b per pixel, 0..255
    FloatImage(int w, int h) : w(w), h(h), px(size_t(w) * h * 3, 0.0) {}
    double* at(int x, int y) { return &px[(size_t(y) * w + x) * 3]; }
    const double* at(int x, int y) const { return &px[(size_t(y) * w + x) * 3]; }
};
// Scales each channel so that the picture's mean becomes `mean` (clamping is iterated away).
FloatImage matchMean(FloatImage img, QColor mean);
void putFloat(QImage& dst, const FloatImage& src, int left, int top);

// Background textures: row 0..6 of the strip, bright tile of size x size.
FloatImage backgroundTile(int row, int size);
QImage backgroundStrip(int tileSize);
FloatImage graniteTile(int w, int h, double meanGrey, uint32_t seed);

// An emoji of the Noto Color Emoji font, cropped to its drawn pixels.
QImage emoji(const QString& text);
// Draws an image centred at (cx, cy), fitted into size x size, rotated by `angle` degrees.
void drawCentred(QPainter& p, const QImage& img, double cx, double cy, double size,
                 double angle = 0);
// A transparent picture of w x h units drawn by `draw`, kept at twice that many pixels.
QImage render(int w, int h, const std::function<void(QPainter&)>& draw);
// Recoloured copies of an image (alpha kept).
QImage greyed(const QImage& img);
// The greyed face's motif: its greys, edged in dark grey so that it reads on the grey ground.
std::function<void(QPainter&)> greyedMotif(const QImage& img, double size);
QImage tinted(const QImage& img, double brightness, double saturation);

enum class GroundKind { Blue, Orange, Cream, Grey };
// A 50 x 50 button face: white corners, rounded black frame, ground, and a motif drawn by `motif`
// in 50 x 50 coordinates. Grey faces come out in greys only. At `scale` 2 the same face has
// 100 x 100 pixels, for screens with two pixels per point.
QImage face(GroundKind ground, const std::function<void(QPainter&)>& motif, int scale = 1);
QImage whiteSquare(int scale = 1);

// Vector motifs on a transparent 50 x 50 unit canvas (kept at 100 x 100 pixels).
QImage trebleClef(QColor ink, bool rim);
// The dumbbell raised by `raise` units and turned by `angle` degrees; `moving` adds lift marks.
QImage fistLiftingWeight(double raise, double angle, bool moving);

// Whole lists, item n at position n.
// `scale` 2 draws the background strip and the button faces with twice the pixels; the digit
// strip is left out there (an empty item), as the game draws its counters as text then.
std::vector<QImage> mainBitmaps(int scale = 1);
std::vector<QImage> dialogBitmaps();
std::vector<QImage> optionBitmaps();
std::vector<QImage> buttonBitmaps(int scale = 1);
QImage digitStrip();

// The game's icon: a scalable SVG and the same drawing at one pixel size.
QString iconSvg();
QImage iconImage(int size);
// Writes morvek.svg and morvek-<size>.png for every size a desktop asks for; false on failure.
bool writeIcons(const QString& dir);

// Sounds and music; each returns false when a file could not be written.
bool writeWaves(const QString& dir);
bool writeMusic(const QString& dir);
