// Puts the game back to its start and runs it on a fresh headless back
// end, so that each test begins as the program does.
#pragma once

#include <string>

#include "platform/headless/headless_backend.h"

namespace testing_support {

// Installs a headless back end with these options and resets every game
// variable that start-up or a frame touches. Answers the back end.
HeadlessBackend& freshHeadlessGame(HeadlessOptions options = {});

// The folder the build wrote the generated Bitmap/ and 音楽/ into.
std::string assetDirectory();

// A new empty folder for one test's files, of this process alone (CTest
// runs the tests side by side).
std::string scratchDirectory(const std::string& name);
// The whole of a file as text; empty when it cannot be read.
std::string readText(const std::string& path);
// Runs the game's program in `folder` with the generated data (or `data`)
// and `arguments`; answers its exit code (-1 when it did not exit) and
// puts what it said on stderr in `errors`.
int runProgramIn(const std::string& folder, const std::string& arguments, std::string& errors,
                 const std::string& data = assetDirectory());

}  // namespace testing_support
