// SPDX-License-Identifier: MIT
// A small SoundFont synthesizer for the game's background music, and a piece played through it.
#pragma once

#include "audio/MidiSequence.h"
#include "audio/SoundFont.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// What background music needs of a General MIDI synthesizer, and no more: sample playback with
// loops, the volume envelope, a low-pass filter where an instrument asks for one, velocity,
// volume, expression, pan, sustain pedal and pitch bend. Not here: reverb, chorus, vibrato and
// the modulation envelope. Everything runs on the thread that renders; nothing is shared.
class Synthesizer {
  public:
    Synthesizer(const SoundFont& font, int rate);

    void play(const MidiEvent& event);
    // Adds the next `frames` frames of what sounds to `out` (interleaved stereo, in units of
    // 16-bit samples).
    void render(float* out, size_t frames);
    // Some voice still sounds.
    bool sounding() const;

    static constexpr size_t Voices = 64;

  private:
    struct Channel {
        PresetId preset;
        float volume = 100.0f / 127.0f, expression = 1.0f;
        int pan = 64;
        bool sustain = false;
        int bend = 8192;
        float bendRange = 2.0f; // semitones
        int rpn = 0x3FFF;       // the registered parameter that data entry sets; none
    };
    enum class Stage { Off, Delay, Attack, Hold, Decay, Sustain, Release };
    struct Voice {
        const SoundFontRegion* region = nullptr;
        Stage stage = Stage::Off;
        int channel = 0, note = 0, key = 0, velocity = 0; // key: the pitch it sounds at
        bool keyDown = false, sustained = false;
        uint64_t started = 0; // order of the notes, for stealing the oldest
        double position = 0, step = 0;
        float left = 0, right = 0; // gains
        float inaudible = 0;       // the envelope level below which it is less than a quarter bit
        // Envelope: its level, the step of each stage (added in attack, a factor in decay and
        // release), and the frames left in a timed stage (delay, hold).
        float level = 0, attackStep = 0, sustainLevel = 0, decayFactor = 1, releaseFactor = 1;
        uint32_t remaining = 0, holdFrames = 0;
        // Low-pass filter (biquad), off when b0 is 0.
        float b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
    };

    void noteOn(int channel, int key, int velocity);
    void noteOff(int channel, int key);
    void controller(int channel, int number, int value);
    void release(Voice& voice, float seconds);
    void setGains(Voice& voice) const;
    void setPitch(Voice& voice) const;
    Voice& freeVoice();
    void renderVoice(Voice& voice, float* out, size_t frames);

    const SoundFont& m_font;
    float m_rate;
    std::array<Channel, 16> m_channels{};
    std::array<Voice, Voices> m_voices{};
    uint64_t m_notes = 0;
};

// A piece played through a synthesizer, a block at a time.
class PieceRenderer {
  public:
    PieceRenderer(const MidiSequence& piece, const SoundFont& font, int rate);
    // Renders the next `frames` frames into `out` (interleaved stereo). False once the piece
    // and its last notes' ringing out are over; what follows then is silence.
    bool render(int16_t* out, size_t frames);

  private:
    const MidiSequence& m_piece;
    Synthesizer m_synth;
    size_t m_next = 0;
    uint64_t m_frame = 0;
    uint64_t m_ringOut; // frames after the end at most
    std::vector<float> m_mix;
};
