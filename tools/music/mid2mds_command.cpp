#include "mid2mds_command.h"

#include <charconv>
#include <cstdio>
#include <fstream>

#include "audio/music_limits.h"
#include "mds_writer.h"
#include "smf_reader.h"

namespace music {

namespace {

constexpr uint32_t defaultBlockBytes = 4096;
constexpr size_t largestInput = 64u << 20;

bool parseBlockBytes(const std::string& text, uint32_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= recordBytes;
}

uint32_t readU32At(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    size_t count;
    while (bytes.size() <= largestInput && (count = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + count);
    const bool ok = !std::ferror(file) && bytes.size() <= largestInput;
    std::fclose(file);
    return ok;
}

}  // namespace

int runMid2mds(const std::vector<std::string>& args, std::ostream& errors) {
    uint32_t blockBytes = defaultBlockBytes;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--block-bytes") {
            if (i + 1 == args.size() || !parseBlockBytes(args[i + 1], blockBytes)) {
                errors << "mid2mds: --block-bytes needs a whole number of at least 12 (bytes of one block)\n";
                return 2;
            }
            ++i;
        } else if (args[i].starts_with("--")) {
            errors << "mid2mds: unknown option " << args[i] << "\n";
            return 2;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (paths.size() != 2) {
        errors << "usage: mid2mds IN.mid OUT.mds [--block-bytes N]\n";
        return 2;
    }

    std::vector<uint8_t> input;
    if (!readFile(paths[0], input)) {
        errors << "mid2mds: cannot read " << paths[0] << "\n";
        return 1;
    }
    MidiSong song;
    try {
        song = readStandardMidi(input);
    } catch (const MidiFileError& error) {
        errors << "mid2mds: " << paths[0] << ": " << error.what() << "\n";
        return 1;
    }
    const std::vector<uint8_t> output = buildMds(song.ticksPerQuarter, song.events, blockBytes, song.endTick);
    // The writer's layout: the buffer size at 24, the block count at 40.
    const uint32_t bufferBytes = readU32At(output, 24);
    const uint32_t blocks = readU32At(output, 40);
    if (!varnholt::musicWithinLimits(output.size(), blocks, bufferBytes)) {
        errors << "mid2mds: " << paths[0] << ": the piece would take " << output.size() << " bytes in "
               << blocks << " blocks of " << bufferBytes << ", more than the game plays (a file of "
               << (varnholt::largestMusicFile >> 20) << " MiB, buffers of " << (varnholt::largestMusicBuffers >> 20)
               << " MiB in all)\n";
        return 1;
    }
    std::ofstream out(paths[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(output.data()), std::streamsize(output.size()));
    out.close();
    if (!out) {
        errors << "mid2mds: cannot write " << paths[1] << "\n";
        return 1;
    }
    return 0;
}

}  // namespace music
