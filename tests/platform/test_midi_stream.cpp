// The MIDI stream: when each record plays, what is sent, how blocks end,
// and what stopping does.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/midi_stream.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using testing_support::putU32;

namespace {

struct Notice {
    uint32_t message, user, tag;
    bool operator==(const Notice& o) const { return message == o.message && user == o.user && tag == o.tag; }
};
std::ostream& operator<<(std::ostream& out, const Notice& n) {
    return out << std::hex << n.message << std::dec << " " << n.user << "/" << n.tag;
}

std::vector<Notice> notices;
void recordNotice(uint32_t message, uint32_t user, uint32_t tag) { notices.push_back({message, user, tag}); }

struct Sent {
    double ms;
    std::vector<uint8_t> bytes;
};

class RecordingSink final : public MidiSink {
public:
    void send(double ms, const uint8_t* bytes, int length) override {
        sent.push_back({ms, std::vector<uint8_t>(bytes, bytes + length)});
    }
    void allNotesOff() override { ++silenced; }
    std::vector<Sent> sent;
    int silenced = 0;
};

using Events = std::vector<uint8_t>;

void record(Events& out, uint32_t delta, uint32_t event) {
    putU32(out, delta);
    putU32(out, 0);  // stream id
    putU32(out, event);
}
Events note(uint32_t delta, uint8_t key = 0x3C, uint8_t status = 0x90, uint8_t velocity = 0x64) {
    Events out;
    record(out, delta, uint32_t(status) | uint32_t(key) << 8 | uint32_t(velocity) << 16);
    return out;
}
Events tempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
    Events out;
    record(out, delta, 0x01000000u | microsecondsPerQuarter);
    return out;
}
Events nop(uint32_t delta) {
    Events out;
    record(out, delta, 0x02000000u);
    return out;
}
// A long event with `length` parameter bytes that look like note records.
Events longEvent(uint32_t delta, uint32_t length, size_t present) {
    Events out;
    record(out, delta, 0x80000000u | length);
    for (size_t i = 0; i < present; ++i) out.push_back(i % 4 == 0 ? 0x90 : 0x40);
    return out;
}
Events operator+(Events a, const Events& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class MidiStreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        notices.clear();
        ASSERT_TRUE(stream.open(recordNotice));
        ASSERT_TRUE(stream.setTimeDivision(96));
    }
    void queue(const Events& events, uint32_t user, uint32_t tag = 0) {
        MidiBlock block{events.data(), uint32_t(events.size()), uint32_t(events.size()), user, tag, true};
        ASSERT_TRUE(stream.queue(block));
    }
    std::vector<double> times() const {
        std::vector<double> ms;
        for (const Sent& s : sink.sent) ms.push_back(s.ms);
        return ms;
    }
    MidiStream stream;
    RecordingSink sink;
};

struct TimingCase {
    const char* what;
    uint32_t division;
    Events events;
    std::vector<double> ms;
};

void PrintTo(const TimingCase& c, std::ostream* out) { *out << c.what; }

class MidiTiming : public MidiStreamTest, public ::testing::WithParamInterface<TimingCase> {};

TEST_P(MidiTiming, FollowsTicksAndTempo) {
    const TimingCase& c = GetParam();
    ASSERT_TRUE(stream.setTimeDivision(c.division));
    queue(c.events, 0);
    ASSERT_TRUE(stream.restart());
    stream.advance(60e6, sink);
    const std::vector<double> got = times();
    ASSERT_EQ(got.size(), c.ms.size()) << c.what;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.ms[i], 1e-6) << c.what << " #" << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MidiTiming,
    ::testing::Values(
        TimingCase{"a quarter", 96, note(96), {500}},
        TimingCase{"an eighth", 96, note(48), {250}},
        TimingCase{"one tick", 96, note(1), {500.0 / 96}},
        TimingCase{"at 480 ticks", 480, note(480) + note(240) + note(0), {500, 750, 750}},
        TimingCase{"faster after a tempo record", 96, note(96) + tempo(0, 250000) + note(96) + note(48),
                   {500, 750, 875}},
        TimingCase{"the tempo record's own delta runs at the old tempo", 96, tempo(96, 1000000) + note(96),
                   {1500}},
        TimingCase{"a no-op counts its delta", 96, nop(96) + note(96), {1000}},
        TimingCase{"a long event is skipped whole", 96, longEvent(96, 5, 8) + note(96), {1000}},
        TimingCase{"a long event of 12 bytes", 96, longEvent(48, 12, 12) + note(48), {500}},
        TimingCase{"a truncated record ends the block", 96, note(96) + Events(8, 0x90), {500}},
        TimingCase{"a long event longer than its block ends it", 96, note(96) + longEvent(0, 40, 8), {500}}));

TEST_F(MidiStreamTest, ARecordPlaysNotBeforeItIsDue) {
    queue(note(96), 0);
    ASSERT_TRUE(stream.restart());
    stream.advance(499999, sink);
    EXPECT_TRUE(sink.sent.empty());
    EXPECT_NEAR(stream.microsecondsToNextRecord(), 1, 1e-6);
    stream.advance(1, sink);
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(stream.microsecondsToNextRecord(), -1) << "nothing is queued";
}

TEST_F(MidiStreamTest, NothingPlaysBeforeTheRestart) {
    queue(note(96), 0);
    stream.advance(2e6, sink);
    stream.deliverNotices();
    EXPECT_TRUE(sink.sent.empty());
    EXPECT_TRUE(notices.empty());
    ASSERT_TRUE(stream.restart());
    stream.advance(500000, sink);
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(sink.sent[0].ms, 500);
}

struct LengthCase {
    uint8_t status;
    std::vector<uint8_t> sent;
};

void PrintTo(const LengthCase& c, std::ostream* out) { *out << "status " << std::hex << int(c.status); }

class MidiMessageLength : public MidiStreamTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(MidiMessageLength, MatchesTheStatus) {
    queue(note(0, 0x21, GetParam().status, 0x55), 0);
    ASSERT_TRUE(stream.restart());
    stream.advance(0, sink);
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(sink.sent[0].bytes, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Statuses, MidiMessageLength,
                         ::testing::Values(LengthCase{0x80, {0x80, 0x21, 0x55}}, LengthCase{0x9F, {0x9F, 0x21, 0x55}},
                                           LengthCase{0xA2, {0xA2, 0x21, 0x55}}, LengthCase{0xB0, {0xB0, 0x21, 0x55}},
                                           LengthCase{0xC5, {0xC5, 0x21}}, LengthCase{0xDF, {0xDF, 0x21}},
                                           LengthCase{0xE1, {0xE1, 0x21, 0x55}}));

TEST_F(MidiStreamTest, BlocksPlayBackToBackAndAreReportedInOrder) {
    queue(note(96, 0x3C), 10, 7);
    queue(note(96, 0x3D), 11, 7);
    queue(note(96, 0x3E), 12, 7);
    ASSERT_TRUE(stream.restart());
    stream.advance(1000000, sink);
    EXPECT_EQ(times(), (std::vector<double>{500, 1000}));
    EXPECT_TRUE(notices.empty()) << "notices wait for their delivery";
    stream.deliverNotices();
    EXPECT_EQ(notices, (std::vector<Notice>{{0x3C9, 10, 7}, {0x3C9, 11, 7}}));
    stream.advance(500000, sink);
    stream.deliverNotices();
    EXPECT_EQ(times(), (std::vector<double>{500, 1000, 1500}));
    EXPECT_EQ(notices.back(), (Notice{0x3C9, 12, 7}));
}

TEST_F(MidiStreamTest, ABlockWithoutRecordsIsDoneWhenReached) {
    queue({}, 0);
    queue(note(96), 1);
    ASSERT_TRUE(stream.restart());
    stream.advance(0, sink);
    stream.deliverNotices();
    EXPECT_EQ(notices, (std::vector<Notice>{{0x3C9, 0, 0}}));
    EXPECT_TRUE(sink.sent.empty());
}

TEST_F(MidiStreamTest, QueuingCopiesTheEvents) {
    Events events = note(96, 0x3C);
    queue(events, 0);
    events = note(0, 0x40, 0x80);
    ASSERT_TRUE(stream.restart());
    stream.advance(500000, sink);
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(sink.sent[0].bytes, (std::vector<uint8_t>{0x90, 0x3C, 0x64}));
}

TEST_F(MidiStreamTest, StopSilencesRewindsAndReturnsEveryQueuedBlock) {
    queue(note(96), 0, 3);
    queue(note(96), 1, 3);
    queue(note(96), 2, 3);
    ASSERT_TRUE(stream.restart());
    stream.advance(600000, sink);
    stream.deliverNotices();
    ASSERT_EQ(notices.size(), 1u);
    ASSERT_TRUE(stream.stop());
    EXPECT_EQ(sink.silenced, 0) << "silenced at the next advance";
    stream.deliverNotices();
    EXPECT_EQ(notices, (std::vector<Notice>{{0x3C9, 0, 3}, {0x3C9, 1, 3}, {0x3C9, 2, 3}}));
    stream.advance(5e6, sink);
    EXPECT_EQ(sink.silenced, 1);
    EXPECT_EQ(sink.sent.size(), 1u) << "a stopped stream plays nothing";
    queue(note(48, 0x50), 4, 4);
    ASSERT_TRUE(stream.restart());
    stream.advance(250000, sink);
    ASSERT_EQ(sink.sent.size(), 2u);
    EXPECT_EQ(sink.sent[1].ms, 250) << "the time begins again at the restart";
    EXPECT_EQ(sink.sent[1].bytes, (std::vector<uint8_t>{0x90, 0x50, 0x64}));
}

TEST_F(MidiStreamTest, RefusesWhatCannotBeQueued) {
    const Events events = note(96);
    MidiBlock unprepared{events.data(), 12, 12, 0, 0, false};
    EXPECT_FALSE(stream.queue(unprepared));
    MidiBlock overfull{events.data(), 8, 12, 0, 0, false};
    EXPECT_FALSE(stream.prepare(overfull));
    MidiBlock fine{events.data(), 12, 12, 0, 0, false};
    EXPECT_TRUE(stream.prepare(fine));
    MidiStream closed;
    EXPECT_FALSE(closed.queue(fine));
    EXPECT_FALSE(closed.restart());
    EXPECT_FALSE(closed.stop());
    EXPECT_FALSE(stream.open(recordNotice)) << "already open";
    EXPECT_FALSE(stream.setTimeDivision(0));
}

TEST(MidiLog, WritesTimeAndBytesOneLineEach) {
    const std::string path = testing_support::scratchDirectory("midi_log") + "/log.txt";
    {
        MidiStream stream;
        MidiLog log;
        ASSERT_TRUE(log.open(path));
        ASSERT_TRUE(stream.open(recordNotice));
        ASSERT_TRUE(stream.setTimeDivision(96));
        const Events events = note(48) + note(1, 0x05, 0xC0, 0x00) + note(4000, 0x07, 0xB0, 0x7F);
        MidiBlock block{events.data(), 36, 36, 0, 0, true};
        ASSERT_TRUE(stream.queue(block));
        ASSERT_TRUE(stream.restart());
        stream.advance(30e6, log);
    }
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"250.000 90 3C 64", "255.208 C0 05", "21088.542 B0 07 7F"}));
}

}  // namespace
