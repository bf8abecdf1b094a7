// SPDX-License-Identifier: MIT
// A standard MIDI file read into the channel events it plays, in order, timed in frames.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

struct MidiEvent {
    uint32_t frame; // when it plays, in frames at the sequence's rate
    uint8_t status; // kind and channel (0x80 to 0xEF)
    uint8_t data1;
    uint8_t data2;
};

struct PresetId {
    int bank = 0;
    int program = 0;
    auto operator<=>(const PresetId&) const = default;
};

struct MidiSequence {
    std::vector<MidiEvent> events;
    uint32_t endFrame = 0; // where the last track ends

    // Reads a MIDI file of format 0, 1 or 2 (whose tracks then play together), with its tempo
    // changes, timed at `rate` frames a second. False for data that is no MIDI file or is
    // damaged anywhere: a cut-off piece is not played at all rather than stopping mid-phrase.
    bool read(const uint8_t* data, size_t size, int rate);

    // The presets the piece can select: for every channel that plays, its programs under each
    // bank it selects (and bank 0, the fallback where a bank lacks one), channel 10 as the drum
    // bank 128; program 0 wherever a channel plays before choosing one.
    std::set<PresetId> presets() const;
};
