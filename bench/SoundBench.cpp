// SPDX-License-Identifier: MIT
// How long the player waits for a sound: the very first one of a run (the mixer library loads,
// the device opens, the wave decodes) and one after the device has rested.
// Run it with the audio driver of interest, e.g. SDL_AUDIODRIVER=pulseaudio build/bin/bench_sound
#include "audio/Audio.h"
#include "audio/MixerLibrary.h"
#include "audio/SoundPlayer.h"
#include "logic/GameOptions.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <thread>

namespace {

void waitUntilQuiet() {
    while (audioIsOpen() && mixerLibrary()->playing(-1) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// Registered first, so that it finds the library not yet loaded: one iteration only.
void firstSoundOfTheRun(benchmark::State& state) {
    const GameOptions options; // sound on
    SoundPlayer waves(options);
    for (auto _ : state) {
        waves.playSnd(2);
        benchmark::DoNotOptimize(audioIsOpen());
    }
    state.counters["opened"] = audioIsOpen();
    waitUntilQuiet();
}
BENCHMARK(firstSoundOfTheRun)->Iterations(1)->Unit(benchmark::kMillisecond);

void soundAfterTheDeviceRested(benchmark::State& state) {
    const GameOptions options; // sound on
    SoundPlayer waves(options);
    for (auto _ : state) {
        state.PauseTiming();
        waitUntilQuiet();
        audioRestIfQuiet();
        state.ResumeTiming();
        waves.playSnd(2);
    }
    state.counters["opened"] = audioIsOpen();
    waitUntilQuiet();
}
// Each iteration waits untimed for the sound to end: a fixed, small number of them.
BENCHMARK(soundAfterTheDeviceRested)->Iterations(20)->Unit(benchmark::kMillisecond);

void soundOnTheOpenDevice(benchmark::State& state) {
    const GameOptions options; // sound on
    SoundPlayer waves(options);
    waves.playSnd(2);
    for (auto _ : state)
        waves.playSnd(2);
}
BENCHMARK(soundOnTheOpenDevice)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    audioClose();
    return 0;
}
