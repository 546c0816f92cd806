// How large a piece of music the game plays: the ".mds" reader refuses
// anything larger, and mid2mds writes nothing the reader would refuse.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varnholt {

// Far beyond any piece of music; a larger file is not one of ours.
constexpr size_t largestMusicFile = size_t{16} << 20;
// What the player may allocate for one piece's block buffers at the most.
constexpr uint64_t largestMusicBuffers = uint64_t{64} << 20;

// Whether a piece of `fileBytes` bytes with `blockCount` buffers of
// `maxBufferSize` bytes each is within those limits: every buffer one the
// file could fill, none empty.
constexpr bool musicWithinLimits(uint64_t fileBytes, uint32_t blockCount, uint32_t maxBufferSize) {
    return fileBytes <= largestMusicFile && maxBufferSize != 0 && maxBufferSize <= fileBytes &&
           uint64_t(blockCount) * maxBufferSize <= largestMusicBuffers;
}

}  // namespace varnholt
