// A score being composed: notes on MIDI channels at absolute ticks, with
// the channel set-up, the tempo, and a small text notation for melodies and
// chord progressions. Written out as stream events for the ".mds" writer.
//
// Called by the two pieces (music_opening.cpp, music_cave.cpp).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "music/mds_writer.h"

namespace score {

constexpr uint32_t ticksPerQuarter = 480;
constexpr uint32_t eighth = ticksPerQuarter / 2;
constexpr uint32_t bar = 8 * eighth;  // every piece is in 4/4
constexpr int drumChannel = 9;

// A melody note: pitch (60 = middle C; -1 a rest) and length in eighths.
struct Note {
    int pitch;
    int eighths;
};

// "C5:2 A4:1 Bb4:1 r:4 | ..." — note name with # or b, octave (C4 = 60),
// length in eighths; "|" ends a bar, and every bar must hold 8 eighths.
// Throws std::invalid_argument on a mistake.
std::vector<Note> parseMelody(std::string_view text);

// A chord: root pitch class (C = 0), its tones as semitones above the
// root, and the pitch class of its bass note.
struct Chord {
    int root;
    std::vector<int> tones;
    int bass;
    bool minor() const;
};

// "F | Am | Gm7 C7 | C/E | Bbmaj7 | Csus4" — one list per bar; a bar's
// chords share it equally. Throws std::invalid_argument on a mistake.
std::vector<std::vector<Chord>> parseProgression(std::string_view text);

// The chord's tones, one each, placed in the octave from `low` up, rising.
std::vector<int> voicing(const Chord& chord, int low);
// The lowest pitch of class `pitchClass` at or above `low`.
int pitchAtOrAbove(int pitchClass, int low);

class Score {
public:
    explicit Score(uint32_t length) : length_(length) {}
    uint32_t length() const { return length_; }

    void tempo(uint32_t microsecondsPerQuarter);
    // Program, volume, pan and reverb send, at tick 0.
    void setUpChannel(int channel, int program, int volume, int pan, int reverb);
    // A note, cut short at the end of the piece and where the same key on
    // the same channel strikes again.
    void note(int channel, uint32_t tick, uint32_t length, int pitch, int velocity);
    // Plays `notes` from `tick`, shaped: downbeats and high notes a little
    // louder. Each note sounds for `legato` of its length.
    void melody(int channel, uint32_t tick, const std::vector<Note>& notes, int velocity, int transpose = 0,
                double legato = 0.92);

    // Everything in time order; at equal ticks releases come first, then
    // settings, then new notes.
    std::vector<music::TimedEvent> events() const;

private:
    struct Sounding {
        int channel, pitch, velocity;
        uint32_t start, end;
    };
    uint32_t length_;
    std::vector<music::TimedEvent> settings_;
    std::vector<Sounding> notes_;
};

}  // namespace score
