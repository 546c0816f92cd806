// What every fuzz target shares: a scratch folder of its own to run in,
// the game put back to its start on a fresh headless back end for each
// input, and the input put where the game's reader looks for it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/headless/headless_backend.h"

namespace fuzz_support {

// Called once from LLVMFuzzerInitialize. Makes a new folder under $TMPDIR
// (or /tmp) and makes it the working folder, so that the game's files,
// which it names relative to the working folder, land there; the folder
// goes at exit. libFuzzer reads its corpus and writes its findings after
// this, so those paths must be absolute.
void enterScratchFolder(const char* name);

// The game of one input, made first thing in LLVMFuzzerTestOneInput: a new
// headless back end installed, the data folder the working folder, and
// every game variable and the save record back at their start. The map,
// tiles, enemies and boss, which no reader of outside bytes touches, are
// put back by the first one only, so that an input costs little more than
// its reader. When it goes, the music is closed and the back end with it:
// nothing an input allocates outlives it, since libFuzzer runs an input
// again (and looks for leaks) whenever it leaves more allocations behind
// than it found.
class FreshGame {
public:
    FreshGame();
    ~FreshGame();
    FreshGame(const FreshGame&) = delete;
    FreshGame& operator=(const FreshGame&) = delete;

    HeadlessBackend& backend() { return *backend_; }

private:
    HeadlessBackend* backend_;
};

// Makes `path` hold exactly these bytes; aborts when it cannot, since
// every later step would test nothing.
void writeFile(const char* path, const uint8_t* data, size_t size);

}  // namespace fuzz_support
