// SPDX-License-Identifier: MIT
// Where the music's frames go: the sound server first, SDL after.
#include "audio/MusicOutput.h"

#include "audio/PulseMusicOutput.h"
#include "audio/SdlMusicOutput.h"

#include <QByteArray>

#include <cstring>

namespace {

// SDL_AUDIODRIVER may name drivers, separated by commas: the music goes to the sound server
// first when none is named, or the first named is one of the server's own.
bool soundServerFirst() {
    const QByteArray drivers = qgetenv("SDL_AUDIODRIVER");
    if (drivers.trimmed().isEmpty()) return true;
    const QByteArray first = drivers.left(drivers.indexOf(',')).trimmed();
    return first == "pulseaudio" || first == "pipewire";
}

class Silence : public MusicSource {
  public:
    explicit Silence(int channels) : m_channels(size_t(channels)) {}
    void fill(int16_t* frames, size_t count) override {
        std::memset(frames, 0, count * m_channels * sizeof(int16_t));
    }

  private:
    size_t m_channels;
};

} // namespace

std::unique_ptr<MusicOutput> openMusicOutput(const MusicFormat& format, MusicSource& source,
                                             QString& error) {
    QString serverError;
    if (soundServerFirst())
        if (auto output = PulseMusicOutput::open(format, source, serverError)) return output;
    std::unique_ptr<MusicOutput> output = SdlMusicOutput::open(format, source, error);
    if (!output && !serverError.isEmpty()) error = serverError + QStringLiteral("; ") + error;
    return output;
}

bool musicOutputWorks(const MusicFormat& format) {
    QString error;
    Silence silence(format.channels);
    return openMusicOutput(format, silence, error) != nullptr;
}
