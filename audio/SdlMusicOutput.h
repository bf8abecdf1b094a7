// SPDX-License-Identifier: MIT
// The music on an SDL audio device of its own, beside the effects' device.
#pragma once

#include "audio/MusicOutput.h"

#include <SDL.h>

class SdlMusicOutput : public MusicOutput {
  public:
    static std::unique_ptr<MusicOutput> open(const MusicFormat& format, MusicFeed feed, void* data,
                                             QString& error);
    ~SdlMusicOutput() override;
    bool sharesTheEffectsDevice() const override { return true; }

  private:
    SdlMusicOutput(MusicFeed feed, void* data, int channels)
        : m_feed(feed), m_data(data), m_channels(channels) {}
    static void callback(void* self, Uint8* stream, int length);

    MusicFeed m_feed;
    void* m_data;
    int m_channels;
    SDL_AudioDeviceID m_device = 0;
};
