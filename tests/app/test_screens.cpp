// The opening with its title menu, and the ending with the final score.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/screens.h"
#include "app/startup.h"
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
    sheet->colorKey = 0;
    for (int y = 0; y < sheet->height; ++y) {
        for (int x = 0; x < sheet->width; ++x) sheet->pixels[size_t(y) * sheet->width + x] = colour(x, y);
    }
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

// ---------------------------------------------------------------- opening

class Opening : public ::testing::Test {
protected:
    void start(const std::string& script) {
        HeadlessOptions options;
        std::string error;
        ASSERT_TRUE(parseInputScript(script, options.script, error)) << error;
        testing_support::freshHeadlessGame(options);
        ASSERT_EQ(initGame(1, 0, 1), 1);
        replaceSheet(openingSheet, code);
    }
    static void frames(int n) {
        while (n-- > 0) runFrame();
    }
};

TEST_F(Opening, EnterShowsTheTitleAtRestAndTheMenuInTheSameFrame) {
    ASSERT_NO_FATAL_FAILURE(start("1\n5 Enter\n6\n"));
    frames(4);
    EXPECT_EQ(titleScroll, 696);
    frames(1);
    EXPECT_EQ(std::tuple(titleScroll, titleHeight), std::tuple(0, 330));
    EXPECT_TRUE(drawnAt(Rect{0, 376, 550, 483}, 30, 50)) << "the menu";
    EXPECT_TRUE(drawnAt(Rect{0, 97, 550, 240}, 50, 157)) << "the title below the menu";
    EXPECT_TRUE(drawnAt(Rect{25, 335, 157, 379}, 253, 300));
    EXPECT_TRUE(drawnAt(Rect{316, 335, 489, 373}, 232, 360));
    EXPECT_TRUE(drawnAt(Rect{165, 335, 305, 379}, 251, 420));
}

// Keys held in the third frame. Up and Down wrap round the three choices;
// Up wins when both are held.
TEST_F(Opening, MenuKeysMoveTheCursorWithWrapAround) {
    const struct { const char* keys; int32_t from, fadingOut, to; } moves[] = {
        {"Down", 0, 0, 1}, {"Down", 1, 0, 2}, {"Down", 2, 0, 0},    {"Up", 0, 0, 2},      {"Up", 1, 0, 0},
        {"Up", 2, 0, 1},   {"Up", 0, 1, 2},   {"Down", 2, 1, 0},    {"Up Down", 2, 0, 1}, {"Down Up", 0, 0, 2}};
    for (const auto& m : moves) {
        SCOPED_TRACE(std::string(m.keys) + " from " + std::to_string(m.from));
        ASSERT_NO_FATAL_FAILURE(start(std::string("1 Enter\n2\n3 ") + m.keys + "\n4\n"));
        frames(2);
        std::tie(menuCursor, fadingOut) = std::tie(m.from, m.fadingOut);
        frames(1);
        EXPECT_EQ(menuCursor, m.to);
    }
}

TEST_F(Opening, EachPressMovesTheCursorOnce) {
    ASSERT_NO_FATAL_FAILURE(start("1 Enter\n2\n3 Down\n6 Up\n9\n10 Down\n11\n"));
    frames(8);
    EXPECT_EQ(menuCursor, 1) << "held Down, then Up without letting go";
    frames(2);
    EXPECT_EQ(menuCursor, 2);
    frames(1);
    EXPECT_EQ(menuKeyLock, 0);
}

TEST_F(Opening, KeyCStartsTheGameInArea40WithTheChosenDifficulty) {
    for (int32_t choice : {0, 1, 2}) {
        SCOPED_TRACE(choice);
        ASSERT_NO_FATAL_FAILURE(start("1 Enter\n2\n3 C\n4\n"));
        frames(2);
        std::tie(menuCursor, difficulty, quakeFrames) = std::tuple(choice, (choice + 1) % 3, 50);
        frames(1);
        EXPECT_EQ(std::tuple(difficulty, fadingOut, quakeFrames), std::tuple(choice, 1, 0));
        frames(30);
        EXPECT_EQ(std::tuple(scene, areaId, difficulty), std::tuple(1, 40, choice));
    }
}

// ----------------------------------------------------------------- ending

class Ending : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        replaceSheet(endingSheet, code);
        replaceSheet(digitSheet, digitColour);
        scene = 2;
        std::filesystem::current_path(testing_support::scratchDirectory("screens"));
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    // fallCount, hp, level, exp, playSeconds, stamina, bossAlive, difficulty.
    static void set(const std::array<int32_t, 8>& s) {
        std::tie(fallCount, hp, level, exp, playSeconds, stamina, bossAlive, difficulty) =
            std::tuple(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]);
    }
    static void frame() {
        clearBackBuffer();
        drawScreens();
    }
    // Score digit k, doubled, seen where the neighbouring digits leave it.
    static int scoreDigit(int k) { return digitIn(370 - 22 * k, 382 - 22 * k, 180, 216); }
    static bool bestCaptionShown() {
        return drawnAt(Rect{68, 269, 140, 285}, 565, 45) && drawnAt(Rect{0, 220, 220, 269}, 215, 50);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
};

TEST_F(Ending, TheScoreIsCountedFromFrame771) {
    const struct { const char* what; std::array<int32_t, 8> stats; int32_t score; } cases[] = {
        {"no bonus while the boss lives", {2, 10, 5, 30, 100, 4550, 1, 2}, 715},
        {"boss defeated on 2", {2, 10, 5, 30, 100, 4550, 0, 2}, 10715},
        {"boss defeated on 1", {2, 10, 5, 30, 100, 4550, 0, 1}, 5715},
        {"boss defeated on 0", {2, 10, 5, 30, 100, 4550, 0, 0}, 715},
        {"stamina in whole hundreds", {0, 1, 1, 0, 0, 199, 1, 0}, 102},
        {"one stays one", {0, 1, 1, 0, 101, 100, 1, 0}, 1},
        {"negative shows as 0", {0, 1, 1, 0, 500, 0, 1, 0}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        set(c.stats);
        score = -7;
        endingFrame = 769;
        frame();
        EXPECT_EQ(std::tuple(score, drawnAt(Rect{0, 270, 67, 300}, 280, 130)), std::tuple(-7, false));
        frame();
        EXPECT_EQ(std::tuple(score, drawnAt(Rect{0, 270, 67, 300}, 280, 130)), std::tuple(c.score, true));
    }
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
    EXPECT_EQ(std::tuple(score, endingFrame), std::tuple(12345, 1400)) << "the fifth digit stands and the roll ends";
    EXPECT_TRUE(bestCaptionShown());
    // The score doubled at 360 - 22 k, the best score small at 620 - 10 k.
    const int digits[6] = {5, 4, 3, 2, 1, -1};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(scoreDigit(k), digits[k]) << "k " << k;
        EXPECT_EQ(digitIn(626 - 10 * k, 630 - 10 * k, 65, 83), digits[k]) << "best digit " << k;
    }
}

TEST_F(Ending, AHigherScoreIsWrittenOnce) {
    set({2, 10, 5, 30, 100, 4550, 1, 2});  // 715
    endingFrame = 770;
    frame();
    EXPECT_EQ(bestScore, 715);
    EXPECT_EQ(testing_support::readText("score.slf"), std::string("\xCB\x02\0\0", 4));
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time("score.slf", old);
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(std::filesystem::last_write_time("score.slf"), old) << "an equal best is not rewritten";
}

}  // namespace
