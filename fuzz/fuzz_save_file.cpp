// Loading a "Tavro.slf" of any length and content, in play: it loads a
// whole saved game or changes nothing, and says which.
#include <cstdlib>

#include "app/game_state.h"
#include "app/save_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("save_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varnholt;
    fuzz_support::FreshGame game;
    fuzz_support::writeFile(saveFileName, data, size);
    scene = 1;
    loadGame();
    // At least "loaded" or "could not load" is always said.
    if (game.backend().events().empty()) std::abort();
    return 0;
}
