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
    explicit PeriodicNoise(uint32_t seed) : Seed(seed) {}
    // Noise near -1..1 at lattice coordinates (x, y); wraps every periodX x periodY cells.
    double At(double x, double y, int periodX, int periodY) const;
    // Fractal sum over octaves; u, v in tile units (0..1 is one tile), baseX/baseY cells per tile.
    double Fbm(double u, double v, int baseX, int baseY, int octaves, double gain = 0.5) const;

  private:
    uint32_t Seed;
};

// Nearest and second nearest feature points of a jittered grid that wraps around the tile.
struct WorleyNoise {
    double F1 = 0, F2 = 0; // distances in tile units
    double Dx = 0, Dy = 0; // offset from the nearest point to the sample
    uint32_t Id = 0;       // hash of the nearest point's cell
};
WorleyNoise Worley(double u, double v, int cells, uint32_t seed);

uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
double Hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// A floating-point RGB picture, corrected to a wanted mean colour before it becomes an image.
struct FloatImage {
    int W = 0, H = 0;
    std::vector<double> Px; // r, g, b per pixel, 0..255
    FloatImage(int w, int h) : W(w), H(h), Px(size_t(w) * h * 3, 0.0) {}
    double* At(int x, int y) { return &Px[(size_t(y) * W + x) * 3]; }
    const double* At(int x, int y) const { return &Px[(size_t(y) * W + x) * 3]; }
};
// Scales each channel so that the picture's mean becomes `mean` (clamping is iterated away).
FloatImage MatchMean(FloatImage img, QColor mean);
void PutFloat(QImage& dst, const FloatImage& src, int left, int top);

// Background textures: row 0..6 of the strip, bright tile of size x size.
FloatImage BackgroundTile(int row, int size);
QImage BackgroundStrip(int tileSize);
FloatImage GraniteTile(int w, int h, double meanGrey, uint32_t seed);

// An emoji of the Noto Color Emoji font, cropped to its drawn pixels.
QImage Emoji(const QString& text);
// Draws an image centred at (cx, cy), fitted into size x size, rotated by `angle` degrees.
void DrawCentred(QPainter& p, const QImage& img, double cx, double cy, double size,
                 double angle = 0);
// A transparent picture of w x h units drawn by `draw`, kept at twice that many pixels.
QImage Render(int w, int h, const std::function<void(QPainter&)>& draw);
// Recoloured copies of an image (alpha kept).
QImage Greyed(const QImage& img);
// The greyed face's motif: its greys, edged in dark grey so that it reads on the grey ground.
std::function<void(QPainter&)> GreyedMotif(const QImage& img, double size);
QImage Tinted(const QImage& img, double brightness, double saturation);

enum class GroundKind { Blue, Orange, Cream, Grey };
// A 50 x 50 button face: white corners, rounded black frame, ground, and a motif drawn by `motif`
// in 50 x 50 coordinates. Grey faces come out in greys only.
QImage Face(GroundKind ground, const std::function<void(QPainter&)>& motif);
QImage WhiteSquare();

// Vector motifs on a transparent 50 x 50 unit canvas (kept at 100 x 100 pixels).
QImage TrebleClef(QColor ink, bool rim);
// The dumbbell raised by `raise` units and turned by `angle` degrees; `moving` adds lift marks.
QImage FistLiftingWeight(double raise, double angle, bool moving);

// Whole lists, item n at position n.
std::vector<QImage> MainBitmaps();
std::vector<QImage> DialogBitmaps();
std::vector<QImage> OptionBitmaps();
std::vector<QImage> ButtonBitmaps();
QImage DigitStrip();

// The game's icon: a scalable SVG and the same drawing at one pixel size.
QString IconSvg();
QImage IconImage(int size);
// Writes morvek.svg and morvek-<size>.png for every size a desktop asks for; false on failure.
bool WriteIcons(const QString& dir);

// Sounds and music; each returns false when a file could not be written.
bool WriteWaves(const QString& dir);
bool WriteMusic(const QString& dir);
