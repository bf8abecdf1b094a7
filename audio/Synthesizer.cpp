// SPDX-License-Identifier: MIT
// A small SoundFont synthesizer for the game's background music.
#include "audio/Synthesizer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The music's level under the sound effects: about where it always was.
constexpr float MasterGain = 0.25f;
// A voice whose loudest sample is below a quarter of one step of the 16-bit output is silent.
constexpr float QuarterStep = 0.25f / 32768.0f;
// A note cut off by another of its exclusive class (an open hi-hat by a closed one) fades this
// fast.
constexpr float CutOffSeconds = 0.005f;
constexpr int DrumChannel = 9;

float decibels(float db) {
    return std::pow(10.0f, db / 20.0f);
}

// The factor per frame that takes an envelope down by 96 dB (all the way) in `seconds`.
float fallFactor(float seconds, float rate) {
    return std::pow(10.0f, -96.0f / 20.0f / std::max(1.0f, seconds * rate));
}

uint32_t frames(float seconds, float rate) {
    return uint32_t(std::max(0.0f, seconds * rate));
}

} // namespace

Synthesizer::Synthesizer(const SoundFont& font, int rate) : m_font(font), m_rate(float(rate)) {
    m_channels[DrumChannel].preset.bank = 128;
}

bool Synthesizer::sounding() const {
    return std::any_of(m_voices.begin(), m_voices.end(),
                       [](const Voice& v) { return v.stage != Stage::Off; });
}

void Synthesizer::play(const MidiEvent& event) {
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
    case 0x80:
        noteOff(channel, event.data1);
        break;
    case 0x90:
        if (event.data2 == 0)
            noteOff(channel, event.data1);
        else
            noteOn(channel, event.data1, event.data2);
        break;
    case 0xB0:
        controller(channel, event.data1, event.data2);
        break;
    case 0xC0:
        m_channels[size_t(channel)].preset.program = event.data1;
        break;
    case 0xE0: {
        m_channels[size_t(channel)].bend = event.data1 | event.data2 << 7;
        for (Voice& v : m_voices)
            if (v.stage != Stage::Off && v.channel == channel) setPitch(v);
        break;
    }
    default: // key and channel pressure change nothing here
        break;
    }
}

void Synthesizer::controller(int channel, int number, int value) {
    Channel& c = m_channels[size_t(channel)];
    switch (number) {
    case 0: // bank select; the drum channel keeps its kit
        if (channel != DrumChannel) c.preset.bank = value;
        break;
    case 6: // data entry: pitch bend range in semitones
        if (c.rpn == 0) c.bendRange = float(value);
        break;
    case 38: // and its cents
        if (c.rpn == 0) c.bendRange = std::floor(c.bendRange) + float(value) / 100.0f;
        break;
    case 7:
        c.volume = float(value) / 127.0f;
        break;
    case 10:
        c.pan = value;
        break;
    case 11:
        c.expression = float(value) / 127.0f;
        break;
    case 64:
        c.sustain = value >= 64;
        if (!c.sustain)
            for (Voice& v : m_voices)
                if (v.channel == channel && v.sustained) {
                    v.sustained = false;
                    if (v.stage != Stage::Off) release(v, v.region->release);
                }
        break;
    case 100:
        c.rpn = (c.rpn & 0x3F80) | value;
        break;
    case 101:
        c.rpn = (c.rpn & 0x7F) | value << 7;
        break;
    case 120: // all sound off
        for (Voice& v : m_voices)
            if (v.channel == channel) v.stage = Stage::Off;
        break;
    case 121: // reset controllers
        c.expression = 1.0f;
        c.sustain = false;
        c.bend = 8192;
        c.rpn = 0x3FFF;
        break;
    case 123: // all notes off
        for (Voice& v : m_voices)
            if (v.channel == channel && v.stage != Stage::Off && v.keyDown) {
                v.sustained = false;
                release(v, v.region->release);
            }
        break;
    default:
        return;
    }
    if (number == 7 || number == 10 || number == 11)
        for (Voice& v : m_voices)
            if (v.stage != Stage::Off && v.channel == channel) setGains(v);
}

void Synthesizer::noteOn(int channel, int key, int velocity) {
    const SoundFontPreset* preset = m_font.preset(m_channels[size_t(channel)].preset);
    if (!preset) return;
    ++m_notes;
    for (const SoundFontRegion& r : preset->regions) {
        if (key < r.lowKey || key > r.highKey || velocity < r.lowVelocity ||
            velocity > r.highVelocity)
            continue;
        if (r.exclusiveClass)
            for (Voice& v : m_voices)
                if (v.stage != Stage::Off && v.channel == channel &&
                    v.region->exclusiveClass == r.exclusiveClass && v.started != m_notes)
                    release(v, CutOffSeconds);
        Voice& v = freeVoice();
        v = Voice{};
        v.region = &r;
        v.channel = channel;
        v.note = key;
        v.key = r.forcedKey >= 0 ? r.forcedKey : key;
        v.velocity = r.forcedVelocity >= 0 ? r.forcedVelocity : velocity;
        v.keyDown = true;
        v.started = m_notes;
        v.position = r.start;
        setPitch(v);
        setGains(v);

        // The envelope; its hold and decay may follow the key.
        const float keyFromMiddle = float(60 - key);
        v.stage = Stage::Delay;
        v.remaining = frames(r.delay, m_rate);
        v.attackStep = 1.0f / std::max(1.0f, r.attack * m_rate);
        v.holdFrames = frames(r.hold * std::exp2(r.holdPerKey * keyFromMiddle / 1200.0f), m_rate);
        v.decayFactor =
            fallFactor(r.decay * std::exp2(r.decayPerKey * keyFromMiddle / 1200.0f), m_rate);
        v.sustainLevel = decibels(-r.sustain);
        v.releaseFactor = fallFactor(r.release, m_rate);

        if (r.filterCutoff > 0 && r.filterCutoff < 0.45f * m_rate) {
            const float w = 2.0f * std::numbers::pi_v<float> * r.filterCutoff / m_rate;
            const float q = std::max(0.5f, decibels(r.filterQ - 3.01f));
            const float alpha = std::sin(w) / (2.0f * q), cosw = std::cos(w);
            const float a0 = 1.0f + alpha;
            v.b1 = (1.0f - cosw) / a0;
            v.b0 = v.b2 = v.b1 / 2.0f;
            v.a1 = -2.0f * cosw / a0;
            v.a2 = (1.0f - alpha) / a0;
        }
    }
}

void Synthesizer::noteOff(int channel, int key) {
    const bool sustain = m_channels[size_t(channel)].sustain;
    for (Voice& v : m_voices) {
        if (v.stage == Stage::Off || v.channel != channel || !v.keyDown || v.note != key) continue;
        v.keyDown = false;
        if (sustain)
            v.sustained = true;
        else
            release(v, v.region->release);
    }
}

void Synthesizer::release(Voice& v, float seconds) {
    v.keyDown = false;
    if (v.stage == Stage::Off || v.stage == Stage::Release) {
        if (v.stage == Stage::Release)
            v.releaseFactor = std::min(v.releaseFactor, fallFactor(seconds, m_rate));
        return;
    }
    v.stage = Stage::Release;
    v.releaseFactor = fallFactor(seconds, m_rate);
}

void Synthesizer::setGains(Voice& v) const {
    const Channel& c = m_channels[size_t(v.channel)];
    const float velocity = float(v.velocity) / 127.0f;
    // Velocity, volume and expression each on the square curve General MIDI expects.
    const float gain = MasterGain * decibels(-v.region->attenuation) * velocity * velocity *
                       c.volume * c.volume * c.expression * c.expression;
    const float pan = std::clamp(v.region->pan + float(c.pan - 64) / 127.0f, -0.5f, 0.5f);
    const float angle = (pan + 0.5f) * std::numbers::pi_v<float> / 2.0f;
    v.left = gain * std::cos(angle);
    v.right = gain * std::sin(angle);
    v.inaudible = QuarterStep / std::max({v.left, v.right, 1e-9f});
}

void Synthesizer::setPitch(Voice& v) const {
    const Channel& c = m_channels[size_t(v.channel)];
    const SoundFontRegion& r = *v.region;
    const float bend = float(c.bend - 8192) / 8192.0f * c.bendRange * 100.0f;
    const float cents = float((v.key - r.rootKey) * r.scaleTuning + r.tuneCents) + bend;
    // Within what any instrument plays; a damaged tuning cannot make the loop below spin.
    v.step = std::clamp(std::exp2(double(cents) / 1200.0) * double(r.sampleRate) / double(m_rate),
                        1e-4, 256.0);
}

Synthesizer::Voice& Synthesizer::freeVoice() {
    Voice* best = nullptr;
    for (Voice& v : m_voices) {
        if (v.stage == Stage::Off) return v;
        // Else the quietest released voice, else the oldest.
        if (!best) {
            best = &v;
            continue;
        }
        const bool released = v.stage == Stage::Release,
                   bestReleased = best->stage == Stage::Release;
        if (released != bestReleased) {
            if (released) best = &v;
        } else if (released ? v.level < best->level : v.started < best->started) {
            best = &v;
        }
    }
    return *best;
}

void Synthesizer::render(float* out, size_t frames) {
    for (Voice& v : m_voices)
        if (v.stage != Stage::Off) renderVoice(v, out, frames);
}

void Synthesizer::renderVoice(Voice& v, float* out, size_t count) {
    const SoundFontRegion& r = *v.region;
    const int16_t* samples = m_font.samples().data();
    // The loop's state in locals: stores to `out` cannot then alias it.
    double position = v.position;
    const double step = v.step;
    float level = v.level, z1 = v.z1, z2 = v.z2;
    const float left = v.left, right = v.right;
    const bool filtered = v.b0 != 0.0f;
    const bool looping = r.loops && (v.keyDown || v.sustained || r.loopsInRelease);
    const double loopStart = r.loopStart, loopEnd = r.loopEnd, last = double(r.end - 1);
    Stage stage = v.stage;
    uint32_t remaining = v.remaining;
    for (size_t i = 0; i < count; ++i) {
        // The envelope.
        switch (stage) {
        case Stage::Delay:
            if (remaining > 0) {
                --remaining;
                continue; // nothing sounds yet, and the sample waits
            }
            stage = Stage::Attack;
            [[fallthrough]];
        case Stage::Attack:
            level += v.attackStep;
            if (level >= 1.0f) {
                level = 1.0f;
                stage = Stage::Hold;
                remaining = v.holdFrames;
            }
            break;
        case Stage::Hold:
            if (remaining > 0)
                --remaining;
            else
                stage = Stage::Decay;
            break;
        case Stage::Decay:
            level *= v.decayFactor;
            if (level <= v.sustainLevel) {
                level = v.sustainLevel;
                stage = level < v.inaudible ? Stage::Off : Stage::Sustain;
            }
            break;
        case Stage::Sustain:
        case Stage::Off:
            break;
        case Stage::Release:
            level *= v.releaseFactor;
            if (level < v.inaudible) stage = Stage::Off;
            break;
        }
        if (stage == Stage::Off) break;

        // The sample, between two points.
        const auto at = uint32_t(position);
        const float fraction = float(position - double(at));
        float s = float(samples[at]) + fraction * float(samples[at + 1] - samples[at]);
        if (filtered) {
            const float y = v.b0 * s + z1;
            z1 = v.b1 * s - v.a1 * y + z2;
            z2 = v.b2 * s - v.a2 * y;
            s = y;
        }
        s *= level;
        out[2 * i] += s * left;
        out[2 * i + 1] += s * right;

        position += step;
        if (looping) {
            if (position >= loopEnd)
                position = loopStart + std::fmod(position - loopStart, loopEnd - loopStart);
        } else if (position >= last) {
            stage = Stage::Off;
            break;
        }
    }
    v.position = position;
    v.level = level;
    v.z1 = z1;
    v.z2 = z2;
    v.stage = stage;
    v.remaining = remaining;
}

PieceRenderer::PieceRenderer(const MidiSequence& piece, const SoundFont& font, int rate)
    : m_piece(piece), m_synth(font, rate), m_ringOut(uint64_t(rate) * 2) {}

bool PieceRenderer::render(int16_t* out, size_t frames) {
    m_mix.assign(frames * 2, 0.0f);
    const std::vector<MidiEvent>& events = m_piece.events;
    for (size_t done = 0; done < frames;) {
        while (m_next < events.size() && events[m_next].frame <= m_frame)
            m_synth.play(events[m_next++]);
        size_t run = frames - done;
        if (m_next < events.size()) run = std::min<size_t>(run, events[m_next].frame - m_frame);
        m_synth.render(m_mix.data() + 2 * done, run);
        done += run;
        m_frame += run;
    }
    for (size_t i = 0; i < m_mix.size(); ++i)
        out[i] = int16_t(std::clamp(std::lround(m_mix[i]), -32768L, 32767L));
    return m_next < events.size() || m_frame < m_piece.endFrame ||
           (m_synth.sounding() && m_frame < m_piece.endFrame + m_ringOut);
}
