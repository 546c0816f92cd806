// The music player on the headless clock: how pieces are queued, fed,
// looped, stopped and replaced, and when the frames start and stop them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/music_player.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
using testing_support::putU32;

namespace {

// A piece of `count` blocks, each one note-on 96 ticks (a quarter, 500 ms
// at the default tempo) after the one before; block i plays note
// firstNote + i.
std::vector<uint8_t> makeMusicFile(uint32_t count, uint8_t firstNote, uint32_t division = 96) {
    std::vector<uint8_t> data;
    putU32(data, count);
    for (uint32_t i = 0; i < count; ++i) {
        putU32(data, 96 * i);  // start tick
        putU32(data, 12);
        putU32(data, 96);
        putU32(data, 0);
        putU32(data, 0x00640090u | uint32_t(firstNote + i) << 8);
    }
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    putU32(file, uint32_t(4 + 20 + 8 + data.size()));
    for (char c : std::string("MIDSfmt ")) file.push_back(uint8_t(c));
    putU32(file, 12);
    putU32(file, division);
    putU32(file, 12);  // buffer size: one record
    putU32(file, 0);
    for (char c : std::string("data")) file.push_back(uint8_t(c));
    putU32(file, uint32_t(data.size()));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct Done {
    uint32_t ms;  // since the test began playing
    int block;
    bool operator==(const Done& other) const { return ms == other.ms && block == other.block; }
};
std::ostream& operator<<(std::ostream& out, const Done& d) { return out << d.block << "@" << d.ms; }

// The player's state outlives a test: close the piece and clear the flags
// that a start without a stream leaves set.
void silence() {
    closeMusic();
    stopMusic();
}

class MusicPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        silence();
        backend = &testing_support::freshHeadlessGame();
        folder = testing_support::scratchDirectory("music_player");
        std::filesystem::create_directories(folder + "/音楽");
        setDataDirectory(folder);
        ASSERT_TRUE(backend->openMidiLog(folder + "/midi.log"));
    }
    void TearDown() override { silence(); }

    std::string piece(const std::string& name, uint32_t count, uint8_t firstNote = 0x3C,
                      uint32_t division = 96) {
        testing_support::writeFile(folder + "/音楽/" + name, makeMusicFile(count, firstNote, division));
        return "音楽/" + name;
    }

    // Lets `ms` pass in steps of 10 ms, noting when each block is reported
    // finished.
    void play(uint32_t ms) {
        for (uint32_t t = 0; t < ms; t += 10) {
            backend->waitMs(10);
            elapsed += 10;
            for (; seen < backend->events().size(); ++seen) {
                const RecordedEvent& event = backend->events()[seen];
                if (event.kind == RecordedKind::Music && event.action == "done") {
                    finished.push_back({elapsed, event.effect});
                }
            }
        }
    }
    std::vector<int> finishedBlocks() const {
        std::vector<int> blocks;
        for (const Done& d : finished) blocks.push_back(d.block);
        return blocks;
    }
    int starts() const {
        int count = 0;
        for (const RecordedEvent& event : backend->events()) {
            count += event.kind == RecordedKind::Music && event.action == "start";
        }
        return count;
    }
    // Every message played so far; closing the log writes it out.
    std::vector<std::string> played() {
        backend->openMidiLog(folder + "/rest.log");
        return readLines(folder + "/midi.log");
    }

    HeadlessBackend* backend = nullptr;
    std::string folder;
    uint32_t elapsed = 0;
    size_t seen = 0;
    std::vector<Done> finished;
};

std::vector<int> range(int from, int to) {  // from..to-1
    std::vector<int> values;
    for (int i = from; i < to; ++i) values.push_back(i);
    return values;
}

std::vector<int> join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(MusicPlayer, FifteenBlocksAreQueuedWholeAndRequeuedWithoutAGap) {
    ASSERT_EQ(openMusic(piece("p.mds", 15).c_str(), 0), 1);
    EXPECT_EQ(musicState().manyBlocks, 0);
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 15u);
    play(16000);
    ASSERT_EQ(finished.size(), 32u);
    for (uint32_t k = 0; k < 32; ++k) EXPECT_EQ(finished[k], (Done{500 * (k + 1), int(k % 15)}));
    EXPECT_EQ(starts(), 1) << "the stream runs on; no restart";
    EXPECT_EQ(musicState().nextBlock, 15u);
    const auto lines = played();
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "500.000 90 3C 64");
    EXPECT_EQ(lines[14], "7500.000 90 4A 64");
    EXPECT_EQ(lines[15], "8000.000 90 3C 64");
    EXPECT_EQ(lines[16], "8500.000 90 3D 64");
}

TEST_F(MusicPlayer, SixteenBlocksAreQueuedAtOnceAndRestartedAfterTheLast) {
    ASSERT_EQ(openMusic(piece("p.mds", 16).c_str(), 0), 1);
    EXPECT_EQ(musicState().manyBlocks, 1);
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 16u);
    play(7990);
    EXPECT_EQ(finishedBlocks(), range(0, 15));
    EXPECT_EQ(musicState().nextBlock, 16u) << "nothing is fed after the 8th block";
    EXPECT_EQ(starts(), 1);
    play(10);
    EXPECT_EQ(finished.back(), (Done{8000, 15}));
    EXPECT_EQ(starts(), 2) << "a new round begins after the last block";
    EXPECT_EQ(musicState().musicPlaying, 1);
    EXPECT_EQ(musicState().nextBlock, 16u);
    play(4000);
    EXPECT_EQ(finishedBlocks(), join(range(0, 16), range(0, 8)));
}

TEST_F(MusicPlayer, TwentyBlocksAreFedAfterTheEighth) {
    ASSERT_EQ(openMusic(piece("p.mds", 20).c_str(), 0), 1);
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 16u);
    play(3990);
    EXPECT_EQ(finishedBlocks(), range(0, 7));
    EXPECT_EQ(musicState().nextBlock, 16u);
    play(10);
    EXPECT_EQ(finished.back(), (Done{4000, 7}));
    EXPECT_EQ(musicState().nextBlock, 20u);
    play(5990);
    EXPECT_EQ(finishedBlocks(), range(0, 19));
    EXPECT_EQ(starts(), 1) << "the 16th block is not the last";
    play(10);
    EXPECT_EQ(finished.back(), (Done{10000, 19}));
    EXPECT_EQ(starts(), 2);
    EXPECT_EQ(musicState().nextBlock, 16u);
    play(1000);
    EXPECT_EQ(finishedBlocks(), join(range(0, 20), {0, 1}));
    const auto lines = played();
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[19], "10000.000 90 4F 64");
}

class MusicPlayerWithoutLoop : public MusicPlayer, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(MusicPlayerWithoutLoop, EndsAfterTheLastBlock) {
    const uint32_t count = GetParam();
    ASSERT_EQ(openMusic(piece("p.mds", count).c_str(), 0), 1);
    EXPECT_EQ(startMusic(0), 1);
    play(3 * 500 * count);
    EXPECT_EQ(finishedBlocks(), range(0, int(count)));
    EXPECT_EQ(musicState().musicPlaying, 0);
    EXPECT_EQ(starts(), 1);
    EXPECT_EQ(played().size(), count);
}

INSTANTIATE_TEST_SUITE_P(Counts, MusicPlayerWithoutLoop, ::testing::Values(1u, 15u, 16u, 20u));

TEST_F(MusicPlayer, StopThenStartPlaysFromTheFirstBlockAndIgnoresTheOldRound) {
    ASSERT_EQ(openMusic(piece("p.mds", 20).c_str(), 0), 1);
    ASSERT_EQ(startMusic(1), 1);
    play(1200);
    EXPECT_EQ(stopMusic(), 1);
    EXPECT_EQ(musicState().musicPlaying, 0);
    EXPECT_EQ(musicState().musicLoop, 0);
    EXPECT_EQ(startMusic(1), 1);
    // The stop handed back blocks 2..15, 7 and 15 among them; their
    // notices arrive now and must neither feed nor restart anything.
    play(10);
    EXPECT_EQ(finishedBlocks(), (std::vector<int>{0, 1}));
    EXPECT_EQ(musicState().nextBlock, 16u);
    EXPECT_EQ(musicState().musicPlaying, 1);
    EXPECT_EQ(starts(), 2);
    play(990);
    EXPECT_EQ(finishedBlocks(), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(played(), (std::vector<std::string>{"500.000 90 3C 64", "1000.000 90 3D 64",
                                                  "500.000 90 3C 64", "1000.000 90 3D 64"}));
}

TEST_F(MusicPlayer, StopWithoutAStreamStillClearsTheFlags) {
    EXPECT_EQ(closeMusic(), 0);
    EXPECT_EQ(startMusic(1), 1) << "no stream: the flags are set, nothing is queued";
    EXPECT_EQ(musicState().musicPlaying, 1);
    EXPECT_EQ(musicState().musicLoop, 1);
    EXPECT_EQ(stopMusic(), 0);
    EXPECT_EQ(musicState().musicPlaying, 0);
    EXPECT_EQ(musicState().musicLoop, 0);
}

TEST_F(MusicPlayer, AfterClosingNothingIsHeldAndNothingPlays) {
    ASSERT_EQ(openMusic(piece("p.mds", 20).c_str(), 0), 1);
    ASSERT_EQ(startMusic(1), 1);
    play(600);
    const uint32_t round = musicState().round;
    EXPECT_EQ(closeMusic(), 1);
    EXPECT_EQ(closeMusic(), 0);
    MusicState state = musicState();
    EXPECT_FALSE(state.streamOpen);
    EXPECT_EQ(state.blockCount, 0u);
    EXPECT_EQ(state.manyBlocks, 0);
    EXPECT_EQ(state.musicPlaying, 0);
    // Late notices of the closed piece.
    onBlockDone(midiBlockDone, 7, round);
    onBlockDone(midiBlockDone, 19, round);
    state = musicState();
    EXPECT_EQ(state.musicPlaying, 0);
    EXPECT_EQ(state.nextBlock, 16u);
    seen = backend->events().size();
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 0u);
    play(5000);
    EXPECT_EQ(finishedBlocks(), (std::vector<int>{0}));
    EXPECT_EQ(played().size(), 1u);
}

class MusicPlayerNotices : public MusicPlayer,
                           public ::testing::WithParamInterface<std::tuple<uint32_t, int>> {};

TEST_P(MusicPlayerNotices, OnlyTheDoneNoticeCounts) {
    const auto [message, playingAfter] = GetParam();
    ASSERT_EQ(openMusic(piece("p.mds", 15).c_str(), 0), 1);
    ASSERT_EQ(startMusic(0), 1);
    onBlockDone(message, 14, musicState().round);  // "the last block is done"
    EXPECT_EQ(musicState().musicPlaying, playingAfter) << std::hex << message;
}

INSTANTIATE_TEST_SUITE_P(Messages, MusicPlayerNotices,
                         ::testing::Values(std::make_tuple(0x3C7u, 1),   // opened
                                           std::make_tuple(0x3C8u, 1),   // closed
                                           std::make_tuple(0x3CAu, 1),   // position
                                           std::make_tuple(0x3C9u, 0)));  // done

TEST_F(MusicPlayer, ARefusedTimeDivisionIsReportedAndOpeningGoesOn) {
    EXPECT_EQ(openMusic(piece("p.mds", 2, 0x3C, 0).c_str(), 0), 1);
    std::vector<std::string> debug;
    for (const RecordedEvent& event : backend->events()) {
        if (event.kind == RecordedKind::Debug) debug.push_back(event.text);
    }
    EXPECT_EQ(debug, (std::vector<std::string>{"midiStreamProperty()"}));
    EXPECT_EQ(musicState().blockCount, 2u);
}

// The frames decide when the music plays.

struct MusicEvent {
    uint32_t frame;
    std::string action, file;
    bool operator==(const MusicEvent& o) const { return frame == o.frame && action == o.action && file == o.file; }
};
std::ostream& operator<<(std::ostream& out, const MusicEvent& e) {
    return out << e.action << "(" << e.file << ")@" << e.frame;
}

class MusicInFrames : public ::testing::Test {
protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        silence();
        backend = &testing_support::freshHeadlessGame();
        const std::string folder = testing_support::scratchDirectory("music_frames");
        const fs::path assets = testing_support::assetDirectory();
        fs::create_directory_symlink(assets / "Bitmap", fs::path(folder) / "Bitmap");
        fs::create_directories(fs::path(folder) / "音楽");
        for (const auto& entry : fs::directory_iterator(assets / "音楽")) {
            if (entry.path().extension() == ".wav") {
                fs::create_symlink(entry.path(), fs::path(folder) / "音楽" / entry.path().filename());
            }
        }
        testing_support::writeFile(folder + "/音楽/通常.mds", makeMusicFile(3, 0x3C));
        testing_support::writeFile(folder + "/音楽/back.mds", makeMusicFile(5, 0x50));
        setDataDirectory(folder);
        ASSERT_EQ(initGame(1, 0, 1), 1);
    }
    void TearDown() override { silence(); }

    std::vector<MusicEvent> musicEvents() const {
        std::vector<MusicEvent> found;
        for (const RecordedEvent& event : backend->events()) {
            if (event.kind == RecordedKind::Music && event.action != "done") {
                found.push_back({event.frame, event.action, event.text});
            }
        }
        return found;
    }
    void frames(int count) {
        for (int i = 0; i < count; ++i) runFrame();
    }

    HeadlessBackend* backend = nullptr;
};

TEST_F(MusicInFrames, TheOpeningPlaysUntilTheFadeAndPlayMusicFollowsIt) {
    frames(5);
    EXPECT_EQ(musicState().musicPlaying, 1);
    fadingOut = 1;  // the title menu's choice: into area 40
    frames(70);     // frames 6..75; the fade's first step is frame 6
    EXPECT_EQ(scene, 1);
    EXPECT_EQ(musicEvents(), (std::vector<MusicEvent>{{0, "open", "音楽/通常.mds"},
                                                      {1, "start", ""},
                                                      {6, "stop", ""},
                                                      {68, "open", "音楽/back.mds"},
                                                      {69, "start", ""}}));
    EXPECT_EQ(musicState().blockCount, 5u);
    EXPECT_EQ(musicState().musicPlaying, 1);
}

struct StopCase {
    const char* what;
    int32_t* variable;
    int32_t value;
};

void PrintTo(const StopCase& c, std::ostream* out) { *out << c.what; }

class MusicStopsInFrames : public MusicInFrames, public ::testing::WithParamInterface<StopCase> {};

TEST_P(MusicStopsInFrames, AndStaysSilent) {
    scene = 1;
    frames(1);
    *GetParam().variable = GetParam().value;
    frames(4);
    EXPECT_EQ(musicEvents(), (std::vector<MusicEvent>{{0, "open", "音楽/通常.mds"},
                                                      {1, "start", ""},
                                                      {2, "stop", ""}}))
        << GetParam().what;
    EXPECT_EQ(musicState().musicPlaying, 0) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Rules, MusicStopsInFrames,
                         ::testing::Values(StopCase{"fade-out", &fadingOut, 1},
                                           StopCase{"fade-in", &fadingIn, 1},
                                           StopCase{"ending", &scene, 2},
                                           StopCase{"not playing", &playing, 0}));

}  // namespace

namespace {

class QuietSink final : public MidiSink {
public:
    void send(double, const uint8_t*, int) override { ++messages; }
    void allNotesOff() override {}
    int messages = 0;
};

// The notices of a real device come from a thread of their own while the
// game starts, stops and replaces pieces: nothing may be freed under the
// stream's feet, and no start may slip in between two others.
TEST_F(MusicPlayer, SurvivesNoticesFromAnotherThreadWhileTheGameChangesPieces) {
    const std::string longPiece = piece("long.mds", 20, 0x30, 960);
    const std::string shortPiece = piece("short.mds", 5, 0x50, 960);
    MidiStream& stream = backend->midiStream();
    stream.startNotifier();
    std::atomic<bool> done{false};
    QuietSink sink;
    std::thread audio([&] {
        while (!done) stream.advance(20000, sink);
    });
    uint32_t state = 12345;
    for (int i = 0; i < 20000; ++i) {
        state = state * 1103515245u + 12345u;
        switch (state >> 16 & 7) {
        case 0: openMusic((state & 1) ? longPiece.c_str() : shortPiece.c_str(), 0); break;
        case 1: stopMusic(); break;
        case 2: closeMusic(); break;
        default: startMusic(1); break;
        }
    }
    // And at the end a piece that plays on: its notices keep coming, and
    // each loop starts a new round.
    openMusic(longPiece.c_str(), 0);
    startMusic(1);
    const uint32_t firstRound = musicState().round;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (musicState().round < firstRound + 3 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    done = true;
    audio.join();
    EXPECT_GE(musicState().round, firstRound + 3) << "the notices stopped coming";
    closeMusic();
    EXPECT_FALSE(musicState().streamOpen);
    EXPECT_GT(sink.messages, 0) << "the music never played";
}

}  // namespace
