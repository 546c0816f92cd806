// The ".mds" writer: header fields, records, deltas that run on across
// blocks, block cutting at whole records and the closing no-op.
#include <gtest/gtest.h>

#include <stdexcept>

#include "music/mds_reader.h"
#include "music/mds_writer.h"

using namespace music;

namespace {

constexpr uint32_t fourCc(const char (&id)[5]) {
    return uint32_t(id[0]) | uint32_t(id[1]) << 8 | uint32_t(id[2]) << 16 | uint32_t(id[3]) << 24;
}

std::vector<uint32_t> wordsOf(const std::vector<uint8_t>& bytes) {
    std::vector<uint32_t> words(bytes.size() / 4);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = bytes[4 * i] | bytes[4 * i + 1] << 8 | bytes[4 * i + 2] << 16 | uint32_t(bytes[4 * i + 3]) << 24;
    return words;
}

const uint32_t noteOn = shortEvent(0x90, 60, 100), noteOff = shortEvent(0x80, 60, 0);

TEST(MdsWriter, WritesEveryFieldOfASmallPiece) {
    const auto file = buildMds(480, {{480, noteOff}, {0, noteOn}}, 24);
    ASSERT_EQ(file.size(), 96u);
    EXPECT_EQ(noteOn, 0x00643C90u);
    EXPECT_EQ(wordsOf(file), (std::vector<uint32_t>{
                                 fourCc("RIFF"), 88, fourCc("MIDS"),
                                 fourCc("fmt "), 12, 480, 24, 0,          // ticks per quarter, buffer, flags
                                 fourCc("data"), 56, 2,                   // two blocks
                                 0, 24, 0, 0, 0x00643C90, 480, 0, 0x00003C80,  // start tick, bytes, records
                                 480, 12, 0, 0, 0x02000000}));            // the no-op, delta 0 across blocks
}

TEST(MdsWriter, SortsStablyAndCarriesDeltasAcrossBlocks) {
    const uint32_t a = shortEvent(0xB0, 7, 100), b = shortEvent(0xC0, 5), c = tempoEvent(600000);
    const MdsFile file = parseMds(buildMds(96, {{250, c}, {100, b}, {0, a}, {250, a}, {1000, b}}, 24));
    ASSERT_EQ(file.blocks.size(), 3u);
    const uint32_t starts[] = {0, 250, 1000};
    const std::vector<uint32_t> deltas[] = {{0, 100}, {150, 0}, {750, 0}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(file.blocks[i].startTick, starts[i]);
        const auto words = wordsOf(file.blocks[i].events);
        for (size_t r = 0; r < 2; ++r) {
            EXPECT_EQ(words[3 * r], deltas[i][r]) << "block " << i << " record " << r;
            EXPECT_EQ(words[3 * r + 1], 0u);  // stream id
        }
    }
    EXPECT_EQ(streamEvents(file), (std::vector<TimedEvent>{
                                      {0, a}, {100, b}, {250, c}, {250, a}, {1000, b}, {1000, noOpEvent}}));
    EXPECT_EQ(c, 0x01000000u + 600000u);
}

TEST(MdsWriter, CutsBlocksAtWholeRecords) {
    // Seven events and the no-op make eight records of 12 bytes.
    std::vector<TimedEvent> events;
    for (uint32_t i = 0; i < 7; ++i) events.push_back({i * 10, noteOn});
    const struct {
        uint32_t blockBytes;
        size_t blocks;
        uint32_t firstBytes, lastBytes;
    } cases[] = {{12, 8, 12, 12}, {24, 4, 24, 24}, {36, 3, 36, 24},
                 {47, 3, 36, 24}, {96, 1, 96, 96}, {4096, 1, 96, 96}};
    for (const auto& c : cases) {
        const MdsFile file = parseMds(buildMds(480, events, c.blockBytes));
        EXPECT_EQ(file.maxBufferSize, c.blockBytes);
        ASSERT_EQ(file.blocks.size(), c.blocks) << c.blockBytes;
        EXPECT_EQ(file.blocks.front().events.size(), c.firstBytes) << c.blockBytes;
        EXPECT_EQ(file.blocks.back().events.size(), c.lastBytes) << c.blockBytes;
        for (const MdsBlock& block : file.blocks) EXPECT_LE(block.events.size(), c.blockBytes);
    }
}

TEST(MdsWriter, EndsWithANoOpAtTheGivenEndOrTheLastEvent) {
    const struct {
        std::vector<TimedEvent> events;
        std::optional<uint32_t> end;
        TimedEvent last;
    } cases[] = {{{{0, noteOn}, {700, noteOff}}, std::nullopt, {700, noOpEvent}},
                 {{{0, noteOn}, {700, noteOff}}, 1920, {1920, noOpEvent}},
                 {{}, std::nullopt, {0, noOpEvent}},
                 {{}, 480, {480, noOpEvent}}};
    for (const auto& c : cases) {
        const auto events = streamEvents(parseMds(buildMds(480, c.events, 120, c.end)));
        ASSERT_EQ(events.size(), c.events.size() + 1);
        EXPECT_EQ(events.back(), c.last);
    }
}

TEST(MdsWriter, RefusesBlocksSmallerThanARecordAndEndsBeforeTheLastEvent) {
    EXPECT_THROW(buildMds(480, {{0, noteOn}}, 11), std::invalid_argument);
    EXPECT_THROW(buildMds(480, {{0, noteOn}}, 0), std::invalid_argument);
    EXPECT_THROW(buildMds(480, {{500, noteOn}}, 12, 499), std::invalid_argument);
}

}  // namespace
