// The status display: the notices over the play field, the difficulty
// label, the bar at the bottom and the play time.
#include <gtest/gtest.h>

#include <memory>

#include "app/game_state.h"
#include "app/screens.h"
#include "app/startup.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

constexpr int64_t calendarStart = 1767225600;

// Every pixel of a coded sheet tells where it came from.
uint8_t code(int x, int y) { return uint8_t(1 + (3 * x + 29 * y) % 199); }

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

// The gauge: label 201, bar 202, empty trough 203.
uint8_t hpColour(int x, int y) { return y >= 18 ? 203 : x < 35 ? 201 : 202; }
// Digit d is solid 230 + d; anything right of the ten digits is 228, the
// picture below them 229. Coded sheets stay below 201.
uint8_t digitColour(int x, int y) { return y >= 18 ? 229 : x < 160 ? uint8_t(230 + x / 16) : 228; }
// The three difficulty names are 211, 212 and 213, the rest of the sheet 214.
uint8_t openingColour(int x, int y) {
    if (y >= 335 && y < 379 && x >= 25 && x < 157) return 211;
    if (y >= 335 && y < 373 && x >= 316 && x < 489) return 212;
    if (y >= 335 && y < 379 && x >= 165 && x < 305) return 213;
    return 214;
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
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        ASSERT_EQ(initGame(1, 0, 1), 1);
        scene = 1;
        startNotice = 100;  // the play-start notice is over
        replaceSheet(exSheet, code);
        replaceSheet(hpSheet, hpColour);
        replaceSheet(digitSheet, digitColour);
        replaceSheet(openingSheet, openingColour);
    }
    void frame() {
        clearBackBuffer();
        drawScreens();
    }
    int pixelsOf(uint8_t colour, int y, int from, int to) const {
        int n = 0;
        for (int x = from; x < to; ++x) n += screen(x, y) == colour;
        return n;
    }
    // Width of the fill of stamina cell i, or -1 when the cell is not a
    // full part on the left and the empty cell on the right.
    int staminaFill(int i) const {
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

struct GaugeCase {
    int32_t hp, maxHp;
    int barWidth;
};

class HitPointGauge : public StatusDisplay, public ::testing::WithParamInterface<GaugeCase> {};

TEST_P(HitPointGauge, BarIsOneAndAShareOf245PixelsWide) {
    hp = GetParam().hp;
    maxHp = GetParam().maxHp;
    frame();
    EXPECT_EQ(pixelsOf(202, 455, 0, 640), GetParam().barWidth);
    EXPECT_EQ(screen(55, 455), 202) << "the bar starts at x 55";
    EXPECT_EQ(screen(55 + GetParam().barWidth - 1, 455), 202);
    EXPECT_EQ(pixelsOf(201, 455, 20, 55), 35) << "the label";
}

INSTANTIATE_TEST_SUITE_P(Cases, HitPointGauge,
                         ::testing::Values(GaugeCase{15, 15, 246}, GaugeCase{1, 15, 17},
                                           GaugeCase{14, 15, 229}, GaugeCase{100, 200, 123},
                                           GaugeCase{0, 15, 1}));

TEST_F(StatusDisplay, AfterDeathOnlyTheEmptyGaugeAndCellsStay) {
    frame();
    ASSERT_EQ(pixelsOf(202, 455, 0, 640), 246);
    playing = 0;
    frame();
    EXPECT_EQ(pixelsOf(201, 455, 0, 640), 0) << "no label";
    EXPECT_EQ(pixelsOf(202, 455, 0, 640), 0) << "no bar";
    EXPECT_EQ(pixelsOf(203, 455, 20, 301), 281) << "the empty gauge";
    for (int i = 0; i < 6; ++i) EXPECT_EQ(staminaFill(i), 0) << "cell " << i;
}

struct StaminaCase {
    const char* what;
    int32_t stamina, maxStamina;
    int fill[6];
};

class StaminaCells : public StatusDisplay, public ::testing::WithParamInterface<StaminaCase> {};

TEST_P(StaminaCells, FillSixthsOfTheGauge) {
    const StaminaCase& c = GetParam();
    stamina = c.stamina;
    maxStamina = c.maxStamina;
    frame();
    EXPECT_TRUE(drawnAt(Rect{63, 0, 92, 18}, 450, 450)) << c.what << ": label";
    for (int i = 0; i < 6; ++i) EXPECT_EQ(staminaFill(i), c.fill[i]) << c.what << ", cell " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaminaCells,
    ::testing::Values(
        StaminaCase{"full, the last cell as a part", 9000, 9000, {18, 18, 18, 18, 18, 18}},
        StaminaCase{"two cells and two thirds", 4000, 9000, {18, 18, 12, 0, 0, 0}},
        StaminaCase{"exactly two cells", 3000, 9000, {18, 18, 0, 0, 0, 0}},
        StaminaCase{"just one column", 84, 9000, {1, 0, 0, 0, 0, 0}},
        StaminaCase{"less than a column", 83, 9000, {0, 0, 0, 0, 0, 0}},
        StaminaCase{"empty", 0, 9000, {0, 0, 0, 0, 0, 0}},
        StaminaCase{"huge gauge", 1500000000, 2000000000, {18, 18, 18, 18, 9, 0}},
        StaminaCase{"gauge of 0", 9000, 0, {0, 0, 0, 0, 0, 0}},
        StaminaCase{"gauge of 5", 9000, 5, {0, 0, 0, 0, 0, 0}},
        StaminaCase{"negative gauge", 9000, -600, {0, 0, 0, 0, 0, 0}}));



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

struct PlayTimeCase {
    const char* what;
    int32_t scene, playing, paused;
    int32_t secondsAfter;  // after the first read and one second on
};

class PlayTime : public StatusDisplay, public ::testing::WithParamInterface<PlayTimeCase> {};

TEST_P(PlayTime, CountsChangesOfTheCalendarSecondWhilePlaying) {
    const PlayTimeCase& c = GetParam();
    scene = c.scene;
    playing = c.playing;
    paused = c.paused;
    playSeconds = 20;
    frame();
    frame();
    backend->waitMs(999);
    frame();
    EXPECT_EQ(playSeconds, c.secondsAfter == 20 ? 20 : 21) << c.what << ": within the first second";
    backend->waitMs(1);
    frame();
    frame();
    EXPECT_EQ(playSeconds, c.secondsAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, PlayTime,
                         ::testing::Values(PlayTimeCase{"playing", 1, 1, 0, 22},
                                           PlayTimeCase{"paused", 1, 1, 1, 22},
                                           PlayTimeCase{"dead", 1, 0, 0, 20},
                                           PlayTimeCase{"ending", 2, 1, 0, 20},
                                           PlayTimeCase{"opening", 0, 1, 0, 20}));



}  // namespace
