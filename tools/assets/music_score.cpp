#include "music_score.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>
#include <tuple>

namespace score {

namespace {

using music::shortEvent;
using music::TimedEvent;

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t stop = std::min(text.find(separator, start), text.size());
        std::string_view part = text.substr(start, stop - start);
        while (!part.empty() && std::isspace(static_cast<unsigned char>(part.front()))) part.remove_prefix(1);
        while (!part.empty() && std::isspace(static_cast<unsigned char>(part.back()))) part.remove_suffix(1);
        if (!part.empty()) parts.push_back(part);
        start = stop + 1;
    }
    return parts;
}

[[noreturn]] void mistake(std::string_view what, std::string_view where) {
    throw std::invalid_argument(std::string(what) + ": \"" + std::string(where) + "\"");
}

// "C", "F#", "Bb" at the front of `text`; removes it and answers the pitch class.
int takePitchClass(std::string_view& text) {
    static constexpr int naturals[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G') mistake("no note name", text);
    int pitchClass = naturals[text[0] - 'A'];
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pitchClass += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return (pitchClass + 12) % 12;
}

int number(std::string_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c); }))
        mistake("not a number", text);
    return std::stoi(std::string(text));
}

}  // namespace

std::vector<Note> parseMelody(std::string_view text) {
    std::vector<Note> notes;
    for (std::string_view barText : split(text, '|')) {
        int eighths = 0;
        for (std::string_view token : split(barText, ' ')) {
            const size_t colon = token.find(':');
            if (colon == std::string_view::npos) mistake("a note needs a length", token);
            std::string_view name = token.substr(0, colon);
            const int length = number(token.substr(colon + 1));
            int pitch = -1;
            if (name != "r") {
                const int pitchClass = takePitchClass(name);
                pitch = 12 * (number(name) + 1) + pitchClass;
            }
            notes.push_back({pitch, length});
            eighths += length;
        }
        if (eighths != 8) mistake("a bar must hold 8 eighths", barText);
    }
    return notes;
}

bool Chord::minor() const { return std::find(tones.begin(), tones.end(), 3) != tones.end(); }

std::vector<std::vector<Chord>> parseProgression(std::string_view text) {
    static const struct {
        std::string_view suffix;
        std::vector<int> tones;
    } kinds[] = {{"", {0, 4, 7}},         {"m", {0, 3, 7}},      {"7", {0, 4, 7, 10}},
                 {"m7", {0, 3, 7, 10}},   {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}}};
    std::vector<std::vector<Chord>> bars;
    for (std::string_view barText : split(text, '|')) {
        std::vector<Chord> chords;
        for (std::string_view token : split(barText, ' ')) {
            std::string_view rest = token;
            Chord chord{takePitchClass(rest), {}, 0};
            chord.bass = chord.root;
            const size_t slash = rest.find('/');
            if (slash != std::string_view::npos) {
                std::string_view bass = rest.substr(slash + 1);
                chord.bass = takePitchClass(bass);
                if (!bass.empty()) mistake("unknown bass note", token);
                rest = rest.substr(0, slash);
            }
            const auto kind = std::find_if(std::begin(kinds), std::end(kinds),
                                           [&](const auto& k) { return k.suffix == rest; });
            if (kind == std::end(kinds)) mistake("unknown chord", token);
            chord.tones = kind->tones;
            chords.push_back(chord);
        }
        bars.push_back(chords);
    }
    return bars;
}

int pitchAtOrAbove(int pitchClass, int low) { return low + ((pitchClass - low) % 12 + 12) % 12; }

std::vector<int> voicing(const Chord& chord, int low) {
    std::vector<int> pitches;
    for (int tone : chord.tones) pitches.push_back(pitchAtOrAbove((chord.root + tone) % 12, low));
    std::sort(pitches.begin(), pitches.end());
    return pitches;
}

void Score::tempo(uint32_t microsecondsPerQuarter) {
    settings_.push_back({0, music::tempoEvent(microsecondsPerQuarter)});
}

void Score::setUpChannel(int channel, int program, int volume, int pan, int reverb) {
    const auto controller = [&](uint8_t number, int value) {
        settings_.push_back({0, shortEvent(uint8_t(0xB0 | channel), number, uint8_t(value))});
    };
    if (channel != drumChannel) settings_.push_back({0, shortEvent(uint8_t(0xC0 | channel), uint8_t(program))});
    controller(7, volume);
    controller(10, pan);
    controller(91, reverb);
}

void Score::note(int channel, uint32_t tick, uint32_t length, int pitch, int velocity) {
    const uint32_t end = std::min(tick + length, length_);
    if (tick >= end) return;
    notes_.push_back({channel, pitch, std::clamp(velocity, 1, 127), tick, end});
}

void Score::melody(int channel, uint32_t tick, const std::vector<Note>& notes, int velocity, int transpose,
                   double legato) {
    int total = 0;
    for (const Note& n : notes) total += n.pitch < 0 ? 0 : n.pitch;
    int count = 0;
    for (const Note& n : notes) count += n.pitch >= 0;
    const int centre = count ? total / count : 60;
    for (const Note& n : notes) {
        const uint32_t length = uint32_t(n.eighths) * eighth;
        if (n.pitch >= 0) {
            const uint32_t inBar = tick % bar;
            const int accent = inBar == 0 ? 8 : inBar == bar / 2 ? 4 : inBar % ticksPerQuarter ? -4 : 0;
            note(channel, tick, uint32_t(length * legato), n.pitch + transpose,
                 velocity + accent + (n.pitch - centre) / 2);
        }
        tick += length;
    }
}

std::vector<TimedEvent> Score::events() const {
    // A note struck again before it was released is released there first.
    std::vector<Sounding> notes = notes_;
    std::sort(notes.begin(), notes.end(), [](const Sounding& a, const Sounding& b) {
        return std::tie(a.channel, a.pitch, a.start) < std::tie(b.channel, b.pitch, b.start);
    });
    for (size_t i = 0; i + 1 < notes.size(); ++i) {
        const Sounding &a = notes[i], &b = notes[i + 1];
        if (a.channel == b.channel && a.pitch == b.pitch) notes[i].end = std::min(a.end, b.start);
    }
    struct Ranked {
        TimedEvent event;
        int rank;  // 0 release, 1 setting, 2 strike
    };
    std::vector<Ranked> ranked;
    for (const TimedEvent& setting : settings_) ranked.push_back({setting, 1});
    for (const Sounding& n : notes) {
        if (n.start == n.end) continue;  // struck again at once: keep only the later note
        ranked.push_back({{n.start, shortEvent(uint8_t(0x90 | n.channel), uint8_t(n.pitch), uint8_t(n.velocity))}, 2});
        ranked.push_back({{n.end, shortEvent(uint8_t(0x80 | n.channel), uint8_t(n.pitch), 0)}, 0});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        return std::tie(a.event.tick, a.rank) < std::tie(b.event.tick, b.rank);
    });
    std::vector<TimedEvent> events;
    for (const Ranked& r : ranked) events.push_back(r.event);
    return events;
}

}  // namespace score
