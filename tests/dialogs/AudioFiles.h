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

inline void Put16(QByteArray& out, uint16_t value) {
    out.append(char(value & 0xff)).append(char(value >> 8));
}
inline void Put32(QByteArray& out, uint32_t value) {
    Put16(out, uint16_t(value & 0xffff));
    Put16(out, uint16_t(value >> 16));
}
inline void Put16BE(QByteArray& out, uint16_t value) {
    out.append(char(value >> 8)).append(char(value & 0xff));
}
inline void Put32BE(QByteArray& out, uint32_t value) {
    Put16BE(out, uint16_t(value >> 16));
    Put16BE(out, uint16_t(value & 0xffff));
}

// A PCM mono RIFF WAVE of a square tone, 8 or 16 bits.
inline QByteArray Wave(int milliseconds, int bits = 8, int rate = 22050) {
    const int samples = rate * milliseconds / 1000;
    const int bytesPerSample = bits / 8;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const bool high = (i / 25) % 2 == 0;
        if (bits == 8)
            data.append(char(high ? 200 : 56));
        else
            Put16(data, uint16_t(high ? 8000 : -8000));
    }
    QByteArray out("RIFF");
    Put32(out, uint32_t(36 + data.size()));
    out.append("WAVEfmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, uint32_t(rate));
    Put32(out, uint32_t(rate * bytesPerSample));
    Put16(out, uint16_t(bytesPerSample));
    Put16(out, uint16_t(bits));
    out.append("data");
    Put32(out, uint32_t(data.size()));
    return out + data;
}

// The four effects in the game's formats: 2.30 s 8 bits, 0.06 s 16 bits, 0.64 s, 0.79 s 8 bits.
inline std::vector<QByteArray> GameLikeWaves() {
    return {Wave(2300), Wave(60, 16), Wave(640), Wave(790)};
}

inline void VarLength(QByteArray& out, uint32_t value) {
    QByteArray bytes;
    bytes.prepend(char(value & 0x7f));
    while (value >>= 7)
        bytes.prepend(char((value & 0x7f) | 0x80));
    out.append(bytes);
}

// One MIDI track: a tempo, a rest of `restTicks`, each (note, ticks) played on channel 0 one
// after the other, and a silence of `tailTicks` before the end.
inline QByteArray Track(const std::vector<std::pair<int, int>>& notes, uint32_t usPerQuarter,
                        uint32_t restTicks = 0, uint32_t tailTicks = 0) {
    QByteArray events;
    VarLength(events, 0);
    events.append("\xff\x51\x03", 3);
    events.append(char(usPerQuarter >> 16))
        .append(char(usPerQuarter >> 8))
        .append(char(usPerQuarter));
    uint32_t delta = restTicks;
    for (auto [note, ticks] : notes) {
        VarLength(events, delta);
        delta = 0;
        events.append(char(0x90)).append(char(note)).append(char(100));
        VarLength(events, uint32_t(ticks));
        events.append(char(0x80)).append(char(note)).append(char(0));
    }
    VarLength(events, tailTicks);
    events.append("\xff\x2f\x00", 3);
    QByteArray out("MTrk");
    Put32BE(out, uint32_t(events.size()));
    return out + events;
}

// A type-0 Standard MIDI File at 96 ticks per quarter note.
inline QByteArray Midi(const std::vector<std::pair<int, int>>& notes = {{60, 96}, {64, 96}},
                       uint32_t usPerQuarter = 250000, uint32_t restTicks = 0,
                       uint32_t tailTicks = 0) {
    QByteArray out("MThd");
    Put32BE(out, 6);
    Put16BE(out, 0);
    Put16BE(out, 1);
    Put16BE(out, 96);
    return out + Track(notes, usPerQuarter, restTicks, tailTicks);
}

// A piece that is over almost at once.
inline QByteArray ShortMidi() {
    return Midi({{72, 12}}, 100000);
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace AudioFiles
