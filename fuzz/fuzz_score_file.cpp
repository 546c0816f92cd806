// The best score kept in a "score.slf" of any length and content: read,
// compared with a finished game's score and, when beaten, replaced in the
// first four bytes with the rest of the file kept.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/game_state.h"
#include "app/little_endian.h"
#include "app/score_file.h"
#include "fuzz_support.h"
#include "platform/files.h"

namespace {

constexpr int32_t finishedScore = 1000;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("score_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varnholt;
    fuzz_support::FreshGame game;
    fuzz_support::writeFile(scoreFileName, data, size);
    score = finishedScore;
    updateScoreFile();

    // A short file holds no score and a negative one counts as none.
    const int32_t old = size < 4 ? 0 : std::max<int32_t>(0, int32_t(readU32(data)));
    std::vector<uint8_t> expected(data, data + size);
    if (finishedScore > old) {
        expected.resize(std::max<size_t>(size, 4));
        writeU32(expected.data(), uint32_t(finishedScore));
    }
    std::vector<uint8_t> stored;
    if (bestScore != std::max(old, finishedScore) || !readWholeFile(scoreFileName, stored) ||
        stored != expected) {
        std::abort();
    }
    return 0;
}
