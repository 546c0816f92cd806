// Every process-wide variable of the game by its name: for the state dump
// of a scripted run and for setting variables before the first frame.
#pragma once

#include <cstdint>
#include <string>

namespace varnholt {

// Answers the integer variable of that name, or null.
int32_t* findIntVariable(const std::string& name);

// The whole state as one JSON object, with "frame" the frames run.
std::string dumpState(uint32_t framesRun);

}  // namespace varnholt
