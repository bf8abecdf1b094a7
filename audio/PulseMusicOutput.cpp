// SPDX-License-Identifier: MIT
// The music as a stream of the desktop's sound server.
#include "audio/PulseMusicOutput.h"

#include "audio/PulseLibrary.h"

namespace {

// Unlocks the main loop when a step of the opening is over, whichever way it ends.
class LoopLock {
  public:
    LoopLock(const PulseLibrary& pulse, pa_threaded_mainloop* loop) : m_pulse(pulse), m_loop(loop) {
        m_pulse.mainloopLock(m_loop);
    }
    ~LoopLock() { m_pulse.mainloopUnlock(m_loop); }
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;

  private:
    const PulseLibrary& m_pulse;
    pa_threaded_mainloop* m_loop;
};

} // namespace

std::unique_ptr<MusicOutput> PulseMusicOutput::open(const MusicFormat& format, MusicSource& source,
                                                    QString& error) {
    const PulseLibrary* pulse = pulseLibrary();
    if (!pulse) {
        error = QStringLiteral("the sound server's library could not be loaded");
        return nullptr;
    }
    std::unique_ptr<PulseMusicOutput> output(new PulseMusicOutput(*pulse, source, format.channels));
    output->m_loop = pulse->mainloopNew();
    if (!output->m_loop) {
        error = QStringLiteral("the sound server's client would not start");
        return nullptr;
    }
    if (!output->connect(error) || !output->startStream(format, error)) return nullptr;
    return output;
}

bool PulseMusicOutput::connect(QString& error) {
    pa_proplist* about = m_pulse.proplistNew();
    m_pulse.proplistSets(about, PA_PROP_APPLICATION_NAME, "Morvek");
    m_pulse.proplistSets(about, PA_PROP_APPLICATION_ID, MORVEK_APP_ID);
    m_pulse.proplistSets(about, PA_PROP_APPLICATION_ICON_NAME, MORVEK_APP_ID);
    m_context = m_pulse.contextNew(m_pulse.mainloopApi(m_loop), "Morvek", about);
    m_pulse.proplistFree(about);
    if (!m_context) {
        error = QStringLiteral("the sound server's client would not start");
        return false;
    }
    m_pulse.contextSetStateCallback(m_context, &PulseMusicOutput::contextChanged, this);
    // A player without a sound server gets SDL's output, not a server started for the game.
    if (m_pulse.contextConnect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        error = lastError();
        return false;
    }
    LoopLock lock(m_pulse, m_loop);
    if (m_pulse.mainloopStart(m_loop) < 0) {
        error = QStringLiteral("the sound server's client would not start");
        return false;
    }
    for (;;) {
        const pa_context_state_t state = m_pulse.contextState(m_context);
        if (state == PA_CONTEXT_READY) return true;
        if (!PA_CONTEXT_IS_GOOD(state)) {
            error = lastError();
            return false;
        }
        m_pulse.mainloopWait(m_loop);
    }
}

bool PulseMusicOutput::startStream(const MusicFormat& format, QString& error) {
    LoopLock lock(m_pulse, m_loop);
    const pa_sample_spec samples{PA_SAMPLE_S16NE, uint32_t(format.rate), uint8_t(format.channels)};
    pa_proplist* about = m_pulse.proplistNew();
    // Desktops let the player set the game's music apart from other sounds.
    m_pulse.proplistSets(about, PA_PROP_MEDIA_ROLE, "music");
    m_stream = m_pulse.streamNew(m_context, "Music", &samples, nullptr, about);
    m_pulse.proplistFree(about);
    if (!m_stream) {
        error = lastError();
        return false;
    }
    m_pulse.streamSetStateCallback(m_stream, &PulseMusicOutput::streamChanged, this);
    m_pulse.streamSetWriteCallback(m_stream, &PulseMusicOutput::writable, this);
    // Each request of the server wakes the client's thread twice (the request, then the answer
    // going out), so the server asks for two takes at a time and holds four; it plays on its own
    // clock, and a larger buffer there costs only its memory.
    const uint32_t take = uint32_t(format.bufferFrames * format.channels) * sizeof(int16_t);
    pa_buffer_attr buffer{};
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = 4 * take;
    buffer.prebuf = uint32_t(-1);
    buffer.minreq = 2 * take;
    buffer.fragsize = uint32_t(-1);
    if (m_pulse.streamConnectPlayback(m_stream, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr,
                                      nullptr) < 0) {
        error = lastError();
        return false;
    }
    for (;;) {
        const pa_stream_state_t state = m_pulse.streamState(m_stream);
        if (state == PA_STREAM_READY) {
            m_playing = true;
            return true;
        }
        if (!PA_STREAM_IS_GOOD(state)) {
            error = lastError();
            return false;
        }
        m_pulse.mainloopWait(m_loop);
    }
}

PulseMusicOutput::~PulseMusicOutput() {
    if (!m_loop) return;
    if (m_context) {
        LoopLock lock(m_pulse, m_loop);
        // Under the lock no callback runs, and once disconnected none comes.
        if (m_stream) {
            m_pulse.streamSetWriteCallback(m_stream, nullptr, nullptr);
            m_pulse.streamSetStateCallback(m_stream, nullptr, nullptr);
            m_pulse.streamDisconnect(m_stream);
            m_pulse.streamUnref(m_stream);
        }
        m_pulse.contextSetStateCallback(m_context, nullptr, nullptr);
        m_pulse.contextDisconnect(m_context);
        m_pulse.contextUnref(m_context);
    }
    // Stopping waits for the main loop's thread; it must not hold the lock then.
    m_pulse.mainloopStop(m_loop);
    m_pulse.mainloopFree(m_loop);
}

QString PulseMusicOutput::lastError() const {
    return QStringLiteral("sound server: ") +
           QString::fromUtf8(m_pulse.strerror(m_pulse.contextErrno(m_context)));
}

void PulseMusicOutput::contextChanged(pa_context*, void* self) {
    auto* me = static_cast<PulseMusicOutput*>(self);
    me->m_pulse.mainloopSignal(me->m_loop, 0);
}

void PulseMusicOutput::streamChanged(pa_stream* stream, void* self) {
    auto* me = static_cast<PulseMusicOutput*>(self);
    me->m_pulse.mainloopSignal(me->m_loop, 0);
    // The server went away, or dropped the stream, while it played (a failing server takes its
    // streams with it).
    if (me->m_playing && !PA_STREAM_IS_GOOD(me->m_pulse.streamState(stream))) {
        me->m_playing = false;
        me->m_source.outputLost();
    }
}

void PulseMusicOutput::writable(pa_stream* stream, size_t bytes, void* self) {
    auto* me = static_cast<PulseMusicOutput*>(self);
    const size_t frameBytes = size_t(me->m_channels) * sizeof(int16_t);
    const size_t frames = bytes / frameBytes;
    if (frames == 0) return;
    me->m_block.resize(frames * size_t(me->m_channels));
    me->m_source.fill(me->m_block.data(), frames);
    // The server copies the block; it is used again at the next take.
    me->m_pulse.streamWrite(stream, me->m_block.data(), frames * frameBytes, nullptr, 0,
                            PA_SEEK_RELATIVE);
}
