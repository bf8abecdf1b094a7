// SPDX-License-Identifier: MIT
// The music's own synthesizer: reading MIDI files and SoundFonts (damaged ones too), and what a
// note sounds like: its pitch, its end, the pedal, and the level of the game's pieces.
#include "audio/Synthesizer.h"
#include "audio/MidiSequence.h"
#include "audio/SoundFont.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <filesystem>
#include <random>

namespace {

const char* const SoundFontPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int Rate = 22050;

// A type 0 file of one track holding `events` (delta times included), at 96 ticks a beat.
std::vector<uint8_t> midiFile(std::vector<uint8_t> events) {
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0,  0,   0,   6,   0,
                                 0,   0,   1,   0,   96, 'M', 'T', 'r', 'k'};
    std::vector<uint8_t> track = events;
    for (uint8_t b : {0x00, 0xFF, 0x2F, 0x00}) // end of track
        track.push_back(b);
    const uint32_t n = uint32_t(track.size());
    for (int shift : {24, 16, 8, 0})
        file.push_back(uint8_t(n >> shift));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

MidiSequence sequence(const std::vector<uint8_t>& file) {
    MidiSequence s;
    EXPECT_TRUE(s.read(file.data(), file.size(), Rate));
    return s;
}

struct PieceRow {
    const char* name;
    std::vector<uint8_t> events;
    std::set<PresetId> expected;
};

TEST(MidiSequence, PresetsEachChannelCanAskFor) {
    const PieceRow rows[] = {
        {"notes before any program play program 0", {0x00, 0x90, 60, 100}, {{0, 0}}},
        {"the program set before the notes", {0x00, 0xC0, 73, 0x00, 0x90, 60, 100}, {{0, 73}}},
        {"running status", {0x00, 0xC1, 24, 0x00, 0x91, 60, 100, 0x00, 62, 100}, {{0, 24}}},
        {"a note of velocity 0 is a release", {0x00, 0xC0, 5, 0x00, 0x91, 60, 0}, {}},
        {"a program on a silent channel", {0x00, 0xC2, 40, 0x00, 0x90, 60, 90}, {{0, 0}}},
        {"channel 10 plays drums", {0x00, 0xC9, 16, 0x00, 0x99, 36, 100}, {{128, 16}}},
        {"a bank selected, bank 0 too",
         {0x00, 0xB0, 0, 8, 0x00, 0xC0, 5, 0x00, 0x90, 60, 100},
         {{0, 5}, {8, 5}}},
        {"meta and system events are skipped",
         {0x00, 0xFF, 0x03, 2, 'a', 'b', 0x00, 0xF0, 2, 0x7E, 0xF7, 0x00, 0xC0, 6, 0x00, 0x90, 1,
          1},
         {{0, 6}}},
    };
    for (const PieceRow& row : rows)
        EXPECT_EQ(sequence(midiFile(row.events)).presets(), row.expected) << row.name;
}

TEST(MidiSequence, TimesFollowTheTempo) {
    // 120 beats a minute, then, a beat later, 240: the next beat takes a quarter second.
    const MidiSequence s = sequence(midiFile({0x00, 0x90, 60, 100,                   // at 0
                                              0x60, 0xFF, 0x51, 3, 0x03, 0xD0, 0x90, // tempo
                                              0x00, 0x80, 60, 0,                     // at 0.5 s
                                              0x60, 0x90, 62, 100}));                // at 0.75 s
    ASSERT_EQ(s.events.size(), 3u);
    EXPECT_EQ(s.events[0].frame, 0u);
    EXPECT_EQ(s.events[1].frame, uint32_t(Rate / 2));
    EXPECT_EQ(s.events[2].frame, uint32_t(std::lround(Rate * 0.75)));
    EXPECT_EQ(s.endFrame, uint32_t(std::lround(Rate * 0.75)));
}

TEST(MidiSequence, ChunksOfOtherKindsArePassedOver) {
    std::vector<uint8_t> file = midiFile({0x00, 0x90, 60, 100});
    const std::vector<uint8_t> alien = {'X', 'Y', 'Z', 'W', 0, 0, 0, 3, 1, 2, 3};
    file.insert(file.begin() + 14, alien.begin(), alien.end());
    MidiSequence s;
    ASSERT_TRUE(s.read(file.data(), file.size(), Rate));
    EXPECT_EQ(s.events.size(), 1u);
}

TEST(MidiSequence, DamagedFilesAreNotRead) {
    const std::vector<uint8_t> good = midiFile({0x00, 0xC0, 73, 0x00, 0x90, 60, 100});
    MidiSequence s;
    ASSERT_TRUE(s.read(good.data(), good.size(), Rate));
    // Cut anywhere, or with a track length beyond the end: not read, and no read past the end.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        const std::vector<uint8_t> part(good.begin(), good.begin() + long(cut));
        EXPECT_FALSE(s.read(part.data(), part.size(), Rate)) << cut;
        EXPECT_TRUE(s.events.empty());
    }
    std::vector<uint8_t> longTrack = good;
    longTrack[21] = 0xFF;
    EXPECT_FALSE(s.read(longTrack.data(), longTrack.size(), Rate));
    const std::vector<uint8_t> data = {0x00, 0x90, 0x3C}; // no header
    EXPECT_FALSE(s.read(data.data(), data.size(), Rate));
    // A data byte where a status belongs, after a meta event ended the running status.
    const std::vector<uint8_t> noStatus = midiFile({0x00, 0xFF, 0x01, 0, 0x00, 60, 100});
    EXPECT_FALSE(s.read(noStatus.data(), noStatus.size(), Rate));
}

std::vector<uint8_t> fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

std::unique_ptr<SoundFont> loadFont(const std::set<PresetId>& wanted) {
    std::string error;
    auto font = SoundFont::load(SoundFontPath, wanted, error);
    EXPECT_TRUE(font) << error;
    return font;
}

#define NEEDS_SOUNDFONT()                                                                          \
    if (!std::filesystem::exists(SoundFontPath)) GTEST_SKIP() << "needs " << SoundFontPath

TEST(SoundFont, HoldsOnlyWhatIsWantedAndWhatPlaysInPlaceOfTheMissing) {
    NEEDS_SOUNDFONT();
    // Bank 8 has no program 5 here: bank 0's plays. No drum kit 99: the standard kit plays.
    const auto font = loadFont({{0, 73}, {8, 5}, {128, 99}});
    ASSERT_TRUE(font);
    std::set<PresetId> held;
    for (const SoundFontPreset& p : font->presets())
        held.insert(p.id);
    EXPECT_EQ(held, (std::set<PresetId>{{0, 5}, {0, 73}, {128, 0}}));
    EXPECT_EQ(font->preset({8, 5})->id, (PresetId{0, 5}));
    EXPECT_EQ(font->preset({128, 99})->id, (PresetId{128, 0}));
    EXPECT_EQ(font->preset({0, 1}), nullptr);
    EXPECT_LT(font->samples().size() * 2, std::filesystem::file_size(SoundFontPath) / 2);

    std::string error;
    EXPECT_FALSE(SoundFont::load("/nonexistent.sf2", {{0, 0}}, error));
    EXPECT_NE(error.find("/nonexistent.sf2"), std::string::npos);
}

// Every region plays inside the samples, and a note on each preset renders.
void expectPlayable(const SoundFont& font, const std::string& label) {
    const size_t points = font.samples().size();
    for (const SoundFontPreset& p : font.presets()) {
        for (const SoundFontRegion& r : p.regions) {
            EXPECT_LT(r.start, r.end) << label;
            EXPECT_LE(size_t(r.end), points) << label;
            if (r.loops) {
                EXPECT_LE(size_t(r.loopEnd), points) << label;
            }
        }
        Synthesizer synth(font, Rate);
        synth.play({0, 0xC0, uint8_t(p.id.program), 0});
        synth.play({0, 0x90, 60, 127});
        std::vector<float> out(2 * 2048);
        synth.render(out.data(), 2048);
    }
}

TEST(SoundFont, DamagedFilesLoadNothingOrWhatPlaysSafely) {
    const std::vector<uint8_t> original = fileBytes(QString::fromLatin1(SoundFontPath));
    if (original.empty()) GTEST_SKIP() << "needs " << SoundFontPath;
    const std::set<PresetId> wanted = {{0, 0}, {0, 73}, {128, 0}};
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("damaged.sf2")).toStdString();
    auto write = [&](const std::vector<uint8_t>& bytes) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    };
    std::string error;
    // Cut short anywhere: the tables lie at the end, so every cut loses some.
    for (size_t cut : {size_t(0), size_t(11), size_t(100), original.size() / 2,
                       original.size() - 2000, original.size() - 1}) {
        write({original.begin(), original.begin() + long(cut)});
        EXPECT_FALSE(SoundFont::load(path, wanted, error)) << cut;
    }
    // Random bytes in the tables: nothing, or presets that play within their samples.
    std::mt19937 random(99);
    const size_t tables = original.size() - 40000;
    for (int round = 0; round < 200; ++round) {
        std::vector<uint8_t> bytes = original;
        for (int i = 0; i < 8; ++i)
            bytes[tables + random() % (original.size() - tables)] = uint8_t(random());
        write(bytes);
        if (const auto font = SoundFont::load(path, wanted, error))
            expectPlayable(*font, "round " + std::to_string(round));
    }
}

std::vector<float> renderMono(Synthesizer& synth, size_t frames) {
    std::vector<float> stereo(frames * 2), mono(frames);
    synth.render(stereo.data(), frames);
    for (size_t i = 0; i < frames; ++i)
        mono[i] = stereo[2 * i] + stereo[2 * i + 1];
    return mono;
}

// The fundamental frequency of a steady tone, from its autocorrelation.
double pitchOf(const std::vector<float>& x) {
    size_t best = 0;
    double bestValue = -1e30;
    for (size_t lag = Rate / 2000; lag <= Rate / 60; ++lag) {
        double sum = 0;
        for (size_t i = 0; i + lag < x.size(); ++i)
            sum += double(x[i]) * x[i + lag];
        sum /= double(x.size() - lag);
        // The first lag that nearly reaches the best is the period, not a multiple of it.
        if (sum > bestValue * 1.02) {
            bestValue = sum;
            best = lag;
        }
    }
    return double(Rate) / double(best);
}

double level(const std::vector<float>& x) {
    double sum = 0;
    for (float v : x)
        sum += double(v) * v;
    return std::sqrt(sum / double(x.size()));
}

TEST(Synthesizer, NotesSoundAtTheirPitchAndEnd) {
    NEEDS_SOUNDFONT();
    const auto font = loadFont({{0, 73}});
    ASSERT_TRUE(font);
    struct Row {
        int key;
        int bend; // 14 bits, 8192 in the middle; the range is two semitones
        double hertz;
    } rows[] = {{69, 8192, 440.0}, {57, 8192, 220.0}, {69, 16383, 493.9}, {69, 0, 392.0}};
    for (const Row& row : rows) {
        Synthesizer synth(*font, Rate);
        synth.play({0, 0xC0, 73, 0});
        synth.play({0, 0xE0, uint8_t(row.bend & 0x7F), uint8_t(row.bend >> 7)});
        synth.play({0, 0x90, uint8_t(row.key), 100});
        renderMono(synth, Rate / 5); // past the attack
        const std::vector<float> tone = renderMono(synth, Rate / 4);
        EXPECT_NEAR(pitchOf(tone), row.hertz, row.hertz * 0.02) << row.key << " " << row.bend;
        EXPECT_GT(level(tone), 50.0);
        // Released, it fades within its release time, and the voice is free again.
        synth.play({0, 0x80, uint8_t(row.key), 0});
        renderMono(synth, Rate * 2);
        EXPECT_FALSE(synth.sounding());
    }
}

TEST(Synthesizer, ThePedalHoldsReleasedNotes) {
    NEEDS_SOUNDFONT();
    const auto font = loadFont({{0, 73}});
    ASSERT_TRUE(font);
    Synthesizer synth(*font, Rate);
    synth.play({0, 0xC0, 73, 0});
    synth.play({0, 0xB0, 64, 127});
    synth.play({0, 0x90, 69, 100});
    renderMono(synth, Rate / 5);
    synth.play({0, 0x80, 69, 0});
    const double held = level(renderMono(synth, Rate));
    EXPECT_GT(held, 50.0) << "the pedal keeps it";
    synth.play({0, 0xB0, 64, 0});
    renderMono(synth, Rate * 2);
    EXPECT_FALSE(synth.sounding());
}

TEST(PieceRenderer, TheGamesPiecesPlayAtTheirLevelAndEnd) {
    NEEDS_SOUNDFONT();
    const QDir music(QStringLiteral(MORVEK_RUNTIME_DIR));
    const QStringList pieces = music.entryList({QStringLiteral("*.mid")});
    ASSERT_FALSE(pieces.isEmpty());
    for (const QString& name : pieces) {
        const std::vector<uint8_t> bytes = fileBytes(music.filePath(name));
        MidiSequence piece;
        ASSERT_TRUE(piece.read(bytes.data(), bytes.size(), Rate)) << name.toStdString();
        const auto font = loadFont(piece.presets());
        ASSERT_TRUE(font);
        PieceRenderer renderer(piece, *font, Rate);
        std::vector<int16_t> block(2 * 4096);
        uint64_t frames = 0;
        int peak = 0;
        double sum = 0;
        while (renderer.render(block.data(), 4096)) {
            frames += 4096;
            for (int16_t v : block) {
                peak = std::max(peak, std::abs(int(v)));
                sum += double(v) * v;
            }
            ASSERT_LT(frames, uint64_t(piece.endFrame) + 3 * Rate) << "rings on";
        }
        EXPECT_GE(frames + 4096, piece.endFrame);
        // Background music: clearly heard, well below the effects, never clipped.
        const double rms = std::sqrt(sum / double(frames * 2));
        EXPECT_GT(rms, 100.0) << name.toStdString();
        EXPECT_LT(peak, 8000) << name.toStdString();
    }
}

} // namespace
