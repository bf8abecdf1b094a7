// The one SDL audio device shared by the sound effects and the music.
#include "Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstdlib> // std::atexit
#include <filesystem>
#include <map>
#include <system_error>

namespace {

enum class AudioState { Closed, Open, Failed };

AudioState State = AudioState::Closed;
bool MidiReady = false;
std::string SoundFont;
std::map<int, std::function<void()>> CloseHooks;
int NextHookId = 1;
bool AtExitRegistered = false;

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
    const char* own = SDL_getenv("SDL_SOUNDFONTS");
    if (own && *own) return own;
    std::string found = FindSoundFont();
    if (!found.empty()) SDL_setenv("SDL_SOUNDFONTS", found.c_str(), 1);
    return found;
}

} // namespace

bool AudioOpen() {
    if (State == AudioState::Open) return true;
    if (State == AudioState::Failed) return false;
    State = AudioState::Failed;
    if (!AtExitRegistered) {
        std::atexit(AudioClose);
        AtExitRegistered = true;
    }
    SoundFont = ChooseSoundFont();
    // SDL's own SIGINT/SIGTERM handlers would turn those signals into quit events that the
    // game never reads, so the process could no longer be stopped from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    const bool midiLibrary = (Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) != 0;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    State = AudioState::Open;
    if (!SoundFont.empty()) Mix_SetSoundFonts(SoundFont.c_str());
    // Timidity only registers when its configuration loaded; a native device needs no instruments.
    const bool instruments = Mix_HasMusicDecoder("TIMIDITY") || Mix_HasMusicDecoder("NATIVEMIDI") ||
                             (Mix_HasMusicDecoder("FLUIDSYNTH") && AnyFile(SoundFont));
    MidiReady = midiLibrary && Mix_HasMusicDecoder("MIDI") && instruments;
    return true;
}

bool AudioIsOpen() {
    return State == AudioState::Open;
}

bool AudioMidiReady() {
    return AudioOpen() && MidiReady;
}

std::string AudioSoundFont() {
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

void AudioClose() {
    // A hook may remove itself while it runs.
    auto hooks = CloseHooks;
    for (auto& [id, hook] : hooks)
        hook();
    if (State == AudioState::Open) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    State = AudioState::Closed;
    MidiReady = false;
}
