// SPDX-License-Identifier: MIT
// The one SDL audio device shared by the sound effects and the music.
#include "audio/Audio.h"

#include "audio/MidiStream.h"
#include "audio/MixerLibrary.h"
#include "audio/SdlLibrary.h"

#include <QCoreApplication>
#include <QTimer>

#include <array>
#include <atomic>
#include <cstdlib> // std::atexit, getenv, setenv
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <system_error>

namespace {

// Resting: the device is closed for quiet, the library and SDL's audio subsystem stay up.
enum class AudioState { Closed, Open, Resting, Failed };

std::recursive_mutex audioLock; // opening may run on the music's loading thread
std::atomic<AudioState> audioState{AudioState::Closed};
bool soundFontChosen = false;
int midiOutput = -1; // whether the music's device opens: unknown (-1), no (0), yes (1)
std::string soundFont;
std::map<int, std::function<void()>> closeHooks;
std::map<int, std::function<void()>> restHooks;
std::map<int, std::function<bool()>> yieldHooks;
std::map<int, std::function<void()>> warmUpHooks;
int nextHookId = 1;
bool atExitRegistered = false;
bool subsystemUp = false; // SDL's audio subsystem is initialised for the effects' device
int holds = 0;
QTimer* restTimer = nullptr;
std::future<void> warmUp; // the worker opening the device ahead of a sound

bool isFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool anyFile(const std::string& list) {
    return !soundFontFiles(list).empty();
}

// The first General MIDI SoundFont in the usual Debian folders, the named ones first.
std::string findSoundFont() {
    // Compressed SoundFonts (SF3) are not among them: the synthesizer reads plain samples.
    static const std::array<const char*, 5> known = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    for (const char* path : known)
        if (isFile(path)) return path;
    for (const char* folder : {"/usr/share/sounds/sf2", "/usr/share/soundfonts"}) {
        std::error_code error;
        std::string first;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string path = entry.path().string();
            if (entry.path().extension() == ".sf2" && isFile(path) &&
                (first.empty() || path < first))
                first = path;
        }
        if (!first.empty()) return first;
    }
    return {};
}

// The user's own SDL_SOUNDFONTS wins; otherwise an installed one is chosen and the variable points
// at it. Debian's mixer puts its own default in place while the device opens, so the choice is
// handed to the mixer again afterwards.
std::string chooseSoundFont() {
    const char* own = std::getenv("SDL_SOUNDFONTS");
    if (own && *own) return own;
    std::string found = findSoundFont();
    if (!found.empty()) setenv("SDL_SOUNDFONTS", found.c_str(), 1);
    return found;
}

// The desktop's mixer lists each of the game's streams by name (and, where SDL passes it on, as
// with PipeWire, by role). SDL reads both when a device opens, from hints that hold for the whole
// process: set and opened under audioLock.
void nameNextStream(decltype(&SDL_SetHint) setHint, const char* name, const char* role) {
    setHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, name);
    setHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, role);
}

// Opens the device with the library loaded and the subsystem up. A short buffer: an effect
// starts within a few hundredths of a second of the click.
bool openDevice(const MixerLibrary& mix) {
    nameNextStream(mix.setHint, "Sounds", "Game");
    return mix.openAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
}

// Before SDL's audio starts. SDL's own SIGINT/SIGTERM handlers would turn those signals into quit
// events that the game never reads, so the process could no longer be stopped from outside. The
// desktop's mixer shows the sounds under the game's name, as it shows the music.
void prepareSdl(decltype(&SDL_SetHint) setHint) {
    setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    setHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Morvek");
}

void runHooks(const std::map<int, std::function<void()>>& list) {
    // A hook may remove itself while it runs.
    auto hooks = list;
    for (auto& [id, hook] : hooks)
        hook();
}

// The effects' device would not open: where the sound system has one device only, the music
// gives its up and the open is tried once more.
bool openDeviceOrYield(const MixerLibrary& mix) {
    if (openDevice(mix)) return true;
    bool yielded = false;
    for (auto& [id, hook] : yieldHooks)
        yielded = hook() || yielded;
    return yielded && openDevice(mix);
}

} // namespace

std::vector<std::string> soundFontFiles(const std::string& list) {
    std::vector<std::string> files;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = list.find_first_of(":;", start);
        std::string name = list.substr(start, end - start);
        if (isFile(name)) files.push_back(std::move(name));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return files;
}

void audioChooseSoundFont() {
    std::lock_guard guard(audioLock);
    if (soundFontChosen) return;
    soundFont = chooseSoundFont();
    soundFontChosen = true;
}

namespace {

// audioOpen, with audioLock held.
bool openLocked() {
    if (audioState == AudioState::Open) return true;
    if (audioState == AudioState::Failed) return false;
    const MixerLibrary* mix = mixerLibrary();
    if (audioState == AudioState::Resting) {
        if (!mix || !openDeviceOrYield(*mix)) {
            audioState = AudioState::Failed;
            return false;
        }
        audioState = AudioState::Open;
        return true;
    }
    audioState = AudioState::Failed;
    if (!atExitRegistered) {
        std::atexit(audioClose);
        atExitRegistered = true;
    }
    if (!soundFontChosen) audioChooseSoundFont();
    if (!mix) return false;
    prepareSdl(mix->setHint);
    if (mix->initSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (!openDeviceOrYield(*mix)) {
        mix->quitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    subsystemUp = true;
    audioState = AudioState::Open;
    return true;
}

} // namespace

bool audioOpen() {
    // A warm-up under way is waited for: it may be decoding the very sound asked for.
    if (warmUp.valid()) warmUp.wait();
    std::lock_guard guard(audioLock);
    return openLocked();
}

bool audioIsOpen() {
    return audioState == AudioState::Open;
}

bool audioMidiReady() {
    std::lock_guard guard(audioLock);
    if (!soundFontChosen) audioChooseSoundFont();
    if (!anyFile(soundFont)) return false;
    // Opening a device to see takes a while (it waits for the device's thread): once will do.
    // With the effects' device open there is a sound system, though it may take one device at a
    // time; the music then waits its turn.
    if (midiOutput < 0) midiOutput = audioIsOpen() || midiOutputWorks() ? 1 : 0;
    return midiOutput == 1;
}

bool audioTakeSubsystem() {
    std::lock_guard guard(audioLock);
    const SdlLibrary* lib = sdlLibrary();
    if (!lib) return false;
    prepareSdl(lib->setHint);
    return lib->initSubSystem(SDL_INIT_AUDIO) == 0;
}

uint32_t audioOpenMusicDevice(const std::function<uint32_t()>& open) {
    std::lock_guard guard(audioLock);
    const SdlLibrary* lib = sdlLibrary();
    if (!lib) return 0;
    nameNextStream(lib->setHint, "Music", "Music");
    return open();
}

void audioGiveSubsystem() {
    std::lock_guard guard(audioLock);
    if (const SdlLibrary* lib = sdlLibrary()) lib->quitSubSystem(SDL_INIT_AUDIO);
}

std::string audioSoundFont() {
    std::lock_guard guard(audioLock);
    return soundFont;
}

int audioAddCloseHook(std::function<void()> hook) {
    const int id = nextHookId++;
    closeHooks.emplace(id, std::move(hook));
    return id;
}

void audioRemoveCloseHook(int id) {
    closeHooks.erase(id);
}

int audioAddRestHook(std::function<void()> hook) {
    const int id = nextHookId++;
    restHooks.emplace(id, std::move(hook));
    return id;
}

void audioRemoveRestHook(int id) {
    restHooks.erase(id);
}

int audioAddYieldHook(std::function<bool()> hook) {
    std::lock_guard guard(audioLock);
    const int id = nextHookId++;
    yieldHooks.emplace(id, std::move(hook));
    return id;
}

void audioRemoveYieldHook(int id) {
    std::lock_guard guard(audioLock);
    yieldHooks.erase(id);
}

int audioAddWarmUpHook(std::function<void()> hook) {
    std::lock_guard guard(audioLock);
    const int id = nextHookId++;
    warmUpHooks.emplace(id, std::move(hook));
    return id;
}

void audioRemoveWarmUpHook(int id) {
    if (warmUp.valid()) warmUp.wait(); // the worker may be running it
    std::lock_guard guard(audioLock);
    warmUpHooks.erase(id);
}

void audioClose() {
    if (warmUp.valid()) warmUp.get();
    runHooks(closeHooks);
    std::lock_guard guard(audioLock);
    if (subsystemUp) {
        const MixerLibrary& mix = *mixerLibrary();
        if (audioState == AudioState::Open) {
            mix.haltChannel(-1);
            mix.closeAudio();
        }
        mix.quitSubSystem(SDL_INIT_AUDIO);
        subsystemUp = false;
    }
    audioState = AudioState::Closed;
    soundFontChosen = false;
    midiOutput = -1;
}

void audioHold() {
    ++holds;
}

void audioRelease() {
    if (holds > 0) --holds;
    if (holds == 0) audioRestWhenQuiet();
}

bool audioRestIfQuiet() {
    if (audioState != AudioState::Open || holds > 0) return false;
    const MixerLibrary& mix = *mixerLibrary();
    if (mix.playing(-1) != 0) return false;
    runHooks(restHooks);
    std::lock_guard guard(audioLock);
    mix.closeAudio();
    audioState = AudioState::Resting;
    return true;
}

namespace {

bool warmingUp() {
    return warmUp.valid() && warmUp.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

} // namespace

void audioRestWhenQuiet() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || (audioState != AudioState::Open && !warmingUp()) || holds > 0) return;
    if (!restTimer) {
        restTimer = new QTimer(app);
        restTimer->setSingleShot(true);
        restTimer->setInterval(AudioRestDelayMs);
        QObject::connect(restTimer, &QTimer::timeout, [] {
            // Still opening or sounding: look again later.
            if (warmingUp() ||
                (!audioRestIfQuiet() && audioState == AudioState::Open && holds == 0))
                restTimer->start();
        });
        QObject::connect(app, &QObject::destroyed, [] { restTimer = nullptr; });
    }
    restTimer->start();
}

void audioWarmUp() {
    if (warmUp.valid()) {
        if (warmingUp()) return;
        warmUp.get();
    }
    if (audioState == AudioState::Failed) return;
    if (audioState != AudioState::Open) {
        audioChooseSoundFont();
        // Opened and prepared in one hold of the lock: a sound asked for meanwhile waits for
        // both, and finds its chunk decoded.
        warmUp = std::async(std::launch::async, [] {
            std::lock_guard guard(audioLock);
            if (openLocked()) runHooks(warmUpHooks);
        });
    }
    // Open or opening: the rest is due a while after the pointer and the sounds went quiet.
    if (QCoreApplication::instance() && holds == 0) {
        if (restTimer && restTimer->isActive() && restTimer->remainingTime() > AudioRestDelayMs / 2)
            return;
        audioRestWhenQuiet();
    }
}
