#include "mds_writer.h"

#include <algorithm>
#include <stdexcept>

namespace music {

namespace {

void putU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(value >> shift));
}

void putText(std::vector<uint8_t>& out, const char (&id)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(id[i]));
}

void patchU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> buildMds(uint32_t ticksPerQuarter, std::vector<TimedEvent> events, uint32_t blockBytes,
                              std::optional<uint32_t> endTick) {
    if (blockBytes < recordBytes) throw std::invalid_argument("a block must hold at least one 12-byte record");
    std::stable_sort(events.begin(), events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
    const uint32_t lastTick = events.empty() ? 0 : events.back().tick;
    if (endTick && *endTick < lastTick) throw std::invalid_argument("the piece ends before its last event");
    events.push_back({endTick.value_or(lastTick), noOpEvent});

    std::vector<uint8_t> out;
    putText(out, "RIFF");
    putU32(out, 0);  // form size, patched below
    putText(out, "MIDS");
    putText(out, "fmt ");
    putU32(out, 12);
    putU32(out, ticksPerQuarter);
    // A piece shorter than one block asks for a buffer of its own size: the
    // game refuses a buffer larger than the file that must fill it.
    const size_t perBlockAsked = blockBytes / recordBytes;
    putU32(out, events.size() < perBlockAsked ? uint32_t(events.size() * recordBytes) : blockBytes);
    putU32(out, 0);  // flags
    putText(out, "data");
    const size_t dataSizeAt = out.size();
    putU32(out, 0);  // patched below
    const size_t perBlock = blockBytes / recordBytes;
    const size_t blockCount = (events.size() + perBlock - 1) / perBlock;
    putU32(out, uint32_t(blockCount));

    uint32_t previousTick = 0;
    for (size_t first = 0; first < events.size(); first += perBlock) {
        const size_t count = std::min(perBlock, events.size() - first);
        putU32(out, events[first].tick);
        putU32(out, uint32_t(count * recordBytes));
        for (size_t i = first; i < first + count; ++i) {
            putU32(out, events[i].tick - previousTick);  // deltas run on across blocks
            putU32(out, 0);                              // stream id
            putU32(out, events[i].event);
            previousTick = events[i].tick;
        }
    }
    const size_t dataSize = out.size() - dataSizeAt - 4;
    if (dataSize % 2) out.push_back(0);  // RIFF pads chunks to even sizes
    patchU32(out, dataSizeAt, uint32_t(dataSize));
    patchU32(out, 4, uint32_t(out.size() - 8));
    return out;
}

}  // namespace music
