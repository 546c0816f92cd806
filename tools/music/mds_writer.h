// Timed MIDI stream events and the ".mds" file they are written into: a
// RIFF "MIDS" form whose "data" chunk holds the performance cut into
// blocks of 12-byte stream event records (delta ticks, stream 0, event
// word), ready to be queued on a MIDI stream block by block.
//
// Called by make_assets (the game's two pieces) and by mid2mds.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace music {

// One stream event at an absolute tick. The event word's high byte is its
// type (below); the low 24 bits are its parameter.
struct TimedEvent {
    uint32_t tick = 0;
    uint32_t event = 0;
    bool operator==(const TimedEvent&) const = default;
};

constexpr uint32_t recordBytes = 12;
constexpr uint32_t defaultTempo = 500000;  // µs per quarter note when no tempo is given

// A short MIDI message: status | data1 << 8 | data2 << 16.
constexpr uint32_t shortEvent(uint8_t status, uint8_t data1, uint8_t data2 = 0) {
    return uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16;
}
constexpr uint32_t tempoEvent(uint32_t microsecondsPerQuarter) {
    return 0x01000000u | (microsecondsPerQuarter & 0xFFFFFFu);
}
// Does nothing; marks the exact end of the piece so that a loop lasts as
// long as it should.
constexpr uint32_t noOpEvent = 0x02000000u;

constexpr uint32_t eventType(uint32_t event) { return event >> 24; }

// The bytes of an ".mds" file. The events are sorted by tick (stably: at
// equal ticks they keep the order given) and closed by a no-op at
// `endTick`, or at the last event's tick when none is given. Each block
// holds as many whole records as fit in `blockBytes`, which becomes the
// file's maxBufferSize (a piece that fits in one block gets its own size
// instead). Throws std::invalid_argument when `blockBytes` is
// below one record or `endTick` lies before the last event.
std::vector<uint8_t> buildMds(uint32_t ticksPerQuarter, std::vector<TimedEvent> events, uint32_t blockBytes,
                              std::optional<uint32_t> endTick = std::nullopt);

}  // namespace music
