// A standard MIDI file written by somebody else, converted by mid2mds and
// played through the game's music player on the virtual clock: it lasts as
// long as the file says and plays every note. The file comes from a
// Debian package of game music that the set-up installs for this test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game_state.h"
#include "audio/music_player.h"
#include "music/mid2mds_command.h"
#include "platform/files.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

const char* const borrowedFile = "/usr/share/planetblupi/music/music004.mid";

TEST(RealMidiFile, PlaysAllItsNotesForAsLongAsTheFileSays) {
    if (!std::filesystem::exists(borrowedFile)) GTEST_SKIP() << borrowedFile << " is not installed";
    const std::string folder = testing_support::scratchDirectory("real_midi");
    std::filesystem::create_directories(folder + "/音楽");
    std::ostringstream errors;
    ASSERT_EQ(music::runMid2mds({borrowedFile, folder + "/音楽/piece.mds"}, errors), 0) << errors.str();

    HeadlessBackend& backend = testing_support::freshHeadlessGame();
    setDataDirectory(folder);
    const std::string log = folder + "/midi.txt";
    ASSERT_TRUE(backend.openMidiLog(log));
    ASSERT_EQ(openMusic("音楽/piece.mds", 0), 1);
    EXPECT_EQ(musicState().blockCount, 73u);
    ASSERT_EQ(startMusic(0), 1);
    // Its own reckoning: 199692 ticks at 192 a quarter and 576923 µs a
    // quarter make 600.036 seconds.
    uint32_t elapsedMs = 0;
    while (musicState().musicPlaying == 1 && elapsedMs < 700000) {
        backend.waitMs(16);
        elapsedMs += 16;
    }
    EXPECT_EQ(musicState().musicPlaying, 0) << "the piece never ended";
    EXPECT_TRUE(elapsedMs >= 600036u && elapsedMs < 600036u + 16) << elapsedMs;
    closeMusic();
    backend.openMidiLog(folder + "/closed.txt");  // closes, and so flushes, the first log

    std::ifstream lines(log);
    int noteOns = 0;
    double last = 0;
    for (std::string line; std::getline(lines, line);) {
        std::string status, key, velocity;
        std::istringstream(line) >> last >> status >> key >> velocity;
        noteOns += status[0] == '9' && velocity != "00";
    }
    EXPECT_EQ(noteOns, 12295);
    EXPECT_TRUE(last > 590000.0 && last <= 600036.0) << last;
}

}  // namespace
