// The program's command line: the game itself, or a scripted headless run
// that records what it shows and plays.
#pragma once

namespace varnholt {

// Called by main. Answers the process exit code.
int runProgram(int argc, char** argv);

}  // namespace varnholt
