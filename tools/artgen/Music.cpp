// SPDX-License-Identifier: MIT
// Background music: public-domain tunes arranged for General MIDI and written as MIDI files.
#include "ArtGen.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr int Division = 480; // ticks per quarter note

struct Note {
    double beat, length; // in quarter notes
    int pitch, velocity;
};

// One instrument's line: a General MIDI program on a channel of its own.
struct Part {
    int program, channel, volume;
    std::vector<Note> notes;
};

int pitchOf(const QString& name) {
    static const std::map<QChar, int> steps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                               {'G', 7}, {'A', 9}, {'B', 11}};
    int pc = steps.at(name[0]);
    int i = 1;
    if (name[i] == '#')
        ++pc, ++i;
    else if (name[i] == 'b')
        --pc, ++i;
    return 12 * (name.mid(i).toInt() + 1) + pc;
}

// A melody written as "A4/1 C5/2 | r/1 ...": note or rest "r", slash, length in quarter notes.
// Bar lines are for the reader. Returns the length in beats.
double addMelody(Part& part, double start, const char* text, int velocity) {
    double beat = start;
    const QStringList tokens = QString::fromLatin1(text).split(' ', Qt::SkipEmptyParts);
    for (const QString& token : tokens) {
        if (token == QStringLiteral("|")) continue;
        const QStringList nl = token.split('/');
        const double length = nl[1].toDouble();
        if (nl[0] != QStringLiteral("r"))
            part.notes.push_back({beat, length * 0.95, pitchOf(nl[0]), velocity});
        beat += length;
    }
    return beat - start;
}

// Chord tones: root pitch class and intervals of "C", "Am", "G7", "F#m" and the like.
std::vector<int> chordTones(const QString& name, int& root) {
    root = pitchOf(name.left(name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1) +
                   QStringLiteral("0")) %
           12;
    std::vector<int> tones = {0, name.contains('m') ? 3 : 4, 7};
    if (name.endsWith('7')) tones.push_back(10);
    return tones;
}

// Pitch of chord tone pc nearest above `low`.
int pitchAbove(int pc, int low) {
    return low + ((pc - low) % 12 + 12) % 12;
}

enum class MusicStyle { Arpeggio, Pad, Bass, Waltz };

// Accompaniment, one chord per bar (names separated by spaces), from `start`.
void addChords(Part& part, double start, int beatsPerBar, const char* chords, MusicStyle style,
               int velocity) {
    const QStringList names = QString::fromLatin1(chords).split(' ', Qt::SkipEmptyParts);
    double bar = start;
    for (const QString& name : names) {
        if (name == QStringLiteral("|")) continue;
        int root = 0;
        const std::vector<int> tones = chordTones(name, root);
        std::vector<int> voiced;
        for (int t : tones)
            voiced.push_back(pitchAbove((root + t) % 12, 55));
        std::sort(voiced.begin(), voiced.end());
        const int bass = pitchAbove(root, 40);
        switch (style) {
        case MusicStyle::Pad:
            for (int p : voiced)
                part.notes.push_back({bar, beatsPerBar * 0.98, p, velocity});
            break;
        case MusicStyle::Bass:
            part.notes.push_back({bar, beatsPerBar * 0.9, bass, velocity});
            break;
        case MusicStyle::Waltz:
            // Bass note, then the chord on the other beats.
            part.notes.push_back({bar, 0.9, bass, velocity + 8});
            for (int b = 1; b < beatsPerBar; ++b)
                for (int p : voiced)
                    part.notes.push_back({bar + b, 0.8, p, velocity - 6});
            break;
        case MusicStyle::Arpeggio: {
            // Rising and falling eighth notes through the chord.
            std::vector<int> run = {bass, voiced[0], voiced[1], voiced[2], voiced[1], voiced[0]};
            if (beatsPerBar == 4)
                run = {bass,           voiced[0], voiced[1], voiced[2],
                       voiced[0] + 12, voiced[2], voiced[1], voiced[0]};
            for (size_t i = 0; i < run.size() && i < size_t(beatsPerBar * 2); ++i)
                part.notes.push_back({bar + i * 0.5, 0.95, run[i], velocity - (i == 0 ? 0 : 8)});
            break;
        }
        }
        bar += beatsPerBar;
    }
}

void putVar(QByteArray& b, uint32_t v) {
    char bytes[5];
    int n = 0;
    bytes[n++] = char(v & 0x7F);
    while (v >>= 7)
        bytes[n++] = char((v & 0x7F) | 0x80);
    while (n)
        b.append(bytes[--n]);
}
void put32(QByteArray& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        b.append(char((v >> s) & 0xFF));
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray b(id);
    put32(b, uint32_t(body.size()));
    return b + body;
}

struct NoteEvent {
    uint32_t tick;
    int order; // note-offs first at the same tick
    QByteArray bytes;
};

QByteArray track(std::vector<NoteEvent> events) {
    std::stable_sort(events.begin(), events.end(), [](const NoteEvent& a, const NoteEvent& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    QByteArray body;
    uint32_t now = 0;
    for (const NoteEvent& e : events) {
        putVar(body, e.tick - now);
        body.append(e.bytes);
        now = e.tick;
    }
    putVar(body, 0);
    body.append("\xFF\x2F\x00", 3);
    return chunk("MTrk", body);
}

QByteArray meta(uint8_t type, const QByteArray& data) {
    QByteArray b;
    b.append(char(0xFF)).append(char(type));
    putVar(b, uint32_t(data.size()));
    return b + data;
}

// Type 1 file: a conductor track with title, metre and tempo, then one track per part.
QByteArray midiFile(const char* title, int beatsPerBar, int bpm, const std::vector<Part>& parts) {
    QByteArray file;
    QByteArray header;
    header.append('\0').append(char(1));
    header.append('\0').append(char(parts.size() + 1));
    header.append(char(Division >> 8)).append(char(Division & 0xFF));
    file += chunk("MThd", header);
    const uint32_t usPerBeat = 60000000u / uint32_t(bpm);
    QByteArray tempo;
    tempo.append(char(usPerBeat >> 16))
        .append(char((usPerBeat >> 8) & 0xFF))
        .append(char(usPerBeat & 0xFF));
    QByteArray metre;
    metre.append(char(beatsPerBar)).append(char(2)).append(char(24)).append(char(8));
    file +=
        track({{0, 0, meta(0x03, title)}, {0, 1, meta(0x58, metre)}, {0, 2, meta(0x51, tempo)}});
    for (const Part& part : parts) {
        const char ch = char(part.channel);
        std::vector<NoteEvent> events;
        events.push_back({0, 0, QByteArray().append(char(0xC0 | ch)).append(char(part.program))});
        events.push_back(
            {0, 1, QByteArray().append(char(0xB0 | ch)).append(char(7)).append(char(part.volume))});
        events.push_back(
            {0, 2, QByteArray().append(char(0xB0 | ch)).append(char(91)).append(char(60))});
        for (const Note& n : part.notes) {
            const uint32_t on = uint32_t(std::lround(n.beat * Division));
            const uint32_t off = uint32_t(std::lround((n.beat + n.length) * Division));
            const int vel = std::clamp(n.velocity, 1, 127);
            events.push_back(
                {on, 4,
                 QByteArray().append(char(0x90 | ch)).append(char(n.pitch)).append(char(vel))});
            events.push_back(
                {off, 3,
                 QByteArray().append(char(0x80 | ch)).append(char(n.pitch)).append(char(0))});
        }
        file += track(events);
    }
    return file;
}

// GM programs, counted from 0.
constexpr int Piano = 0, Harpsichord = 6, MusicBox = 10, NylonGuitar = 24, AcousticBass = 32,
              Cello = 42, Strings = 48, Harp = 46, Clarinet = 71, Flute = 73, Recorder = 74;

// Greensleeves, English traditional (16th century).
QByteArray greensleeves() {
    const char* tune = "A4/1 | C5/2 D5/1 | E5/1.5 F5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                       " C5/2 A4/1 | A4/1.5 G#4/.5 A4/1 | B4/2 G#4/1 | E4/2 A4/1 |"
                       " C5/2 D5/1 | E5/1.5 F5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                       " C5/1.5 B4/.5 A4/1 | G#4/1.5 F#4/.5 G#4/1 | A4/5 r/1 |"
                       " G5/3 | G5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                       " C5/2 A4/1 | A4/1.5 G#4/.5 A4/1 | B4/2 G#4/1 | E4/3 |"
                       " G5/3 | G5/1.5 F#5/.5 E5/1 | D5/2 B4/1 | G4/1.5 A4/.5 B4/1 |"
                       " C5/1.5 B4/.5 A4/1 | G#4/1.5 F#4/.5 G#4/1 | A4/5";
    const char* chords = "Am C G Em Am F E E Am C G Em Am E Am Am "
                         "C C G Em Am F E E C C G Em Am E Am Am";
    Part melody{Flute, 0, 92, {}}, second{Clarinet, 1, 88, {}}, guitar{NylonGuitar, 2, 84, {}},
        pad{Strings, 3, 60, {}}, bass{AcousticBass, 4, 80, {}};
    const double pass = addMelody(melody, 0, tune, 84);
    addMelody(second, pass, tune, 78);
    addChords(guitar, 1, 3, chords, MusicStyle::Arpeggio, 64);
    addChords(guitar, 1 + pass, 3, chords, MusicStyle::Arpeggio, 58);
    addChords(pad, 1 + pass, 3, chords, MusicStyle::Pad, 44);
    addChords(bass, 1, 3, chords, MusicStyle::Bass, 70);
    addChords(bass, 1 + pass, 3, chords, MusicStyle::Bass, 70);
    // Closing chord.
    const double end = 2 * pass + 1;
    second.notes.push_back({end - 1, 4, pitchOf(QStringLiteral("A4")), 70});
    addChords(pad, end, 3, "Am", MusicStyle::Pad, 44);
    addChords(bass, end, 3, "Am", MusicStyle::Bass, 60);
    return midiFile("Greensleeves", 3, 84, {melody, second, guitar, pad, bass});
}

// Minuet in G major, BWV Anh. 114, from the Notebook for Anna Magdalena Bach (1725).
QByteArray minuet() {
    const char* a =
        "D5/1 G4/.5 A4/.5 B4/.5 C5/.5 | D5/1 G4/1 G4/1 | E5/1 C5/.5 D5/.5 E5/.5 F#5/.5 |"
        " G5/1 G4/1 G4/1 | C5/1 D5/.5 C5/.5 B4/.5 A4/.5 | B4/1 C5/.5 B4/.5 A4/.5 G4/.5 |"
        " F#4/1 G4/.5 A4/.5 B4/.5 G4/.5 | A4/3 |"
        " D5/1 G4/.5 A4/.5 B4/.5 C5/.5 | D5/1 G4/1 G4/1 | E5/1 C5/.5 D5/.5 E5/.5 F#5/.5 |"
        " G5/1 G4/1 G4/1 | C5/1 D5/.5 C5/.5 B4/.5 A4/.5 | B4/1 C5/.5 B4/.5 A4/.5 G4/.5 |"
        " A4/1 B4/.5 A4/.5 G4/.5 F#4/.5 | G4/3";
    const char* b =
        "B5/1 G5/.5 A5/.5 B5/.5 G5/.5 | A5/1 D5/.5 E5/.5 F#5/.5 D5/.5 |"
        " G5/1 E5/.5 F#5/.5 G5/.5 D5/.5 | C#5/1 B4/.5 C#5/.5 A4/1 |"
        " A4/.5 B4/.5 C#5/.5 D5/.5 E5/.5 F#5/.5 | G5/1 F#5/1 E5/1 | F#5/1 A4/1 C#5/1 | D5/3 |"
        " D5/1 G4/.5 F#4/.5 G4/1 | E5/1 G4/.5 F#4/.5 G4/1 | D5/1 C5/1 B4/1 |"
        " A4/.5 G4/.5 F#4/.5 G4/.5 A4/1 | D4/.5 E4/.5 F#4/.5 G4/.5 A4/.5 B4/.5 |"
        " C5/1 B4/1 A4/1 | B4/.5 D5/.5 G4/1 F#4/1 | G4/3";
    const char* chordsA = "G G C G C G D D G G C G C G D G";
    const char* chordsB = "G D G A7 A Em A7 D G C G D D Am D G";
    Part flute{Flute, 0, 90, {}}, harpsichord{Harpsichord, 1, 80, {}}, waltz{Harp, 2, 76, {}},
        bass{Cello, 3, 70, {}};
    double beat = 0;
    for (int pass = 0; pass < 4; ++pass) {
        const bool isA = pass < 2;
        Part& lead = pass % 2 == 0 ? flute : harpsichord;
        const double len = addMelody(lead, beat, isA ? a : b, pass % 2 == 0 ? 84 : 74);
        addChords(waltz, beat, 3, isA ? chordsA : chordsB, MusicStyle::Waltz, 58);
        addChords(bass, beat, 3, isA ? chordsA : chordsB, MusicStyle::Bass, 64);
        beat += len;
    }
    addChords(waltz, beat, 3, "G", MusicStyle::Pad, 50);
    addChords(bass, beat, 3, "G", MusicStyle::Bass, 56);
    return midiFile("Minuet in G", 3, 108, {flute, harpsichord, waltz, bass});
}

// "Ode to Joy", the theme of the last movement of Beethoven's Ninth Symphony (1824).
QByteArray ode() {
    const char* tune =
        "E5/1 E5/1 F5/1 G5/1 | G5/1 F5/1 E5/1 D5/1 | C5/1 C5/1 D5/1 E5/1 | E5/1.5 D5/.5 D5/2 |"
        " E5/1 E5/1 F5/1 G5/1 | G5/1 F5/1 E5/1 D5/1 | C5/1 C5/1 D5/1 E5/1 | D5/1.5 C5/.5 C5/2 |"
        " D5/1 D5/1 E5/1 C5/1 | D5/1 E5/.5 F5/.5 E5/1 C5/1 | D5/1 E5/.5 F5/.5 E5/1 D5/1 |"
        " C5/1 D5/1 G4/2 |"
        " E5/1 E5/1 F5/1 G5/1 | G5/1 F5/1 E5/1 D5/1 | C5/1 C5/1 D5/1 E5/1 | D5/1.5 C5/.5 C5/2";
    const char* chords = "C G C G C G C G G G G C C G C C";
    Part lead1{MusicBox, 0, 84, {}}, lead2{Clarinet, 1, 86, {}}, lead3{Recorder, 2, 82, {}},
        piano{Piano, 3, 76, {}}, pad{Strings, 4, 58, {}}, bass{AcousticBass, 5, 78, {}};
    Part* leads[3] = {&lead1, &lead2, &lead3};
    double beat = 0;
    for (int pass = 0; pass < 3; ++pass) {
        const double len = addMelody(*leads[pass], beat, tune, 80);
        addChords(piano, beat, 4, chords, MusicStyle::Arpeggio, pass == 1 ? 60 : 54);
        if (pass > 0) addChords(pad, beat, 4, chords, MusicStyle::Pad, 42);
        addChords(bass, beat, 4, chords, MusicStyle::Bass, 66);
        beat += len;
    }
    lead3.notes.push_back({beat, 4, pitchOf(QStringLiteral("C5")), 70});
    addChords(pad, beat, 4, "C", MusicStyle::Pad, 42);
    addChords(bass, beat, 4, "C", MusicStyle::Bass, 60);
    return midiFile("Ode to Joy", 4, 92, {lead1, lead2, lead3, piano, pad, bass});
}

} // namespace

bool writeMusic(const QString& dir) {
    if (!QDir().mkpath(dir)) return false;
    const std::pair<const char*, QByteArray> tunes[] = {
        {"greensleeves.mid", greensleeves()}, {"minuet.mid", minuet()}, {"ode.mid", ode()}};
    for (const auto& [name, bytes] : tunes) {
        QFile f(dir + QLatin1Char('/') + QLatin1String(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return false;
    }
    return true;
}
