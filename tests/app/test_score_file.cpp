// The best score kept across runs in "score.slf", and the file operations
// beneath it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/game_state.h"
#include "app/score_file.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readFile(const std::string& path) {
    const std::string text = testing_support::readText(path);
    return {text.begin(), text.end()};
}

// Each test in an empty folder of its own, where the score file goes.
class ScoreFile : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        fs::current_path(testing_support::scratchDirectory("score_file"));
    }
    void TearDown() override { fs::current_path(previous); }
    const fs::path previous = fs::current_path();
};

TEST_F(ScoreFile, IsReadAndReplacedOnlyByAStrictlyHigherScore) {
    const struct {
        const char* what;
        Bytes stored;
        int32_t bestBefore, score, bestAfter;
        std::optional<Bytes> after;  // nothing: the file must not be touched
    } cases[] = {
        {"a lower score", {0xFA, 0, 0, 0}, 0, 100, 250, std::nullopt},
        {"the stored best replaces the one in memory", {0xFA, 0, 0, 0}, 999, 0, 250, std::nullopt},
        {"an equal score", {0xFA, 0, 0, 0}, 0, 250, 250, std::nullopt},
        {"one more", {0xFA, 0, 0, 0}, 0, 251, 251, Bytes{0xFB, 0, 0, 0}},
        {"zero against zero", {0, 0, 0, 0}, 0, 0, 0, std::nullopt},
        {"all four bytes, little-endian", {0x39, 0x30, 0, 0}, 0, 12344, 12345, std::nullopt},
        {"a longer file, lower score", {10, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}, 0, 5, 10, std::nullopt},
        {"a longer file keeps its tail", {10, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}, 0, 300, 300,
         Bytes{0x2C, 0x01, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}},
        {"one byte is no score", {5}, 77, 0, 77, std::nullopt},
        {"three bytes are no score", {5, 0, 0}, 77, 0, 77, std::nullopt},
        {"a short file takes a whole record", {5, 0}, 0, 500, 500, Bytes{0xF4, 0x01, 0, 0}},
        {"a record of -1 counts as zero", {0xFF, 0xFF, 0xFF, 0xFF}, 77, 0, 0, std::nullopt},
        {"the lowest record counts as zero", {0, 0, 0, 0x80}, 77, 0, 0, std::nullopt},
        {"a negative record is beaten by any score", {0xFF, 0xFF, 0xFF, 0xFF}, 0, 3, 3, Bytes{3, 0, 0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::writeFile("score.slf", c.stored);
        // Dated ten years back, so that any write to it shows.
        const fs::file_time_type dated = fs::last_write_time("score.slf") - std::chrono::hours(24 * 3650);
        fs::last_write_time("score.slf", dated);
        bestScore = c.bestBefore;
        score = c.score;
        EXPECT_EQ(updateScoreFile(), 1);
        EXPECT_EQ(bestScore, c.bestAfter);
        EXPECT_EQ(readFile("score.slf"), c.after.value_or(c.stored));
        EXPECT_TRUE(c.after || fs::last_write_time("score.slf") == dated) << "the file was written";
    }
}

// A new best that cannot be stored whole: its replacement cannot be written
// (its place is taken by a folder), or the file's rest cannot be read whole
// (65 MiB, more than the game reads at once). The old record stays, and the
// higher score lives on in memory.
TEST_F(ScoreFile, ABestThatCannotBeStoredWholeLeavesTheOldRecord) {
    testing_support::writeFile("score.slf", {100, 0, 0, 0, 1, 2});
    fs::create_directory("score.slf.new");
    score = 200;
    EXPECT_EQ(updateScoreFile(), 1);
    EXPECT_EQ(bestScore, 200);
    EXPECT_FALSE(fileReplace("score.slf", {9, 9, 9, 9}));
    EXPECT_EQ(readFile("score.slf"), (Bytes{100, 0, 0, 0, 1, 2}));
    EXPECT_FALSE(fileReplace("missing/data.bin", {1}));
    EXPECT_FALSE(fs::exists("missing"));

    fs::remove("score.slf.new");
    const uintmax_t size = uintmax_t{65} << 20;
    fs::resize_file("score.slf", size);
    std::tie(score, bestScore) = std::tuple(300, 0);
    EXPECT_EQ(updateScoreFile(), 1);
    EXPECT_EQ(bestScore, 300);
    EXPECT_EQ(fs::file_size("score.slf"), size);
    const int handle = fileOpenReadWrite("score.slf");
    uint8_t head[6] = {};
    EXPECT_EQ(fileRead(handle, head, 6), 6);
    fileClose(handle);
    EXPECT_EQ(Bytes(head, head + 6), (Bytes{100, 0, 0, 0, 1, 2}));
    EXPECT_FALSE(fs::exists("score.slf.new"));
}

}  // namespace
