// SPDX-License-Identifier: MIT
// A SoundFont cut down to the instruments one piece plays, read by the synthesizer as a file.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A General MIDI SoundFont describes some 190 instruments in thousands of zones, and the
// synthesizer keeps every zone's table in memory however few of them a piece plays: megabytes
// for three or four instruments. The subset holds only the presets the piece can ask for, with
// their instruments and samples. Its tables are built here; its sample data stays in the
// original file and is read from there as the synthesizer asks for it.

struct PresetId {
    int bank = 0;
    int program = 0;
    auto operator<=>(const PresetId&) const = default;
};

// The presets a standard MIDI file can select: for every channel that plays, its programs under
// each bank it selects (and bank 0, where the synthesizer looks when a bank lacks one), channel
// 10 as the drum bank 128; program 0 wherever a channel plays before choosing one. Empty for
// data that is not a MIDI file.
std::set<PresetId> presetsOfPiece(const uint8_t* data, size_t size);

// Reads exactly `count` bytes at `offset` of an open file, whatever the file system returns at a
// time; false at its end or on an error. Any thread: it keeps no file position.
bool readFileAt(int fd, uint64_t offset, void* out, size_t count);

class SoundFontSubset {
  public:
    // The subset of the SoundFont at `path` that holds the wanted presets. Null when the file
    // cannot be read, is no SoundFont, is damaged, or holds none of them: the caller then loads
    // the whole file.
    static std::unique_ptr<SoundFontSubset> make(const std::string& path,
                                                 const std::set<PresetId>& wanted);
    ~SoundFontSubset();
    SoundFontSubset(const SoundFontSubset&) = delete;
    SoundFontSubset& operator=(const SoundFontSubset&) = delete;

    // The size of the subset as a file, and its bytes from `offset` on; false past its end or
    // when the original file cannot be read. Any thread.
    uint64_t size() const;
    bool read(uint64_t offset, void* out, size_t count) const;

    int presetCount() const { return m_presetCount; }
    int sampleCount() const { return m_sampleCount; }

  private:
    SoundFontSubset() = default;

    struct Span {
        uint64_t at;     // in the subset
        uint64_t from;   // in the original file
        uint64_t length; // bytes
    };

    int m_fd = -1;
    std::vector<uint8_t> m_head; // the file's header, its information and the sample chunk's header
    std::vector<Span> m_samples; // the sample data, in the original file
    uint64_t m_samplesEnd = 0;
    std::vector<uint8_t> m_tables; // the preset, instrument and sample tables
    int m_presetCount = 0;
    int m_sampleCount = 0;
};
