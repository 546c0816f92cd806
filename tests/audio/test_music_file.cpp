// Reading ".mds" music files: what is taken from them, what is refused and
// what the player holds afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "audio/music_file.h"
#include "audio/music_player.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
using testing_support::putU32;

namespace {

struct Chunk {
    std::string id;
    std::vector<uint8_t> body;
};

// A RIFF file of form `form` holding `chunks` in order, each padded to an
// even size.
std::vector<uint8_t> makeMusicFile(const std::vector<Chunk>& chunks, const char* form = "MIDS") {
    std::vector<uint8_t> inside(form, form + 4);
    for (const Chunk& chunk : chunks) {
        inside.insert(inside.end(), chunk.id.begin(), chunk.id.end());
        putU32(inside, uint32_t(chunk.body.size()));
        inside.insert(inside.end(), chunk.body.begin(), chunk.body.end());
        if (chunk.body.size() % 2 == 1) inside.push_back(0);
    }
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    putU32(file, uint32_t(inside.size()));
    file.insert(file.end(), inside.begin(), inside.end());
    return file;
}

std::vector<uint8_t> fmtBody(uint32_t division, uint32_t bufferSize, uint32_t flags = 0) {
    std::vector<uint8_t> body;
    putU32(body, division);
    putU32(body, bufferSize);
    putU32(body, flags);
    return body;
}

// One block head: start tick and byte count, then the given event bytes
// (which need not be as many as the count says).
void putBlock(std::vector<uint8_t>& out, uint32_t byteCount, const std::vector<uint8_t>& events) {
    putU32(out, 0);
    putU32(out, byteCount);
    out.insert(out.end(), events.begin(), events.end());
}

// A note-on record: 12 bytes.
std::vector<uint8_t> noteRecord(uint8_t note) {
    std::vector<uint8_t> bytes;
    putU32(bytes, 96);
    putU32(bytes, 0);
    putU32(bytes, 0x00640090u | uint32_t(note) << 8);
    return bytes;
}

// A data chunk body: the count, then one block per event list.
std::vector<uint8_t> dataBody(uint32_t count, const std::vector<std::vector<uint8_t>>& blocks) {
    std::vector<uint8_t> body;
    putU32(body, count);
    for (const auto& events : blocks) putBlock(body, uint32_t(events.size()), events);
    return body;
}

std::vector<uint8_t> bytesOf(size_t count, uint8_t value) { return std::vector<uint8_t>(count, value); }

// The player's state outlives a test: close the piece and clear the flags
// that a start without a stream leaves set.
void silence() {
    closeMusic();
    stopMusic();
}

class MusicFile : public ::testing::Test {
protected:
    void SetUp() override {
        silence();
        backend = &testing_support::freshHeadlessGame();
        folder = testing_support::scratchDirectory("music_file");
        std::filesystem::create_directories(folder + "/音楽");
        setDataDirectory(folder);
    }
    void TearDown() override { silence(); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        testing_support::writeFile(folder + "/音楽/" + name, bytes);
        return "音楽/" + name;
    }

    std::vector<const RecordedEvent*> messages() const {
        std::vector<const RecordedEvent*> found;
        for (const RecordedEvent& event : backend->events()) {
            if (event.kind == RecordedKind::Message) found.push_back(&event);
        }
        return found;
    }

    HeadlessBackend* backend = nullptr;
    std::string folder;
};

TEST_F(MusicFile, AMissingFileFailsWithoutAMessage) {
    EXPECT_EQ(openMusic("音楽/none.mds", 0), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(musicState().blockCount, 0u);
}

struct GoodFile {
    const char* what;
    std::vector<uint8_t> bytes;
    uint32_t timeFormat, maxBufferSize, blockCount;
};

void PrintTo(const GoodFile& c, std::ostream* out) { *out << c.what; }

class MusicFileAccepts : public MusicFile, public ::testing::WithParamInterface<GoodFile> {};

TEST_P(MusicFileAccepts, AndThePlayerHoldsThePiece) {
    const GoodFile& c = GetParam();
    ASSERT_EQ(openMusic(write("good.mds", c.bytes).c_str(), 0), 1) << c.what;
    EXPECT_TRUE(messages().empty()) << c.what;
    const MusicState state = musicState();
    EXPECT_EQ(state.timeFormat, c.timeFormat) << c.what;
    EXPECT_EQ(state.maxBufferSize, c.maxBufferSize) << c.what;
    EXPECT_EQ(state.blockCount, c.blockCount) << c.what;
    EXPECT_EQ(state.manyBlocks, 0) << c.what;
}

std::vector<uint8_t> sixtyFourBytes(uint32_t bufferSize) {
    // 12 (form) + 20 (fmt) + 8 + 4 + 8 + 12 (data with one block) = 64
    return makeMusicFile({{"fmt ", fmtBody(96, bufferSize)}, {"data", dataBody(1, {noteRecord(0x3C)})}});
}

std::vector<uint8_t> cutShort() {
    // The data chunk claims 100 bytes more than the file holds after its
    // one block; what is there is read.
    auto file = makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", dataBody(1, {noteRecord(0x3C)})}});
    file[36] += 100;  // the data chunk's size: 12 + 20 + 4
    file[4] += 100;
    return file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicFileAccepts,
    ::testing::Values(
        GoodFile{"fmt of 16 bytes, first 12 used",
                 makeMusicFile({{"fmt ", [] { auto b = fmtBody(192, 12, 1); putU32(b, 77); return b; }()},
                                {"data", dataBody(1, {noteRecord(0x3C)})}}),
                 192, 12, 1},
        GoodFile{"other chunks before and between, odd sizes padded",
                 makeMusicFile({{"LIST", bytesOf(5, 'L')},
                                {"fmt ", fmtBody(96, 12)},
                                {"JUNK", bytesOf(3, 'd')},
                                {"data", dataBody(1, {noteRecord(0x3C)})}}),
                 96, 12, 1},
        GoodFile{"no blocks", makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", dataBody(0, {})}}), 96, 12, 0},
        GoodFile{"a block exactly as large as a buffer",
                 makeMusicFile({{"fmt ", fmtBody(96, 24)},
                                {"data", dataBody(1, {[] { auto b = noteRecord(1); auto c = noteRecord(2);
                                                          b.insert(b.end(), c.begin(), c.end()); return b; }()})}}),
                 96, 24, 1},
        GoodFile{"buffer size equal to the file's size", sixtyFourBytes(64), 96, 64, 1},
        GoodFile{"file cut short after its last block", cutShort(), 96, 12, 1}));

struct BadFile {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* message;
};

void PrintTo(const BadFile& c, std::ostream* out) { *out << c.what; }

class MusicFileRefuses : public MusicFile, public ::testing::WithParamInterface<BadFile> {};

TEST_P(MusicFileRefuses, WithItsMessageAndLeavesNoPiece) {
    const BadFile& c = GetParam();
    // A long piece is open first, so that whatever it left behind shows.
    std::vector<std::vector<uint8_t>> sixteen(16, noteRecord(0x3C));
    ASSERT_EQ(openMusic(write("long.mds", makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", dataBody(16, sixteen)}}))
                            .c_str(),
                        0),
              1);
    ASSERT_EQ(musicState().manyBlocks, 1);

    EXPECT_EQ(openMusic(write("bad.mds", c.bytes).c_str(), 0), 0) << c.what;
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u) << c.what;
    EXPECT_EQ(shown[0]->caption, "MIDI Stream") << c.what;
    EXPECT_EQ(shown[0]->text, c.message) << c.what;
    EXPECT_EQ(musicState().blockCount, 0u) << c.what;
    EXPECT_EQ(musicState().manyBlocks, 0) << c.what;

    // Playing without a piece queues nothing and nothing ever finishes.
    EXPECT_EQ(startMusic(1), 1) << c.what;
    EXPECT_EQ(musicState().nextBlock, 0u) << c.what;
    backend->waitMs(20000);
    for (const RecordedEvent& event : backend->events()) {
        EXPECT_FALSE(event.kind == RecordedKind::Music && event.action == "done") << c.what;
    }
}

const char* const noMids = "Noting 'MIDS' chunk";
const char* const noFmt = "Noting 'fmt ' chunk";
const char* const shortFmt = "MDSヘッダー読みとり失敗";
const char* const noData = "Noting 'data' chunk";
const char* const noCount = "データブロック数読みとり失敗";
const char* const badBlocks = "演奏データ読みとり失敗";

std::vector<uint8_t> oneBlock(uint32_t bufferSize, uint32_t count, uint32_t byteCount, size_t eventBytes) {
    std::vector<uint8_t> body;
    putU32(body, count);
    putBlock(body, byteCount, bytesOf(eventBytes, 0));
    return makeMusicFile({{"fmt ", fmtBody(96, bufferSize)}, {"data", body}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MusicFileRefuses,
    ::testing::Values(
        BadFile{"empty file", {}, noMids},
        BadFile{"RIFF word alone", {'R', 'I', 'F', 'F'}, noMids},
        BadFile{"not RIFF", [] { auto f = oneBlock(12, 1, 12, 12); f[3] = 'X'; return f; }(), noMids},
        BadFile{"RIFF of another form",
                makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", dataBody(0, {})}}, "WAVE"), noMids},
        BadFile{"no fmt chunk", makeMusicFile({{"data", dataBody(0, {})}}), noFmt},
        BadFile{"fmt of 8 bytes", makeMusicFile({{"fmt ", bytesOf(8, 1)}, {"data", dataBody(0, {})}}), shortFmt},
        BadFile{"fmt of 11 bytes", makeMusicFile({{"fmt ", bytesOf(11, 1)}, {"data", dataBody(0, {})}}), shortFmt},
        BadFile{"no data chunk", makeMusicFile({{"fmt ", fmtBody(96, 12)}}), noData},
        BadFile{"data before fmt", makeMusicFile({{"data", dataBody(0, {})}, {"fmt ", fmtBody(96, 12)}}), noData},
        BadFile{"empty data chunk", makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", {}}}), noCount},
        BadFile{"data chunk of 3 bytes", makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", {1, 0, 0}}}), noCount},
        BadFile{"block runs past the data chunk", oneBlock(24, 1, 24, 12), badBlocks},
        BadFile{"block head cut off",
                makeMusicFile({{"fmt ", fmtBody(96, 12)}, {"data", {1, 0, 0, 0, 0, 0, 0, 0}}}), badBlocks},
        BadFile{"count one block past the chunk", oneBlock(12, 2, 12, 12), badBlocks},
        BadFile{"block larger than a buffer", oneBlock(11, 1, 12, 12), badBlocks},
        BadFile{"buffer size 0", oneBlock(0, 1, 0, 0), badBlocks},
        BadFile{"buffer size beyond the file", sixtyFourBytes(65), badBlocks}));

}  // namespace
