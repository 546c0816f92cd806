// The best score kept across runs in "score.slf", and the file operations
// beneath it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/score_file.h"
#include "platform/files.h"
#include "support/headless_game.h"

using namespace varnholt;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

// Runs a test inside its own empty folder, where the score file goes.
class WorkingFolder {
public:
    WorkingFolder() : previous_(fs::current_path()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("score_file_") + test->test_suite_name() + "_" + test->name();
        std::replace(name.begin(), name.end(), '/', '_');
        fs::current_path(testing_support::scratchDirectory(name));
    }
    ~WorkingFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 std::streamsize(bytes.size()));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Dates a file ten years back, so that any write to it shows.
fs::file_time_type age(const std::string& path) {
    const fs::file_time_type old = fs::last_write_time(path) - std::chrono::hours(24 * 3650);
    fs::last_write_time(path, old);
    return old;
}

class ScoreFile : public ::testing::Test {
protected:
    void SetUp() override { testing_support::freshHeadlessGame(); }
    WorkingFolder folder;
};



struct StoredCase {
    const char* what;
    Bytes stored;
    int32_t bestBefore, score, bestAfter;
    std::optional<Bytes> after;  // nothing: the file must not be touched
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.what; }

class ScoreFileStored : public ScoreFile, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(ScoreFileStored, IsReadAndReplacedOnlyByAStrictlyHigherScore) {
    const StoredCase& c = GetParam();
    writeFile("score.slf", c.stored);
    const fs::file_time_type dated = age("score.slf");
    bestScore = c.bestBefore;
    score = c.score;
    EXPECT_EQ(updateScoreFile(), 1);
    EXPECT_EQ(bestScore, c.bestAfter) << c.what;
    if (c.after) {
        EXPECT_EQ(readFile("score.slf"), *c.after) << c.what;
    } else {
        EXPECT_EQ(readFile("score.slf"), c.stored) << c.what;
        EXPECT_TRUE(fs::last_write_time("score.slf") == dated) << c.what << ": the file was written";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoreFileStored,
    ::testing::Values(
        StoredCase{"a lower score", {0xFA, 0, 0, 0}, 0, 100, 250, std::nullopt},
        StoredCase{"the stored best replaces the one in memory", {0xFA, 0, 0, 0}, 999, 0, 250, std::nullopt},
        StoredCase{"an equal score", {0xFA, 0, 0, 0}, 0, 250, 250, std::nullopt},
        StoredCase{"one more", {0xFA, 0, 0, 0}, 0, 251, 251, Bytes{0xFB, 0, 0, 0}},
        StoredCase{"zero against zero", {0, 0, 0, 0}, 0, 0, 0, std::nullopt},
        StoredCase{"all four bytes, little-endian", {0x39, 0x30, 0, 0}, 0, 12344, 12345, std::nullopt},
        StoredCase{"a longer file, lower score", {10, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}, 0, 5, 10, std::nullopt},
        StoredCase{"a longer file keeps its tail",
                   {10, 0, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}, 0, 300, 300,
                   Bytes{0x2C, 0x01, 0, 0, 0xAA, 0xBB, 0xCC, 0xDD}},
        StoredCase{"one byte is no score", {5}, 77, 0, 77, std::nullopt},
        StoredCase{"two bytes are no score", {5, 0}, 77, 0, 77, std::nullopt},
        StoredCase{"three bytes are no score", {5, 0, 0}, 77, 0, 77, std::nullopt},
        StoredCase{"a short file takes a whole record", {5, 0}, 0, 500, 500, Bytes{0xF4, 0x01, 0, 0}},
        StoredCase{"a negative record is beaten by any score", {0xFF, 0xFF, 0xFF, 0xFF}, 0, 3, 3, Bytes{3, 0, 0, 0}}));

TEST_F(ScoreFile, ANegativeRecordCountsAsZero) {
    for (const Bytes& stored : {Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0, 0, 0, 0x80}}) {
        writeFile("score.slf", stored);
        bestScore = 77;
        score = 0;
        EXPECT_EQ(updateScoreFile(), 1);
        EXPECT_EQ(bestScore, 0) << int(stored[3]);
    }
}

TEST_F(ScoreFile, AFailedWriteLeavesTheOldRecord) {
    writeFile("score.slf", {100, 0, 0, 0, 1, 2});
    fs::create_directory("score.slf.new");  // the replacement cannot be written
    score = 200;
    EXPECT_EQ(updateScoreFile(), 1);
    EXPECT_EQ(bestScore, 200) << "the higher score lives on in memory";
    EXPECT_EQ(readFile("score.slf"), (Bytes{100, 0, 0, 0, 1, 2}));
}

class FileReplace : public ScoreFile {};

TEST_F(FileReplace, AReplacementThatCannotBeWrittenChangesNothing) {
    writeFile("data.bin", {1, 2, 3, 4});
    fs::create_directory("data.bin.new");
    EXPECT_FALSE(fileReplace("data.bin", {9, 9, 9, 9}));
    EXPECT_EQ(readFile("data.bin"), (Bytes{1, 2, 3, 4}));
    EXPECT_FALSE(fileReplace("missing/data.bin", {1}));
    EXPECT_FALSE(fs::exists("missing"));
}

}  // namespace
