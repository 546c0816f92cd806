// The best score across runs: "score.slf" in the folder the game writes
// in (see writePath), one signed 32-bit little-endian number and nothing
// else.
#pragma once

#include <cstdint>

namespace varnholt {

constexpr const char* scoreFileName = "score.slf";

// Called every frame by the game-over screen and the ending once they show
// the final score. Reads the stored best into bestScore and, when score is
// strictly higher, makes it the best and stores it. Answers 1.
//
// A file of fewer than 4 bytes holds no score, and a negative one counts as
// 0. The new best replaces the file's first four bytes, keeping the rest,
// only once it is completely written, so a failed write, or a file whose
// rest cannot be read whole, leaves the old file and best score in place.
int updateScoreFile();

}  // namespace varnholt
