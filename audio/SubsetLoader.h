// SPDX-License-Identifier: MIT
// Lets FluidSynth read a SoundFont subset as if it were a file.
#pragma once

#include "audio/SoundFontSubset.h"

#include <memory>
#include <string>

struct SynthLibrary;

// A name under which the synthesizer's loader (addSubsetLoader) finds the subset, for as long
// as the returned handle lives. Keep it until the synthesizer that loaded it is deleted: the
// synthesizer reads samples from it while it plays.
class SubsetFile {
  public:
    explicit SubsetFile(std::shared_ptr<const SoundFontSubset> subset);
    ~SubsetFile();
    SubsetFile(const SubsetFile&) = delete;
    SubsetFile& operator=(const SubsetFile&) = delete;
    const std::string& name() const { return m_name; }

  private:
    std::string m_name;
};

// Puts a loader first in the synthesizer's list that opens subsets by their names and any other
// file as FluidSynth itself would. False when the library lacks the calls.
bool addSubsetLoader(const SynthLibrary& lib, void* settings, void* synth);
