// SPDX-License-Identifier: MIT
// Tileable procedural textures: the seven background rows and the dialog granite.
#include "ArtGen.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}
double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}
double clamp01(double t) {
    return std::clamp(t, 0.0, 1.0);
}
double smooth(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
int wrap(int i, int n) {
    return ((i % n) + n) % n;
}

struct Rgb {
    double r, g, b;
};
Rgb mix(Rgb a, Rgb b, double t) {
    return {lerp(a.r, b.r, t), lerp(a.g, b.g, t), lerp(a.b, b.b, t)};
}
// A colour ramp through evenly spaced stops.
Rgb ramp(std::initializer_list<Rgb> stops, double t) {
    const std::vector<Rgb> s(stops);
    t = clamp01(t) * double(s.size() - 1);
    const int i = std::min(int(t), int(s.size()) - 2);
    return mix(s[i], s[i + 1], t - i);
}

// Domain warp keeps the tiling: the offsets are themselves periodic in u and v.
struct WarpField {
    double u, v;
};
WarpField warp(const PeriodicNoise& n1, const PeriodicNoise& n2, double u, double v, int base,
               double amount) {
    return {u + amount * n1.fbm(u, v, base, base, 3), v + amount * n2.fbm(u, v, base, base, 3)};
}

// Rows of the background strip; each returns the colour at (u, v) of the unit tile.
Rgb water(double u, double v) {
    static const PeriodicNoise a(11), b(12), c(13);
    const WarpField w = warp(a, b, u, v, 2, 0.18);
    const double ripple = std::sin(2 * Pi * (7 * w.v + 1 * w.u) + 3.0 * c.fbm(u, v, 4, 4, 3));
    const double streak = std::pow(0.5 + 0.5 * ripple, 3.0);
    const double fine = 0.5 + 0.5 * c.fbm(u, v, 4, 16, 2);
    Rgb col = ramp({{10, 20, 120}, {45, 60, 215}, {90, 110, 250}}, 0.25 + 0.55 * fine);
    col = mix(col, {215, 225, 255}, streak * 0.8);
    return col;
}

Rgb swirls(double u, double v) {
    static const PeriodicNoise a(21), b(22), c(23);
    const WarpField w1 = warp(a, b, u, v, 2, 0.35);
    const WarpField w2 = warp(b, c, w1.u, w1.v, 3, 0.2);
    const double band = std::sin(2 * Pi * (2 * w2.u + 3 * w2.v) + 4 * c.fbm(u, v, 3, 3, 2));
    const double t = 0.5 + 0.5 * band;
    return ramp({{45, 0, 25}, {150, 0, 90}, {215, 10, 140}, {255, 110, 195}}, t);
}

Rgb foliage(double u, double v) {
    static const PeriodicNoise vein(31);
    // Three layers of pointed leaves; a nearer layer covers a farther one.
    Rgb col = mix({12, 24, 6}, {30, 50, 14}, 0.5 + 0.5 * vein.fbm(u, v, 4, 4, 2));
    const int cells[] = {3, 4, 5};
    for (int layer = 0; layer < 3; ++layer) {
        const int n = cells[layer];
        const uint32_t seed = 300 + 10 * layer;
        const double cu = u * n, cv = v * n;
        const int ix = int(std::floor(cu)), iy = int(std::floor(cv));
        for (int k = 0; k < 2; ++k) // two leaves per cell
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int gx = ix + dx, gy = iy + dy;
                    const uint32_t wx = wrap(gx, n), wy = wrap(gy, n);
                    const uint32_t s = seed + 100 * k;
                    const double px = gx + 0.1 + 0.8 * hash01(wx, wy, s);
                    const double py = gy + 0.1 + 0.8 * hash01(wy, wx, s + 1);
                    const double ang = 2 * Pi * hash01(wx, wy, s + 2);
                    const double len = 0.42 + 0.12 * hash01(wx, wy, s + 3), width = 0.42 * len;
                    const double ox = cu - px, oy = cv - py;
                    const double a = (ox * std::cos(ang) + oy * std::sin(ang)) / len;
                    const double across = -ox * std::sin(ang) + oy * std::cos(ang);
                    if (std::abs(a) >= 1) continue;
                    const double w = width * (1 - a * a);
                    const double t = std::abs(across) / w;
                    const double cover = smooth(1.0, 0.8, t);
                    if (cover <= 0) continue;
                    // One half of the leaf catches more light than the other; the midrib shines.
                    const double side = across > 0 ? 1.0 : 0.78;
                    const double light = (0.55 + 0.45 * (1 - t * t)) * side * (0.8 + 0.12 * layer);
                    Rgb leaf =
                        ramp({{45, 80, 18}, {90, 135, 35}, {150, 185, 60}}, hash01(wx, wy, s + 4));
                    leaf = {leaf.r * light, leaf.g * light, leaf.b * light};
                    leaf = mix(leaf, {190, 215, 110}, 0.5 * smooth(0.12, 0.0, t) * (1 - a * a));
                    col = mix(col, leaf, cover);
                }
    }
    return col;
}

Rgb worms(double u, double v) {
    static const PeriodicNoise a(41), b(42), c(43);
    double worm = 0, shade = 0;
    const PeriodicNoise* layers[] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        const double n = layers[i]->fbm(u, v, 3 + i, 3 + i, 3);
        const double ridge = 1 - smooth(0.0, 0.09, std::abs(n));
        if (ridge > worm) {
            worm = ridge;
            shade = 0.6 + 0.4 * smooth(-0.09, 0.09, n);
        }
    }
    const double ground = 0.5 + 0.5 * c.fbm(u, v, 8, 8, 3);
    Rgb col = mix({45, 44, 40}, {95, 93, 88}, ground);
    const Rgb body = mix({120, 118, 112}, {205, 203, 195}, shade);
    return mix(col, body, std::pow(worm, 0.7));
}

Rgb spheres(double u, double v) {
    static const PeriodicNoise n(51);
    const int cells = 5;
    const double cu = u * cells, cv = v * cells;
    const int ix = int(std::floor(cu)), iy = int(std::floor(cv));
    // The sphere nearest to the viewer wins where two overlap.
    double bestZ = -1;
    Rgb col = mix({35, 45, 5}, {70, 85, 20}, 0.5 + 0.5 * n.fbm(u, v, 10, 10, 2));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = ix + dx, gy = iy + dy;
            const uint32_t wx = wrap(gx, cells), wy = wrap(gy, cells);
            const double px = gx + 0.2 + 0.6 * hash01(wx, wy, 501);
            const double py = gy + 0.2 + 0.6 * hash01(wy, wx, 502);
            const double r = 0.45 + 0.2 * hash01(wx, wy, 503);
            const double ox = (cu - px) / r, oy = (cv - py) / r;
            const double d2 = ox * ox + oy * oy;
            if (d2 >= 1) continue;
            const double nz = std::sqrt(1 - d2);
            const double z = nz * r + hash01(wx, wy, 504);
            if (z <= bestZ) continue;
            bestZ = z;
            // Light from the upper left.
            const double lx = -0.45, ly = -0.55, lz = 0.7;
            const double diffuse = std::max(0.0, ox * lx + oy * ly + nz * lz);
            const double specular = std::pow(std::max(0.0, 2 * diffuse * nz - lz), 24);
            const Rgb base = ramp({{150, 165, 60}, {200, 205, 110}}, hash01(wx, wy, 505));
            Rgb s = {base.r * (0.25 + 0.8 * diffuse), base.g * (0.25 + 0.8 * diffuse),
                     base.b * (0.25 + 0.8 * diffuse)};
            s = mix(s, {255, 255, 230}, 0.7 * specular);
            // Soft rim against the ground.
            col = mix(col, s, smooth(1.0, 0.9, d2));
        }
    return col;
}

Rgb stone(double u, double v) {
    static const PeriodicNoise a(61), b(62);
    const double h = a.fbm(u, v, 6, 6, 5, 0.55);
    const double e = 1.0 / 100;
    // Bump shading from the height field's slope.
    const double hx = a.fbm(u + e, v, 6, 6, 5, 0.55) - h;
    const double hy = a.fbm(u, v + e, 6, 6, 5, 0.55) - h;
    const double light = clamp01(0.6 - 4.0 * (hx + hy));
    const WorleyNoise w = worley(u, v, 4, 601);
    const double crack = smooth(0.0, 0.03, w.f2 - w.f1);
    const double tone = 0.5 + 0.5 * b.fbm(u, v, 3, 3, 2);
    Rgb col = ramp({{20, 70, 80}, {55, 130, 140}, {110, 185, 190}}, 0.3 * tone + 0.7 * light);
    col = mix({10, 35, 40}, col, 0.35 + 0.65 * crack);
    return col;
}

Rgb molten(double u, double v) {
    static const PeriodicNoise a(71), b(72), c(73);
    const WarpField w = warp(b, c, u, v, 2, 0.25);
    const double n = a.fbm(w.u, w.v, 3, 3, 4);
    const double vein = std::pow(1 - std::abs(n), 7.0);
    const double crust = 0.5 + 0.5 * c.fbm(u, v, 10, 10, 3);
    Rgb col = mix({25, 12, 2}, {75, 42, 12}, crust);
    col = mix(col, ramp({{170, 60, 0}, {245, 135, 20}, {255, 220, 110}}, vein),
              smooth(0.15, 0.8, vein));
    return col;
}

using Shader = Rgb (*)(double, double);
const Shader Shaders[7] = {water, swirls, foliage, worms, spheres, stone, molten};

const QColor BrightMeans[7] = {{75, 82, 238},  {180, 5, 116},  {87, 117, 47}, {101, 100, 95},
                               {148, 159, 99}, {63, 138, 148}, {93, 59, 16}};
const QColor DarkMeans[7] = {{28, 31, 157}, {61, 6, 37},  {21, 25, 15}, {34, 34, 34},
                             {31, 39, 5},   {30, 49, 53}, {27, 10, 0}};

} // namespace

uint32_t hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double hash01(uint32_t a, uint32_t b, uint32_t c) {
    return hash(a, b, c) / 4294967296.0;
}

double PeriodicNoise::at(double x, double y, int periodX, int periodY) const {
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const double fx = x - x0, fy = y - y0;
    auto corner = [&](int cx, int cy, double dx, double dy) {
        const double a = 2 * Pi * hash01(wrap(cx, periodX), wrap(cy, periodY), m_seed);
        return std::cos(a) * dx + std::sin(a) * dy;
    };
    const double n00 = corner(x0, y0, fx, fy), n10 = corner(x0 + 1, y0, fx - 1, fy);
    const double n01 = corner(x0, y0 + 1, fx, fy - 1), n11 = corner(x0 + 1, y0 + 1, fx - 1, fy - 1);
    const double u = fade(fx), v = fade(fy);
    return 1.4 * lerp(lerp(n00, n10, u), lerp(n01, n11, u), v);
}

double PeriodicNoise::fbm(double u, double v, int baseX, int baseY, int octaves,
                          double gain) const {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        const int px = baseX << o, py = baseY << o;
        sum += amp * at(u * px + 0.37 * o, v * py + 0.61 * o, px, py);
        norm += amp;
        amp *= gain;
    }
    return sum / norm * 1.6;
}

WorleyNoise worley(double u, double v, int cells, uint32_t seed) {
    WorleyNoise r;
    r.f1 = r.f2 = 1e9;
    const double cu = u * cells, cv = v * cells;
    const int ix = int(std::floor(cu)), iy = int(std::floor(cv));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = ix + dx, gy = iy + dy;
            const uint32_t wx = wrap(gx, cells), wy = wrap(gy, cells);
            const double px = gx + hash01(wx, wy, seed), py = gy + hash01(wy, wx, seed + 1);
            const double d = std::hypot(cu - px, cv - py) / cells;
            if (d < r.f1) {
                r.f2 = r.f1;
                r.f1 = d;
                r.dx = (cu - px) / cells;
                r.dy = (cv - py) / cells;
                r.id = hash(wx, wy, seed);
            } else if (d < r.f2) {
                r.f2 = d;
            }
        }
    return r;
}

FloatImage matchMean(FloatImage img, QColor mean) {
    const double want[3] = {double(mean.red()), double(mean.green()), double(mean.blue())};
    const size_t n = size_t(img.w) * img.h;
    for (int pass = 0; pass < 8; ++pass)
        for (int ch = 0; ch < 3; ++ch) {
            double sum = 0;
            for (size_t i = 0; i < n; ++i)
                sum += img.px[i * 3 + ch];
            const double have = sum / double(n);
            const double gain = have > 0 ? want[ch] / have : 0;
            for (size_t i = 0; i < n; ++i)
                img.px[i * 3 + ch] = std::clamp(img.px[i * 3 + ch] * gain, 0.0, 255.0);
        }
    return img;
}

void putFloat(QImage& dst, const FloatImage& src, int left, int top) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            const double* p = src.at(x, y);
            dst.setPixel(
                left + x, top + y,
                qRgb(int(std::lround(p[0])), int(std::lround(p[1])), int(std::lround(p[2]))));
        }
}

FloatImage backgroundTile(int row, int size) {
    FloatImage img(size, size);
    // Sample each pixel at four points so fine structure does not alias.
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            for (int s = 0; s < 4; ++s) {
                const double u = (x + 0.25 + 0.5 * (s & 1)) / size;
                const double v = (y + 0.25 + 0.5 * (s >> 1)) / size;
                const Rgb c = Shaders[row](u, v);
                r += c.r, g += c.g, b += c.b;
            }
            double* p = img.at(x, y);
            p[0] = r / 4, p[1] = g / 4, p[2] = b / 4;
        }
    return img;
}

QImage backgroundStrip(int tileSize) {
    QImage strip(2 * tileSize, 7 * tileSize, QImage::Format_RGB32);
    for (int row = 0; row < 7; ++row) {
        const FloatImage base = backgroundTile(row, tileSize);
        putFloat(strip, matchMean(base, BrightMeans[row]), 0, row * tileSize);
        putFloat(strip, matchMean(base, DarkMeans[row]), tileSize, row * tileSize);
    }
    return strip;
}

namespace {

// The ground between the larger grains: packed grains of about three pixels, each of its own
// grey, nearest grain wins.
double matrixGrain(double px, double py, int w, int h, uint32_t seed) {
    constexpr double Pitch = 3.2;
    const int nx = std::max(1, int(std::lround(w / Pitch))),
              ny = std::max(1, int(std::lround(h / Pitch)));
    const double cw = double(w) / nx, ch = double(h) / ny;
    const int ix = int(std::floor(px / cw)), iy = int(std::floor(py / ch));
    double best = 1e9, tone = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = ix + dx, gy = iy + dy;
            const uint32_t wx = wrap(gx, nx), wy = wrap(gy, ny);
            const double d = std::hypot(px - (gx + hash01(wx, wy, seed + 3)) * cw,
                                        py - (gy + hash01(wy, wx, seed + 4)) * ch);
            if (d < best) {
                best = d;
                tone = 62 + 70 * hash01(wx, wy, seed + 5);
            }
        }
    return tone;
}

} // namespace

FloatImage graniteTile(int w, int h, double meanGrey, uint32_t seed) {
    // Fine speckle of many small grains and nothing large, so that no spot marks where the tile
    // repeats. The grains sit on wrapping grids of a few pixels; the finest noise lattice
    // (3 to 4 pixels a cell) wraps with the tile as well.
    const PeriodicNoise grain(seed);
    struct Grains {
        double pitch;                // pixels between grid points
        double density;              // share of grid points that hold a grain
        double radiusMin, radiusMax; // pixels
        double toneMin, toneMax;
    };
    // Grey feldspar first, then black mica over it, then a little white quartz on top.
    const Grains kinds[] = {
        {6.0, 0.45, 1.3, 2.6, 115, 160},
        {4.0, 0.42, 0.7, 1.7, 12, 32},
        {5.0, 0.24, 0.5, 1.3, 180, 235},
    };
    FloatImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0, tintSum = 0;
            // Four samples per pixel keep the grain edges soft.
            for (int s = 0; s < 4; ++s) {
                const double px = x + 0.25 + 0.5 * (s & 1), py = y + 0.25 + 0.5 * (s >> 1);
                const double fine =
                    grain.fbm(px / w, py / h, std::max(1, w / 4), std::max(1, h / 4), 2);
                double tone = matrixGrain(px, py, w, h, seed) + 10 * fine, tint = 0;
                for (int k = 0; k < 3; ++k) {
                    const Grains& g = kinds[k];
                    const int nx = std::max(1, int(std::lround(w / g.pitch)));
                    const int ny = std::max(1, int(std::lround(h / g.pitch)));
                    const double cw = double(w) / nx, ch = double(h) / ny;
                    const int ix = int(std::floor(px / cw)), iy = int(std::floor(py / ch));
                    const uint32_t layer = seed + 17 * (k + 1);
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const int gx = ix + dx, gy = iy + dy;
                            const uint32_t wx = wrap(gx, nx), wy = wrap(gy, ny);
                            if (hash01(wx, wy, layer) >= g.density) continue;
                            const double gxPos = (gx + hash01(wx, wy, layer + 1)) * cw;
                            const double gyPos = (gy + hash01(wy, wx, layer + 2)) * ch;
                            const double r =
                                lerp(g.radiusMin, g.radiusMax, hash01(wx, wy, layer + 3));
                            // Each grain a turned, squashed, slightly angular blob.
                            const double turn = Pi * hash01(wx, wy, layer + 6);
                            const double squash = 0.55 + 0.45 * hash01(wy, wx, layer + 7);
                            const double ox = px - gxPos, oy = py - gyPos;
                            const double along = ox * std::cos(turn) + oy * std::sin(turn);
                            const double across =
                                (-ox * std::sin(turn) + oy * std::cos(turn)) / squash;
                            const double d = 0.6 * std::hypot(along, across) +
                                             0.4 * std::max(std::abs(along), std::abs(across));
                            const double cover = smooth(r + 0.35, r - 0.35, d);
                            if (cover <= 0) continue;
                            const double t = hash01(wx, wy, layer + 4);
                            tone = lerp(tone, lerp(g.toneMin, g.toneMax, t), cover);
                            tint = lerp(tint, 6 * (hash01(wx, wy, layer + 5) - 0.5), cover);
                        }
                }
                sum += tone;
                tintSum += tint;
            }
            double* p = img.at(x, y);
            const double grey = sum / 4, tint = tintSum / 4;
            p[0] = grey + tint, p[1] = grey + tint * 0.5, p[2] = grey + 3;
        }
    return matchMean(img, QColor(int(meanGrey), int(meanGrey), int(meanGrey + 3)));
}
