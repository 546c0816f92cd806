#include "mds_reader.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace music {

namespace {

uint32_t u32At(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 4 > bytes.size()) throw std::runtime_error("mds: file ends early");
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

bool idAt(const std::vector<uint8_t>& bytes, size_t at, const char* id) {
    return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, id, 4) == 0;
}

// Finds chunk `id` at or after `at` inside the form; returns its content
// offset and size.
std::pair<size_t, uint32_t> findChunk(const std::vector<uint8_t>& bytes, size_t at, const char* id) {
    while (at + 8 <= bytes.size()) {
        const uint32_t size = u32At(bytes, at + 4);
        if (size > bytes.size() - at - 8) throw std::runtime_error("mds: chunk runs past the end");
        if (idAt(bytes, at, id)) return {at + 8, size};
        at += 8 + size + (size & 1);
    }
    throw std::runtime_error(std::string("mds: no '") + id + "' chunk");
}

}  // namespace

MdsFile parseMds(const std::vector<uint8_t>& bytes) {
    if (!idAt(bytes, 0, "RIFF") || !idAt(bytes, 8, "MIDS")) throw std::runtime_error("mds: not a RIFF MIDS form");
    if (u32At(bytes, 4) != bytes.size() - 8) throw std::runtime_error("mds: form size does not match the file");
    MdsFile file;
    const auto [format, formatSize] = findChunk(bytes, 12, "fmt ");
    if (formatSize < 12) throw std::runtime_error("mds: 'fmt ' chunk too short");
    file.timeFormat = u32At(bytes, format);
    file.maxBufferSize = u32At(bytes, format + 4);
    file.flags = u32At(bytes, format + 8);
    const auto [data, dataSize] = findChunk(bytes, format + formatSize + (formatSize & 1), "data");
    const size_t end = data + dataSize;
    size_t at = data + 4;
    for (uint32_t n = u32At(bytes, data); n > 0; --n) {
        if (at + 8 > end) throw std::runtime_error("mds: block head past the data chunk");
        MdsBlock block;
        block.startTick = u32At(bytes, at);
        const uint32_t count = u32At(bytes, at + 4);
        if (count > end - at - 8) throw std::runtime_error("mds: block runs past the data chunk");
        if (count % recordBytes) throw std::runtime_error("mds: block holds a partial record");
        block.events.assign(bytes.begin() + long(at + 8), bytes.begin() + long(at + 8 + count));
        file.blocks.push_back(std::move(block));
        at += 8 + count;
    }
    return file;
}

std::vector<TimedEvent> streamEvents(const MdsFile& file) {
    std::vector<TimedEvent> events;
    uint32_t tick = 0;
    for (const MdsBlock& block : file.blocks)
        for (size_t at = 0; at < block.events.size(); at += recordBytes) {
            tick += u32At(block.events, at);
            events.push_back({tick, u32At(block.events, at + 8)});
        }
    return events;
}

}  // namespace music
