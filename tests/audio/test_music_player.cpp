// The music player on the headless clock: how pieces are queued, fed,
// looped, stopped and replaced, and when the frames start and stop them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
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
using Bytes = std::vector<uint8_t>;

namespace {

Bytes words(std::initializer_list<uint32_t> values) {
    Bytes out;
    for (uint32_t value : values) testing_support::putU32(out, value);
    return out;
}

// A piece of `count` blocks, each one note-on 96 ticks (a quarter, 500 ms
// at the default tempo) after the one before; block i plays note
// firstNote + i. Each block fills the buffer.
Bytes makeMusicFile(uint32_t count, uint8_t firstNote, uint32_t division = 96) {
    using testing_support::putU32;
    Bytes data = words({count});
    for (uint32_t i = 0; i < count; ++i) {
        for (uint32_t word : {96 * i, 12u, 96u, 0u, 0x640090u | (firstNote + i) << 8}) putU32(data, word);
    }
    Bytes file = testing_support::makeWave({{"fmt ", words({division, 12, 0})}, {"data", data}});
    std::copy_n("MIDS", 4, file.begin() + 8);
    return file;
}

// The player's state outlives a test: close the piece and clear the flags
// that a start without a stream leaves set.
void silence() {
    closeMusic();
    stopMusic();
}

using Done = std::pair<uint32_t, int>;  // ms since the test began playing, block

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

    std::string piece(const std::string& name, uint32_t count, uint8_t firstNote = 0x3C, uint32_t division = 96) {
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
                const RecordedEvent& e = backend->events()[seen];
                if (e.kind == RecordedKind::Music && e.action == "done") finished.emplace_back(elapsed, e.effect);
            }
        }
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
        std::ifstream in(folder + "/midi.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    HeadlessBackend* backend = nullptr;
    std::string folder;
    uint32_t elapsed = 0;
    size_t seen = 0;
    std::vector<Done> finished;
};

// Where a looping piece stands at `ms`: the next block to feed, and how
// often the stream was started.
struct Checkpoint {
    uint32_t ms, nextBlock;
    int starts;
};
struct LoopCase {
    uint32_t count;
    int loop;
    std::vector<Checkpoint> checkpoints;
};
void PrintTo(const LoopCase& c, std::ostream* out) { *out << c.count << " blocks, loop " << c.loop; }

class MusicPlayerLoops : public MusicPlayer, public ::testing::WithParamInterface<LoopCase> {};

// Up to 15 blocks are queued whole and, looping, requeued as they finish,
// the stream running on. From 16 the first 16 are queued, the rest fed
// after the 8th finishes, and the stream restarted after the last. Either
// way the k-th block to finish is block k % count, at 500 (k + 1) ms.
TEST_P(MusicPlayerLoops, PlayEveryBlockInTurnWithoutAGap) {
    const auto& [count, loop, checkpoints] = GetParam();
    ASSERT_EQ(openMusic(piece("p.mds", count).c_str(), 0), 1);
    EXPECT_EQ(musicState().manyBlocks, count >= 16 ? 1 : 0);
    EXPECT_EQ(startMusic(loop), 1);
    for (const Checkpoint& at : checkpoints) {
        play(at.ms - elapsed);
        EXPECT_EQ(std::pair(musicState().nextBlock, starts()), std::pair(at.nextBlock, at.starts)) << at.ms << " ms";
    }
    EXPECT_EQ(musicState().musicPlaying, loop);
    const auto lines = played();
    ASSERT_EQ(finished.size(), loop ? elapsed / 500 : count);
    ASSERT_EQ(lines.size(), finished.size());
    for (uint32_t k = 0; k < finished.size(); ++k) {
        EXPECT_EQ(finished[k], (Done{500 * (k + 1), int(k % count)}));
        char line[32];
        std::snprintf(line, sizeof line, "%u.000 90 %02X 64", 500 * (k + 1), 0x3C + k % count);
        EXPECT_EQ(lines[k], line);
    }
}

const LoopCase kLoops[] = {
    {15, 1, {{0, 15, 1}, {16000, 15, 1}}},
    {16, 1, {{0, 16, 1}, {7990, 16, 1}, {8000, 16, 2}, {12000, 16, 2}}},
    {20, 1, {{0, 16, 1}, {3990, 16, 1}, {4000, 20, 1}, {9990, 20, 1}, {10000, 16, 2}, {11000, 16, 2}}},
    // Without the loop each piece ends after its last block.
    {1, 0, {{1500, 1, 1}}}, {15, 0, {{22500, 15, 1}}}, {16, 0, {{24000, 16, 1}}}, {20, 0, {{30000, 20, 1}}}};
INSTANTIATE_TEST_SUITE_P(Counts, MusicPlayerLoops, ::testing::ValuesIn(kLoops));

TEST_F(MusicPlayer, StopThenStartPlaysFromTheFirstBlockAndIgnoresTheOldRound) {
    ASSERT_EQ(openMusic(piece("p.mds", 20).c_str(), 0), 1);
    ASSERT_EQ(startMusic(1), 1);
    play(1200);
    EXPECT_EQ(stopMusic(), 1);
    EXPECT_EQ(std::pair(musicState().musicPlaying, musicState().musicLoop), std::pair(0, 0));
    EXPECT_EQ(startMusic(1), 1);
    // The stop handed back blocks 2..15, 7 and 15 among them; their
    // notices arrive now and must neither feed nor restart anything.
    play(10);
    EXPECT_EQ(finished, (std::vector<Done>{{500, 0}, {1000, 1}}));
    EXPECT_EQ(musicState().nextBlock, 16u);
    EXPECT_EQ(musicState().musicPlaying, 1);
    EXPECT_EQ(starts(), 2);
    play(990);
    EXPECT_EQ(played(), (std::vector<std::string>{"500.000 90 3C 64", "1000.000 90 3D 64", "500.000 90 3C 64",
                                                  "1000.000 90 3D 64"}));
}

TEST_F(MusicPlayer, StopWithoutAStreamStillClearsTheFlags) {
    EXPECT_EQ(closeMusic(), 0);
    EXPECT_EQ(startMusic(1), 1) << "no stream: the flags are set, nothing is queued";
    EXPECT_EQ(std::pair(musicState().musicPlaying, musicState().musicLoop), std::pair(1, 1));
    EXPECT_EQ(stopMusic(), 0);
    EXPECT_EQ(std::pair(musicState().musicPlaying, musicState().musicLoop), std::pair(0, 0));
}

TEST_F(MusicPlayer, AfterClosingNothingIsHeldAndNothingPlays) {
    ASSERT_EQ(openMusic(piece("p.mds", 20).c_str(), 0), 1);
    ASSERT_EQ(startMusic(1), 1);
    play(600);
    const uint32_t round = musicState().round;
    EXPECT_EQ(closeMusic(), 1);
    EXPECT_EQ(closeMusic(), 0);
    // Late notices of the closed piece.
    onBlockDone(midiBlockDone, 7, round);
    onBlockDone(midiBlockDone, 19, round);
    const MusicState s = musicState();
    EXPECT_FALSE(s.streamOpen);
    EXPECT_EQ((std::array{s.blockCount, uint32_t(s.manyBlocks), uint32_t(s.musicPlaying), s.nextBlock}),
              (std::array{0u, 0u, 0u, 16u}));
    seen = backend->events().size();
    EXPECT_EQ(startMusic(1), 1);
    EXPECT_EQ(musicState().nextBlock, 0u);
    play(5000);
    EXPECT_EQ(finished.size(), 1u) << "only block 0, before the close";
    EXPECT_EQ(played().size(), 1u);
}

TEST_F(MusicPlayer, OnlyTheDoneNoticeCounts) {
    ASSERT_EQ(openMusic(piece("p.mds", 15).c_str(), 0), 1);
    ASSERT_EQ(startMusic(0), 1);
    for (uint32_t message : {0x3C7u, 0x3C8u, 0x3CAu}) {  // opened, closed, position
        onBlockDone(message, 14, musicState().round);     // "the last block is done"
        EXPECT_EQ(musicState().musicPlaying, 1) << std::hex << message;
    }
    onBlockDone(0x3C9u, 14, musicState().round);
    EXPECT_EQ(musicState().musicPlaying, 0);
}

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

using MusicEvent = std::tuple<uint32_t, std::string, std::string>;  // frame, action, file

class MusicInFrames : public ::testing::Test {
protected:
    void SetUp() override {
        silence();
        backend = &testing_support::freshHeadlessGame();
        const std::string folder = testing_support::scratchDirectory("music_frames");
        std::filesystem::create_directory_symlink(testing_support::assetDirectory() + "/Bitmap", folder + "/Bitmap");
        std::filesystem::copy(testing_support::assetDirectory() + "/音楽", folder + "/音楽");
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
                found.emplace_back(event.frame, event.action, event.text);
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

// A variable of the game set to a value that silences the music.
struct StopCase {
    const char* name;
    int32_t* variable;
    int32_t value;
};
void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class MusicStopsInFrames : public MusicInFrames, public ::testing::WithParamInterface<StopCase> {};

TEST_P(MusicStopsInFrames, AndStaysSilent) {
    scene = 1;
    frames(1);
    *GetParam().variable = GetParam().value;
    frames(4);
    EXPECT_EQ(musicEvents(),
              (std::vector<MusicEvent>{{0, "open", "音楽/通常.mds"}, {1, "start", ""}, {2, "stop", ""}}));
    EXPECT_EQ(musicState().musicPlaying, 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, MusicStopsInFrames,
                         ::testing::Values(StopCase{"FadeOut", &fadingOut, 1}, StopCase{"FadeIn", &fadingIn, 1},
                                           StopCase{"Ending", &scene, 2}, StopCase{"GameOver", &playing, 0}),
                         [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

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
