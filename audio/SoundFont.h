// SPDX-License-Identifier: MIT
// The instruments of a SoundFont (SF2) that one piece plays, ready for the synthesizer.
#pragma once

#include "audio/MidiSequence.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// One sample as one note range of one instrument plays it, with every setting of the instrument
// and its preset already combined.
struct SoundFontRegion {
    uint8_t lowKey = 0, highKey = 127, lowVelocity = 0, highVelocity = 127;
    // In points of SoundFont::samples().
    uint32_t start = 0, end = 0, loopStart = 0, loopEnd = 0;
    bool loops = false;          // plays its loop while the note lasts
    bool loopsInRelease = false; // and after it too
    uint32_t sampleRate = 44100;
    int rootKey = 60;
    int tuneCents = 0;     // coarse and fine tuning, and the sample's own correction
    int scaleTuning = 100; // cents a key
    int forcedKey = -1, forcedVelocity = -1;
    int exclusiveClass = 0;
    float attenuation = 0;  // dB
    float pan = 0;          // -0.5 (left) to 0.5 (right)
    float filterCutoff = 0; // Hz; 0 for none
    float filterQ = 0;      // dB of resonance
    // The volume envelope: seconds, and the sustain level's attenuation in dB.
    float delay = 0, attack = 0, hold = 0, decay = 0, release = 0, sustain = 0;
    float holdPerKey = 0, decayPerKey = 0; // timecents a key below 60
};

struct SoundFontPreset {
    PresetId id;
    std::vector<SoundFontRegion> regions;
};

class SoundFont {
  public:
    // The presets in `wanted` (and, where the file lacks one, the preset a synthesizer plays in
    // its place) with their samples. Null, with a reason, when the file cannot be read, is no
    // SF2 SoundFont or is damaged. Samples of compressed (SF3) fonts cannot be read.
    static std::unique_ptr<SoundFont> load(const std::string& path,
                                           const std::set<PresetId>& wanted, std::string& error);

    // The preset that plays for a bank and program: that one, else the same program in the
    // melodic (or, from bank 128, the drum) bank, else the standard drum kit; null for none.
    const SoundFontPreset* preset(PresetId id) const;
    const std::vector<SoundFontPreset>& presets() const { return m_presets; }
    // Every sample point the regions play, 16 bits each.
    const std::vector<int16_t>& samples() const { return m_samples; }

  private:
    std::vector<SoundFontPreset> m_presets;
    std::vector<int16_t> m_samples;
};

// The preset of `presets` for `id`, with the fallbacks of SoundFont::preset. Exposed for its one
// rule to serve both the loading (of what the file holds) and the playing.
template <typename List, typename IdOf>
auto findPreset(const List& presets, PresetId id, IdOf idOf) -> decltype(&*presets.begin()) {
    const bool drums = id.bank == 128;
    for (PresetId tried : {id, PresetId{drums ? 128 : 0, id.program}, PresetId{128, 0}}) {
        if (tried.bank == 128 && !drums) break;
        for (const auto& preset : presets)
            if (idOf(preset) == tried) return &preset;
    }
    return nullptr;
}
