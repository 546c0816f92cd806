// Reads a standard MIDI file (format 0 or 1, ticks-per-quarter division)
// into one time-ordered list of stream events: channel messages as short
// events and tempo changes as tempo events. SysEx and the other meta events
// are dropped. Every length is checked against the file.
//
// Called by mid2mds.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "mds_writer.h"

namespace music {

struct MidiSong {
    uint32_t ticksPerQuarter = 0;
    std::vector<TimedEvent> events;  // tracks merged by tick; at equal ticks the earlier track first
    uint32_t endTick = 0;            // the latest end-of-track of all tracks
};

// What is wrong with a file that cannot be read, in words for the user.
class MidiFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws MidiFileError for a damaged or unsupported file.
MidiSong readStandardMidi(const std::vector<uint8_t>& bytes);

}  // namespace music
