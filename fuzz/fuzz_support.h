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

// How much of the game one input can change.
enum class Reset {
    // Only what a reader of files sets: the game variables and the save
    // record. The map, tiles, enemies and boss, which no such reader
    // touches, are put back by the first input only, so that an input
    // costs little more than its reader.
    Readers,
    // Everything the program starts with, since the input plays frames:
    // the map, tiles, enemies and boss, the palettes, the frame clock and
    // the random numbers too.
    WholeGame,
};

// The game of one input, made first thing in LLVMFuzzerTestOneInput: a new
// headless back end installed with `options`, the data folder the working
// folder, and the game back at its start as `reset` says. When it goes,
// the display and the music are closed and the back end with them:
// nothing an input allocates outlives it, since libFuzzer runs an input
// again (and looks for leaks) whenever it leaves more allocations behind
// than it found. The music player keeps its last piece's format, its next
// block and its count of rounds from input to input: the state dump shows
// them, but each is set again before it is next used (by an open, by a
// start), and a round is only ever compared with the blocks queued on the
// input's own stream, so no input goes another way for what came before.
class FreshGame {
public:
    explicit FreshGame(HeadlessOptions options = {}, Reset reset = Reset::Readers);
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
