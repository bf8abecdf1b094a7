// SPDX-License-Identifier: MIT
// A standard MIDI file read into the channel events it plays.
#include "audio/MidiSequence.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

// More events than any piece of music holds; a file with more is not read.
constexpr size_t MaxEvents = size_t(1) << 21;
constexpr uint32_t DefaultTempo = 500000; // microseconds a quarter note: 120 beats a minute

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool has(size_t n) const { return at <= size && size - at >= n; }
    uint32_t big(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | data[at++];
        return v;
    }
    bool variable(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (!has(1)) return false;
            const uint8_t b = data[at++];
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
};

struct TimedEvent {
    uint64_t tick;
    uint32_t tempo; // a tempo change when not 0
    MidiEvent event;
};

// One track's events, timed in ticks; false when the track is damaged.
bool readTrack(Reader r, uint64_t tickBase, std::vector<TimedEvent>& out, uint64_t& endTick) {
    uint64_t tick = tickBase;
    uint8_t status = 0;
    while (r.has(1)) {
        uint32_t delta = 0;
        if (!r.variable(delta) || !r.has(1)) return false;
        tick += delta;
        if (r.data[r.at] & 0x80) status = r.data[r.at++];
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            uint8_t type = 0;
            if (status == 0xFF) {
                if (!r.has(1)) return false;
                type = r.data[r.at++];
            }
            uint32_t length = 0;
            if (!r.variable(length) || !r.has(length)) return false;
            if (status == 0xFF && type == 0x51 && length == 3) {
                const uint32_t tempo = uint32_t(r.data[r.at]) << 16 |
                                       uint32_t(r.data[r.at + 1]) << 8 | r.data[r.at + 2];
                if (tempo > 0) out.push_back({tick, tempo, {}});
            }
            r.at += length;
            status = 0;              // no running status after a meta or system event
            if (type == 0x2F) break; // end of track
            continue;
        }
        if (status < 0x80 || status > 0xEF) return false;
        const int kind = status & 0xF0;
        const size_t length = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        if (!r.has(length)) return false;
        const uint8_t first = r.data[r.at] & 0x7F;
        const uint8_t second = length > 1 ? r.data[r.at + 1] & 0x7F : 0;
        r.at += length;
        if (out.size() >= MaxEvents) return false;
        out.push_back({tick, 0, {0, status, first, second}});
    }
    endTick = std::max(endTick, tick);
    return true;
}

} // namespace

bool MidiSequence::read(const uint8_t* data, size_t size, int rate) {
    events.clear();
    endFrame = 0;
    Reader r{data, size};
    if (!r.has(14) || std::memcmp(data, "MThd", 4) != 0) return false;
    r.at = 4;
    const uint32_t headerLength = r.big(4);
    if (headerLength < 6 || !r.has(headerLength)) return false;
    const uint32_t format = r.big(2);
    const uint32_t tracks = r.big(2);
    const uint32_t division = r.big(2);
    if (format > 2 || tracks == 0 || division == 0) return false;
    r.at = 8 + headerLength;

    std::vector<TimedEvent> timed;
    uint64_t endTick = 0;
    for (uint32_t t = 0; t < tracks;) {
        if (!r.has(8)) return false;
        const bool track = std::memcmp(data + r.at, "MTrk", 4) == 0;
        r.at += 4;
        const uint32_t length = r.big(4);
        if (!r.has(length)) return false;
        // Chunks of other kinds may stand between the tracks and are passed over.
        if (!track) {
            r.at += length;
            continue;
        }
        ++t;
        // The tracks of format 2 are separate sequences, played one after another.
        const uint64_t base = format == 2 ? endTick : 0;
        if (!readTrack(Reader{data, r.at + length, r.at}, base, timed, endTick)) return false;
        r.at += length;
    }
    // Events of one tick keep their order within the file.
    std::stable_sort(timed.begin(), timed.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });

    // Ticks to frames, with the tempo in effect between them. SMPTE divisions count frames of
    // film time and ignore the tempo.
    const bool smpte = division & 0x8000;
    const double smpteTick =
        smpte ? 1.0 / (double(-int8_t(division >> 8)) * double(division & 0xFF)) : 0.0;
    if (smpte && !(smpteTick > 0.0)) return false;
    double secondsPerTick = smpte ? smpteTick : DefaultTempo / 1e6 / double(division);
    double seconds = 0.0;
    uint64_t lastTick = 0;
    const auto advance = [&](uint64_t tick) {
        seconds += double(tick - lastTick) * secondsPerTick;
        lastTick = tick;
        return seconds * rate < 4e9; // a piece of some 50 hours is damaged
    };
    events.reserve(timed.size());
    for (const TimedEvent& e : timed) {
        if (!advance(e.tick)) return false;
        if (e.tempo) {
            if (!smpte) secondsPerTick = e.tempo / 1e6 / double(division);
            continue;
        }
        MidiEvent event = e.event;
        event.frame = uint32_t(std::llround(seconds * rate));
        events.push_back(event);
    }
    if (!advance(std::max(endTick, lastTick))) return false;
    endFrame = uint32_t(std::llround(seconds * rate));
    return true;
}

std::set<PresetId> MidiSequence::presets() const {
    struct ChannelUse {
        std::set<int> banks{0};
        std::set<int> programs;
        int program = 0;
        bool plays = false;
    };
    std::array<ChannelUse, 16> channels;
    for (const MidiEvent& e : events) {
        ChannelUse& use = channels[e.status & 0x0F];
        switch (e.status & 0xF0) {
        case 0xC0:
            use.program = e.data1;
            use.programs.insert(e.data1);
            break;
        case 0xB0:
            if (e.data1 == 0) use.banks.insert(e.data2);
            break;
        case 0x90:
            if (e.data2 > 0) {
                use.plays = true;
                use.programs.insert(use.program);
            }
            break;
        }
    }
    std::set<PresetId> presets;
    for (size_t c = 0; c < channels.size(); ++c) {
        const ChannelUse& use = channels[c];
        if (!use.plays) continue;
        const std::set<int> banks = c == 9 ? std::set<int>{128} : use.banks;
        for (int bank : banks)
            for (int program : use.programs)
                presets.insert({bank, program});
    }
    return presets;
}
