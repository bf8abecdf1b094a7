// SPDX-License-Identifier: MIT
// A SoundFont cut down to the instruments one piece plays.
#include "audio/SoundFontSubset.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace {

// ---- The piece ----

struct MidiReader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool has(size_t n) const { return at <= size && size - at >= n; }
    uint32_t big(int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | data[at++];
        return v;
    }
    bool variable(uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            if (!has(1)) return false;
            const uint8_t b = data[at++];
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
};

struct ChannelUse {
    std::set<int> banks;
    std::set<int> programs;
    bool plays = false;
};

// One track's events; false when the track is damaged.
bool scanTrack(MidiReader r, std::array<ChannelUse, 16>& channels) {
    std::array<int, 16> program{}; // in effect in this track
    uint8_t status = 0;
    while (r.has(1)) {
        uint32_t delta = 0;
        if (!r.variable(delta) || !r.has(1)) return false;
        if (r.data[r.at] & 0x80) status = r.data[r.at++];
        if (status == 0xFF) {
            if (!r.has(1)) return false;
            ++r.at;
        }
        if (status == 0xFF || status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!r.variable(length) || !r.has(length)) return false;
            r.at += length;
            status = 0; // no running status after a meta or system event
            continue;
        }
        if (status < 0x80) return false;
        const int kind = status & 0xF0, channel = status & 0x0F;
        const size_t length = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
        if (!r.has(length)) return false;
        const uint8_t first = r.data[r.at], second = length > 1 ? r.data[r.at + 1] : 0;
        r.at += length;
        ChannelUse& use = channels[size_t(channel)];
        if (kind == 0xC0) {
            program[size_t(channel)] = first & 0x7F;
            use.programs.insert(first & 0x7F);
        } else if (kind == 0xB0 && first == 0) {
            use.banks.insert(second & 0x7F);
        } else if (kind == 0x90 && second > 0) {
            use.plays = true;
            use.programs.insert(program[size_t(channel)]);
        }
    }
    return true;
}

// ---- The SoundFont ----

uint16_t le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putId(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}
void set16(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
void set32(uint8_t* p, uint32_t v) {
    set16(p, v & 0xFFFF);
    set16(p + 2, v >> 16);
}

} // namespace

bool readFileAt(int fd, uint64_t offset, void* out, size_t count) {
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

namespace {

// The tables of a SoundFont, as their records.
struct Table {
    const char* id;
    size_t record;
    std::vector<uint8_t> bytes;
    size_t count() const { return bytes.size() / record; }
    const uint8_t* at(size_t i) const { return bytes.data() + i * record; }
};

enum TableIndex { Phdr, Pbag, Pmod, Pgen, Inst, Ibag, Imod, Igen, Shdr, TableCount };

constexpr uint16_t InstrumentGenerator = 41;
constexpr uint16_t SampleGenerator = 53;
constexpr uint32_t GuardPoints = 46; // the zero points a SoundFont keeps after every sample
constexpr uint32_t MaxTables = 64u << 20;
constexpr uint32_t MaxInfo = 1u << 20;

struct Chunk {
    char id[5] = {};
    uint64_t offset = 0; // of its data
    uint32_t size = 0;
};

bool readChunk(int fd, uint64_t at, uint64_t end, Chunk& chunk) {
    uint8_t head[8];
    if (end < at || end - at < 8 || !readFileAt(fd, at, head, 8)) return false;
    std::memcpy(chunk.id, head, 4);
    chunk.size = le32(head + 4);
    chunk.offset = at + 8;
    return chunk.size <= end - chunk.offset;
}

uint64_t padded(uint64_t size) {
    return size + (size & 1);
}

// Copies a zone list (bags with their generators and modulators) of one preset or instrument,
// mapping the index that its generator `link` names through `map`.
bool copyZones(const Table& bags, const Table& gens, const Table& mods, size_t firstBag,
               size_t endBag, uint16_t link, const std::map<uint32_t, uint32_t>& map,
               Table& outBags, Table& outGens, Table& outMods) {
    if (firstBag > endBag || endBag >= bags.count()) return false;
    for (size_t b = firstBag; b < endBag; ++b) {
        const size_t gen0 = le16(bags.at(b)), gen1 = le16(bags.at(b + 1));
        const size_t mod0 = le16(bags.at(b) + 2), mod1 = le16(bags.at(b + 1) + 2);
        if (gen0 > gen1 || gen1 > gens.count() || mod0 > mod1 || mod1 > mods.count()) return false;
        put16(outBags.bytes, uint32_t(outGens.count()));
        put16(outBags.bytes, uint32_t(outMods.count()));
        for (size_t g = gen0; g < gen1; ++g) {
            const uint8_t* gen = gens.at(g);
            const size_t at = outGens.bytes.size();
            outGens.bytes.insert(outGens.bytes.end(), gen, gen + 4);
            if (le16(gen) == link) {
                const auto found = map.find(le16(gen + 2));
                if (found == map.end()) return false;
                set16(outGens.bytes.data() + at + 2, found->second);
            }
        }
        outMods.bytes.insert(outMods.bytes.end(), mods.at(mod0),
                             mods.at(mod0) + (mod1 - mod0) * 10);
    }
    return true;
}

// The index that each zone in [firstBag, endBag) names with generator `link`, in order.
bool linkedIndices(const Table& bags, const Table& gens, size_t firstBag, size_t endBag,
                   uint16_t link, size_t limit, std::set<uint32_t>& out) {
    if (firstBag > endBag || endBag >= bags.count()) return false;
    for (size_t b = firstBag; b < endBag; ++b) {
        const size_t gen0 = le16(bags.at(b)), gen1 = le16(bags.at(b + 1));
        if (gen0 > gen1 || gen1 > gens.count()) return false;
        for (size_t g = gen0; g < gen1; ++g)
            if (le16(gens.at(g)) == link) {
                const uint32_t index = le16(gens.at(g) + 2);
                if (index >= limit) return false;
                out.insert(index);
            }
    }
    return true;
}

void appendTerminal(Table& table, const char* name) {
    const size_t at = table.bytes.size();
    table.bytes.resize(at + table.record, 0);
    if (name) std::memcpy(table.bytes.data() + at, name, std::strlen(name));
}

} // namespace

std::set<PresetId> presetsOfPiece(const uint8_t* data, size_t size) {
    MidiReader r{data, size};
    if (!r.has(14) || std::memcmp(data, "MThd", 4) != 0) return {};
    r.at = 4;
    const uint32_t headerLength = r.big(4);
    if (headerLength < 6 || !r.has(headerLength)) return {};
    r.at += 2;
    const uint32_t tracks = r.big(2);
    r.at = 8 + headerLength;
    std::array<ChannelUse, 16> channels;
    for (uint32_t t = 0; t < tracks && r.has(8); ++t) {
        if (std::memcmp(data + r.at, "MTrk", 4) != 0) return {};
        r.at += 4;
        const uint32_t length = r.big(4);
        if (!r.has(length)) return {};
        if (!scanTrack(MidiReader{data, r.at + length, r.at}, channels)) return {};
        r.at += length;
    }
    std::set<PresetId> presets;
    for (size_t c = 0; c < channels.size(); ++c) {
        const ChannelUse& use = channels[c];
        if (!use.plays) continue;
        std::set<int> banks = use.banks;
        banks.insert(0);
        if (c == 9) banks = {128};
        for (int bank : banks)
            for (int program : use.programs)
                presets.insert({bank, program});
    }
    return presets;
}

SoundFontSubset::~SoundFontSubset() {
    if (m_fd >= 0) close(m_fd);
}

uint64_t SoundFontSubset::size() const {
    return m_samplesEnd + m_tables.size();
}

bool SoundFontSubset::read(uint64_t offset, void* out, size_t count) const {
    if (offset > size() || size() - offset < count) return false;
    auto* to = static_cast<uint8_t*>(out);
    while (count > 0) {
        size_t n = 0;
        if (offset < m_head.size()) {
            n = std::min<uint64_t>(count, m_head.size() - offset);
            std::memcpy(to, m_head.data() + offset, n);
        } else if (offset < m_samplesEnd) {
            // The span that holds offset: the last one starting at or before it.
            const auto span =
                std::prev(std::upper_bound(m_samples.begin(), m_samples.end(), offset,
                                           [](uint64_t at, const Span& s) { return at < s.at; }));
            const uint64_t into = offset - span->at;
            n = std::min<uint64_t>(count, span->length - into);
            if (!readFileAt(m_fd, span->from + into, to, n)) return false;
        } else {
            n = std::min<uint64_t>(count, size() - offset);
            std::memcpy(to, m_tables.data() + (offset - m_samplesEnd), n);
        }
        to += n;
        offset += n;
        count -= n;
    }
    return true;
}

std::unique_ptr<SoundFontSubset> SoundFontSubset::make(const std::string& path,
                                                       const std::set<PresetId>& wanted) {
    std::unique_ptr<SoundFontSubset> subset(new SoundFontSubset);
    subset->m_fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const int fd = subset->m_fd;
    if (fd < 0) return nullptr;
    const off_t fileSize = lseek(fd, 0, SEEK_END);
    uint8_t riff[12];
    if (fileSize < 12 || !readFileAt(fd, 0, riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "sfbk", 4) != 0)
        return nullptr;
    const uint64_t end = std::min<uint64_t>(uint64_t(fileSize), 8 + uint64_t(le32(riff + 4)));

    // The three lists: information (kept as it is), sample data (only its place), tables.
    std::vector<uint8_t> info;
    Chunk samples;
    std::array<Table, TableCount> tables{{{"phdr", 38, {}},
                                          {"pbag", 4, {}},
                                          {"pmod", 10, {}},
                                          {"pgen", 4, {}},
                                          {"inst", 22, {}},
                                          {"ibag", 4, {}},
                                          {"imod", 10, {}},
                                          {"igen", 4, {}},
                                          {"shdr", 46, {}}}};
    for (uint64_t at = 12; at + 12 <= end;) {
        Chunk list;
        char type[4];
        if (!readChunk(fd, at, end, list) || std::memcmp(list.id, "LIST", 4) != 0 ||
            list.size < 4 || !readFileAt(fd, list.offset, type, 4))
            return nullptr;
        const uint64_t listEnd = list.offset + list.size;
        if (std::memcmp(type, "INFO", 4) == 0) {
            if (list.size > MaxInfo) return nullptr;
            info.resize(8 + padded(list.size));
            if (!readFileAt(fd, at, info.data(), std::min<uint64_t>(info.size(), end - at)))
                return nullptr;
        } else {
            for (uint64_t sub = list.offset + 4; sub + 8 <= listEnd;) {
                Chunk chunk;
                if (!readChunk(fd, sub, listEnd, chunk)) return nullptr;
                if (std::memcmp(type, "sdta", 4) == 0 && std::strcmp(chunk.id, "smpl") == 0)
                    samples = chunk;
                for (Table& table : tables)
                    if (std::memcmp(type, "pdta", 4) == 0 && std::strcmp(chunk.id, table.id) == 0) {
                        if (chunk.size > MaxTables || chunk.size % table.record != 0)
                            return nullptr;
                        table.bytes.resize(chunk.size);
                        if (!readFileAt(fd, chunk.offset, table.bytes.data(), chunk.size))
                            return nullptr;
                    }
                sub = chunk.offset + padded(chunk.size);
            }
        }
        at = list.offset + padded(list.size);
    }
    for (const Table& table : tables)
        if (table.count() < 1) return nullptr; // every table ends in a terminal record
    if (info.empty() || samples.size == 0) return nullptr;

    // The presets wanted, the instruments they use, the samples those play.
    const Table &phdr = tables[Phdr], &inst = tables[Inst], &shdr = tables[Shdr];
    std::vector<size_t> presets;
    std::set<uint32_t> instruments, sampleSet;
    for (size_t p = 0; p + 1 < phdr.count(); ++p) {
        if (!wanted.count({le16(phdr.at(p) + 22), le16(phdr.at(p) + 20)})) continue;
        presets.push_back(p);
        if (!linkedIndices(tables[Pbag], tables[Pgen], le16(phdr.at(p) + 24),
                           le16(phdr.at(p + 1) + 24), InstrumentGenerator, inst.count() - 1,
                           instruments))
            return nullptr;
    }
    if (presets.empty()) return nullptr;
    for (uint32_t i : instruments)
        if (!linkedIndices(tables[Ibag], tables[Igen], le16(inst.at(i) + 20),
                           le16(inst.at(i + 1) + 20), SampleGenerator, shdr.count() - 1, sampleSet))
            return nullptr;
    // A stereo sample's partner comes along.
    for (uint32_t s : std::set<uint32_t>(sampleSet)) {
        const uint32_t link = le16(shdr.at(s) + 42), type = le16(shdr.at(s) + 44);
        if ((type & 0x6) && link + 1 < shdr.count()) sampleSet.insert(link);
    }

    std::map<uint32_t, uint32_t> instrumentMap, sampleMap;
    for (uint32_t i : instruments)
        instrumentMap.emplace(i, uint32_t(instrumentMap.size()));
    for (uint32_t s : sampleSet)
        sampleMap.emplace(s, uint32_t(sampleMap.size()));

    // The sample data: each sample with its guard points, one after another.
    const uint64_t samplePoints = samples.size / 2;
    const size_t headSize = 12 + info.size() + 12 + 8;
    Table outShdr{"shdr", 46, {}};
    uint64_t points = 0;
    for (uint32_t s : sampleSet) {
        const uint8_t* record = shdr.at(s);
        const uint64_t start = le32(record + 20), stop = le32(record + 24);
        if (start > stop || stop > samplePoints) return nullptr;
        const uint64_t length = std::min(stop + GuardPoints, samplePoints) - start;
        subset->m_samples.push_back(
            {headSize + points * 2, samples.offset + start * 2, length * 2});
        const size_t at = outShdr.bytes.size();
        outShdr.bytes.insert(outShdr.bytes.end(), record, record + 46);
        uint8_t* out = outShdr.bytes.data() + at;
        const auto moved = [&](uint32_t v) {
            return uint32_t(std::max<int64_t>(0, int64_t(v) - int64_t(start) + int64_t(points)));
        };
        for (int field : {20, 24, 28, 32})
            set32(out + field, moved(le32(record + field)));
        const auto partner = sampleMap.find(le16(record + 42));
        if (le16(record + 44) & 0x6) {
            if (partner != sampleMap.end())
                set16(out + 42, partner->second);
            else
                set16(out + 44, 1); // its partner is gone: it plays alone
        }
        points += length;
    }
    appendTerminal(outShdr, "EOS");

    // The tables, with the indices mapped.
    Table outPhdr{"phdr", 38, {}}, outPbag{"pbag", 4, {}}, outPmod{"pmod", 10, {}},
        outPgen{"pgen", 4, {}}, outInst{"inst", 22, {}}, outIbag{"ibag", 4, {}},
        outImod{"imod", 10, {}}, outIgen{"igen", 4, {}};
    for (size_t p : presets) {
        const size_t at = outPhdr.bytes.size();
        outPhdr.bytes.insert(outPhdr.bytes.end(), phdr.at(p), phdr.at(p) + 38);
        set16(outPhdr.bytes.data() + at + 24, uint32_t(outPbag.count()));
        if (!copyZones(tables[Pbag], tables[Pgen], tables[Pmod], le16(phdr.at(p) + 24),
                       le16(phdr.at(p + 1) + 24), InstrumentGenerator, instrumentMap, outPbag,
                       outPgen, outPmod))
            return nullptr;
    }
    for (uint32_t i : instruments) {
        const size_t at = outInst.bytes.size();
        outInst.bytes.insert(outInst.bytes.end(), inst.at(i), inst.at(i) + 22);
        set16(outInst.bytes.data() + at + 20, uint32_t(outIbag.count()));
        if (!copyZones(tables[Ibag], tables[Igen], tables[Imod], le16(inst.at(i) + 20),
                       le16(inst.at(i + 1) + 20), SampleGenerator, sampleMap, outIbag, outIgen,
                       outImod))
            return nullptr;
    }
    appendTerminal(outPhdr, "EOP");
    set16(outPhdr.bytes.data() + outPhdr.bytes.size() - 38 + 24, uint32_t(outPbag.count()));
    put16(outPbag.bytes, uint32_t(outPgen.count()));
    put16(outPbag.bytes, uint32_t(outPmod.count()));
    appendTerminal(outPmod, nullptr);
    appendTerminal(outPgen, nullptr);
    appendTerminal(outInst, "EOI");
    set16(outInst.bytes.data() + outInst.bytes.size() - 22 + 20, uint32_t(outIbag.count()));
    put16(outIbag.bytes, uint32_t(outIgen.count()));
    put16(outIbag.bytes, uint32_t(outImod.count()));
    appendTerminal(outImod, nullptr);
    appendTerminal(outIgen, nullptr);
    // 16-bit indices: a subset never holds more than its original, whose indices fit.

    std::vector<uint8_t>& tablesOut = subset->m_tables;
    putId(tablesOut, "LIST");
    put32(tablesOut, 0); // set below
    putId(tablesOut, "pdta");
    for (const Table* table : {&outPhdr, &outPbag, &outPmod, &outPgen, &outInst, &outIbag, &outImod,
                               &outIgen, &outShdr}) {
        putId(tablesOut, table->id);
        put32(tablesOut, uint32_t(table->bytes.size()));
        tablesOut.insert(tablesOut.end(), table->bytes.begin(), table->bytes.end());
    }
    set32(tablesOut.data() + 4, uint32_t(tablesOut.size() - 8));

    const uint64_t sampleBytes = points * 2;
    std::vector<uint8_t>& head = subset->m_head;
    putId(head, "RIFF");
    put32(head, uint32_t(4 + info.size() + 12 + 8 + sampleBytes + tablesOut.size()));
    putId(head, "sfbk");
    head.insert(head.end(), info.begin(), info.end());
    putId(head, "LIST");
    put32(head, uint32_t(4 + 8 + sampleBytes));
    putId(head, "sdta");
    putId(head, "smpl");
    put32(head, uint32_t(sampleBytes));
    subset->m_samplesEnd = head.size() + sampleBytes;
    subset->m_presetCount = int(presets.size());
    subset->m_sampleCount = int(sampleSet.size());
    return subset;
}
