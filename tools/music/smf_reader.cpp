#include "smf_reader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace music {

namespace {

std::string hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

// Big-endian reading inside [at, end); running out is an error naming
// `what`, the part of the file being read.
class Cursor {
public:
    Cursor(const uint8_t* at, const uint8_t* end, std::string what) : at_(at), end_(end), what_(std::move(what)) {}
    bool done() const { return at_ == end_; }
    size_t left() const { return size_t(end_ - at_); }
    uint8_t u8() {
        if (done()) fail("ends in the middle of an event");
        return *at_++;
    }
    uint32_t u16() {
        const uint32_t high = u8();
        return high << 8 | u8();
    }
    uint32_t u24() {
        const uint32_t high = u8();
        return high << 16 | u16();
    }
    uint32_t u32() {
        const uint32_t high = u16();
        return high << 16 | u16();
    }
    // A variable-length quantity: at most four bytes of seven bits each.
    uint32_t varLength() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = u8();
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) return value;
        }
        fail("has a variable-length number longer than four bytes");
    }
    void skip(uint32_t count) {
        if (count > left()) fail("has an event running past its end");
        at_ += count;
    }
    [[noreturn]] void fail(const std::string& problem) const { throw MidiFileError(what_ + " " + problem); }

private:
    const uint8_t* at_;
    const uint8_t* end_;
    std::string what_;
};

// Reads one track's events into `events`; returns its end-of-track tick.
uint32_t readTrack(Cursor track, std::vector<TimedEvent>& events) {
    uint64_t tick = 0;
    uint8_t running = 0;  // status of the last channel message; 0 = none
    while (!track.done()) {
        tick += track.varLength();
        if (tick > UINT32_MAX) track.fail("runs past 2^32 ticks");
        uint8_t status = track.u8();
        uint8_t first = 0;
        bool haveFirst = false;
        if (status < 0x80) {
            if (!running) track.fail("has a data byte " + hex(status) + " without a running status");
            first = status;
            haveFirst = true;
            status = running;
        }
        if (status < 0xF0) {
            running = status;
            const int dataCount = (status & 0xE0) == 0xC0 ? 1 : 2;  // program change, channel pressure: one
            uint8_t data[2] = {first, 0};
            for (int i = haveFirst ? 1 : 0; i < dataCount; ++i) data[i] = track.u8();
            if ((data[0] | data[1]) & 0x80) track.fail("has a status byte where a data byte belongs");
            events.push_back({uint32_t(tick), shortEvent(status, data[0], data[1])});
        } else if (status == 0xFF) {
            // Meta and SysEx events leave the running status alone: some
            // writers rely on that, and no valid file reads differently.
            const uint8_t type = track.u8();
            const uint32_t length = track.varLength();
            if (type == 0x2F) return uint32_t(tick);  // end of track; anything after it is ignored
            if (type == 0x51) {
                if (length != 3) track.fail("has a tempo event of length " + std::to_string(length));
                events.push_back({uint32_t(tick), tempoEvent(track.u24())});
            } else {
                track.skip(length);
            }
        } else if (status == 0xF0 || status == 0xF7) {
            track.skip(track.varLength());
        } else {
            track.fail("has an unexpected status byte " + hex(status));
        }
    }
    track.fail("has no end-of-track event");
}

}  // namespace

MidiSong readStandardMidi(const std::vector<uint8_t>& bytes) {
    const uint8_t* const begin = bytes.data();
    const uint8_t* const end = begin + bytes.size();
    if (bytes.size() < 14 || std::memcmp(begin, "MThd", 4) != 0)
        throw MidiFileError("not a standard MIDI file (no MThd header)");
    Cursor header(begin + 4, end, "the header");
    const uint32_t headerLength = header.u32();
    if (headerLength < 6 || headerLength > header.left())
        throw MidiFileError("the header has a bad length of " + std::to_string(headerLength));
    const uint32_t format = header.u16(), trackCount = header.u16(), division = header.u16();
    if (format == 2) throw MidiFileError("format 2 (independent sequences) is not supported");
    if (format > 2) throw MidiFileError("unknown format " + std::to_string(format));
    if (trackCount == 0) throw MidiFileError("the file has no tracks");
    if (division & 0x8000) throw MidiFileError("SMPTE time division is not supported, only ticks per quarter note");
    if (division == 0) throw MidiFileError("the time division is 0 ticks per quarter note");

    MidiSong song;
    song.ticksPerQuarter = division;
    const uint8_t* at = begin + 8 + headerLength;
    for (uint32_t index = 0; index < trackCount;) {
        const std::string name = "track " + std::to_string(index + 1) + " of " + std::to_string(trackCount);
        if (end - at < 8) throw MidiFileError("the file ends before " + name);
        Cursor head(at + 4, at + 8, name);
        const uint32_t length = head.u32();
        if (length > size_t(end - at - 8))
            throw MidiFileError(name + " claims " + std::to_string(length) + " bytes but only " +
                                std::to_string(end - at - 8) + " are left in the file");
        if (std::memcmp(at, "MTrk", 4) == 0) {  // chunks of other kinds are skipped
            song.endTick = std::max(song.endTick, readTrack(Cursor(at + 8, at + 8 + length, name), song.events));
            ++index;
        }
        at += 8 + length;
    }
    // Tracks were appended in order, so a stable sort puts the earlier
    // track first at equal ticks.
    std::stable_sort(song.events.begin(), song.events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
    return song;
}

}  // namespace music
