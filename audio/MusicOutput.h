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
    int bufferFrames; // taken from the source at a time; each take wakes the process
};

// What an output plays. Called on the output's own thread, never after the output is gone.
class MusicSource {
  public:
    // Fills `count` frames.
    virtual void fill(int16_t* frames, size_t count) = 0;
    // The output has stopped for good (the sound server went away) and takes no more frames.
    virtual void outputLost() {}

  protected:
    ~MusicSource() = default;
};

class MusicOutput {
  public:
    virtual ~MusicOutput() = default; // closes: once it returns, the source is not called again
    // Where the sound system offers one device only (SDL's dummy and disk drivers), the music's
    // output must give way while the effects' device is open.
    virtual bool sharesTheEffectsDevice() const = 0;
};

// Opens an output that plays at once. The sound server is tried first, unless SDL_AUDIODRIVER
// names another driver (tests and players choose SDL's output that way); SDL's device follows.
// Null, with the reasons in `error`, when neither opens.
std::unique_ptr<MusicOutput> openMusicOutput(const MusicFormat& format, MusicSource& source,
                                             QString& error);

// An output opens here now (it is closed again at once). Any thread.
bool musicOutputWorks(const MusicFormat& format);
