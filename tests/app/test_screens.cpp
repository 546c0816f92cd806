// The opening with its title menu, and the ending with the final score.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/screens.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// Every pixel of a coded sheet tells where it came from.
uint8_t code(int x, int y) { return uint8_t(1 + (3 * x + 29 * y) % 199); }
// Digit d is solid 230 + d, the rest of the digit sheet 228 or 229;
// coded sheets stay below 201.
uint8_t digitColour(int x, int y) { return y >= 18 ? 229 : x < 160 ? uint8_t(230 + x / 16) : 228; }

void replaceSheet(std::unique_ptr<SpriteSheet>& sheet, uint8_t (*colour)(int, int)) {
    auto made = std::make_unique<SpriteSheet>();
    made->width = sheet->width;
    made->height = sheet->height;
    made->pixels.resize(size_t(made->width) * made->height);
    for (int y = 0; y < made->height; ++y) {
        for (int x = 0; x < made->width; ++x) made->pixels[size_t(y) * made->width + x] = colour(x, y);
    }
    sheet = std::move(made);
}

uint8_t screen(int x, int y) { return backBuffer->pixels[size_t(y) * screenWidth + x]; }

// Whether the source rectangle of a coded sheet stands whole at (x, y).
bool drawnAt(const Rect& source, int x, int y) {
    for (int row = 0; row < source.bottom - source.top; ++row) {
        for (int col = 0; col < source.right - source.left; ++col) {
            if (screen(x + col, y + row) != code(source.left + col, source.top + row)) return false;
        }
    }
    return true;
}

// The solid digit filling columns [x0, x1) of rows [y0, y1): 0..9, -1 for
// none, -2 for anything else.
int digitIn(int x0, int x1, int y0, int y1) {
    const uint8_t first = screen(x0, y0);
    bool any = false, uniform = true;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            any = any || (screen(x, y) >= 228 && screen(x, y) <= 239);
            uniform = uniform && screen(x, y) == first;
        }
    }
    if (!any) return -1;
    return uniform && first >= 230 && first <= 239 ? first - 230 : -2;
}
// Score digit k, doubled, seen where the neighbouring digits leave it.
int scoreDigit(int k) { return digitIn(370 - 22 * k, 382 - 22 * k, 180, 216); }
// A small digit with its left edge at x.
int smallDigit(int x, int y) { return digitIn(x + 6, x + 10, y, y + 18); }

// ---------------------------------------------------------------- opening

class Opening : public ::testing::Test {
protected:
    void start(const std::string& script, bool joystick = false) {
        HeadlessOptions options;
        options.joystickPresent = joystick;
        std::string error;
        ASSERT_TRUE(parseInputScript(script, options.script, error)) << error;
        backend = &testing_support::freshHeadlessGame(options);
        ASSERT_EQ(initGame(1, 0, 1), 1);
        replaceSheet(openingSheet, code);
    }
    static void frames(int n) { while (n-- > 0) runFrame(); }
    // Screen row y shows row `sheetRow` of the title across its 550 columns.
    static bool titleRow(int y, int sheetRow) {
        for (int x = 0; x < 550; ++x) {
            if (screen(50 + x, y) != code(x, sheetRow)) return false;
        }
        return true;
    }
    static bool titleAt(int y, int height) {
        for (int row = 0; row < height; ++row) {
            if (!titleRow(y + row, row)) return false;
        }
        return y + height >= 480 || !titleRow(y + height, height);
    }
    static bool menuShown() { return drawnAt(Rect{0, 376, 550, 483}, 30, 50); }
    // The cursor's left column and bottom-right corner, which no choice covers.
    static bool cursorShown(int place) {
        const int top = 300 + 60 * place;
        for (int row = 0; row < 42; ++row) {
            if (screen(231, top + row) != code(26, 486 + row)) return false;
        }
        return screen(404, top + 41) == code(199, 527);
    }
    HeadlessBackend* backend = nullptr;
};

TEST_F(Opening, EnterShowsTheTitleAtRestAndTheMenuInTheSameFrame) {
    ASSERT_NO_FATAL_FAILURE(start("1\n5 Enter\n6\n"));
    frames(4);
    EXPECT_EQ(titleScroll, 696);
    frames(1);
    EXPECT_EQ(titleScroll, 0);
    EXPECT_EQ(titleHeight, 330);
    EXPECT_TRUE(menuShown());
    for (int row = 97; row < 240; ++row) EXPECT_TRUE(titleRow(60 + row, row)) << "title row " << row;
    EXPECT_TRUE(drawnAt(Rect{25, 335, 157, 379}, 253, 300));
    EXPECT_TRUE(drawnAt(Rect{316, 335, 489, 373}, 232, 360));
    EXPECT_TRUE(drawnAt(Rect{165, 335, 305, 379}, 251, 420));
}

struct MenuMove {
    const char* keys;  // held in the third frame
    int32_t from;
    int32_t fadingOut;
    int32_t to;
};

class MenuKeys : public Opening, public ::testing::WithParamInterface<MenuMove> {};

TEST_P(MenuKeys, MoveTheCursorWithWrapAround) {
    const MenuMove& m = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(std::string("1 Enter\n2\n3 ") + m.keys + "\n4\n"));
    frames(2);
    menuCursor = m.from;
    fadingOut = m.fadingOut;
    frames(1);
    EXPECT_EQ(menuCursor, m.to) << m.keys << " from " << m.from;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MenuKeys,
    ::testing::Values(MenuMove{"Down", 0, 0, 1}, MenuMove{"Down", 1, 0, 2}, MenuMove{"Down", 2, 0, 0},
                      MenuMove{"Up", 0, 0, 2}, MenuMove{"Up", 1, 0, 0}, MenuMove{"Up", 2, 0, 1},
                      MenuMove{"Up Down", 2, 0, 1}, MenuMove{"Down Up", 0, 0, 2},
                      MenuMove{"Up", 0, 1, 2}, MenuMove{"Down", 2, 1, 0}));



TEST_F(Opening, EachPressMovesTheCursorOnce) {
    ASSERT_NO_FATAL_FAILURE(start("1 Enter\n2\n3 Down\n6 Up\n9\n10 Down\n11\n"));
    frames(8);
    EXPECT_EQ(menuCursor, 1) << "held Down, then Up without letting go";
    frames(2);
    EXPECT_EQ(menuCursor, 2);
    frames(1);
    EXPECT_EQ(menuKeyLock, 0);
}

class MenuChoice : public Opening, public ::testing::WithParamInterface<int32_t> {};

TEST_P(MenuChoice, StartsTheGameInArea40WithTheChosenDifficulty) {
    const int32_t choice = GetParam();
    ASSERT_NO_FATAL_FAILURE(start("1 Enter\n2\n3 C\n4\n"));
    frames(2);
    menuCursor = choice;
    difficulty = (choice + 1) % 3;
    quakeFrames = 50;
    frames(1);
    EXPECT_EQ(difficulty, choice);
    EXPECT_EQ(fadingOut, 1);
    EXPECT_EQ(quakeFrames, 0);
    frames(29);
    EXPECT_EQ(scene, 0) << "29 steps of the fade-out do not reach 240";
    frames(1);
    EXPECT_EQ(scene, 1);
    EXPECT_EQ(areaId, 40);
    EXPECT_EQ(difficulty, choice);
    EXPECT_EQ(playerX, -224);
    EXPECT_EQ(playerY, 814);
}

INSTANTIATE_TEST_SUITE_P(Choices, MenuChoice, ::testing::Values(0, 1, 2));

// ----------------------------------------------------------------- ending

// Keeps the test's files in a folder of its own and goes back after.
struct InDirectory {
    explicit InDirectory(const std::string& dir) { std::filesystem::current_path(dir); }
    ~InDirectory() { std::filesystem::current_path(previous); }
    const std::filesystem::path previous = std::filesystem::current_path();
};

struct Stats {
    int32_t fallCount, hp, level, exp, playSeconds, stamina, bossAlive, difficulty;
};

class Ending : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        replaceSheet(endingSheet, code);
        replaceSheet(digitSheet, digitColour);
        scene = 2;
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        here.emplace(testing_support::scratchDirectory("screens_" + name));
    }
    static void set(const Stats& s) {
        std::tie(fallCount, hp, level, exp, playSeconds, stamina, bossAlive, difficulty) =
            std::tie(s.fallCount, s.hp, s.level, s.exp, s.playSeconds, s.stamina, s.bossAlive, s.difficulty);
    }
    static void frame() {
        clearBackBuffer();
        drawScreens();
    }
    static void storeBest(const std::vector<uint8_t>& bytes) {
        std::ofstream("score.slf", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                          std::streamsize(bytes.size()));
    }
    static std::vector<uint8_t> scoreFile() {
        std::ifstream in("score.slf", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static bool bestCaptionShown() {
        return drawnAt(Rect{68, 269, 140, 285}, 565, 45) && drawnAt(Rect{0, 220, 220, 269}, 215, 50);
    }
    std::optional<InDirectory> here;
};

struct ScoreCase {
    const char* what;
    Stats stats;
    int32_t score;
};

class EndingScore : public Ending, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(EndingScore, IsCountedFromFrame771) {
    const ScoreCase& c = GetParam();
    set(c.stats);
    score = -7;
    endingFrame = 769;
    frame();
    EXPECT_EQ(score, -7) << c.what;
    EXPECT_FALSE(drawnAt(Rect{0, 270, 67, 300}, 280, 130));
    frame();
    EXPECT_EQ(score, c.score) << c.what;
    EXPECT_TRUE(drawnAt(Rect{0, 270, 67, 300}, 280, 130));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndingScore,
    ::testing::Values(ScoreCase{"no bonus while the boss lives", {2, 10, 5, 30, 100, 4550, 1, 2}, 715},
                      ScoreCase{"boss defeated on 2", {2, 10, 5, 30, 100, 4550, 0, 2}, 10715},
                      ScoreCase{"boss defeated on 1", {2, 10, 5, 30, 100, 4550, 0, 1}, 5715},
                      ScoreCase{"boss defeated on 0", {2, 10, 5, 30, 100, 4550, 0, 0}, 715},
                      ScoreCase{"stamina in whole hundreds", {0, 1, 1, 0, 0, 199, 1, 0}, 102},
                      ScoreCase{"one stays one", {0, 1, 1, 0, 101, 100, 1, 0}, 1},
                      ScoreCase{"negative shows as 0", {0, 1, 1, 0, 500, 0, 1, 0}, 0}));

TEST_F(Ending, SingleDigitScoreRollsThenJumpsStraightToTheBestScore) {
    set({0, 5, 0, 0, 0, 0, 1, 0});
    endingFrame = 770;
    const std::pair<int, int> shown[] = {{771, -1}, {780, -1}, {781, 0}, {790, 5},
                                         {799, 9},  {800, 0},  {879, 9}, {880, -1}};
    for (const auto& [e, digit] : shown) {
        while (endingFrame < e) frame();
        EXPECT_EQ(scoreDigit(0), digit) << "ending frame " << e;
        EXPECT_EQ(scoreDigit(1), -1) << "ending frame " << e;
        EXPECT_FALSE(bestCaptionShown());
    }
    frame();
    EXPECT_EQ(endingFrame, 1400);
    EXPECT_EQ(scoreDigit(0), 5);
    EXPECT_TRUE(bestCaptionShown());
    EXPECT_EQ(smallDigit(620, 65), 5);
    EXPECT_EQ(smallDigit(610, 65), -1);
}

TEST_F(Ending, FiveDigitScoreRollsOneDigitAfterAnother) {
    set({100, 45, 20, 150, 0, 0, 1, 0});  // 12345
    endingFrame = 770;
    struct Probe { int frame, digits[6]; };
    const Probe probes[] = {{879, {9, -1, -1, -1, -1, -1}}, {880, {-1, 0, -1, -1, -1, -1}},
                            {881, {5, 0, -1, -1, -1, -1}},  {979, {5, 9, -1, -1, -1, -1}},
                            {980, {5, -1, 0, -1, -1, -1}},  {981, {5, 4, 0, -1, -1, -1}},
                            {1081, {5, 4, 3, 0, -1, -1}},   {1181, {5, 4, 3, 2, 0, -1}},
                            {1279, {5, 4, 3, 2, 9, -1}},    {1280, {5, 4, 3, 2, -1, -1}}};
    for (const Probe& p : probes) {
        while (endingFrame < p.frame) frame();
        ASSERT_EQ(endingFrame, p.frame);
        for (int k = 0; k < 6; ++k) EXPECT_EQ(scoreDigit(k), p.digits[k]) << p.frame << ", k " << k;
        EXPECT_FALSE(bestCaptionShown()) << "frame " << p.frame;
    }
    frame();
    EXPECT_EQ(score, 12345);
    EXPECT_EQ(endingFrame, 1400) << "the fifth digit stands and the roll ends";
    const int digits[6] = {5, 4, 3, 2, 1, -1};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(scoreDigit(k), digits[k]) << "k " << k;
    EXPECT_TRUE(bestCaptionShown());
    const int best[6] = {5, 4, 3, 2, 1, -1};  // at x 620, 610, ..., 570
    for (int k = 0; k < 6; ++k) EXPECT_EQ(smallDigit(620 - 10 * k, 65), best[k]) << "best digit " << k;
}



TEST_F(Ending, HigherScoreIsWrittenOnce) {
    set({2, 10, 5, 30, 100, 4550, 1, 2});  // 715
    endingFrame = 770;
    frame();
    EXPECT_EQ(bestScore, 715);
    EXPECT_EQ(scoreFile(), (std::vector<uint8_t>{0xCB, 0x02, 0, 0}));
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time("score.slf", old);
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(std::filesystem::last_write_time("score.slf"), old) << "an equal best is not rewritten";
}

}  // namespace
