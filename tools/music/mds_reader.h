// Reads an ".mds" file back into its header fields, blocks and events,
// checking every size against the file.
//
// Called by the tests of the writer, the converter and the game's pieces.
#pragma once

#include <cstdint>
#include <vector>

#include "mds_writer.h"

namespace music {

struct MdsBlock {
    uint32_t startTick = 0;
    std::vector<uint8_t> events;  // whole 12-byte records
};

struct MdsFile {
    uint32_t timeFormat = 0, maxBufferSize = 0, flags = 0;
    std::vector<MdsBlock> blocks;
};

// Throws std::runtime_error when the file is not a well-formed "MIDS" form.
MdsFile parseMds(const std::vector<uint8_t>& bytes);

// Every record of every block at its absolute tick, in playing order.
std::vector<TimedEvent> streamEvents(const MdsFile& file);

}  // namespace music
