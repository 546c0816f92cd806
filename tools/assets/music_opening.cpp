// The opening theme: a flute melody in F major over harp arpeggios, a
// string pad and a lilting acoustic bass. Two bars of harp alone, an
// eight-bar tune (asked on the dominant, answered on the tonic), an
// eight-bar middle section that climbs to its high point and is coloured
// by a piano an octave below, and two bars that turn back to the start.
#include "music.h"
#include "music_score.h"

using namespace score;

namespace {

enum Channel { flute, harp, strings, bass, piano };

// One bar of harp: up and down the chord from its root, in eighths; a
// bar shared by two chords gives each four rising notes.
void harpBar(Score& s, uint32_t tick, const std::vector<Chord>& chords, int velocity) {
    const uint32_t span = bar / uint32_t(chords.size());
    for (size_t c = 0; c < chords.size(); ++c) {
        const int root = pitchAtOrAbove(chords[c].root, 48);
        std::vector<int> up = voicing(chords[c], root + 1);
        if (up.size() == 3) up.push_back(up[0] + 12);
        const int figure[8] = {root, up[0], up[1], up[2], up[3], up[2], up[1], up[0]};
        for (uint32_t i = 0; i < span / eighth; ++i)
            s.note(harp, tick + c * span + i * eighth, 2 * eighth, figure[i], velocity + (i == 0 ? 8 : i % 2 ? -4 : 0));
    }
}

// One bar of bass: root, fifth, octave in a dotted-quarter lilt (3 + 3 +
// 2 eighths); for two chords, root and fifth of each; a whole note when
// `held`.
void bassBar(Score& s, uint32_t tick, const std::vector<Chord>& chords, int velocity, bool held) {
    const int first = pitchAtOrAbove(chords[0].bass, 36);
    if (held) {
        s.note(bass, tick, bar - eighth / 2, first, velocity);
    } else if (chords.size() == 1) {
        s.note(bass, tick, 3 * eighth, first, velocity + 6);
        s.note(bass, tick + 3 * eighth, 3 * eighth, first + 7, velocity);
        s.note(bass, tick + 6 * eighth, 2 * eighth - eighth / 4, first + 12, velocity - 4);
    } else {
        for (size_t c = 0; c < 2; ++c) {
            const int root = pitchAtOrAbove(chords[c].bass, 36);
            s.note(bass, tick + c * bar / 2, 3 * eighth, root, velocity + 4);
            s.note(bass, tick + c * bar / 2 + 3 * eighth, eighth - eighth / 4, root + 7, velocity - 4);
        }
    }
}

// Soft drums: a kick on the lilt, a side stick on beat three, shaker
// eighths — a ride instead in the middle section, and a little tom
// pick-up into the turn.
void drumBar(Score& s, uint32_t tick, int barIndex) {
    const auto hit = [&](int key, int eighthIndex, int velocity) {
        s.note(drumChannel, tick + uint32_t(eighthIndex) * eighth, eighth / 2, key, velocity);
    };
    constexpr int kick = 36, sideStick = 37, lowTom = 45, lowFloorTom = 41, highFloorTom = 43, ride = 51,
                  splash = 55, maracas = 70;
    const bool middle = barIndex >= 10 && barIndex < 18, turn = barIndex >= 18;
    hit(kick, 0, 54);
    if (!turn) {
        hit(kick, 3, 40);
        hit(sideStick, 4, 42);
    }
    for (int i = 0; i < 8; ++i) {
        if (middle && i % 2 == 0) hit(ride, i, i == 0 ? 46 : 38);
        if (!middle) hit(maracas, i, i % 2 ? 24 : 34);
    }
    if (barIndex == 10) hit(splash, 0, 50);
    if (barIndex == 17) {
        hit(lowTom, 5, 38);
        hit(highFloorTom, 6, 44);
        hit(lowFloorTom, 7, 50);
    }
}

}  // namespace

std::vector<uint8_t> composeOpeningTheme() {
    const auto chords = parseProgression(
        "F | Bb/F |"                                       // harp alone
        "F | Am | Bb | C | F | Dm | Gm7 C7 | F |"          // the tune
        "Dm | Bb | Gm | C | Dm | Bb | Gm7 | Csus4 C |"     // the middle section
        "Bbmaj7 | C7");                                    // back to the start
    const auto tune = parseMelody(
        "C5:2 A4:1 C5:1 F5:4 | E5:3 D5:1 C5:2 A4:2 | D5:2 Bb4:1 D5:1 G5:4 | F5:2 E5:1 D5:1 E5:4 |"
        "C5:2 A4:1 C5:1 F5:3 G5:1 | A5:2 G5:1 F5:1 D5:4 | G5:2 F5:1 D5:1 C5:2 E5:2 | F5:6 r:2");
    const auto middle = parseMelody(
        "A5:3 G5:1 F5:2 D5:2 | F5:3 D5:1 Bb4:4 | Bb4:2 D5:2 G5:2 Bb5:2 | A5:3 G5:1 E5:4 |"
        "A5:3 G5:1 F5:2 A5:2 | D6:4 C6:2 Bb5:2 | Bb5:3 A5:1 G5:2 F5:2 | G5:2 F5:2 E5:4");
    const auto turn = parseMelody("D5:2 F5:2 A5:4 | G5:6 r:2");

    Score s(uint32_t(chords.size()) * bar);
    s.tempo(750000);  // 80 beats a minute
    s.setUpChannel(flute, 73, 100, 64, 70);
    s.setUpChannel(harp, 46, 88, 40, 80);
    s.setUpChannel(strings, 48, 72, 88, 90);
    s.setUpChannel(bass, 32, 96, 60, 40);
    s.setUpChannel(piano, 0, 64, 76, 70);
    s.setUpChannel(drumChannel, 0, 70, 64, 50);

    uint32_t tick = 2 * bar;
    s.melody(flute, tick, tune, 74);
    s.melody(flute, tick + 8 * bar, middle, 84);
    s.melody(piano, tick + 8 * bar, middle, 56, -12, 0.85);
    s.melody(flute, tick + 16 * bar, turn, 70);

    for (size_t b = 0; b < chords.size(); ++b) {
        tick = uint32_t(b) * bar;
        const bool introOrTurn = b < 2 || b >= 18, middleSection = b >= 10 && b < 18;
        const int level = introOrTurn ? 0 : middleSection ? 10 : 4;
        harpBar(s, tick, chords[b], 48 + level);
        const uint32_t span = bar / uint32_t(chords[b].size());
        for (size_t c = 0; c < chords[b].size(); ++c)
            for (int pitch : voicing(chords[b][c], 53))
                s.note(strings, tick + c * span, span - eighth / 4, pitch, (b < 2 ? 36 : 46) + level);
        bassBar(s, tick, chords[b], 70 + level, introOrTurn);
        if (b >= 2) drumBar(s, tick, int(b));
    }
    return music::buildMds(ticksPerQuarter, s.events(), 1536, s.length());
}
