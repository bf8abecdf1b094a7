// SPDX-License-Identifier: MIT
// One piece of MIDI music, rendered ahead in large blocks onto an audio device of its own.
#pragma once

#include "audio/MidiSequence.h"
#include "audio/MusicOutput.h"
#include "audio/SoundFont.h"
#include "audio/Synthesizer.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The game's own synthesizer renders the piece on a worker thread half a second at a time into a
// ring of a second and a half, from which an output of its own with a large buffer plays (the
// sound server's stream, else an SDL device): music wakes the process a few times a second, not
// forty. Sound effects keep their own short-buffered device. The synthesizer runs at 22,050 samples
// a second and holds only the instruments the piece plays, with their samples, from the SoundFont.
//
// Where SDL's sound system offers one device only (its dummy and disk drivers), the music steps
// aside while the effects' device is open (suspend) and goes on where it was once the effects'
// device rests (resume).
// A MIDI file is small; anything larger is not one and is not read.
constexpr qint64 MaxMidiFileSize = 16 * 1024 * 1024;

class MidiStream : private MusicSource {
  public:
    MidiStream() = default;
    ~MidiStream();
    MidiStream(const MidiStream&) = delete;
    MidiStream& operator=(const MidiStream&) = delete;

    // Reads the piece in `path` and, from the first SoundFont in the list `soundFont` that
    // loads, the instruments it plays. Any thread; false with a reason in `error`.
    bool load(const QString& path, const std::string& soundFont, QString& error);
    // Starts the loaded piece from its beginning (stopping it first if it plays). User-interface
    // thread. False with a reason when the device cannot be opened.
    bool play(QString& error);
    // The piece plays (or waits, suspended), or its last notes still ring out.
    bool playing() const;
    // Stops the piece and closes its device; it can be played again.
    void stop();
    // Closes the device and keeps the place in the piece; true when a device was closed.
    bool suspend();
    // Opens the device again after suspend; false when it still cannot open.
    bool resume();
    bool suspended() const { return m_suspended; }
    // Called on the worker thread when a piece has been played to its end (not when stopped).
    // Set it before play.
    void setFinishedHook(std::function<void()> hook);

    // The loudest sample rendered since the last call, for tests.
    static int takePeak();

  private:
    void render();
    bool openDevice(QString& error);
    void closeDevice();
    // The output's thread takes what the ring holds; silence where it holds too little.
    void fill(int16_t* out, size_t frames) override;
    // The piece ends there; the owner's next tick starts it again on a new output.
    void outputLost() override;
    // Room for a block in the ring, or the end taken by the output. Under m_lock.
    bool workerHasWork() const;

    MidiSequence m_piece;
    std::unique_ptr<SoundFont> m_font;
    std::unique_ptr<MusicOutput>
        m_output; // under m_lock; closed outside it (closing waits for fill)
    std::atomic<bool> m_suspended{false};
    std::thread m_worker;

    // Shared by the worker, the device's thread and the user-interface thread.
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::vector<int16_t> m_ring;   // interleaved stereo frames
    size_t m_read = 0, m_fill = 0; // in frames
    bool m_stop = false;
    bool m_lost = false;     // the output went away while the piece played
    bool m_rendered = false; // the piece and its ringing out are all in the ring
    std::atomic<bool> m_done{true};
    std::function<void()> m_finished;
};

// Music can be played here: an output for it opens. Any thread.
bool midiOutputWorks();
