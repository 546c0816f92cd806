// The ".mds" music file: a RIFF form "MIDS" with a "fmt " chunk (time
// division, block buffer size, flags) and after it a "data" chunk holding
// the block count and the blocks, each a start tick, a byte count and that
// many bytes of stream event records.
#pragma once

#include <cstdint>
#include <vector>

namespace varnholt {

struct MdsFormat {
    uint32_t timeFormat;     // ticks per quarter note
    uint32_t maxBufferSize;  // bytes of every block buffer
    uint32_t flags;          // kept, not used
};

// Called only by openMusic. Reads the file into `blocks` (the "data"
// chunk's bytes after the count) and fills `format` and `blockCount`.
// Answers 1, or 0 after saying why in a "MIDI Stream" message box (only a
// file that does not open says nothing there; every refusal also names the
// file on standard error). A file that opened but cannot be read whole —
// a folder, a pipe, a file beyond largestMusicFile — is refused as a failed
// read of the performance data. A file is refused whole when its blocks run
// past its "data" chunk or past the block buffer size, or when its sizes
// are more than the file could hold, so that a damaged file never makes
// us read or allocate beyond what it holds.
int readMusicFile(const char* path, std::vector<uint8_t>& blocks, MdsFormat& format,
                  uint32_t& blockCount, int32_t window);

}  // namespace varnholt
