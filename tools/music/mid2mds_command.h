// The mid2mds command: converts a standard MIDI file into an ".mds" file.
//
//   mid2mds IN.mid OUT.mds [--block-bytes N]
//
// N, the block buffer size, is at least 12 bytes (one record); without
// it the buffers are 4096 bytes, each block holding 341 whole records. The
// piece ends at the latest end-of-track of the file's tracks. Answers the
// exit code: 0 done, 1 unreadable, invalid or oversized (over 64 MiB)
// input, a piece larger than the game plays (see audio/music_limits.h), or
// unwritable output, 2 bad usage; each failure writes one line to
// `errors`. Nothing is written for a failure.
//
// Called by mid2mds's main and by the converter's tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace music {

int runMid2mds(const std::vector<std::string>& args, std::ostream& errors);

}  // namespace music
