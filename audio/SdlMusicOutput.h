// SPDX-License-Identifier: MIT
// The music on an SDL audio device of its own, beside the effects' device.
#pragma once

#include "audio/MusicOutput.h"

#include <SDL.h>

class SdlMusicOutput : public MusicOutput {
  public:
    static std::unique_ptr<MusicOutput> open(const MusicFormat& format, MusicSource& source,
                                             QString& error);
    ~SdlMusicOutput() override;
    bool sharesTheEffectsDevice() const override { return true; }

  private:
    SdlMusicOutput(MusicSource& source, int channels) : m_source(source), m_channels(channels) {}
    static void callback(void* self, Uint8* stream, int length);

    MusicSource& m_source;
    int m_channels;
    SDL_AudioDeviceID m_device = 0;
};
