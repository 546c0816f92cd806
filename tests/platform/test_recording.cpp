// Recording a run with --record and playing it again with --replay: the
// program run from its command line, headless.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/recording.h"
#include "support/headless_game.h"

namespace {

using testing_support::readText;
using namespace std::string_view_literals;

class Recording : public ::testing::Test {
protected:
    void SetUp() override {
        folder = testing_support::scratchDirectory(
            std::string("recording_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    // Runs the game in the scratch folder; answers the exit code and
    // keeps what it said on stderr in `errors`.
    int run(const std::string& arguments) { return testing_support::runProgramIn(folder, arguments, errors); }
    std::string folder;
    std::string errors;
};

// The title until its music finished a block, two Enters into the game,
// then walking, dashing and striking; a joystick, a key without a name,
// the clock wrapping around, a window and a variable set.
TEST_F(Recording, AReplayPlaysTheRecordedRunAgainToTheByte) {
    write("input.txt", "570 Enter\n575\n600 Enter key=65\n605\n700 Right C joy=65535,32767,0\n"
                       "720 X joy=32767,0,1\n760 Down C\n790\n");
    write("Tavro.slf", std::string("\x0f\x00\x0d\x00\x0b\x00\x28\x23\x00\x00\x49\x1b\x00\x00\x01\x01\x14\x01\x02", 19));
    const std::string shot = " --screenshot 750:";
    ASSERT_EQ(run("--headless --frames 800 --window --set stamina=700 --joystick --clock-start 4294960000 "
                  "--input input.txt --record rec.txt --dump-state a.json --events a.jsonl" + shot + "a.png"),
              0) << errors;
    std::remove(path("Tavro.slf").c_str());
    ASSERT_EQ(run("--replay rec.txt --record again.txt --dump-state b.json --events b.jsonl" + shot + "b.png"), 0)
        << errors;
    EXPECT_EQ(readText(path("a.json")), readText(path("b.json")));
    EXPECT_EQ(readText(path("a.jsonl")), readText(path("b.jsonl")));
    EXPECT_EQ(readText(path("a.png")), readText(path("b.png")));
    const std::string recording = readText(path("rec.txt"));
    EXPECT_EQ(recording, readText(path("again.txt")));
    for (const char* line : {"varnholt-recording 1\n", "0 option --window\n", "0 option --set stamina=700\n",
                             "0 option --frames 800\n", "0 file Tavro.slf 19 0F000D000B0028230000491B00000101140102\n",
                             "0 file score.slf missing\n", "0 message ActivateApp 1\n", "0 joy=32767,32767,0\n",
                             "600 Enter key=65 joy=32767,32767,0\n", "558 done 0 3\n", "800 end\n"}) {
        EXPECT_NE(recording.find(line), std::string::npos) << line;
    }
    EXPECT_FALSE(std::ifstream(path("Tavro.slf"))) << "a replay keeps to a folder of its own";
}

TEST_F(Recording, ACutRecordingPlaysWithFramesOnly) {
    ASSERT_EQ(run("--headless --frames 30 --record rec.txt --dump-state a.json"), 0) << errors;
    const std::string whole = readText(path("rec.txt"));
    write("cut.txt", whole.substr(0, whole.find("21 clock")));
    EXPECT_EQ(run("--replay cut.txt"), 2);
    EXPECT_NE(errors.find("no end line"), std::string::npos) << errors;
    EXPECT_EQ(run("--replay cut.txt --frames 25"), 2);
    EXPECT_NE(errors.find("stops at frame 20"), std::string::npos) << errors;
    EXPECT_EQ(run("--replay cut.txt --frames 20"), 0) << errors;
}

// Focus lost and found while the title runs: the replay waits where the
// recorded run waited, and records what it read as it was recorded.
TEST_F(Recording, AReplayWaitsWhereTheRecordedRunWaited) {
    ASSERT_EQ(run("--headless --frames 30 --record rec.txt"), 0) << errors;
    std::string recorded = readText(path("rec.txt"));
    const size_t at = recorded.find("10 clock");
    ASSERT_NE(at, std::string::npos);
    recorded.insert(at, "10 message ActivateApp 0\n10 wait\n10 wait\n10 message ActivateApp 1\n");
    write("inactive.txt", recorded);
    ASSERT_EQ(run("--replay inactive.txt --record again.txt"), 0) << errors;
    EXPECT_EQ(readText(path("again.txt")), recorded);
}

// A key's auto-repeat is marked as such; a line without the mark, as every
// recording made before it, is a new press.
TEST(RecordingFormat, AKeysAutoRepeatIsMarked) {
    ::Recording recording;
    std::string error;
    ASSERT_TRUE(parseRecording("varnholt-recording 1\n1 message KeyDown 19\n2 message KeyDown 19 repeat\n"
                               "3 message KeyDown 27\n",
                               recording, error))
        << error;
    ASSERT_EQ(recording.messages.size(), 3u);
    const bool expected[] = {false, true, false};
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(recording.messages[i].value);
        EXPECT_EQ(recording.messages[i].value->repeat, expected[i]) << "line " << i + 2;
    }
}

// A set-up step that failed (the sixth display step, the clipper's
// attachment) and the two boxes it showed: recorded, and replayed as it went.
TEST_F(Recording, AFailedSetUpIsRecordedAndReplayed) {
    ASSERT_EQ(run("--headless --window --frames 5 --fail-display AttachClipper --record rec.txt "
                  "--dump-state a.json --events a.jsonl"),
              0) << errors;
    const std::string recording = readText(path("rec.txt"));
    EXPECT_NE(recording.find("0 fail displayStep 6\n0 box 1\n0 box 1\n"), std::string::npos) << recording;
    ASSERT_EQ(run("--replay rec.txt --dump-state b.json --events b.jsonl"), 0) << errors;
    EXPECT_EQ(readText(path("a.json")), readText(path("b.json")));
    EXPECT_EQ(readText(path("a.jsonl")), readText(path("b.jsonl")));
}

struct Damage {
    const char* name;
    std::string_view text;  // the recording, or a change to a recorded run: "FIND|REPLACE"
    const char* said;
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class RecordingRejects : public Recording, public ::testing::WithParamInterface<Damage> {};

TEST_P(RecordingRejects, WithOneLineAndExitCodeTwo) {
    const Damage& damage = GetParam();
    std::string text(damage.text);
    const size_t bar = text.find('|');
    if (bar != std::string::npos) {
        ASSERT_EQ(run("--headless --frames 30 --record rec.txt"), 0) << errors;
        const std::string recorded = readText(path("rec.txt"));
        const size_t at = recorded.find(text.substr(0, bar));
        ASSERT_NE(at, std::string::npos) << text;
        text = recorded.substr(0, at) + text.substr(bar + 1) + recorded.substr(at + bar);
    }
    write("damaged.txt", text);
    EXPECT_EQ(run("--replay damaged.txt --dump-state s.json"), 2) << damage.name;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_EQ(errors.rfind("varnholt: recording 'damaged.txt', " + std::string(damage.said), 0), 0u) << errors;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedRecordings, RecordingRejects,
    ::testing::Values(
        Damage{"Empty", "", "line 1: empty"},
        Damage{"NotARecording", "1 Up\n", "line 1: not a recording"},
        Damage{"NewerFormat", "varnholt-recording 2\n0 end\n", "line 1: format 2"},
        Damage{"CutOffInALine", "varnholt-recording 1\n1 clock 16", "line 2: cut off"},
        Damage{"FramesGoBack", "varnholt-recording 1\n5 clock 16\n3 clock 32\n", "line 3: frame 3 comes after"},
        Damage{"BadReading", "varnholt-recording 1\n1 clock 16 soon\n", "line 2: bad clock reading"},
        Damage{"UnknownKey", "varnholt-recording 1\n1 Up Jump\n", "line 2: unknown input 'Jump'"},
        Damage{"UnknownMessage", "varnholt-recording 1\n1 message Jump 0\n", "line 2: unknown message kind"},
        Damage{"RepeatOfACommand", "varnholt-recording 1\n1 message Command 40010 repeat\n",
               "line 2: unexpected 'repeat'"},
        Damage{"KeyDownWithAnotherWord", "varnholt-recording 1\n1 message KeyDown 19 again\n",
               "line 2: unexpected 'again'"},
        Damage{"LostWrittenAsAFailedCall", "varnholt-recording 1\n1 fail primaryLost 1\n",
               "line 2: unknown call 'primaryLost'"},
        Damage{"FileOutsideItsFolder", "varnholt-recording 1\n0 file ../Tavro.slf 1 00\n", "line 2: bad file name"},
        Damage{"FileNameWithANul", "varnholt-recording 1\n0 file \0Tavro.slf 1 00\n0 end\n"sv, "line 2: bad file name"},
        Damage{"FileShorterThanSaid", "varnholt-recording 1\n0 file Tavro.slf 2 00\n", "line 2: the file's bytes"},
        Damage{"LineAfterTheEnd", "varnholt-recording 1\n5 end\n6 clock 1\n", "line 3: a line after the end"},
        Damage{"UnknownOption", "varnholt-recording 1\n0 option --bogus\n0 end\n", "line 2: unknown option"},
        Damage{"AReadingTooFew", "5 clock 64 80 80\n|5 clock 64 80\n", "frame 5: the game reads the clock"},
        Damage{"AReadingTooMany", "5 clock 64 80 80\n|5 clock 64 80 80 96\n", "frame 5: the recording holds more clock"},
        Damage{"MusicThatDoesNotPlay", "5 clock|5 done 3 2\n5 clock", "frame 5: the music plays no block 3"},
        Damage{"EndedLater", "30 end|31 end", "frame 30: the game ended here"}),
    [](const ::testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

}  // namespace
