// SPDX-License-Identifier: MIT
// The sound effects: four wave sounds held in memory, played by number on one mixer channel.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

struct GameOptions;
struct Mix_Chunk;

class SoundPlayer {
  public:
    // All effects share this channel, so a new sound cuts off the one still playing.
    static constexpr int Channel = 0;

    // The wave list of the game: the resources ":/waves/5.wav", "21", "22" and "23" for 1..4.
    // The player's options say whether sound is on; they must outlive the player.
    explicit SoundPlayer(const GameOptions& options);
    // Item n-1 holds the RIFF WAVE bytes of sound n; an empty item is a sound without data.
    SoundPlayer(const GameOptions& options, std::vector<QByteArray> waves);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Nothing at all while soundOn is false. 0 stops the sound playing; 1..4 play that wave
    // without waiting for it. No device, no data or data the mixer refuses: nothing is played
    // and the caller goes on. Other numbers are ignored.
    void playSnd(int32_t number);

    // The decoded chunk of sound 1..4 once it has been played or warmed up for, else null.
    const Mix_Chunk* chunk(int32_t number) const;

  private:
    void freeChunks();
    // Decodes wave `item` for the open device once; false when it is refused.
    bool decode(std::size_t item);

    const GameOptions& m_options;
    std::vector<QByteArray> m_waves;
    std::vector<Mix_Chunk*> m_chunks;
    std::vector<bool> m_refused; // decoded once: a refused wave is not tried again
    int m_closeHook = 0;
    int m_restHook = 0;
    int m_warmUpHook = 0;
};

// The wave bytes of the game's four sounds, read from the Qt resources.
std::vector<QByteArray> gameWaves();
