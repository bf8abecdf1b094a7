// SPDX-License-Identifier: MIT
// Lets FluidSynth read a SoundFont subset as if it were a file.
#include "audio/SubsetLoader.h"

#include "audio/SynthLibrary.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <mutex>

namespace {

constexpr int Ok = 0, Failed = -1;
// No file of the system's has this name: it cannot stand for a real one.
constexpr char Prefix[] = "\x01morvek-subset:";

std::mutex registryLock;
std::map<std::string, std::shared_ptr<const SoundFontSubset>>& registry() {
    static std::map<std::string, std::shared_ptr<const SoundFontSubset>> files;
    return files;
}

// An open subset, or an open plain file.
struct Handle {
    std::shared_ptr<const SoundFontSubset> subset;
    int fd = -1;
    uint64_t size = 0;
    uint64_t position = 0;
};

void* openFile(const char* name) {
    auto handle = std::make_unique<Handle>();
    {
        std::lock_guard guard(registryLock);
        const auto found = registry().find(name);
        if (found != registry().end()) handle->subset = found->second;
    }
    if (handle->subset) {
        handle->size = handle->subset->size();
        return handle.release();
    }
    handle->fd = open(name, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (handle->fd < 0 || fstat(handle->fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (handle->fd >= 0) close(handle->fd);
        return nullptr;
    }
    handle->size = uint64_t(info.st_size);
    return handle.release();
}

int readFile(void* buffer, long long count, void* opened) {
    auto* h = static_cast<Handle*>(opened);
    if (count < 0 || h->position > h->size || h->size - h->position < uint64_t(count))
        return Failed;
    const bool read = h->subset ? h->subset->read(h->position, buffer, size_t(count))
                                : readFileAt(h->fd, h->position, buffer, size_t(count));
    if (!read) return Failed;
    h->position += uint64_t(count);
    return Ok;
}

int seekFile(void* opened, long long offset, int origin) {
    auto* h = static_cast<Handle*>(opened);
    const long long base = origin == SEEK_SET   ? 0
                           : origin == SEEK_CUR ? (long long)h->position
                           : origin == SEEK_END ? (long long)h->size
                                                : -1;
    if (base < 0 || base + offset < 0) return Failed;
    h->position = uint64_t(base + offset);
    return Ok;
}

long long tellFile(void* opened) {
    return (long long)static_cast<Handle*>(opened)->position;
}

int closeFile(void* opened) {
    auto* h = static_cast<Handle*>(opened);
    if (h->fd >= 0) close(h->fd);
    delete h;
    return Ok;
}

} // namespace

SubsetFile::SubsetFile(std::shared_ptr<const SoundFontSubset> subset) {
    static int counter = 0;
    std::lock_guard guard(registryLock);
    m_name = Prefix + std::to_string(++counter);
    registry().emplace(m_name, std::move(subset));
}

SubsetFile::~SubsetFile() {
    std::lock_guard guard(registryLock);
    registry().erase(m_name);
}

bool addSubsetLoader(const SynthLibrary& lib, void* settings, void* synth) {
    if (!lib.newDefaultLoader || !lib.loaderSetCallbacks || !lib.addLoader) return false;
    void* loader = lib.newDefaultLoader(settings);
    if (!loader) return false;
    if (lib.loaderSetCallbacks(loader, &openFile, &readFile, &seekFile, &tellFile, &closeFile) !=
        Ok) {
        lib.deleteLoader(loader);
        return false;
    }
    lib.addLoader(synth, loader); // the synthesizer owns it now
    return true;
}
