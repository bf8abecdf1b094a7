// SPDX-License-Identifier: MIT
// The music as a stream of the desktop's sound server (PulseAudio, or PipeWire's server for
// PulseAudio clients).
#pragma once

#include "audio/MusicOutput.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <vector>

struct PulseLibrary;

class PulseMusicOutput : public MusicOutput {
  public:
    // Null with the reason in `error` when the library is missing, no server answers (none is
    // started for the game) or the server refuses the stream.
    static std::unique_ptr<MusicOutput> open(const MusicFormat& format, MusicSource& source,
                                             QString& error);
    ~PulseMusicOutput() override;
    bool sharesTheEffectsDevice() const override { return false; }

  private:
    PulseMusicOutput(const PulseLibrary& pulse, MusicSource& source, int channels)
        : m_pulse(pulse), m_source(source), m_channels(channels) {}
    // The steps of open, each false with the reason in `error`; the main loop's lock is held
    // from connect on.
    bool connect(QString& error);
    bool startStream(const MusicFormat& format, QString& error);
    QString lastError() const;
    static void contextChanged(pa_context* context, void* self);
    static void streamChanged(pa_stream* stream, void* self);
    static void writable(pa_stream* stream, size_t bytes, void* self);

    const PulseLibrary& m_pulse;
    MusicSource& m_source;
    int m_channels;
    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    std::vector<int16_t> m_block; // on the main loop's thread only
    bool m_playing = false;       // under the main loop's lock
};
