// Frame statistics: when each frame was let go after its wait, and how long
// its own work and its presentation took, kept while the game runs and
// written as a table at exit (--frame-stats).
#pragma once

#include <string>

namespace varnholt {

// Called by the command line before the first frame; nothing is kept
// otherwise.
void keepFrameStats();
// Called by the frame driver right after the frame's wait.
void frameReleased();
// Called by the frame driver just before the picture is presented.
void frameWorkDone();
// Called by the frame driver right after the picture was presented.
void framePresented();
// Called by the command line at exit. One header line, then a line per
// frame: frame number, the game's millisecond clock at release, the release
// in microseconds since the first frame's, the frame's work and its
// presentation in microseconds. Answers false when the file cannot be
// written.
bool writeFrameStats(const std::string& path);

}  // namespace varnholt
