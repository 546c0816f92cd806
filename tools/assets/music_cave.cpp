// The cave theme: D minor over a cello ostinato that never stops. Four
// bars of ostinato and drums growing from a timpani stroke; a horn tune
// (A); a middle section (B) that turns to the flat side, to E flat, the
// horn an octave down under high tremolo strings; the tune again (C)
// doubled by the tremolo strings, loudest, with its seventh bar darkened;
// and four bars that sink back to the ostinato, a drum and timpani roll
// carrying them round to the start.
#include "music.h"
#include "music_score.h"

using namespace score;

namespace {

enum Channel { horn, choir, lowStrings, cello, timpani, tremolo };

constexpr uint32_t sixteenth = eighth / 2;

// One bar of ostinato in eighths: root, root, octave, root, fifth, root,
// the sixth (minor on minor chords and on the dominant A, which keep the
// scale's B flat and F; major elsewhere), fifth.
void ostinatoBar(Score& s, uint32_t tick, const Chord& chord, int velocity) {
    const int root = pitchAtOrAbove(chord.root, 38);
    const int sixth = chord.minor() || chord.root == 9 ? 8 : 9;
    const int steps[8] = {0, 0, 12, 0, 7, 0, sixth, 7};
    for (int i = 0; i < 8; ++i)
        s.note(cello, tick + uint32_t(i) * eighth, eighth * 3 / 4, root + steps[i], velocity + (i % 4 == 0 ? 10 : 0));
}

// Four sixteenths down the toms on the bar's last beat.
void tomFill(Score& s, uint32_t tick, int velocity) {
    const int toms[4] = {48, 47, 45, 43};
    for (uint32_t i = 0; i < 4; ++i)
        s.note(drumChannel, tick + 6 * eighth + i * sixteenth, sixteenth, toms[i], velocity + 6 * int(i));
}

// Steady drums, growing by section: kick alone, then hi-hats, then the full
// beat with a snare on two and four, a floor tom pushing beat four in the
// middle section and the kick doubled in the last tune.
void drumBar(Score& s, uint32_t tick, int barIndex) {
    const auto hit = [&](int key, uint32_t at, int velocity) {
        s.note(drumChannel, tick + at, sixteenth, key, velocity);
    };
    constexpr int kick = 36, snare = 38, floorTom = 41, closedHat = 42, crash = 49;
    const bool fullBeat = barIndex >= 4 && barIndex < 28, middle = barIndex >= 12 && barIndex < 20,
               last = barIndex >= 20 && barIndex < 28, fill = barIndex == 11 || barIndex == 19 || barIndex == 27;
    const int loud = last ? 12 : middle ? 6 : 0;
    hit(kick, 0, 84 + loud);
    hit(kick, 4 * eighth, 76 + loud);
    if (fullBeat) hit(kick, 3 * eighth, 64 + loud);
    if (last) hit(kick, 6 * eighth, 66 + loud);
    if (barIndex >= 2)
        for (uint32_t i = 0; i < 8; ++i) hit(closedHat, i * eighth, (i % 2 ? 38 : 54) + loud);
    if (fullBeat) {
        hit(snare, 2 * eighth, 72 + loud);
        if (!fill) hit(snare, 6 * eighth, 76 + loud);
    }
    if (middle && !fill) hit(floorTom, 7 * eighth, 64);
    if (barIndex == 4 || barIndex == 12 || barIndex == 20 || barIndex == 24) hit(crash, 0, 80 + loud);
    if (fill) tomFill(s, tick, 70 + loud);
    if (barIndex == 31) {  // a snare roll swelling into the loop
        for (uint32_t i = 0; i < 8; ++i) hit(snare, 4 * eighth + i * sixteenth, 40 + 8 * int(i));
    }
}

}  // namespace

std::vector<uint8_t> composeCaveTheme() {
    const auto chords = parseProgression(
        "Dm | Dm | Dm | Dm |"                          // ostinato
        "Dm | Dm | Bb | A | Dm | Gm | Bb | A7 |"       // A: the tune
        "Bb | Gm | Eb | A | Bb | Gm | Eb | A7 |"       // B: the flat side
        "Dm | Dm | Bb | A | Dm | Gm | Eb | A7 |"       // C: the tune again
        "Dm | Bb | Eb | A");                           // sinking back
    const auto tune = parseMelody(
        "D4:6 F4:2 | A4:6 G4:1 F4:1 | Bb4:6 A4:1 G4:1 | A4:8 |"
        "D5:3 E5:1 F5:4 | D5:3 C5:1 Bb4:4 | D5:2 C5:2 Bb4:2 A4:2 | E5:4 C#5:4");
    const auto flatSide = parseMelody(
        "F5:3 D5:1 Bb4:2 D5:2 | G5:3 F5:1 D5:4 | Eb5:3 D5:1 Eb5:2 G5:2 | F5:4 E5:4 |"
        "F5:3 D5:1 Bb4:2 D5:2 | G5:3 A5:1 Bb5:4 | G5:3 F5:1 Eb5:4 | E5:2 G5:2 C#5:4");
    const auto tuneAgain = parseMelody(
        "D4:6 F4:2 | A4:6 G4:1 F4:1 | Bb4:6 A4:1 G4:1 | A4:8 |"
        "D5:3 E5:1 F5:4 | D5:3 C5:1 Bb4:4 | Eb5:2 D5:2 C5:2 Bb4:2 | E5:4 C#5:4");
    const auto sinking = parseMelody("D4:8 | D4:8 | Eb4:8 | C#4:6 r:2");

    Score s(uint32_t(chords.size()) * bar);
    s.tempo(625000);  // 96 beats a minute
    s.setUpChannel(horn, 60, 104, 70, 60);
    s.setUpChannel(choir, 52, 76, 36, 100);
    s.setUpChannel(lowStrings, 48, 84, 90, 80);
    s.setUpChannel(cello, 42, 100, 56, 40);
    s.setUpChannel(timpani, 47, 92, 64, 70);
    s.setUpChannel(tremolo, 44, 70, 96, 90);
    s.setUpChannel(drumChannel, 0, 90, 64, 40);

    s.melody(horn, 4 * bar, tune, 78, 0, 0.96);
    s.melody(horn, 12 * bar, flatSide, 84, -12, 0.96);
    s.melody(tremolo, 12 * bar, flatSide, 64);
    s.melody(horn, 20 * bar, tuneAgain, 96, 0, 0.96);
    s.melody(tremolo, 20 * bar, tuneAgain, 70, 12);
    s.melody(horn, 28 * bar, sinking, 66, 0, 0.96);

    for (size_t b = 0; b < chords.size(); ++b) {
        const uint32_t tick = uint32_t(b) * bar;
        const Chord& chord = chords[b][0];
        const bool intro = b < 4, middle = b >= 12 && b < 20, last = b >= 20 && b < 28, sinkingBack = b >= 28;
        const int level = intro ? int(b) * 4 : middle ? 8 : last ? 16 : sinkingBack ? 4 - int(b - 28) * 4 : 4;
        ostinatoBar(s, tick, chord, 72 + level);
        if (b >= 2)
            for (int pitch : voicing(chord, 57)) s.note(choir, tick, bar - sixteenth, pitch, (b < 4 ? 40 : 56) + level);
        if (!intro)
            for (int pitch : voicing(chord, 45)) s.note(lowStrings, tick, bar - sixteenth, pitch, 58 + level);
        if (b == 0 || b == 2 || middle || last)
            s.note(timpani, tick, 2 * eighth, pitchAtOrAbove(chord.root, 38), 90 + level);
        drumBar(s, tick, int(b));
    }
    for (uint32_t i = 0; i < 8; ++i)  // the timpani roll on A under the last two beats
        s.note(timpani, 31 * bar + 4 * eighth + i * sixteenth, sixteenth, 45, 50 + 8 * int(i));
    return music::buildMds(ticksPerQuarter, s.events(), 960, s.length());
}
