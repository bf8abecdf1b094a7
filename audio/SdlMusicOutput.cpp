// SPDX-License-Identifier: MIT
// The music on an SDL audio device of its own, beside the effects' device.
#include "audio/SdlMusicOutput.h"

#include "audio/Audio.h"
#include "audio/SdlLibrary.h"

std::unique_ptr<MusicOutput> SdlMusicOutput::open(const MusicFormat& format, MusicSource& source,
                                                  QString& error) {
    const SdlLibrary* lib = sdlLibrary();
    if (!lib) {
        error = QStringLiteral("SDL could not be loaded");
        return nullptr;
    }
    if (!audioTakeSubsystem()) {
        error = QString::fromUtf8(lib->getError());
        return nullptr;
    }
    std::unique_ptr<SdlMusicOutput> output(new SdlMusicOutput(source, format.channels));
    SDL_AudioSpec want{};
    want.freq = format.rate;
    want.format = AUDIO_S16SYS;
    want.channels = Uint8(format.channels);
    want.samples = Uint16(format.bufferFrames);
    want.callback = &SdlMusicOutput::callback;
    want.userdata = output.get();
    // SDL converts to whatever the device plays.
    output->m_device =
        audioOpenMusicDevice([&] { return lib->openAudioDevice(nullptr, 0, &want, nullptr, 0); });
    if (!output->m_device) {
        error = QString::fromUtf8(lib->getError());
        audioGiveSubsystem();
        return nullptr;
    }
    lib->pauseAudioDevice(output->m_device, 0);
    return output;
}

SdlMusicOutput::~SdlMusicOutput() {
    if (!m_device) return;
    // Waits for the device's thread to leave the callback.
    sdlLibrary()->closeAudioDevice(m_device);
    audioGiveSubsystem();
}

void SdlMusicOutput::callback(void* self, Uint8* stream, int length) {
    auto* me = static_cast<SdlMusicOutput*>(self);
    me->m_source.fill(reinterpret_cast<int16_t*>(stream),
                      size_t(length) / (size_t(me->m_channels) * sizeof(int16_t)));
}
