// SPDX-License-Identifier: MIT
// The sound effects: four wave sounds held in memory, played by number on one mixer channel.
#include "audio/SoundPlayer.h"

#include "audio/Audio.h"
#include "audio/MixerLibrary.h"
#include "logic/GameOptions.h"

#include <QFile>

namespace {

constexpr int WaveIds[] = {5, 21, 22, 23};

// The mixer would decode other formats too (MIDI, AIFF, VOC); the list holds wave data only.
bool isWave(const QByteArray& bytes) {
    return bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE";
}

} // namespace

std::vector<QByteArray> gameWaves() {
    std::vector<QByteArray> waves;
    for (int id : WaveIds) {
        QFile file(QStringLiteral(":/waves/%1.wav").arg(id));
        waves.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return waves;
}

SoundPlayer::SoundPlayer(const GameOptions& options) : SoundPlayer(options, gameWaves()) {}

SoundPlayer::SoundPlayer(const GameOptions& options, std::vector<QByteArray> waves)
    : m_options(options), m_waves(std::move(waves)), m_chunks(m_waves.size(), nullptr),
      m_refused(m_waves.size(), false) {
    // The pointer over the board opens the device ahead of a click: every wave is decoded then,
    // on the warm-up's worker, and the click only starts its sound.
    m_warmUpHook = audioAddWarmUpHook([this] {
        for (std::size_t item = 0; item < m_waves.size(); ++item)
            decode(item);
    });
    // Chunks are decoded for the open device; a resting or closing device takes them along.
    m_closeHook = audioAddCloseHook([this] { freeChunks(); });
    m_restHook = audioAddRestHook([this] { freeChunks(); });
}

SoundPlayer::~SoundPlayer() {
    audioRemoveWarmUpHook(m_warmUpHook);
    freeChunks();
    audioRemoveCloseHook(m_closeHook);
    audioRemoveRestHook(m_restHook);
}

void SoundPlayer::freeChunks() {
    for (Mix_Chunk*& chunk : m_chunks) {
        if (chunk) mixerLibrary()->freeChunk(chunk);
        chunk = nullptr;
    }
    m_refused.assign(m_waves.size(), false);
}

void SoundPlayer::playSnd(int32_t number) {
    if (!m_options.soundOn) return;
    if (number < 0 || number > 4) return;
    if (number == 0) {
        if (audioIsOpen()) mixerLibrary()->haltChannel(Channel);
        return;
    }
    if (!audioOpen()) return;
    const std::size_t item = static_cast<std::size_t>(number - 1);
    if (!decode(item)) return;
    // Playing on a busy channel stops the sound there first.
    mixerLibrary()->playChannelTimed(Channel, m_chunks[item], 0, -1);
    audioRestWhenQuiet();
}

bool SoundPlayer::decode(std::size_t item) {
    if (item >= m_waves.size() || !isWave(m_waves[item]) || m_refused[item]) return false;
    if (m_chunks[item]) return true;
    const MixerLibrary& mix = *mixerLibrary();
    SDL_RWops* source =
        mix.rwFromConstMem(m_waves[item].constData(), static_cast<int>(m_waves[item].size()));
    m_chunks[item] = source ? mix.loadWavRw(source, 1) : nullptr;
    if (!m_chunks[item]) m_refused[item] = true;
    return m_chunks[item] != nullptr;
}

const Mix_Chunk* SoundPlayer::chunk(int32_t number) const {
    if (number < 1 || static_cast<std::size_t>(number) > m_chunks.size()) return nullptr;
    return m_chunks[static_cast<std::size_t>(number - 1)];
}
