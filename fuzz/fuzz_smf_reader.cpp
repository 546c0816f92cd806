// mid2mds's standard MIDI file reader on any bytes, and the conversion of
// what it reads: the ".mds" written must read back as the same events,
// closed by the end marker at the song's end.
#include <cstdlib>
#include <vector>

#include "fuzz_support.h"
#include "music/mds_reader.h"
#include "music/mds_writer.h"
#include "music/smf_reader.h"

namespace {

constexpr uint32_t blockBytes = 4096;  // mid2mds's own

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("smf_reader");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    music::MidiSong song;
    try {
        song = music::readStandardMidi(bytes);
    } catch (const music::MidiFileError&) {
        return 0;
    }
    if (song.ticksPerQuarter == 0 || song.ticksPerQuarter > 0x7FFF) std::abort();
    const std::vector<uint8_t> mds = music::buildMds(song.ticksPerQuarter, song.events, blockBytes, song.endTick);
    const music::MdsFile file = music::parseMds(mds);
    std::vector<music::TimedEvent> expected = song.events;
    expected.push_back({song.endTick, music::noOpEvent});
    if (file.timeFormat != song.ticksPerQuarter || music::streamEvents(file) != expected) std::abort();
    return 0;
}
