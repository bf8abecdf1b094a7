// SPDX-License-Identifier: MIT
// The four effect sounds, synthesized into the exact wave formats the game plays.
#include "ArtGen.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;

using SampleBuffer = std::vector<double>; // -1..1

SampleBuffer silence(double seconds) {
    return SampleBuffer(size_t(std::lround(seconds * Rate)), 0.0);
}

// A tone of summed harmonics with its own attack and release, added at `start` seconds.
void addTone(SampleBuffer& s, double start, double length, double freq, double level,
             const std::vector<double>& harmonics, double attack, double release,
             double decay = 0) {
    const size_t first = size_t(std::lround(start * Rate));
    const size_t count = size_t(std::lround(length * Rate));
    for (size_t i = 0; i < count && first + i < s.size(); ++i) {
        const double t = double(i) / Rate;
        double env = std::min(1.0, t / attack) * std::min(1.0, (length - t) / release);
        if (decay > 0) env *= std::exp(-t / decay);
        // A touch of vibrato keeps held notes alive.
        const double phase = 2 * Pi * freq * t + 0.002 * freq * std::sin(2 * Pi * 5.5 * t) * t;
        double v = 0;
        for (size_t h = 0; h < harmonics.size(); ++h)
            v += harmonics[h] * std::sin((h + 1) * phase);
        s[first + i] += level * std::max(0.0, env) * v;
    }
}

// Fades both ends to silence, so no sound starts or stops with a click.
void edges(SampleBuffer& s, double fadeIn, double fadeOut) {
    const size_t in = size_t(fadeIn * Rate), out = size_t(fadeOut * Rate);
    for (size_t i = 0; i < in && i < s.size(); ++i)
        s[i] *= double(i) / in;
    for (size_t i = 0; i < out && i < s.size(); ++i)
        s[s.size() - 1 - i] *= double(i) / out;
}

void normalize(SampleBuffer& s, double peak) {
    double m = 0;
    for (double v : s)
        m = std::max(m, std::abs(v));
    if (m > 0)
        for (double& v : s)
            v *= peak / m;
}

double note(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

SampleBuffer fanfare() {
    SampleBuffer s = silence(2.30);
    const std::vector<double> brass = {1.0, 0.55, 0.38, 0.22, 0.14, 0.08, 0.05};
    struct {
        double start, length;
        int midi;
    } notes[] = {{0.00, 0.16, 67}, {0.15, 0.16, 72}, {0.30, 0.16, 76}, {0.45, 0.30, 79},
                 {0.75, 0.15, 76}, {0.90, 1.40, 79}, {0.90, 1.40, 76}, {0.90, 1.40, 72},
                 {0.90, 1.40, 84}, {0.90, 1.40, 60}};
    for (const auto& n : notes)
        addTone(s, n.start, n.length, note(n.midi), n.start < 0.9 ? 0.5 : 0.28, brass, 0.012,
                n.start < 0.9 ? 0.04 : 0.6, n.start < 0.9 ? 0 : 1.2);
    normalize(s, 0.85);
    edges(s, 0.002, 0.02);
    return s;
}

SampleBuffer click() {
    SampleBuffer s = silence(0.06);
    addTone(s, 0, 0.06, 1500, 0.7, {1.0, 0.3, 0.1}, 0.0008, 0.01, 0.009);
    addTone(s, 0, 0.06, 3100, 0.25, {1.0}, 0.0005, 0.01, 0.004);
    normalize(s, 0.6);
    edges(s, 0.0005, 0.004);
    return s;
}

SampleBuffer buzz() {
    SampleBuffer s = silence(0.64);
    // Two rough low pulses: detuned sawtooths beat against each other.
    for (double start : {0.0, 0.33}) {
        const double length = 0.27;
        std::vector<double> saw;
        for (int h = 1; h <= 14; ++h)
            saw.push_back(1.0 / h);
        addTone(s, start, length, 110, 0.5, saw, 0.006, 0.03);
        addTone(s, start, length, 116.5, 0.5, saw, 0.006, 0.03);
    }
    // A gentle low-pass takes the edge off the highest harmonics.
    double y = 0;
    for (double& v : s)
        v = y += 0.45 * (v - y);
    normalize(s, 0.8);
    edges(s, 0.002, 0.02);
    return s;
}

SampleBuffer chime() {
    SampleBuffer s = silence(0.79);
    // Bell partials, slightly inharmonic, each dying faster than the one below it.
    for (const auto& [start, midi] : {std::pair{0.0, 81}, std::pair{0.11, 88}}) {
        const double f = note(midi), length = 0.79 - start;
        addTone(s, start, length, f, 0.5, {1.0}, 0.002, 0.05, 0.32);
        addTone(s, start, length, f * 2.0, 0.5, {0.35}, 0.002, 0.05, 0.18);
        addTone(s, start, length, f * 3.01, 0.5, {0.12}, 0.002, 0.05, 0.09);
        addTone(s, start, length, f * 4.2, 0.5, {0.08}, 0.001, 0.05, 0.05);
    }
    normalize(s, 0.8);
    edges(s, 0.001, 0.03);
    return s;
}

void put16(QByteArray& b, uint16_t v) {
    b.append(char(v & 0xFF)).append(char(v >> 8));
}
void put32(QByteArray& b, uint32_t v) {
    put16(b, uint16_t(v & 0xFFFF)), put16(b, uint16_t(v >> 16));
}

// RIFF WAVE, PCM mono at 22050 Hz; 8-bit samples are unsigned, 16-bit ones signed.
QByteArray wave(const SampleBuffer& s, int bits) {
    QByteArray data;
    for (double v : s) {
        v = std::clamp(v, -1.0, 1.0);
        if (bits == 8)
            data.append(char(uint8_t(std::lround(128 + 127 * v))));
        else
            put16(data, uint16_t(int16_t(std::lround(32767 * v))));
    }
    const uint32_t bytesPerSample = bits / 8;
    QByteArray b("RIFF");
    put32(b, 36 + uint32_t(data.size()));
    b.append("WAVEfmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, 1); // mono
    put32(b, Rate);
    put32(b, Rate * bytesPerSample);
    put16(b, uint16_t(bytesPerSample));
    put16(b, uint16_t(bits));
    b.append("data");
    put32(b, uint32_t(data.size()));
    b.append(data);
    return b;
}

} // namespace

bool writeWaves(const QString& dir) {
    if (!QDir().mkpath(dir)) return false;
    const struct {
        int id, bits;
        SampleBuffer samples;
    } waves[] = {{5, 8, fanfare()}, {21, 16, click()}, {22, 8, buzz()}, {23, 8, chime()}};
    for (const auto& w : waves) {
        QFile f(QStringLiteral("%1/%2.wav").arg(dir).arg(w.id));
        if (!f.open(QIODevice::WriteOnly)) return false;
        if (f.write(wave(w.samples, w.bits)) < 0) return false;
    }
    return true;
}
