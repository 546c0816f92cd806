// An ".mds" file of any content opened as the game's music: the reader,
// then the player's block table, then the stream walking every record the
// blocks carry, looped once round, on the headless back end's clock.
#include <algorithm>
#include <cstdlib>

#include "audio/music_player.h"
#include "fuzz_support.h"
#include "platform/midi_stream.h"

namespace {

constexpr const char* pieceName = "piece.mds";
// The first steps go record by record, as a clock would; the rest jump a
// day ahead each, so that the stream plays out every block it holds (16 at
// the most) and the player feeds, requeues or restarts the piece: enough
// of them to loop it about once.
constexpr uint32_t recordSteps = 64;
constexpr double dayUs = 86400e6;

// The played messages go nowhere; only the walk matters.
class Silence final : public MidiSink {
public:
    void send(double, const uint8_t*, int length) override {
        if (length < 1 || length > 3) std::abort();
    }
    void allNotesOff() override {}
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::enterScratchFolder("music_file");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace varnholt;
    fuzz_support::FreshGame game;
    HeadlessBackend& backend = game.backend();
    fuzz_support::writeFile(pieceName, data, size);
    if (openMusic(pieceName, 0) == 1) {
        const uint32_t blockCount = musicState().blockCount;
        const uint32_t daySteps = blockCount / 8 + 3;
        startMusic(1);
        // The back end records every block the stream finishes and every
        // start. A short piece would be played whole at every step, a round
        // each time: the walk ends once it has recorded a round of blocks,
        // a start and a start's worth of blocks more, by when every piece
        // has looped, so that the work of an input stays in proportion to
        // its size.
        const size_t recordBudget = backend.events().size() + blockCount + 1 +
                                    std::min<uint32_t>(blockCount, 16);
        MidiStream& stream = backend.midiStream();
        Silence sink;
        for (uint32_t i = 0; i < recordSteps + daySteps && backend.events().size() < recordBudget; ++i) {
            const double wait = stream.microsecondsToNextRecord();
            if (wait < 0) break;
            // Just past the due time, so that rounding never leaves the
            // record waiting.
            stream.advance(i < recordSteps ? wait + 1 : wait + dayUs, sink);
            stream.deliverNotices();
        }
        stopMusic();
    }
    return 0;
}
