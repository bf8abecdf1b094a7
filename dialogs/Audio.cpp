// The one SDL audio device shared by the sound effects and the music.
#include "Audio.h"

#include "MixerLibrary.h"

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

std::recursive_mutex Lock; // opening may run on the music's loading thread
std::atomic<AudioState> State{AudioState::Closed};
bool MidiReady = false;
bool MidiLibrary = false;
bool SoundFontChosen = false;
std::string SoundFont;
std::map<int, std::function<void()>> CloseHooks;
std::map<int, std::function<void()>> RestHooks;
int NextHookId = 1;
bool AtExitRegistered = false;
bool SubsystemUp = false; // SDL's audio subsystem and the mixer's decoders are initialised
int Holds = 0;
QTimer* RestTimer = nullptr;
std::future<void> WarmUp; // the worker opening the device ahead of a sound

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The mixer takes a list of SoundFonts separated by ':' or ';'; one readable file is enough.
bool AnyFile(const std::string& list) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = list.find_first_of(":;", start);
        if (IsFile(list.substr(start, end - start))) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

// The first General MIDI SoundFont in the usual Debian folders, the named ones first.
std::string FindSoundFont() {
    static const std::array<const char*, 6> known = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",    "/usr/share/sounds/sf3/default-GM.sf3",
    };
    for (const char* path : known)
        if (IsFile(path)) return path;
    for (const char* folder : {"/usr/share/sounds/sf2", "/usr/share/soundfonts"}) {
        std::error_code error;
        std::string first;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            const std::string path = entry.path().string();
            if (entry.path().extension() == ".sf2" && IsFile(path) &&
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
std::string ChooseSoundFont() {
    const char* own = std::getenv("SDL_SOUNDFONTS");
    if (own && *own) return own;
    std::string found = FindSoundFont();
    if (!found.empty()) setenv("SDL_SOUNDFONTS", found.c_str(), 1);
    return found;
}

// Opens the device with the library loaded and the subsystem up.
bool OpenDevice(const MixerLibrary& mix) {
    if (mix.openAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) return false;
    if (!SoundFont.empty()) mix.setSoundFonts(SoundFont.c_str());
    // Timidity only registers when its configuration loaded; a native device needs no instruments.
    const bool instruments = mix.hasMusicDecoder("TIMIDITY") || mix.hasMusicDecoder("NATIVEMIDI") ||
                             (mix.hasMusicDecoder("FLUIDSYNTH") && AnyFile(SoundFont));
    MidiReady = MidiLibrary && mix.hasMusicDecoder("MIDI") && instruments;
    return true;
}

void RunHooks(const std::map<int, std::function<void()>>& list) {
    // A hook may remove itself while it runs.
    auto hooks = list;
    for (auto& [id, hook] : hooks)
        hook();
}

} // namespace

void AudioChooseSoundFont() {
    std::lock_guard guard(Lock);
    if (SoundFontChosen) return;
    SoundFont = ChooseSoundFont();
    SoundFontChosen = true;
}

bool AudioOpen() {
    std::lock_guard guard(Lock);
    if (State == AudioState::Open) return true;
    if (State == AudioState::Failed) return false;
    const MixerLibrary* mix = mixerLibrary();
    if (State == AudioState::Resting) {
        if (!mix || !OpenDevice(*mix)) {
            State = AudioState::Failed;
            return false;
        }
        State = AudioState::Open;
        return true;
    }
    State = AudioState::Failed;
    if (!AtExitRegistered) {
        std::atexit(AudioClose);
        AtExitRegistered = true;
    }
    if (!SoundFontChosen) AudioChooseSoundFont();
    if (!mix) return false;
    // SDL's own SIGINT/SIGTERM handlers would turn those signals into quit events that the
    // game never reads, so the process could no longer be stopped from outside.
    mix->setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (mix->initSubSystem(SDL_INIT_AUDIO) != 0) return false;
    MidiLibrary = (mix->init(MIX_INIT_MID) & MIX_INIT_MID) != 0;
    if (!OpenDevice(*mix)) {
        mix->quit();
        mix->quitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SubsystemUp = true;
    State = AudioState::Open;
    return true;
}

bool AudioIsOpen() {
    return State == AudioState::Open;
}

bool AudioMidiReady() {
    std::lock_guard guard(Lock);
    return AudioOpen() && MidiReady;
}

std::string AudioSoundFont() {
    std::lock_guard guard(Lock);
    return SoundFont;
}

int AudioAddCloseHook(std::function<void()> hook) {
    const int id = NextHookId++;
    CloseHooks.emplace(id, std::move(hook));
    return id;
}

void AudioRemoveCloseHook(int id) {
    CloseHooks.erase(id);
}

int AudioAddRestHook(std::function<void()> hook) {
    const int id = NextHookId++;
    RestHooks.emplace(id, std::move(hook));
    return id;
}

void AudioRemoveRestHook(int id) {
    RestHooks.erase(id);
}

void AudioClose() {
    if (WarmUp.valid()) WarmUp.get();
    RunHooks(CloseHooks);
    std::lock_guard guard(Lock);
    if (SubsystemUp) {
        const MixerLibrary& mix = *mixerLibrary();
        if (State == AudioState::Open) {
            mix.haltChannel(-1);
            mix.haltMusic();
            mix.closeAudio();
        }
        mix.quit();
        mix.quitSubSystem(SDL_INIT_AUDIO);
        SubsystemUp = false;
    }
    State = AudioState::Closed;
    MidiReady = false;
    SoundFontChosen = false;
}

void AudioHold() {
    ++Holds;
}

void AudioRelease() {
    if (Holds > 0) --Holds;
    if (Holds == 0) AudioRestWhenQuiet();
}

bool AudioRestIfQuiet() {
    if (State != AudioState::Open || Holds > 0) return false;
    const MixerLibrary& mix = *mixerLibrary();
    if (mix.playing(-1) != 0) return false;
    RunHooks(RestHooks);
    std::lock_guard guard(Lock);
    mix.closeAudio();
    State = AudioState::Resting;
    return true;
}

namespace {

bool WarmingUp() {
    return WarmUp.valid() && WarmUp.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

} // namespace

void AudioRestWhenQuiet() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || (State != AudioState::Open && !WarmingUp()) || Holds > 0) return;
    if (!RestTimer) {
        RestTimer = new QTimer(app);
        RestTimer->setSingleShot(true);
        RestTimer->setInterval(AudioRestDelayMs);
        QObject::connect(RestTimer, &QTimer::timeout, [] {
            // Still opening or sounding: look again later.
            if (WarmingUp() || (!AudioRestIfQuiet() && State == AudioState::Open && Holds == 0))
                RestTimer->start();
        });
        QObject::connect(app, &QObject::destroyed, [] { RestTimer = nullptr; });
    }
    RestTimer->start();
}

void AudioWarmUp() {
    if (WarmUp.valid()) {
        if (WarmingUp()) return;
        WarmUp.get();
    }
    if (State == AudioState::Failed) return;
    if (State != AudioState::Open) {
        AudioChooseSoundFont();
        WarmUp = std::async(std::launch::async, [] { AudioOpen(); });
    }
    // Open or opening: the rest is due a while after the pointer and the sounds went quiet.
    if (QCoreApplication::instance() && Holds == 0) {
        if (RestTimer && RestTimer->isActive() && RestTimer->remainingTime() > AudioRestDelayMs / 2)
            return;
        AudioRestWhenQuiet();
    }
}
