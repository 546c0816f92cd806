// The status display: the notices over the play field, the bar at the
// bottom and the play time.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "app/game_state.h"
#include "app/screens.h"
#include "app/startup.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// Every pixel of a coded sheet tells where it came from.
uint8_t code(int x, int y) { return uint8_t(1 + (3 * x + 29 * y) % 199); }
// The gauge: label 201, bar 202, empty trough 203.
uint8_t hpColour(int x, int y) { return y >= 18 ? 203 : x < 35 ? 201 : 202; }
// Digit d is solid 230 + d; anything right of the ten digits is 228, the
// picture below them 229. Coded sheets stay below 201.
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

class StatusDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(start()); }
    void start() {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        startNotice = 100;  // the play-start notice is over
        replaceSheet(exSheet, code);
        replaceSheet(hpSheet, hpColour);
        replaceSheet(digitSheet, digitColour);
    }
    static void frame() {
        clearBackBuffer();
        drawScreens();
    }
    static int pixelsOf(uint8_t colour, int y, int from, int to) {
        int n = 0;
        for (int x = from; x < to; ++x) n += screen(x, y) == colour;
        return n;
    }
    // Width of the fill of stamina cell i, or -1 when the cell is not a
    // full part on the left and the empty cell on the right.
    static int staminaFill(int i) {
        const int x = 480 + 25 * i;
        int width = 0;
        while (width < 18 && drawnAt(Rect{110 + width, 0, 111 + width, 18}, x + width, 450)) ++width;
        for (int c = width; c < 18; ++c) {
            if (!drawnAt(Rect{92 + c, 0, 93 + c, 18}, x + c, 450)) return -1;
        }
        return width;
    }
    HeadlessBackend* backend = nullptr;
};

TEST_F(StatusDisplay, StartNoticeShowsForTheFirstHundredFramesOfPlayOnly) {
    startNotice = 0;
    for (int n = 1; n <= 101; ++n) {
        frame();
        EXPECT_EQ(drawnAt(Rect{0, 84, 256, 132}, 208, 108), n <= 100) << "frame " << n;
    }
    EXPECT_EQ(startNotice, 100);

    startNotice = 0;
    scene = 2;
    frame();
    EXPECT_FALSE(drawnAt(Rect{0, 84, 256, 132}, 208, 108)) << "not in the ending";
    EXPECT_EQ(startNotice, 0);
}

// The bar starts at x 55, one pixel and a share of 245 wide.
TEST_F(StatusDisplay, TheHitPointBarIsOneAndAShareOf245PixelsWide) {
    const struct { int32_t hp, maxHp, barWidth; } cases[] = {
        {15, 15, 246}, {1, 15, 17}, {14, 15, 229}, {100, 200, 123}, {0, 15, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.hp) + " of " + std::to_string(c.maxHp));
        std::tie(hp, maxHp) = std::tie(c.hp, c.maxHp);
        frame();
        EXPECT_EQ(std::tuple(pixelsOf(202, 455, 0, 640), screen(55, 455), screen(55 + c.barWidth - 1, 455)),
                  std::tuple(c.barWidth, 202, 202));
        EXPECT_EQ(pixelsOf(201, 455, 20, 55), 35) << "the label";
    }
}

TEST_F(StatusDisplay, AfterDeathOnlyTheEmptyGaugeAndCellsStay) {
    playing = 0;
    frame();
    // No label, no bar, the empty gauge.
    EXPECT_EQ(std::tuple(pixelsOf(201, 455, 0, 640), pixelsOf(202, 455, 0, 640), pixelsOf(203, 455, 20, 301)),
              std::tuple(0, 0, 281));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(staminaFill(i), 0) << "cell " << i;
}

TEST_F(StatusDisplay, StaminaCellsFillSixthsOfTheGauge) {
    const struct { const char* what; int32_t stamina, maxStamina; int fill[6]; } cases[] = {
        {"full, the last cell as a part", 9000, 9000, {18, 18, 18, 18, 18, 18}},
        {"two cells and two thirds", 4000, 9000, {18, 18, 12, 0, 0, 0}},
        {"exactly two cells", 3000, 9000, {18, 18, 0, 0, 0, 0}},
        {"just one column", 84, 9000, {1, 0, 0, 0, 0, 0}},
        {"less than a column", 83, 9000, {0, 0, 0, 0, 0, 0}},
        {"huge gauge", 1500000000, 2000000000, {18, 18, 18, 18, 9, 0}},
        {"gauge of 0", 9000, 0, {0, 0, 0, 0, 0, 0}},
        {"gauge of 5", 9000, 5, {0, 0, 0, 0, 0, 0}},
        {"negative gauge", 9000, -600, {0, 0, 0, 0, 0, 0}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::tie(stamina, maxStamina) = std::tie(c.stamina, c.maxStamina);
        frame();
        EXPECT_TRUE(drawnAt(Rect{63, 0, 92, 18}, 450, 450)) << "label";
        for (int i = 0; i < 6; ++i) EXPECT_EQ(staminaFill(i), c.fill[i]) << "cell " << i;
    }
}

TEST_F(StatusDisplay, LevelOf99AndAboveShowsTheSpecialPicture) {
    for (int32_t l : {99, 250}) {
        level = l;
        frame();
        int special = 0;
        for (int y = 450; y < 470; ++y) special += pixelsOf(229, y, 410, 444);
        EXPECT_EQ(special, 34 * 20) << "level " << l;
        EXPECT_EQ(pixelsOf(229, 455, 444, 450), 0);
    }
}

// The play time counts changes of the calendar second while playing,
// paused or not: the seconds after the first read and one second on.
TEST_F(StatusDisplay, PlayTimeCountsOnlyInPlay) {
    const struct { const char* what; int32_t scene, playing, paused, secondsAfter; } cases[] = {
        {"playing", 1, 1, 0, 22}, {"paused", 1, 1, 1, 22}, {"dead", 1, 0, 0, 20},
        {"ending", 2, 1, 0, 20},  {"opening", 0, 1, 0, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(start());
        std::tie(scene, playing, paused, playSeconds) = std::tuple(c.scene, c.playing, c.paused, 20);
        frame();
        frame();
        backend->waitMs(999);
        frame();
        EXPECT_EQ(playSeconds, c.secondsAfter == 20 ? 20 : 21) << "within the first second";
        backend->waitMs(1);
        frame();
        frame();
        EXPECT_EQ(playSeconds, c.secondsAfter);
    }
}

}  // namespace
