// The game-over screen: the final score, the rolling count-up of its
// digits, and the best score beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "app/digits.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "support/headless_game.h"
#include "world/game_over.h"

using namespace varnholt;

namespace {

// Runs a test inside its own empty folder, where the score file goes.
class WorkingFolder {
public:
    WorkingFolder() : previous_(std::filesystem::current_path()) {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("game_over_") + test->test_suite_name() + "_" + test->name();
        std::replace(name.begin(), name.end(), '/', '_');
        std::filesystem::current_path(testing_support::scratchDirectory(name));
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

void writeScoreFile(std::vector<uint8_t> bytes) {
    std::ofstream("score.slf", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                        std::streamsize(bytes.size()));
}

std::vector<uint8_t> scoreFileBytes() {
    std::ifstream in("score.slf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The screen as it should look, put together from the sheets pixel by pixel.
class Picture {
public:
    Picture() : pixels(640 * 480, 0) {}
    void copy(const SpriteSheet& sheet, int sx, int sy, int w, int h, int x, int y, int scale = 1) {
        for (int row = 0; row < h * scale; ++row) {
            for (int col = 0; col < w * scale; ++col) {
                const uint8_t p = sheet.pixels[(sy + row / scale) * sheet.width + sx + col / scale];
                if (p != 0) pixels[(y + row) * 640 + x + col] = p;
            }
        }
    }
    std::vector<uint8_t> pixels;
};

constexpr int none = -1;

class GameOver : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        hp = 0;
        level = 1;
        exp = 0;
        stamina = 0;
        fallCount = 0;
        playSeconds = 0;
    }
    void step() {
        clearBackBuffer();
        gameOverStep();
    }
    // Checks the whole back buffer: the caption, the six count-up places
    // (ones first, `none` for an empty place), and with the end screen the
    // best score's digits, ones first.
    void expectScreen(int frame, bool caption, std::array<int, 6> places, bool end,
                      std::vector<int> best = {}) {
        Picture expected;
        if (caption) expected.copy(*endingSheet, 0, 270, 67, 30, 280, 130);
        for (int k = 0; k < 6; ++k) {
            if (places[k] != none) expected.copy(*digitSheet, 16 * places[k], 0, 16, 18, 360 - 22 * k, 180, 2);
        }
        if (end) {
            expected.copy(*endingSheet, 220, 220, 230, 49, 200, 50);
            expected.copy(*endingSheet, 68, 269, 72, 16, 565, 45);
            for (size_t k = 0; k < best.size(); ++k) expected.copy(*digitSheet, 16 * best[k], 0, 16, 18, 620 - 10 * int(k), 65);
        }
        const std::vector<uint8_t>& actual = backBuffer->pixels;
        const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.pixels.begin());
        if (a != actual.end()) {
            const long at = long(a - actual.begin());
            ADD_FAILURE() << "frame " << frame << ": first difference at (" << at % 640 << ", " << at / 640
                          << "): " << int(*a) << " instead of " << int(*e);
        }
    }
    int characterSounds() const {
        return int(std::count_if(backend->events().begin(), backend->events().end(), [](const RecordedEvent& e) {
            return e.kind == RecordedKind::Sound && e.effect == int(SoundEffect::Character);
        }));
    }
    HeadlessBackend* backend = nullptr;
    WorkingFolder folder;
};

struct ScoreCase {
    int32_t level, exp, hp, stamina, fallCount, playSeconds, score;
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << "level " << c.level << ", exp " << c.exp << ", hp " << c.hp << ", stamina " << c.stamina
        << ", falls " << c.fallCount << ", seconds " << c.playSeconds;
}

class GameOverScore : public GameOver, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(GameOverScore, IsComputedOnceOnTheFirstFrame) {
    const ScoreCase& c = GetParam();
    level = c.level;
    exp = c.exp;
    hp = c.hp;
    stamina = c.stamina;
    fallCount = c.fallCount;
    playSeconds = c.playSeconds;
    playing = 1;
    step();
    EXPECT_EQ(score, c.score);
    EXPECT_EQ(playing, 0);
    EXPECT_EQ(gameOverFrames, 1);
    exp += 50;  // later changes do not count any more
    step();
    step();
    EXPECT_EQ(score, c.score);
    EXPECT_EQ(gameOverFrames, 3);
    EXPECT_EQ(characterSounds(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GameOverScore,
    ::testing::Values(ScoreCase{3, 40, 0, 5000, 1, 200, 330}, ScoreCase{3, 40, -2, 5000, 1, 200, 328},
                      ScoreCase{3, 40, 0, 5099, 1, 200, 330}, ScoreCase{1, 0, -5, 9000, 0, 0, 185},
                      ScoreCase{1, 0, 0, 0, 0, 100, 0}, ScoreCase{1, 0, 0, 0, 0, 101, 0},
                      ScoreCase{1, 0, -20, 0, 0, 500, 0}));

struct Checkpoint {
    int frame;
    bool caption;
    std::array<int, 6> places;
    bool end;
    int counterAfter;
    std::vector<int> best;
};

class GameOverCountUp : public GameOver {
protected:
    // Runs the sequence from its first frame and checks the screen at each
    // checkpoint, in order.
    void run(const std::vector<Checkpoint>& checkpoints) {
        playing = 1;
        for (const Checkpoint& c : checkpoints) {
            while (gameOverFrames + 1 < c.frame) step();
            ASSERT_EQ(gameOverFrames + 1, c.frame) << "the counter jumped past frame " << c.frame;
            step();
            expectScreen(c.frame, c.caption, c.places, c.end, c.best);
            EXPECT_EQ(gameOverFrames, c.counterAfter) << "frame " << c.frame;
        }
    }
};

TEST_F(GameOverCountUp, ScoreZeroRollsTheOnesAndEndsOnFrame131) {
    level = 1;
    playSeconds = 300;  // 100 - 300 is below 0
    writeScoreFile({0xD2, 0x04, 0, 0});  // 1234
    run({{1, false, {none, none, none, none, none, none}, false, 1, {}},
         {19, false, {none, none, none, none, none, none}, false, 19, {}},
         {20, true, {none, none, none, none, none, none}, false, 20, {}},
         {30, true, {none, none, none, none, none, none}, false, 30, {}},
         {31, true, {5, none, none, none, none, none}, false, 31, {}},
         {40, true, {0, none, none, none, none, none}, false, 40, {}},
         {59, true, {9, none, none, none, none, none}, false, 59, {}},
         {129, true, {4, none, none, none, none, none}, false, 129, {}},
         {130, true, {none, none, none, none, none, none}, false, 130, {}},
         {131, true, {0, none, none, none, none, none}, true, 670, {4, 3, 2, 1}},
         {671, true, {0, none, none, none, none, none}, true, 670, {4, 3, 2, 1}}});
    EXPECT_EQ(score, 0);
    EXPECT_EQ(bestScore, 1234);
    EXPECT_EQ(scoreFileBytes(), (std::vector<uint8_t>{0xD2, 0x04, 0, 0}));
}

TEST_F(GameOverCountUp, FiveDigitsEndOnFrame531WithTheSixthPlaceEmpty) {
    fallCount = 20;
    level = 99;
    stamina = 45000;
    playSeconds = 5;  // 2000 + 9900 + 450 - 5
    run({{330, true, {5, 4, none, 5, none, none}, false, 330, {}},
         {431, true, {5, 4, 3, 2, 5, none}, false, 431, {}},
         {530, true, {5, 4, 3, 2, none, none}, false, 530, {}},
         {531, true, {5, 4, 3, 2, 1, none}, true, 670, {5, 4, 3, 2, 1}}});
    EXPECT_EQ(score, 12345);
    EXPECT_EQ(scoreFileBytes(), (std::vector<uint8_t>{0x39, 0x30, 0, 0}));
}

class ScoreDigits : public GameOver {};

TEST_F(ScoreDigits, ValuesOutsideZeroToNineDrawNothing) {
    clearBackBuffer();
    for (int32_t d : {-1, 10, -10, 99}) {
        drawDigit(d, 100, 100);
        drawDigitDoubled(d, Rect{200, 200, 232, 236});
    }
    bestScore = -7;
    drawBestScore();
    expectScreen(0, false, {none, none, none, none, none, none}, false);
}

}  // namespace
