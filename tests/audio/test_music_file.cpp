// Reading ".mds" music files: what is taken from them, what is refused and
// what the player holds afterwards.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "audio/music_file.h"
#include "audio/music_player.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
using Bytes = std::vector<uint8_t>;

namespace {

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes words(std::initializer_list<uint32_t> values) {
    Bytes out;
    for (uint32_t value : values) testing_support::putU32(out, value);
    return out;
}

// A RIFF file of form `form` holding `chunks` in order, each padded to an
// even size.
Bytes riff(const std::vector<testing_support::WaveChunk>& chunks, const char* form = "MIDS") {
    Bytes file = testing_support::makeWave(chunks);
    std::copy(form, form + 4, file.begin() + 8);
    return file;
}

Bytes fmt(uint32_t bufferSize, uint32_t division = 96) { return words({division, bufferSize, 0}); }
Bytes note(uint8_t key) { return words({96, 0, 0x00640090u | uint32_t(key) << 8}); }  // 12 bytes

// A data chunk body: the count, then one block (start tick, byte count,
// events) per entry.
Bytes dataBody(uint32_t count, const std::vector<Bytes>& blocks) {
    Bytes body = words({count});
    for (const Bytes& events : blocks) body = body + words({0, uint32_t(events.size())}) + events;
    return body;
}

// One block whose head claims `byteCount` bytes, followed by `eventBytes`.
Bytes oneBlock(uint32_t bufferSize, uint32_t count, uint32_t byteCount, size_t eventBytes) {
    return riff({{"fmt ", fmt(bufferSize)}, {"data", words({count, 0, byteCount}) + Bytes(eventBytes, 0)}});
}

// 12 (form) + 20 (fmt) + 8 + 4 + 8 + 12 (data with one block) = 64 bytes.
Bytes sixtyFourBytes(uint32_t bufferSize) {
    return riff({{"fmt ", fmt(bufferSize)}, {"data", dataBody(1, {note(0x3C)})}});
}

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

    int open(const std::string& name, const Bytes& bytes) {
        testing_support::writeFile(folder + "/音楽/" + name, bytes);
        return openMusic(("音楽/" + name).c_str(), 0);
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

// A file that opens but cannot be read whole is refused aloud, as a failed
// read of the performance: a folder, a pipe nobody writes to (never
// waited on), a file beyond the 16 MiB the game reads. A file of exactly
// 16 MiB is read.
TEST_F(MusicFile, AFileThatOpensButCannotBeReadIsRefusedWithTheReadersMessage) {
    const std::string dir = folder + "/音楽/";
    std::filesystem::create_directory(dir + "folder.mds");
    ASSERT_EQ(::mkfifo((dir + "pipe.mds").c_str(), 0600), 0);
    testing_support::writeFile(dir + "largest.mds", sixtyFourBytes(12));
    std::filesystem::resize_file(dir + "largest.mds", uintmax_t{16} << 20);
    testing_support::writeFile(dir + "larger.mds", sixtyFourBytes(12));
    std::filesystem::resize_file(dir + "larger.mds", (uintmax_t{16} << 20) + 1);
    const struct { const char* file; int answer; } cases[] = {
        {"音楽/folder.mds", 0}, {"音楽/pipe.mds", 0}, {"音楽/largest.mds", 1}, {"音楽/larger.mds", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        backend = &testing_support::freshHeadlessGame();
        setDataDirectory(folder);
        EXPECT_EQ(openMusic(c.file, 0), c.answer);
        const auto shown = messages();
        if (c.answer == 1) {
            EXPECT_TRUE(shown.empty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(std::tuple(shown[0]->caption, shown[0]->text, shown[0]->icon),
                  std::tuple("MIDI Stream", "演奏データ読みとり失敗", BoxIcon::Error));
    }
}

TEST_F(MusicFile, AMissingFileFailsWithoutAMessage) {
    EXPECT_EQ(openMusic("音楽/none.mds", 0), 0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(musicState().blockCount, 0u);
}

// The data chunk claims 100 bytes more than the file holds after its one
// block; what is there is read.
Bytes cutShort() {
    Bytes file = sixtyFourBytes(12);
    file[36] += 100;  // the data chunk's size: 12 + 20 + 4
    file[4] += 100;
    return file;
}

// A file, and the message it is refused with, or none and what the player
// holds after reading it.
struct FileCase {
    const char* what;
    Bytes bytes;
    const char* message;
    uint32_t timeFormat = 0, maxBufferSize = 0, blockCount = 0;
};
void PrintTo(const FileCase& c, std::ostream* out) { *out << c.what; }

class MusicFileOpening : public MusicFile, public ::testing::WithParamInterface<FileCase> {};

// A long piece is open first, so that whatever it left behind shows. A
// refused file leaves no piece: playing queues nothing and nothing ever
// finishes.
TEST_P(MusicFileOpening, ReadsTheFileOrRefusesItWithItsMessage) {
    const FileCase& c = GetParam();
    ASSERT_EQ(open("long.mds", riff({{"fmt ", fmt(12)}, {"data", dataBody(16, std::vector(16, note(0x3C)))}})), 1);
    ASSERT_EQ(musicState().manyBlocks, 1);

    EXPECT_EQ(open("p.mds", c.bytes), c.message ? 0 : 1);
    const MusicState s = musicState();
    EXPECT_EQ(std::pair(s.blockCount, s.manyBlocks), std::pair(c.blockCount, 0));
    if (!c.message) {
        EXPECT_EQ(std::pair(s.timeFormat, s.maxBufferSize), std::pair(c.timeFormat, c.maxBufferSize));
        EXPECT_TRUE(messages().empty());
        return;
    }
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0]->caption, "MIDI Stream");
    EXPECT_EQ(shown[0]->text, c.message);
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 0u);
    backend->waitMs(20000);
    for (const RecordedEvent& event : backend->events()) {
        EXPECT_FALSE(event.kind == RecordedKind::Music && event.action == "done");
    }
}

const char* const noMids = "Noting 'MIDS' chunk";
const char* const noFmt = "Noting 'fmt ' chunk";
const char* const shortFmt = "MDSヘッダー読みとり失敗";
const char* const noData = "Noting 'data' chunk";
const char* const noCount = "データブロック数読みとり失敗";
const char* const badBlocks = "演奏データ読みとり失敗";

const FileCase kFiles[] = {
    {"fmt of 16 bytes, first 12 used",
     riff({{"fmt ", words({192, 12, 1, 77})}, {"data", dataBody(1, {note(0x3C)})}}), nullptr, 192, 12, 1},
    {"other chunks before and between, odd sizes padded",
     riff({{"LIST", Bytes(5, 'L')}, {"fmt ", fmt(12)}, {"JUNK", Bytes(3, 'd')}, {"data", dataBody(1, {note(0x3C)})}}),
     nullptr, 96, 12, 1},
    {"no blocks", riff({{"fmt ", fmt(12)}, {"data", dataBody(0, {})}}), nullptr, 96, 12, 0},
    {"a block exactly as large as a buffer", riff({{"fmt ", fmt(24)}, {"data", dataBody(1, {note(1) + note(2)})}}),
     nullptr, 96, 24, 1},
    {"buffer size equal to the file's size", sixtyFourBytes(64), nullptr, 96, 64, 1},
    {"file cut short after its last block", cutShort(), nullptr, 96, 12, 1},
    {"empty file", {}, noMids}, {"RIFF word alone", {'R', 'I', 'F', 'F'}, noMids},
    {"not RIFF", [] { auto f = oneBlock(12, 1, 12, 12); f[3] = 'X'; return f; }(), noMids},
    {"RIFF of another form", riff({{"fmt ", fmt(12)}, {"data", dataBody(0, {})}}, "WAVE"), noMids},
    {"no fmt chunk", riff({{"data", dataBody(0, {})}}), noFmt},
    {"fmt of 11 bytes", riff({{"fmt ", Bytes(11, 1)}, {"data", dataBody(0, {})}}), shortFmt},
    {"no data chunk", riff({{"fmt ", fmt(12)}}), noData},
    {"data before fmt", riff({{"data", dataBody(0, {})}, {"fmt ", fmt(12)}}), noData},
    {"empty data chunk", riff({{"fmt ", fmt(12)}, {"data", {}}}), noCount},
    {"data chunk of 3 bytes", riff({{"fmt ", fmt(12)}, {"data", {1, 0, 0}}}), noCount},
    {"block runs past the data chunk", oneBlock(24, 1, 24, 12), badBlocks},
    {"block head cut off", riff({{"fmt ", fmt(12)}, {"data", words({1, 0})}}), badBlocks},
    {"count one block past the chunk", oneBlock(12, 2, 12, 12), badBlocks},
    {"block larger than a buffer", oneBlock(11, 1, 12, 12), badBlocks},
    {"buffer size 0", oneBlock(0, 1, 0, 0), badBlocks},
    {"buffer size beyond the file", sixtyFourBytes(65), badBlocks}};
INSTANTIATE_TEST_SUITE_P(Cases, MusicFileOpening, ::testing::ValuesIn(kFiles));

}  // namespace
