#include "app/score_file.h"

#include <algorithm>
#include <vector>

#include "app/game_state.h"
#include "app/little_endian.h"
#include "platform/files.h"

namespace varnholt {

namespace {

constexpr uint32_t recordBytes = 4;

// Puts the best score in the file's first four bytes, keeping whatever
// follows them; a file that cannot be read whole keeps its old best.
void storeBestScore() {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(writePath(scoreFileName), bytes)) return;
    if (bytes.size() < recordBytes) bytes.resize(recordBytes);
    writeU32(bytes.data(), static_cast<uint32_t>(bestScore));
    fileReplace(writePath(scoreFileName), bytes);
}

}  // namespace

int updateScoreFile() {
    const int handle = fileOpenOrCreate(writePath(scoreFileName));
    uint8_t record[recordBytes];
    if (fileRead(handle, record, recordBytes) == static_cast<int32_t>(recordBytes)) {
        bestScore = std::max<int32_t>(0, static_cast<int32_t>(readU32(record)));
    }
    fileSeek(handle, 0, 0);
    fileClose(handle);
    if (score <= bestScore) return 1;
    // A best score the file would not take lives on in memory.
    bestScore = score;
    storeBestScore();
    return 1;
}

}  // namespace varnholt
