// The message loop and the frame: every subsystem advanced and drawn in a
// fixed order, at most once every 16 ms.
#pragma once

#include <cstdint>

namespace varnholt {

constexpr uint32_t frameMilliseconds = 16;

extern uint32_t lastFrameTime;   // clock value at which the previous frame was released
extern bool firstFrameTaken;     // true once the first frame has set lastFrameTime
extern uint32_t framesRun;       // frames run since start-up
extern uint32_t frameLimit;      // a scripted run quits after this many frames; 0 = never
extern void (*atFrameLimit)();   // called after the last frame of a scripted run, if set

// Called by the program entry after initGame succeeded. Answers the exit
// code carried by the quit message.
int runMessageLoop();
// Called only by runMessageLoop. Answers 1.
int runFrame();

}  // namespace varnholt
