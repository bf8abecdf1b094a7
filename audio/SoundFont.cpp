// SPDX-License-Identifier: MIT
// The instruments of a SoundFont (SF2) that one piece plays.
#include "audio/SoundFont.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <map>

namespace {

uint16_t le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Exactly `count` bytes at `offset`, whatever the file system returns at a time.
bool readAt(int fd, uint64_t offset, void* out, size_t count) {
    auto* to = static_cast<uint8_t*>(out);
    while (count > 0) {
        const ssize_t got = pread(fd, to, count, off_t(offset));
        if (got <= 0) return false;
        to += got;
        offset += uint64_t(got);
        count -= size_t(got);
    }
    return true;
}

struct File {
    int fd = -1;
    explicit File(const std::string& path) : fd(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File() {
        if (fd >= 0) close(fd);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
};

// ---- The file's tables ----

struct Table {
    const char* id;
    size_t record;
    std::vector<uint8_t> bytes;
    size_t count() const { return bytes.size() / record; }
    const uint8_t* at(size_t i) const { return bytes.data() + i * record; }
};

enum TableIndex { Phdr, Pbag, Pgen, Inst, Ibag, Igen, Shdr, TableCount };
constexpr uint32_t MaxTables = 64u << 20;

struct Chunk {
    char id[5] = {};
    uint64_t offset = 0; // of its data
    uint32_t size = 0;
};

bool readChunk(int fd, uint64_t at, uint64_t end, Chunk& chunk) {
    uint8_t head[8];
    if (end < at || end - at < 8 || !readAt(fd, at, head, 8)) return false;
    std::memcpy(chunk.id, head, 4);
    chunk.size = le32(head + 4);
    chunk.offset = at + 8;
    return chunk.size <= end - chunk.offset;
}

// The tables and the place of the sample data; false when the file is no SoundFont or damaged.
bool readTables(int fd, std::array<Table, TableCount>& tables, Chunk& samples) {
    const off_t fileSize = lseek(fd, 0, SEEK_END);
    uint8_t riff[12];
    if (fileSize < 12 || !readAt(fd, 0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "sfbk", 4) != 0)
        return false;
    const uint64_t end = std::min<uint64_t>(uint64_t(fileSize), 8 + uint64_t(le32(riff + 4)));
    for (uint64_t at = 12; at + 12 <= end;) {
        Chunk list;
        char type[4];
        if (!readChunk(fd, at, end, list) || std::memcmp(list.id, "LIST", 4) != 0 ||
            list.size < 4 || !readAt(fd, list.offset, type, 4))
            return false;
        const uint64_t listEnd = list.offset + list.size;
        const bool sampleList = std::memcmp(type, "sdta", 4) == 0;
        const bool tableList = std::memcmp(type, "pdta", 4) == 0;
        for (uint64_t sub = list.offset + 4; (sampleList || tableList) && sub + 8 <= listEnd;) {
            Chunk chunk;
            if (!readChunk(fd, sub, listEnd, chunk)) return false;
            if (sampleList && std::strcmp(chunk.id, "smpl") == 0) samples = chunk;
            for (Table& table : tables)
                if (tableList && std::strcmp(chunk.id, table.id) == 0) {
                    if (chunk.size > MaxTables || chunk.size % table.record != 0) return false;
                    table.bytes.resize(chunk.size);
                    if (!readAt(fd, chunk.offset, table.bytes.data(), chunk.size)) return false;
                }
            sub = chunk.offset + chunk.size + (chunk.size & 1);
        }
        at = list.offset + list.size + (list.size & 1);
    }
    for (const Table& table : tables)
        if (table.count() < 2) return false; // at least one record and the terminal one
    return samples.size >= 2;
}

// ---- Generators ----

enum Generator {
    StartOffset = 0,
    EndOffset = 1,
    LoopStartOffset = 2,
    LoopEndOffset = 3,
    StartCoarseOffset = 4,
    FilterCutoff = 8,
    FilterQ = 9,
    EndCoarseOffset = 12,
    Pan = 17,
    VolumeDelay = 33,
    VolumeAttack = 34,
    VolumeHold = 35,
    VolumeDecay = 36,
    VolumeSustain = 37,
    VolumeRelease = 38,
    KeyToHold = 39,
    KeyToDecay = 40,
    InstrumentLink = 41,
    KeyRange = 43,
    VelocityRange = 44,
    LoopStartCoarseOffset = 45,
    ForcedKey = 46,
    ForcedVelocity = 47,
    Attenuation = 48,
    LoopEndCoarseOffset = 50,
    CoarseTune = 51,
    FineTune = 52,
    SampleLink = 53,
    SampleModes = 54,
    ScaleTuning = 56,
    ExclusiveClass = 57,
    RootKey = 58,
    GeneratorCount = 61,
};

using Generators = std::array<int32_t, GeneratorCount>;

Generators defaultGenerators() {
    Generators g{};
    g[FilterCutoff] = 13500;
    // The times of both envelopes (the modulation envelope's is unused here, but a preset may
    // add to it).
    for (int envelope : {25, 26, 27, 28, 30, 33, 34, 35, 36, 38})
        g[size_t(envelope)] = -12000;
    g[KeyRange] = 127 << 8;
    g[VelocityRange] = 127 << 8;
    g[ForcedKey] = g[ForcedVelocity] = g[RootKey] = -1;
    g[ScaleTuning] = 100;
    return g;
}

// Generators a preset adds to its instrument's; the others belong to the instrument alone.
bool presetAdds(size_t g) {
    switch (g) {
    case StartOffset:
    case EndOffset:
    case LoopStartOffset:
    case LoopEndOffset:
    case StartCoarseOffset:
    case EndCoarseOffset:
    case LoopStartCoarseOffset:
    case LoopEndCoarseOffset:
    case ForcedKey:
    case ForcedVelocity:
    case SampleModes:
    case ExclusiveClass:
    case RootKey:
    case InstrumentLink:
    case SampleLink:
    case KeyRange:
    case VelocityRange:
        return false;
    default:
        return g < GeneratorCount;
    }
}

struct Zone {
    Generators gens;
    int link = -1; // the instrument or sample it plays; -1 for a global zone
};

// The zones of one preset or instrument, the global one folded into the others. `base` holds
// the values a zone starts from; `link` is the generator that ends a playing zone.
bool readZones(const Table& bags, const Table& gens, size_t firstBag, size_t endBag,
               const Generators& base, Generator link, size_t linkLimit, std::vector<Zone>& out) {
    if (firstBag > endBag || endBag >= bags.count()) return false;
    Generators global = base;
    for (size_t b = firstBag; b < endBag; ++b) {
        const size_t gen0 = le16(bags.at(b)), gen1 = le16(bags.at(b + 1));
        if (gen0 > gen1 || gen1 > gens.count()) return false;
        Zone zone{global, -1};
        for (size_t g = gen0; g < gen1; ++g) {
            const uint16_t op = le16(gens.at(g));
            if (op >= GeneratorCount) continue;
            const uint8_t* amount = gens.at(g) + 2;
            // Ranges are two bytes, low then high; the rest are signed words.
            zone.gens[op] = op == KeyRange || op == VelocityRange
                                ? int32_t(amount[0] | amount[1] << 8)
                                : int32_t(int16_t(le16(amount)));
            if (op == link) {
                zone.link = le16(amount);
                if (size_t(zone.link) >= linkLimit) return false;
                break; // the link ends the zone
            }
        }
        if (zone.link >= 0)
            out.push_back(zone);
        else if (b == firstBag)
            global = zone.gens; // only the first zone may be global
    }
    return true;
}

int low(int32_t range) {
    return range & 0xFF;
}
int high(int32_t range) {
    return (range >> 8) & 0xFF;
}

float seconds(int32_t timecents) {
    return float(std::exp2(std::clamp(timecents, -12000, 8000) / 1200.0));
}

struct Span {
    uint32_t from, to; // in the file's sample points
};

} // namespace

const SoundFontPreset* SoundFont::preset(PresetId id) const {
    return findPreset(m_presets, id, [](const SoundFontPreset& p) { return p.id; });
}

std::unique_ptr<SoundFont> SoundFont::load(const std::string& path,
                                           const std::set<PresetId>& wanted, std::string& error) {
    File file(path);
    if (file.fd < 0) {
        error = "cannot open " + path;
        return nullptr;
    }
    std::array<Table, TableCount> tables{{{"phdr", 38, {}},
                                          {"pbag", 4, {}},
                                          {"pgen", 4, {}},
                                          {"inst", 22, {}},
                                          {"ibag", 4, {}},
                                          {"igen", 4, {}},
                                          {"shdr", 46, {}}}};
    Chunk sampleChunk;
    if (!readTables(file.fd, tables, sampleChunk)) {
        error = path + " is no SoundFont, or is damaged";
        return nullptr;
    }
    const Table &phdr = tables[Phdr], &inst = tables[Inst], &shdr = tables[Shdr];
    const uint32_t filePoints = sampleChunk.size / 2;

    // The presets to load: those wanted, or what plays in their place.
    std::vector<size_t> indices(phdr.count() - 1);
    for (size_t p = 0; p < indices.size(); ++p)
        indices[p] = p;
    const auto idOf = [&](size_t p) {
        return PresetId{le16(phdr.at(p) + 22), le16(phdr.at(p) + 20)};
    };
    std::set<size_t> chosen;
    for (PresetId id : wanted)
        if (const size_t* p = findPreset(indices, id, idOf)) chosen.insert(*p);

    auto font = std::make_unique<SoundFont>();
    std::vector<Span> spans;
    for (size_t p : chosen) {
        std::vector<Zone> presetZones;
        // A preset's generators are added to its instruments': they start at 0, over all keys.
        Generators presetBase{};
        presetBase[KeyRange] = presetBase[VelocityRange] = 127 << 8;
        if (!readZones(tables[Pbag], tables[Pgen], le16(phdr.at(p) + 24), le16(phdr.at(p + 1) + 24),
                       presetBase, InstrumentLink, inst.count() - 1, presetZones)) {
            error = path + " has a damaged preset";
            return nullptr;
        }
        SoundFontPreset preset{idOf(p), {}};
        for (const Zone& pz : presetZones) {
            const int32_t keys = pz.gens[KeyRange], velocities = pz.gens[VelocityRange];
            const size_t i = size_t(pz.link);
            std::vector<Zone> zones;
            if (!readZones(tables[Ibag], tables[Igen], le16(inst.at(i) + 20),
                           le16(inst.at(i + 1) + 20), defaultGenerators(), SampleLink,
                           shdr.count() - 1, zones)) {
                error = path + " has a damaged instrument";
                return nullptr;
            }
            for (Zone& z : zones) {
                Generators& g = z.gens;
                const int lowKey = std::max(low(keys), low(g[KeyRange]));
                const int highKey = std::min(high(keys), high(g[KeyRange]));
                const int lowVel = std::max(low(velocities), low(g[VelocityRange]));
                const int highVel = std::min(high(velocities), high(g[VelocityRange]));
                if (lowKey > highKey || lowVel > highVel) continue;
                for (size_t k = 0; k < GeneratorCount; ++k)
                    if (presetAdds(k)) g[k] += pz.gens[k];

                const uint8_t* s = shdr.at(size_t(z.link));
                const uint16_t type = le16(s + 44);
                if (type & 0x8000) continue; // in a synthesizer's ROM, not in the file
                if (type & 0x10) {
                    error = path + " holds compressed samples, which are not read here";
                    return nullptr;
                }
                const auto at = [&](int field, Generator fine, Generator coarse) {
                    const int64_t v =
                        int64_t(le32(s + field)) + g[fine] + 32768 * int64_t(g[coarse]);
                    return uint32_t(std::clamp<int64_t>(v, 0, filePoints));
                };
                SoundFontRegion r;
                r.lowKey = uint8_t(lowKey);
                r.highKey = uint8_t(highKey);
                r.lowVelocity = uint8_t(lowVel);
                r.highVelocity = uint8_t(highVel);
                r.start = at(20, StartOffset, StartCoarseOffset);
                r.end = at(24, EndOffset, EndCoarseOffset);
                r.loopStart = at(28, LoopStartOffset, LoopStartCoarseOffset);
                r.loopEnd = at(32, LoopEndOffset, LoopEndCoarseOffset);
                if (r.end <= r.start + 1) continue;
                const int modes = g[SampleModes] & 3;
                const bool loopFits =
                    r.loopStart >= r.start && r.loopEnd <= r.end && r.loopEnd > r.loopStart + 1;
                r.loops = (modes == 1 || modes == 3) && loopFits;
                r.loopsInRelease = r.loops && modes == 1;
                r.sampleRate = std::clamp<uint32_t>(le32(s + 36), 400, 192000);
                const int original = s[40] <= 127 ? s[40] : 60;
                r.rootKey = g[RootKey] >= 0 && g[RootKey] <= 127 ? g[RootKey] : original;
                r.tuneCents = g[CoarseTune] * 100 + g[FineTune] + int8_t(s[41]);
                r.scaleTuning = g[ScaleTuning];
                r.forcedKey = g[ForcedKey] <= 127 ? g[ForcedKey] : -1;
                r.forcedVelocity = g[ForcedVelocity] <= 127 ? g[ForcedVelocity] : -1;
                r.exclusiveClass = g[ExclusiveClass];
                // As the hardware the format comes from: 0.4 dB for each centibel.
                r.attenuation = 0.04f * float(std::clamp(g[Attenuation], 0, 1440));
                r.pan = float(std::clamp(g[Pan], -500, 500)) / 1000.0f;
                const int32_t cutoff = std::clamp(g[FilterCutoff], 1500, 13500);
                r.filterCutoff = cutoff < 13500 ? float(8.176 * std::exp2(cutoff / 1200.0)) : 0.0f;
                r.filterQ = float(std::clamp(g[FilterQ], 0, 960)) / 10.0f;
                r.delay = seconds(g[VolumeDelay]);
                r.attack = seconds(g[VolumeAttack]);
                r.hold = seconds(g[VolumeHold]);
                r.decay = seconds(g[VolumeDecay]);
                r.release = seconds(g[VolumeRelease]);
                r.sustain = float(std::clamp(g[VolumeSustain], 0, 1440)) / 10.0f;
                r.holdPerKey = float(g[KeyToHold]);
                r.decayPerKey = float(g[KeyToDecay]);
                preset.regions.push_back(r);
                // Two points past the end for the interpolation between the last ones.
                spans.push_back({std::min(r.start, r.loopStart),
                                 std::min(filePoints, std::max(r.end, r.loopEnd) + 2)});
            }
        }
        font->m_presets.push_back(std::move(preset));
    }

    // The sample data the regions play, spans that overlap read as one.
    std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.from < b.from; });
    std::vector<std::pair<Span, uint32_t>> placed; // a span of the file, and where it lies
    for (const Span& span : spans) {
        if (!placed.empty() && span.from <= placed.back().first.to) {
            placed.back().first.to = std::max(placed.back().first.to, span.to);
            continue;
        }
        const uint32_t at = placed.empty() ? 0
                                           : placed.back().second + placed.back().first.to -
                                                 placed.back().first.from;
        placed.push_back({span, at});
    }
    const uint32_t total =
        placed.empty() ? 0
                       : placed.back().second + placed.back().first.to - placed.back().first.from;
    font->m_samples.resize(total);
    for (const auto& [span, at] : placed)
        if (!readAt(file.fd, sampleChunk.offset + uint64_t(span.from) * 2,
                    font->m_samples.data() + at, size_t(span.to - span.from) * 2)) {
            error = path + " is cut off in its samples";
            return nullptr;
        }
    // Samples are little-endian in the file.
    if constexpr (std::endian::native == std::endian::big)
        for (int16_t& v : font->m_samples)
            v = int16_t(le16(reinterpret_cast<const uint8_t*>(&v)));
    for (SoundFontPreset& preset : font->m_presets)
        for (SoundFontRegion& r : preset.regions) {
            // The span that holds the region's start holds all of it.
            const auto found = std::prev(std::upper_bound(
                placed.begin(), placed.end(), r.start,
                [](uint32_t v, const std::pair<Span, uint32_t>& p) { return v < p.first.from; }));
            const auto moved = [&](uint32_t v) { return v - found->first.from + found->second; };
            r.start = moved(r.start);
            r.end = moved(r.end);
            r.loopStart = moved(r.loopStart);
            r.loopEnd = moved(r.loopEnd);
        }
    return font;
}
