// The two generated pieces, read back from the build's 音楽 folder: their
// blocks, loop lengths, channel set-up and that every note is released
// before the loop comes round.
#include <gtest/gtest.h>

#include <set>

#include "music/mds_reader.h"
#include "platform/files.h"

#ifndef VARNHOLT_ASSET_DIR
#error "VARNHOLT_ASSET_DIR must name the folder that holds Bitmap/ and 音楽/"
#endif

using namespace music;

namespace {

struct Piece {
    const char* file;
    bool manyBlocks;  // 16 blocks or more: the player feeds them 8 at a time
    double shortestSeconds, longestSeconds;
};

void PrintTo(const Piece& p, std::ostream* os) { *os << p.file; }
class EachPiece : public ::testing::TestWithParam<Piece> {
protected:
    void SetUp() override {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(std::string(VARNHOLT_ASSET_DIR) + "/音楽/" + GetParam().file, bytes));
        file = parseMds(bytes);
        events = streamEvents(file);
        ASSERT_FALSE(events.empty());
    }
    MdsFile file;
    std::vector<TimedEvent> events;
};

uint8_t status(uint32_t event) { return uint8_t(event); }
uint8_t key(uint32_t event) { return uint8_t(event >> 8); }
uint8_t value(uint32_t event) { return uint8_t(event >> 16); }
bool isNoteOn(uint32_t event) { return eventType(event) == 0 && (status(event) & 0xF0) == 0x90 && value(event) > 0; }
bool isNoteOff(uint32_t event) {
    const int kind = status(event) & 0xF0;
    return eventType(event) == 0 && (kind == 0x80 || (kind == 0x90 && !value(event)));
}

TEST_P(EachPiece, FitsItsBlocksInTheirBuffersAndLoopsForItsLength) {
    EXPECT_EQ(std::pair(file.timeFormat, file.flags), std::pair(480u, 0u));
    EXPECT_EQ(file.blocks.size() >= 16, GetParam().manyBlocks) << file.blocks.size() << " blocks";
    size_t record = 0;
    for (const MdsBlock& block : file.blocks) {
        EXPECT_TRUE(block.events.size() > 0 && block.events.size() <= file.maxBufferSize);
        EXPECT_EQ(block.startTick, events[record].tick);
        record += block.events.size() / recordBytes;
    }
    EXPECT_EQ(events.back().event, noOpEvent);
    double microseconds = 0, tempo = defaultTempo;
    for (size_t i = 0; i < events.size(); ++i) {
        if (i > 0) microseconds += (events[i].tick - events[i - 1].tick) * tempo / file.timeFormat;
        if (eventType(events[i].event) == 1) tempo = events[i].event & 0xFFFFFF;
        EXPECT_LE(eventType(events[i].event), 1u + (i + 1 == events.size()));
    }
    EXPECT_GE(microseconds / 1e6, GetParam().shortestSeconds);
    EXPECT_LE(microseconds / 1e6, GetParam().longestSeconds);
}

// At its start a piece gives every channel it plays a volume, and every
// one but the drums on channel 10 an instrument.
TEST_P(EachPiece, ReleasesEveryNoteBeforeTheLoopEndsAndSetsUpItsChannels) {
    std::set<std::pair<int, int>> sounding;
    std::set<int> played, programmed, volumed;
    int notes = 0;
    for (const TimedEvent& e : events) {
        const int channel = status(e.event) & 0x0F, kind = status(e.event) & 0xF0;
        if (e.tick == 0 && eventType(e.event) == 0 && kind == 0xC0) programmed.insert(channel);
        if (e.tick == 0 && eventType(e.event) == 0 && kind == 0xB0 && key(e.event) == 7) volumed.insert(channel);
        if (isNoteOn(e.event)) {
            EXPECT_TRUE(sounding.insert({channel, key(e.event)}).second) << "struck twice at tick " << e.tick;
            played.insert(channel);
            ++notes;
        } else if (isNoteOff(e.event)) {
            EXPECT_EQ(sounding.erase({channel, key(e.event)}), 1u) << "released unstruck at tick " << e.tick;
        }
    }
    EXPECT_TRUE(sounding.empty()) << sounding.size() << " notes still sounding at the end";
    EXPECT_GT(notes, 300);
    ASSERT_TRUE(played.count(9)) << "no drums on channel 10";
    EXPECT_FALSE(programmed.count(9));
    for (int channel : played) {
        EXPECT_TRUE(volumed.count(channel)) << "channel " << channel;
        EXPECT_TRUE(channel == 9 || programmed.count(channel)) << "channel " << channel;
    }
}

INSTANTIATE_TEST_SUITE_P(Music, EachPiece,
                         ::testing::Values(Piece{"通常.mds", false, 50, 70}, Piece{"back.mds", true, 60, 120}),
                         [](const auto& info) { return std::string(info.index ? "Cave" : "Opening"); });

}  // namespace
