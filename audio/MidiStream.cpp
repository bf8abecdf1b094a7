// SPDX-License-Identifier: MIT
// One piece of MIDI music, rendered ahead in large blocks onto an audio device of its own.
#include "audio/MidiStream.h"

#include "audio/Audio.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int Rate = 22050; // background music needs no more, and costs half the synthesis
constexpr int Channels = 2;
// Rendered at a time: half a second; the ring holds three of them.
constexpr size_t BlockFrames = Rate / 2;
constexpr size_t RingFrames = 3 * BlockFrames;
// Taken by the output at a time: a fifth of a second, five wake-ups of its thread a second on SDL's
// device; the sound server asks for two at once.
constexpr int DeviceFrames = 4096;

std::atomic<int> peakLevel{0};

constexpr MusicFormat Format{Rate, Channels, DeviceFrames};

} // namespace

MidiStream::~MidiStream() {
    stop();
}

bool MidiStream::load(const QString& path, const std::string& soundFont, QString& error) {
    stop();
    m_font.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxMidiFileSize) {
        error = QStringLiteral("cannot read ") + path;
        return false;
    }
    const QByteArray data = file.readAll();
    if (!m_piece.read(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()),
                      Rate)) {
        error = path + QStringLiteral(" is no MIDI file, or is damaged");
        return false;
    }
    // The list may name several SoundFonts; the first that loads plays.
    const std::set<PresetId> presets = m_piece.presets();
    std::string reasons;
    for (const std::string& name : soundFontFiles(soundFont)) {
        std::string reason;
        if ((m_font = SoundFont::load(name, presets, reason))) return true;
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    error = QStringLiteral("no SoundFont would load: ") +
            QString::fromStdString(reasons.empty() ? soundFont : reasons);
    return false;
}

bool MidiStream::openDevice(QString& error) {
    std::unique_ptr<MusicOutput> output = openMusicOutput(Format, *this, error);
    if (!output) return false;
    std::lock_guard guard(m_lock);
    m_output = std::move(output);
    m_lost = false;
    return true;
}

void MidiStream::closeDevice() {
    std::unique_ptr<MusicOutput> output;
    {
        std::lock_guard guard(m_lock);
        std::swap(output, m_output);
    }
    // Closed outside the lock: closing waits for fill, which takes it.
}

bool MidiStream::play(QString& error) {
    stop();
    if (!m_font) {
        error = QStringLiteral("no piece loaded");
        return false;
    }
    {
        std::lock_guard guard(m_lock);
        m_ring.assign(RingFrames * Channels, 0);
        m_read = m_fill = 0;
        m_stop = m_rendered = m_lost = false;
    }
    // With the effects' device open on a sound system of one device, the piece waits, rendered
    // ahead, until that device rests.
    const bool opened = openDevice(error);
    if (!opened && !audioIsOpen()) return false;
    m_suspended = !opened;
    m_done = false;
    m_worker = std::thread(&MidiStream::render, this);
    return true;
}

bool MidiStream::playing() const {
    return !m_done;
}

void MidiStream::stop() {
    if (m_worker.joinable()) {
        {
            std::lock_guard guard(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        m_worker.join();
    }
    closeDevice();
    m_suspended = false;
    m_done = true;
}

bool MidiStream::suspend() {
    if (m_done || m_suspended) return false;
    {
        // A sound server plays both at once.
        std::lock_guard guard(m_lock);
        if (m_output && !m_output->sharesTheEffectsDevice()) return false;
    }
    closeDevice();
    m_suspended = true;
    return true;
}

bool MidiStream::resume() {
    if (!m_suspended) return true;
    if (m_done) {
        m_suspended = false;
        return true;
    }
    QString error;
    if (!openDevice(error)) return false;
    m_suspended = false;
    return true;
}

void MidiStream::setFinishedHook(std::function<void()> hook) {
    m_finished = std::move(hook);
}

void MidiStream::fill(int16_t* out, size_t frames) {
    std::unique_lock lock(m_lock);
    while (frames > 0 && m_fill > 0) {
        const size_t run = std::min({frames, m_fill, RingFrames - m_read});
        std::memcpy(out, &m_ring[m_read * Channels], run * Channels * sizeof(int16_t));
        out += run * Channels;
        frames -= run;
        m_fill -= run;
        m_read = (m_read + run) % RingFrames;
    }
    if (frames > 0) std::memset(out, 0, frames * Channels * sizeof(int16_t));
    // A block fits again, or the end of the piece has been played: the worker goes on (woken
    // after the lock is given up, so that it does not wake only to wait for the lock).
    const bool wake = workerHasWork();
    lock.unlock();
    if (wake) m_wake.notify_all();
}

void MidiStream::outputLost() {
    {
        std::lock_guard guard(m_lock);
        m_lost = true;
    }
    m_wake.notify_all();
}

bool MidiStream::workerHasWork() const {
    return m_rendered ? m_fill == 0 : RingFrames - m_fill >= BlockFrames;
}

void MidiStream::render() {
    PieceRenderer renderer(m_piece, *m_font, Rate);
    std::vector<int16_t> block(BlockFrames * Channels);
    std::unique_lock lock(m_lock);
    while (!m_stop && !m_lost) {
        if (!m_rendered && RingFrames - m_fill >= BlockFrames) {
            lock.unlock();
            const bool last = !renderer.render(block.data(), BlockFrames);
            int peak = 0;
            for (int16_t sample : block)
                peak = std::max(peak, std::abs(int(sample)));
            if (peak > peakLevel) peakLevel = peak;
            lock.lock();
            const size_t write = (m_read + m_fill) % RingFrames;
            for (size_t done = 0; done < BlockFrames;) {
                const size_t at = (write + done) % RingFrames;
                const size_t run = std::min(BlockFrames - done, RingFrames - at);
                std::memcpy(&m_ring[at * Channels], &block[done * Channels],
                            run * Channels * sizeof(int16_t));
                done += run;
            }
            m_fill += BlockFrames;
            m_rendered = last;
            continue;
        }
        if (m_rendered && m_fill == 0) break;
        // Asleep until the output has taken a block, or everything at the end: the output's
        // thread wakes it, so the music wakes the process only when there is work.
        m_wake.wait(lock, [this] { return m_stop || m_lost || workerHasWork(); });
    }
    const bool ended = !m_stop;
    lock.unlock();
    if (!ended) return;
    // Closing waits for the device's thread: done here, the window never waits for it.
    closeDevice();
    m_done = true;
    if (m_finished) m_finished();
}

int MidiStream::takePeak() {
    return peakLevel.exchange(0);
}

bool midiOutputWorks() {
    return musicOutputWorks(Format);
}
