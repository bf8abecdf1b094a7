// SPDX-License-Identifier: MIT
// Where the music's frames go: a stream of the desktop's sound server where there is one, else an
// SDL device of the music's own.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

struct MusicFormat {
    int rate;         // frames a second
    int channels;     // interleaved 16-bit samples per frame
    int bufferFrames; // taken from the feed at a time: each take wakes the process once
};

// Fills `count` frames; called on the output's own thread, never after the output is gone.
using MusicFeed = void (*)(void* data, int16_t* frames, size_t count);

class MusicOutput {
  public:
    virtual ~MusicOutput() = default; // closes: once it returns, the feed is not called again
    // Where the sound system offers one device only (SDL's dummy and disk drivers), the music's
    // output must give way while the effects' device is open.
    virtual bool sharesTheEffectsDevice() const = 0;
};

// Opens an output that plays at once. The sound server is tried first, unless SDL_AUDIODRIVER
// names another driver (tests and players choose SDL's output that way); SDL's device follows.
// Null, with the reasons in `error`, when neither opens.
std::unique_ptr<MusicOutput> openMusicOutput(const MusicFormat& format, MusicFeed feed, void* data,
                                             QString& error);

// An output opens here now (it is closed again at once). Any thread.
bool musicOutputWorks(const MusicFormat& format);
