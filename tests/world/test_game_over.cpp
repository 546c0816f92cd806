// The game-over screen: the final score, the rolling count-up of its
// digits, and the best score beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "app/digits.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "support/file_builders.h"
#include "support/headless_game.h"
#include "world/expected_screen.h"
#include "world/game_over.h"

using namespace varnholt;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes scoreFileBytes() {
    const std::string text = testing_support::readText("score.slf");
    return {text.begin(), text.end()};
}

constexpr int none = -1;

class GameOver : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }
    // A started game whose player has just died, in an empty folder of the
    // test's own where the score file goes.
    void start() {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        std::filesystem::current_path(testing_support::scratchDirectory("game_over"));
        std::tie(scene, hp, level, exp, stamina, fallCount, playSeconds) = std::tuple(1, 0, 1, 0, 0, 0, 0);
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    static void step() {
        clearBackBuffer();
        gameOverStep();
    }
    // Checks the whole back buffer: the caption, the six count-up places
    // (ones first, `none` for an empty place), and with the end screen the
    // best score's digits, ones first.
    static void expectScreen(int frame, bool caption, std::array<int, 6> places, bool end, std::vector<int> best) {
        ExpectedScreen expected;
        if (caption) expected.copy(*endingSheet, 0, 270, 67, 30, 280, 130);
        for (int k = 0; k < 6; ++k) {
            if (places[k] != none) expected.copy(*digitSheet, 16 * places[k], 0, 16, 18, 360 - 22 * k, 180, 2);
        }
        if (end) {
            expected.copy(*endingSheet, 220, 220, 230, 49, 200, 50);
            expected.copy(*endingSheet, 68, 269, 72, 16, 565, 45);
            for (size_t k = 0; k < best.size(); ++k) {
                expected.copy(*digitSheet, 16 * best[k], 0, 16, 18, 620 - 10 * int(k), 65);
            }
        }
        EXPECT_EQ(expected.difference(), "") << "frame " << frame;
    }
    struct Checkpoint {
        int frame;
        bool caption;
        std::array<int, 6> places;
        int counterAfter;  // 670 once the end screen with the best score shows
    };
    // Runs the sequence from its first frame and checks the screen at each
    // checkpoint, in order.
    static void run(const std::vector<Checkpoint>& checkpoints, const std::vector<int>& best) {
        playing = 1;
        for (const Checkpoint& c : checkpoints) {
            while (gameOverFrames + 1 < c.frame) step();
            ASSERT_EQ(gameOverFrames + 1, c.frame) << "the counter jumped past frame " << c.frame;
            step();
            expectScreen(c.frame, c.caption, c.places, c.counterAfter == 670, best);
            EXPECT_EQ(gameOverFrames, c.counterAfter) << "frame " << c.frame;
        }
    }
    HeadlessBackend* backend = nullptr;
    const std::filesystem::path previous = std::filesystem::current_path();
};

// Hit points count with their sign, stamina in whole hundreds; below 0 is 0.
TEST_F(GameOver, TheScoreIsComputedOnceOnTheFirstFrame) {
    const struct { int32_t level, exp, hp, stamina, fallCount, playSeconds, score; } cases[] = {
        {3, 40, 0, 5000, 1, 200, 330}, {3, 40, -2, 5000, 1, 200, 328}, {3, 40, 0, 5099, 1, 200, 330},
        {1, 0, -5, 9000, 0, 0, 185},   {1, 0, 0, 0, 0, 100, 0},        {1, 0, 0, 0, 0, 101, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << ", exp " << c.exp << ", hp " << c.hp << ", stamina "
                                        << c.stamina << ", falls " << c.fallCount << ", " << c.playSeconds << " s");
        ASSERT_NO_FATAL_FAILURE(start());
        std::tie(level, exp, hp, stamina, fallCount, playSeconds, playing) =
            std::tuple(c.level, c.exp, c.hp, c.stamina, c.fallCount, c.playSeconds, 1);
        step();
        EXPECT_EQ(std::tuple(score, playing), std::tuple(c.score, 0));
        exp += 50;  // later changes do not count any more
        step();
        step();
        EXPECT_EQ(std::tuple(score, gameOverFrames), std::tuple(c.score, 3));
        const auto character = [](const RecordedEvent& e) {
            return e.kind == RecordedKind::Sound && e.effect == int(SoundEffect::Character);
        };
        EXPECT_EQ(std::count_if(backend->events().begin(), backend->events().end(), character), 1);
    }
}

TEST_F(GameOver, ScoreZeroRollsTheOnesAndEndsOnFrame131) {
    playSeconds = 300;  // 100 - 300 is below 0
    testing_support::writeFile("score.slf", {0xD2, 0x04, 0, 0});  // 1234
    const std::array<int, 6> empty{none, none, none, none, none, none};
    const auto ones = [](int digit) { return std::array<int, 6>{digit, none, none, none, none, none}; };
    run({{1, false, empty, 1},       {19, false, empty, 19},     {20, true, empty, 20},       {30, true, empty, 30},
         {31, true, ones(5), 31},    {40, true, ones(0), 40},    {59, true, ones(9), 59},     {129, true, ones(4), 129},
         {130, true, empty, 130},    {131, true, ones(0), 670},  {671, true, ones(0), 670}},
        {4, 3, 2, 1});
    EXPECT_EQ(std::tuple(score, bestScore), std::tuple(0, 1234));
    EXPECT_EQ(scoreFileBytes(), (Bytes{0xD2, 0x04, 0, 0}));
}

TEST_F(GameOver, FiveDigitsEndOnFrame531WithTheSixthPlaceEmpty) {
    std::tie(fallCount, level, stamina, playSeconds) = std::tuple(20, 99, 45000, 5);  // 2000 + 9900 + 450 - 5
    run({{330, true, {5, 4, none, 5, none, none}, 330},
         {431, true, {5, 4, 3, 2, 5, none}, 431},
         {530, true, {5, 4, 3, 2, none, none}, 530},
         {531, true, {5, 4, 3, 2, 1, none}, 670}},
        {5, 4, 3, 2, 1});
    EXPECT_EQ(score, 12345);
    EXPECT_EQ(scoreFileBytes(), (Bytes{0x39, 0x30, 0, 0}));
}

TEST_F(GameOver, DigitsOutsideZeroToNineAndANegativeBestDrawNothing) {
    clearBackBuffer();
    for (int32_t d : {-1, 10, -10, 99}) {
        drawDigit(d, 100, 100);
        drawDigitDoubled(d, Rect{200, 200, 232, 236});
    }
    bestScore = -7;
    drawBestScore();
    expectScreen(0, false, {none, none, none, none, none, none}, false, {});
}

}  // namespace
