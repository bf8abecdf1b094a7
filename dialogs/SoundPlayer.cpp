// The sound effects: four wave sounds held in memory, played by number on one mixer channel.
#include "SoundPlayer.h"

#include "Audio.h"
#include "GameGlobals.h"
#include "MixerLibrary.h"

#include <QFile>

namespace {

constexpr int WaveIds[] = {5, 21, 22, 23};

// The mixer would decode other formats too (MIDI, AIFF, VOC); the list holds wave data only.
bool IsWave(const QByteArray& bytes) {
    return bytes.size() >= 12 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE";
}

} // namespace

std::vector<QByteArray> GameWaves() {
    std::vector<QByteArray> waves;
    for (int id : WaveIds) {
        QFile file(QStringLiteral(":/waves/%1.wav").arg(id));
        waves.push_back(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return waves;
}

SoundPlayer::SoundPlayer() : SoundPlayer(GameWaves()) {}

SoundPlayer::SoundPlayer(std::vector<QByteArray> waves)
    : Waves(std::move(waves)), Chunks(Waves.size(), nullptr), Refused(Waves.size(), false) {}

SoundPlayer::~SoundPlayer() {
    FreeChunks();
    if (CloseHook) AudioRemoveCloseHook(CloseHook);
    if (RestHook) AudioRemoveRestHook(RestHook);
}

void SoundPlayer::FreeChunks() {
    for (Mix_Chunk*& chunk : Chunks) {
        if (chunk) mixerLibrary()->freeChunk(chunk);
        chunk = nullptr;
    }
    Refused.assign(Waves.size(), false);
}

void SoundPlayer::PlaySnd(int32_t number) {
    if (!soundOn) return;
    if (number < 0 || number > 4) return;
    if (number == 0) {
        if (AudioIsOpen()) mixerLibrary()->haltChannel(Channel);
        return;
    }
    if (!AudioOpen()) return;
    // Chunks are decoded for the open device; a resting device takes them along.
    if (!CloseHook) CloseHook = AudioAddCloseHook([this] { FreeChunks(); });
    if (!RestHook) RestHook = AudioAddRestHook([this] { FreeChunks(); });
    const MixerLibrary& mix = *mixerLibrary();
    const std::size_t item = static_cast<std::size_t>(number - 1);
    if (item >= Waves.size() || !IsWave(Waves[item]) || Refused[item]) return;
    if (!Chunks[item]) {
        SDL_RWops* source =
            mix.rwFromConstMem(Waves[item].constData(), static_cast<int>(Waves[item].size()));
        Chunks[item] = source ? mix.loadWavRw(source, 1) : nullptr;
        if (!Chunks[item]) {
            Refused[item] = true;
            return;
        }
    }
    // Playing on a busy channel stops the sound there first.
    mix.playChannelTimed(Channel, Chunks[item], 0, -1);
    AudioRestWhenQuiet();
}

const Mix_Chunk* SoundPlayer::Chunk(int32_t number) const {
    if (number < 1 || static_cast<std::size_t>(number) > Chunks.size()) return nullptr;
    return Chunks[static_cast<std::size_t>(number - 1)];
}

void PlaySnd(int32_t number) {
    if (!soundOn) return;
    static SoundPlayer waves;
    waves.PlaySnd(number);
}
