// The program as a whole, run headless from its command line.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/headless_game.h"

namespace {

struct RunResult {
    int exitCode;
    std::string errors;
};

using testing_support::readText;

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        folder = testing_support::scratchDirectory(
            std::string("cli_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string path(const std::string& name) const { return folder + "/" + name; }

    // Runs the game in the scratch folder with the generated data.
    RunResult run(const std::string& arguments, const std::string& data = testing_support::assetDirectory()) {
        RunResult result;
        result.exitCode = testing_support::runProgramIn(folder, arguments, result.errors, data);
        return result;
    }
    std::string folder;
};

TEST_F(CommandLine, OneFrameShowsTheStartValues) {
    const RunResult result = run("--headless --frames 1 --dump-state state.json");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const std::string state = readText(path("state.json"));
    for (const char* expected :
         {"\"frame\":1,", "\"scene\":0,", "\"areaId\":40,", "\"mapCols\":21,", "\"mapRows\":18,",
          "\"playerX\":-224,", "\"playerY\":814,", "\"facing\":1,", "\"hp\":15,", "\"maxHp\":15,",
          "\"stamina\":9000,", "\"maxStamina\":9000,", "\"level\":1,", "\"attack\":1,",
          "\"displayMode\":2,", "\"appActive\":1,", "\"joystickPresent\":0,", "\"playing\":1,", "\"bossAlive\":1,",
          "\"lastFrameTime\":16,", "\"enemySlots\":[", "\"gamePalette\":[[0,0,0,0],",
          "\"joyInfo\":{\"size\":52,\"flags\":131,"}) {
        EXPECT_NE(state.find(expected), std::string::npos) << expected;
    }
}

TEST_F(CommandLine, IdenticalRunsGiveIdenticalOutput) {
    std::ofstream(path("input.txt")) << "2 Right\n5 C joy=0,32767,1\n8\n";
    const std::string arguments =
        "--headless --frames 12 --joystick --input input.txt --clock-start 4294967200 ";
    ASSERT_EQ(run(arguments + "--dump-state a.json --events a.jsonl --screenshot 3:a.png").exitCode, 0);
    ASSERT_EQ(run(arguments + "--dump-state b.json --events b.jsonl --screenshot 3:b.png").exitCode, 0);
    EXPECT_EQ(readText(path("a.json")), readText(path("b.json")));
    EXPECT_EQ(readText(path("a.jsonl")), readText(path("b.jsonl")));
    const std::string picture = readText(path("a.png"));
    EXPECT_EQ(picture, readText(path("b.png")));
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(1, 3), "PNG");
    EXPECT_EQ(picture.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8)) << "640 × 480";
}

// Headless, the clock moves only in the frame's wait: frames are released
// exactly 16 ms apart and their own work and presentation take no time.
TEST_F(CommandLine, FrameStatsHaveALinePerFrame) {
    ASSERT_EQ(run("--headless --frames 3 --clock-start 4294967290 --frame-stats stats.txt").exitCode, 0);
    EXPECT_EQ(readText(path("stats.txt")),
              "# frame clock_ms released_us work_us present_us\n"
              "1 10 0 0 0\n2 26 16000 0 0\n3 42 32000 0 0\n");
}

// One box, which names no file, before any frame; standard error names
// the file, and the folder it was looked for in, in one line.
TEST_F(CommandLine, MissingDataShowsOneBoxAndIsNamedOnStandardError) {
    std::filesystem::create_directories(path("empty"));
    std::filesystem::create_directories(path("data"));
    std::filesystem::copy(testing_support::assetDirectory() + "/Bitmap", path("data/Bitmap"));
    std::filesystem::remove(path("data/Bitmap/数字.bmp"));
    std::filesystem::create_directories(path("folder/Bitmap/背景.bmp"));
    const struct { const char* data; const char* file; const char* why; } cases[] = {
        {"empty", "Bitmap/背景.bmp", "no such file, or not allowed to open it"},
        {"data", "Bitmap/数字.bmp", "no such file, or not allowed to open it"},
        {"folder", "Bitmap/背景.bmp", "not a plain file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const RunResult result = run("--headless --frames 5 --events e.jsonl --dump-state s.json", path(c.data));
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(readText(path("e.jsonl")), "{\"frame\":0,\"event\":\"message\",\"caption\":\"DirectDrawFailed\","
                                             "\"text\":\"エラー　010\",\"icon\":\"error\"}\n");
        EXPECT_NE(readText(path("s.json")).find("\"frame\":0,"), std::string::npos);
        EXPECT_EQ(result.errors, std::string("varnholt: cannot use the data file ") + c.file + ": " + c.why +
                                     " (data folder searched: " +
                                     std::filesystem::canonical(path(c.data)).string() + ")\n");
    }
}

TEST_F(CommandLine, AFailingDisplayStepShowsItsTwoMessages) {
    const RunResult result = run("--headless --frames 5 --window --fail-display AttachClipper --events e.jsonl");
    EXPECT_EQ(result.exitCode, 0);
    const std::string events = readText(path("e.jsonl"));
    EXPECT_NE(events.find("クリッパーエラー3"), std::string::npos);
    EXPECT_LT(events.find("クリッパーエラー3"), events.find("エラー　004"));
}

TEST_F(CommandLine, AScreenshotOfAFrameThatNeverRanIsReported) {
    const RunResult result = run("--headless --frames 3 --screenshot 9:late.png");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.errors.find("late.png"), std::string::npos) << result.errors;
    EXPECT_FALSE(std::filesystem::exists(path("late.png")));
}

TEST_F(CommandLine, EscInTheScriptEndsTheGameEarly) {
    std::ofstream(path("input.txt")) << "4 Esc\n";
    const RunResult result = run("--headless --frames 100 --input input.txt --dump-state s.json");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(readText(path("s.json")).find("\"frame\":4,"), std::string::npos);
}

TEST_F(CommandLine, SetChangesAVariableBeforeTheFirstFrame) {
    const RunResult result = run("--headless --frames 2 --set scene=1 --set quakeFrames=3 "
                           "--dump-state s.json --events e.jsonl");
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    const std::string state = readText(path("s.json"));
    EXPECT_NE(state.find("\"quakeFrames\":1,"), std::string::npos);
    // Raised to 150 in the first frame, shown in both.
    EXPECT_NE(state.find("\"quakeNotice\":148,"), std::string::npos);
    EXPECT_NE(readText(path("e.jsonl")).find("{\"frame\":2,\"event\":\"sound\",\"effect\":\"Earthquake\"}\n"),
              std::string::npos);
}

// The monkey checks the state before every frame; a value out of its range
// stops the run with the frame and the variable.
TEST_F(CommandLine, TheMonkeyStopsAtABrokenInvariant) {
    const RunResult broken = run("--headless --frames 50 --monkey 7 --set fadeLevel=256");
    EXPECT_EQ(broken.exitCode, 3);
    EXPECT_NE(broken.errors.find("after frame 0: fadeLevel is 256"), std::string::npos) << broken.errors;
    const RunResult sound = run("--headless --frames 50 --monkey 7 --set fadeLevel=248");
    EXPECT_EQ(sound.exitCode, 0) << sound.errors;
}

TEST_F(CommandLine, TheSameMonkeySeedPlaysTheSameGame) {
    ASSERT_EQ(run("--headless --frames 3000 --monkey 11 --dump-state a.json").exitCode, 0);
    std::filesystem::remove(path("Tavro.slf"));
    ASSERT_EQ(run("--headless --frames 3000 --monkey 11 --dump-state b.json").exitCode, 0);
    EXPECT_EQ(readText(path("a.json")), readText(path("b.json")));
}

class CommandLineRejects : public CommandLine, public ::testing::WithParamInterface<const char*> {};

TEST_P(CommandLineRejects, WithOneLineAndExitCodeTwo) {
    std::ofstream(path("bad.txt")) << "1 Up\n2 Jump\n";
    const RunResult result = run(GetParam());
    EXPECT_EQ(result.exitCode, 2) << GetParam();
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
    EXPECT_EQ(result.errors.rfind("varnholt: ", 0), 0u) << result.errors;
}

INSTANTIATE_TEST_SUITE_P(
    BadCommands, CommandLineRejects,
    ::testing::Values("--bogus", "--headless", "--joystick", "--headless --frames x", "--headless --frames",
                      "--frames 0x", "--headless --frames 0", "--headless --frames 1 --set nothing=3",
                      "--headless --frames 1 --set hp=many", "--headless --frames 1 --set hp",
                      "--headless --frames 1 --input missing.txt", "--headless --frames 1 --input bad.txt",
                      "--headless --frames 1 --screenshot 3", "--headless --frames 1 --fail-display Nothing",
                      "--monkey 1", "--headless --frames 1 --monkey -1", "--headless --frames 1 --monkey 1 --input bad.txt",
                      "--autoplay 1", "--headless --frames 1 --autoplay 1 --input bad.txt",
                      "--headless --frames 1 --autoplay 1 --autoplay-difficulty 3",
                      "--headless --frames 1 --autoplay-difficulty 1",
                      "--replay bad.txt --window --headless", "--replay bad.txt --set hp=3"));

}  // namespace
