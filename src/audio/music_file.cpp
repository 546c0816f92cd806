#include "audio/music_file.h"

#include <cstring>
#include <string>

#include "app/little_endian.h"
#include "audio/music_limits.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace varnholt {

namespace {

constexpr const char* caption = "MIDI Stream";
constexpr uint32_t blockHeadBytes = 8;

struct Chunk {
    size_t body;  // offset of the content
    uint32_t size;
};

// Finds the chunk `id` among the chunks from `at` to `end`, skipping
// others (each padded to an even size).
bool findChunk(const std::vector<uint8_t>& file, size_t at, size_t end, const char* id, Chunk& found,
               size_t& after) {
    while (at + 8 <= end) {
        const uint32_t size = readU32(file.data() + at + 4);
        const size_t body = at + 8;
        const size_t next = body + size + (size & 1);
        if (std::memcmp(file.data() + at, id, 4) == 0) {
            found = {body, uint32_t(std::min<size_t>(size, end - body))};
            after = std::min(next, end);
            return true;
        }
        if (size > end - body) return false;
        at = next;
    }
    return false;
}

// The box says what is wrong, the terminal which file and where.
int fail(const char* path, const char* text) {
    reportDataFile(path, std::string("refused with \"") + text + "\"");
    platform().messageBox(caption, text, BoxIcon::Error);
    return 0;
}

// Each block's head and events lie inside the chunk, and no block carries
// more than a buffer holds.
bool blocksFit(const uint8_t* blocks, size_t size, uint32_t count, uint32_t bufferSize) {
    size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < blockHeadBytes) return false;
        const uint32_t bytes = readU32(blocks + at + 4);
        if (bytes > bufferSize || bytes > size - at - blockHeadBytes) return false;
        at += blockHeadBytes + bytes;
    }
    return true;
}

}  // namespace

int readMusicFile(const char* path, std::vector<uint8_t>& blocks, MdsFormat& format,
                  uint32_t& blockCount, int32_t) {
    std::vector<uint8_t> file;
    const FileRead read = readFile(path, file, largestMusicFile);
    if (read == FileRead::Missing) {
        // A file that does not open gives no box.
        reportDataFile(path, fileReadProblem(read));
        return 0;
    }
    // One that opened but cannot be read whole is refused aloud.
    if (read != FileRead::Read) return fail(path, "演奏データ読みとり失敗");

    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
        std::memcmp(file.data() + 8, "MIDS", 4) != 0) {
        return fail(path, "Noting 'MIDS' chunk");
    }
    const size_t formEnd = std::min<size_t>(file.size(), size_t(8) + readU32(file.data() + 4));
    Chunk fmt, data;
    size_t afterFmt = 0, afterData = 0;
    if (!findChunk(file, 12, formEnd, "fmt ", fmt, afterFmt)) return fail(path, "Noting 'fmt ' chunk");
    if (fmt.size < 12) return fail(path, "MDSヘッダー読みとり失敗");
    format.timeFormat = readU32(file.data() + fmt.body);
    format.maxBufferSize = readU32(file.data() + fmt.body + 4);
    format.flags = readU32(file.data() + fmt.body + 8);
    if (!findChunk(file, afterFmt, formEnd, "data", data, afterData)) return fail(path, "Noting 'data' chunk");
    if (data.size < 4) return fail(path, "データブロック数読みとり失敗");
    blockCount = readU32(file.data() + data.body);

    const uint8_t* first = file.data() + data.body + 4;
    const size_t size = data.size - 4;
    // Every buffer of maxBufferSize bytes must be one the file could fill:
    // a buffer size beyond the file's own is refused, as are blocks that do
    // not fit.
    if (!musicWithinLimits(file.size(), blockCount, format.maxBufferSize) || blockCount > size / blockHeadBytes || !blocksFit(first, size, blockCount, format.maxBufferSize)) {
        return fail(path, "演奏データ読みとり失敗");
    }
    blocks.assign(first, first + size);
    return 1;
}

}  // namespace varnholt
