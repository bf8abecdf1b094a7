// SPDX-License-Identifier: MIT
// The SoundFont subset: which presets a piece can ask for, a subset that sounds exactly like the
// whole SoundFont, and damaged SoundFonts that give no subset rather than a crash.
#include "audio/SoundFontSubset.h"
#include "audio/SubsetLoader.h"
#include "audio/SynthLibrary.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>
#include <random>

namespace {

const char* const SoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A type 0 file of one track holding `events` (each with a delta time of 0).
std::vector<uint8_t> midiFile(std::vector<uint8_t> events) {
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0,  0,   0,   6,   0,
                                 0,   0,   1,   0,   96, 'M', 'T', 'r', 'k'};
    std::vector<uint8_t> track;
    for (size_t i = 0; i < events.size(); ++i)
        track.push_back(events[i]);
    for (uint8_t b : {0x00, 0xFF, 0x2F, 0x00}) // end of track
        track.push_back(b);
    const uint32_t n = uint32_t(track.size());
    for (int shift : {24, 16, 8, 0})
        file.push_back(uint8_t(n >> shift));
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

struct PieceRow {
    const char* name;
    std::vector<uint8_t> events;
    std::set<PresetId> expected;
};

TEST(PresetsOfPiece, WhatEachChannelCanAskFor) {
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
    for (const PieceRow& row : rows) {
        const std::vector<uint8_t> file = midiFile(row.events);
        EXPECT_EQ(presetsOfPiece(file.data(), file.size()), row.expected) << row.name;
    }
}

TEST(PresetsOfPiece, DamagedFilesAskForNothing) {
    const std::vector<uint8_t> good = midiFile({0x00, 0xC0, 73, 0x00, 0x90, 60, 100});
    ASSERT_FALSE(presetsOfPiece(good.data(), good.size()).empty());
    // Cut anywhere, or with a track length beyond the end: nothing, and no read past the end.
    for (size_t cut = 0; cut < good.size(); ++cut) {
        const std::vector<uint8_t> part(good.begin(), good.begin() + long(cut));
        EXPECT_TRUE(presetsOfPiece(part.data(), part.size()).empty()) << cut;
    }
    std::vector<uint8_t> longTrack = good;
    longTrack[21] = 0xFF;
    EXPECT_TRUE(presetsOfPiece(longTrack.data(), longTrack.size()).empty());
    const std::vector<uint8_t> data = {0x00, 0x90, 0x3C}; // no header
    EXPECT_TRUE(presetsOfPiece(data.data(), data.size()).empty());
}

std::vector<uint8_t> fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

// The first seconds of a piece as the synthesizer renders it from `soundFont`.
std::vector<int16_t> render(const SynthLibrary& lib, const std::vector<uint8_t>& piece,
                            const std::string& soundFont, bool throughLoader) {
    void* settings = lib.newSettings();
    lib.settingsSetNum(settings, "synth.sample-rate", 22050);
    lib.settingsSetInt(settings, "synth.dynamic-sample-loading", 1);
    lib.settingsSetStr(settings, "player.timing-source", "sample");
    void* synth = lib.newSynth(settings);
    if (throughLoader) addSubsetLoader(lib, settings, synth);
    std::vector<int16_t> out;
    if (lib.loadSoundFont(synth, soundFont.c_str(), 1) != -1) {
        void* player = lib.newPlayer(synth);
        lib.playerAddMem(player, piece.data(), piece.size());
        lib.playerPlay(player);
        out.resize(1024 * 172); // eight seconds
        for (size_t at = 0; at < out.size(); at += 1024)
            lib.writeS16(synth, 512, out.data() + at, 0, 2, out.data() + at, 1, 2);
        lib.playerStop(player);
        lib.deletePlayer(player);
    }
    lib.deleteSynth(synth);
    lib.deleteSettings(settings);
    return out;
}

TEST(SoundFontSubset, SoundsLikeTheWholeSoundFont) {
    const SynthLibrary* lib = synthLibrary();
    if (!lib || !std::filesystem::exists(SoundFont) || !lib->newDefaultLoader)
        GTEST_SKIP() << "needs FluidSynth and " << SoundFont;
    const QDir music(QStringLiteral(MORVEK_RUNTIME_DIR));
    const QStringList pieces = music.entryList({QStringLiteral("*.mid")});
    ASSERT_FALSE(pieces.isEmpty());
    for (const QString& name : pieces) {
        const std::vector<uint8_t> piece = fileBytes(music.filePath(name));
        const std::set<PresetId> wanted = presetsOfPiece(piece.data(), piece.size());
        ASSERT_FALSE(wanted.empty()) << name.toStdString();
        std::shared_ptr<const SoundFontSubset> subset = SoundFontSubset::make(SoundFont, wanted);
        ASSERT_TRUE(subset) << name.toStdString();
        EXPECT_LE(size_t(subset->presetCount()), wanted.size());
        EXPECT_LT(subset->size(), std::filesystem::file_size(SoundFont) / 2);

        const SubsetFile file(subset);
        const std::vector<int16_t> whole = render(*lib, piece, SoundFont, false);
        const std::vector<int16_t> cut = render(*lib, piece, file.name(), true);
        ASSERT_FALSE(whole.empty());
        EXPECT_NE(std::count(whole.begin(), whole.end(), 0), long(whole.size()));
        EXPECT_TRUE(cut == whole) << name.toStdString() << ": the subset sounds different";
    }
}

TEST(SoundFontSubset, DamagedSoundFontsGiveNoSubsetOrAReadableOne) {
    const std::vector<uint8_t> original = fileBytes(QString::fromLatin1(SoundFont));
    if (original.empty()) GTEST_SKIP() << "needs " << SoundFont;
    const std::set<PresetId> wanted = {{0, 0}, {0, 73}, {128, 0}};
    ASSERT_TRUE(SoundFontSubset::make(SoundFont, wanted));
    EXPECT_FALSE(SoundFontSubset::make(SoundFont, {{5, 5}})) << "holds none of them";
    EXPECT_FALSE(SoundFontSubset::make("/nonexistent.sf2", wanted));

    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("damaged.sf2")).toStdString();
    auto write = [&](const std::vector<uint8_t>& bytes) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    };
    // Cut short anywhere: the tables lie at the end, so every cut loses some.
    for (size_t cut : {size_t(0), size_t(11), size_t(100), original.size() / 2,
                       original.size() - 2000, original.size() - 1}) {
        write({original.begin(), original.begin() + long(cut)});
        EXPECT_FALSE(SoundFontSubset::make(path, wanted)) << cut;
    }
    // Random bytes in the tables: no subset, or one that reads whole.
    std::mt19937 random(99);
    const size_t tables = original.size() - 40000;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = original;
        for (int i = 0; i < 8; ++i)
            bytes[tables + random() % (original.size() - tables)] = uint8_t(random());
        write(bytes);
        if (const auto subset = SoundFontSubset::make(path, wanted)) {
            std::vector<uint8_t> all(size_t(subset->size()));
            EXPECT_TRUE(subset->read(0, all.data(), all.size())) << round;
            EXPECT_FALSE(subset->read(subset->size(), all.data(), 1));
        }
    }
}

} // namespace
