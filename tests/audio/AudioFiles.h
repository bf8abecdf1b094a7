// SPDX-License-Identifier: MIT
// Small wave and MIDI files built in memory for the sound and music tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

namespace AudioFiles {

inline void put16(QByteArray& out, uint16_t value) {
    out.append(char(value & 0xff)).append(char(value >> 8));
}
inline void put32(QByteArray& out, uint32_t value) {
    put16(out, uint16_t(value & 0xffff));
    put16(out, uint16_t(value >> 16));
}
inline void put16Be(QByteArray& out, uint16_t value) {
    out.append(char(value >> 8)).append(char(value & 0xff));
}
inline void put32Be(QByteArray& out, uint32_t value) {
    put16Be(out, uint16_t(value >> 16));
    put16Be(out, uint16_t(value & 0xffff));
}

// A PCM mono RIFF WAVE of a square tone, 8 or 16 bits.
inline QByteArray wave(int milliseconds, int bits = 8, int rate = 22050) {
    const int samples = rate * milliseconds / 1000;
    const int bytesPerSample = bits / 8;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const bool high = (i / 25) % 2 == 0;
        if (bits == 8)
            data.append(char(high ? 200 : 56));
        else
            put16(data, uint16_t(high ? 8000 : -8000));
    }
    QByteArray out("RIFF");
    put32(out, uint32_t(36 + data.size()));
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, uint32_t(rate));
    put32(out, uint32_t(rate * bytesPerSample));
    put16(out, uint16_t(bytesPerSample));
    put16(out, uint16_t(bits));
    out.append("data");
    put32(out, uint32_t(data.size()));
    return out + data;
}

// The four effects in the game's formats: 2.30 s 8 bits, 0.06 s 16 bits, 0.64 s, 0.79 s 8 bits.
inline std::vector<QByteArray> gameLikeWaves() {
    return {wave(2300), wave(60, 16), wave(640), wave(790)};
}

inline void varLength(QByteArray& out, uint32_t value) {
    QByteArray bytes;
    bytes.prepend(char(value & 0x7f));
    while (value >>= 7)
        bytes.prepend(char((value & 0x7f) | 0x80));
    out.append(bytes);
}

// One MIDI track: a tempo, a rest of `restTicks`, each (note, ticks) played on channel 0 one
// after the other, and a silence of `tailTicks` before the end.
inline QByteArray track(const std::vector<std::pair<int, int>>& notes, uint32_t usPerQuarter,
                        uint32_t restTicks = 0, uint32_t tailTicks = 0) {
    QByteArray events;
    varLength(events, 0);
    events.append("\xff\x51\x03", 3);
    events.append(char(usPerQuarter >> 16))
        .append(char(usPerQuarter >> 8))
        .append(char(usPerQuarter));
    uint32_t delta = restTicks;
    for (auto [note, ticks] : notes) {
        varLength(events, delta);
        delta = 0;
        events.append(char(0x90)).append(char(note)).append(char(100));
        varLength(events, uint32_t(ticks));
        events.append(char(0x80)).append(char(note)).append(char(0));
    }
    varLength(events, tailTicks);
    events.append("\xff\x2f\x00", 3);
    QByteArray out("MTrk");
    put32Be(out, uint32_t(events.size()));
    return out + events;
}

// A type-0 Standard MIDI File at 96 ticks per quarter note.
inline QByteArray midiFile(const std::vector<std::pair<int, int>>& notes = {{60, 96}, {64, 96}},
                           uint32_t usPerQuarter = 250000, uint32_t restTicks = 0,
                           uint32_t tailTicks = 0) {
    QByteArray out("MThd");
    put32Be(out, 6);
    put16Be(out, 0);
    put16Be(out, 1);
    put16Be(out, 96);
    return out + track(notes, usPerQuarter, restTicks, tailTicks);
}

// A piece that is over almost at once.
inline QByteArray shortMidi() {
    return midiFile({{72, 12}}, 100000);
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace AudioFiles
