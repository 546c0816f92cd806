// What every fuzz target shares: a scratch folder of its own to run in,
// and the game put back to its start on a fresh headless back end before
// each input.
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

// Installs a new headless back end, closing the music on the old one
// first, and resets every game variable; the data folder becomes the
// working folder. Answers the back end.
HeadlessBackend& freshHeadlessGame();

// Replaces `path` with exactly these bytes; aborts when it cannot, since
// every later step would test nothing.
void writeFile(const char* path, const uint8_t* data, size_t size);

}  // namespace fuzz_support
