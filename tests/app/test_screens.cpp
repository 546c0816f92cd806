// The screens drawn last in every frame: the opening with its title menu,
// the notices and the status display, and the ending with the final score.
#include <gtest/gtest.h>

#include <array>
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
// Digit d is solid 230 + d; anything right of the ten digits is 228, the
// picture below them 229. Coded sheets stay below 201.
uint8_t digitColour(int x, int y) { return y >= 18 ? 229 : x < 160 ? uint8_t(230 + x / 16) : 228; }
// The gauge: label 201, bar 202, empty trough 203.
uint8_t hpColour(int x, int y) { return y >= 18 ? 203 : x < 35 ? 201 : 202; }
uint8_t nothing(int, int) { return 0; }
// Only the three fragments of the opening, solid 11, 12 and 13.
uint8_t fragmentColour(int x, int y) {
    return y >= 488 && y < 505 && x >= 288 && x < 345 && (x - 288) % 20 < 17 ? uint8_t(11 + (x - 288) / 20) : 0;
}

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

// The rectangle (left, top, right, bottom) the colour covers on screen;
// all zeros when it is nowhere.
std::array<int, 4> extentOf(uint8_t colour) {
    std::array<int, 4> box = {screenWidth, screenHeight, 0, 0};
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            if (screen(x, y) == colour) box = {std::min(box[0], x), std::min(box[1], y),
                                               std::max(box[2], x + 1), std::max(box[3], y + 1)};
        }
    }
    return box[2] == 0 ? std::array<int, 4>{} : box;
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

// Keys held in the third frame, or the joystick as the frame driver copies
// it then. Up and Down wrap round the three choices; Up wins when both are
// held; the stick counts only when present and not during the fade-out.
TEST_F(Opening, MenuKeysAndStickMoveTheCursorWithWrapAround) {
    const struct { const char* keys; int32_t stick, joyY, from, fadingOut, to; } moves[] = {
        {"Down", 0, 32767, 0, 0, 1}, {"Down", 0, 32767, 1, 0, 2},    {"Down", 0, 32767, 2, 0, 0},
        {"Up", 0, 32767, 0, 0, 2},   {"Up", 0, 32767, 1, 0, 0},      {"Up", 0, 32767, 2, 0, 1},
        {"Up", 0, 32767, 0, 1, 2},   {"Down", 0, 32767, 2, 1, 0},    {"Up Down", 0, 32767, 2, 0, 1},
        {"Down Up", 0, 32767, 0, 0, 2}, {"", 1, 2000, 0, 0, 2},      {"", 1, 2001, 0, 0, 0},
        {"", 1, 62000, 0, 0, 1},     {"", 1, 61999, 0, 0, 0},        {"", 1, 0, 0, 1, 0},
        {"", 1, 65535, 0, 1, 0},     {"", 0, 0, 0, 0, 0},            {"", 0, 65535, 0, 0, 0}};
    for (const auto& m : moves) {
        SCOPED_TRACE(std::string(m.keys) + " stick " + std::to_string(m.stick) + " at " + std::to_string(m.joyY) +
                     " from " + std::to_string(m.from) + " fading " + std::to_string(m.fadingOut));
        ASSERT_NO_FATAL_FAILURE(start(std::string("1 Enter\n2\n3 ") + m.keys + "\n4\n"));
        frames(2);
        std::tie(menuCursor, fadingOut, joystickPresent) = std::tie(m.from, m.fadingOut, m.stick);
        joyInfo.y = uint32_t(m.joyY);
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

// Held in the second frame: C or button bits 1 choose in the menu, the
// cursor's choice becoming the difficulty, and start the fade-out with the
// earthquake stopped. Enter or bits 2 skip the scroll-in, and the menu
// shows at once; bits 3 do neither.
TEST_F(Opening, ChoosingAndSkippingTheScrollIn) {
    const struct { const char* keys; uint32_t buttons; int32_t cursor, scroll, scrollAfter, chosen; } cases[] = {
        {"C", 0, 0, 0, 0, 1},     {"C", 0, 1, 0, 0, 1}, {"C", 0, 2, 0, 0, 1}, {"", 1, 2, 0, 0, 1},
        {"", 3, 2, 0, 0, 0},      {"", 2, 2, 0, 0, 0},  {"C", 0, 2, 5, 4, 0}, {"", 1, 2, 5, 4, 0},
        {"Enter", 0, 2, 5, 0, 0}, {"", 2, 2, 5, 0, 0},  {"", 3, 2, 5, 4, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " buttons " + std::to_string(c.buttons) + " scroll " +
                     std::to_string(c.scroll) + " cursor " + std::to_string(c.cursor));
        ASSERT_NO_FATAL_FAILURE(start(std::string("1\n2 ") + c.keys + "\n3\n"));
        frames(1);
        std::tie(titleScroll, menuCursor, difficulty, quakeFrames) = std::tuple(c.scroll, c.cursor, 5, 50);
        joyInfo.buttons = c.buttons;
        frames(1);
        EXPECT_EQ(std::tuple(titleScroll, fadingOut, difficulty, quakeFrames),
                  c.chosen ? std::tuple(c.scrollAfter, 1, c.cursor, 0) : std::tuple(c.scrollAfter, 0, 5, 49));
    }
}

// Over choice 0, where the choice's picture leaves the cursor whole: 21
// frames shown, 7 hidden; the first time it starts from a count of 0.
TEST_F(Opening, TheMenuCursorIsShown21FramesAndHidden7) {
    ASSERT_NO_FATAL_FAILURE(start("1 Enter\n2\n"));
    std::string seen;
    for (int n = 0; n < 56; ++n) {
        frames(1);
        seen += drawnAt(Rect{26, 486, 48, 528}, 231, 300) ? '#' : '.';
    }
    EXPECT_EQ(seen, std::string(20, '#') + std::string(7, '.') + std::string(21, '#') + std::string(7, '.') + '#');
}

// The earthquake starts at frame 400; the figure turns to face up at 500
// only when the earthquake is over by then. Fragment k fills its rectangle
// in colour 11 + k from frame 440; each drifts a pixel lower in the first
// frames of its period (45, 40 and 50 frames long).
TEST_F(Opening, TheEarthquakeTheTurnAndTheFragments) {
    using Box = std::array<int, 4>;
    const struct { int32_t frame, quakeBefore, quakeAfter, column; Box fragments[3]; } cases[] = {
        {399, 0, 0, 64, {}}, {400, 0, 100, 64, {}}, {401, 0, 0, 64, {}}, {439, 0, 0, 64, {}},
        {440, 0, 0, 64, {Box{165, 363, 184, 382}, Box{184, 359, 203, 378}, Box{175, 368, 194, 387}}},
        {446, 0, 0, 64, {Box{164, 365, 183, 384}, Box{184, 361, 203, 380}, Box{175, 370, 194, 389}}},
        {447, 0, 0, 64, {Box{164, 365, 183, 384}, Box{184, 360, 203, 379}, Box{175, 370, 194, 389}}},
        {457, 0, 0, 64, {Box{162, 370, 181, 389}, Box{185, 364, 204, 383}, Box{175, 375, 194, 394}}},
        {458, 0, 0, 64, {Box{162, 369, 181, 388}, Box{185, 364, 204, 383}, Box{175, 374, 194, 393}}},
        {499, 0, 0, 64, {Box{156, 384, 177, 405}, Box{189, 378, 210, 399}, Box{175, 388, 196, 409}}},
        {500, 0, 0, 0, {Box{156, 384, 178, 406}, Box{190, 378, 212, 400}, Box{175, 389, 197, 411}}},
        {500, 1, 1, 64, {Box{156, 384, 178, 406}, Box{190, 378, 212, 400}, Box{175, 389, 197, 411}}},
        {501, 0, 0, 64, {Box{156, 384, 178, 406}, Box{190, 378, 212, 400}, Box{175, 389, 197, 411}}},
        {679, 0, 0, 64, {Box{131, 444, 161, 474}, Box{207, 438, 237, 468}, Box{175, 448, 205, 478}}}};
    ASSERT_NO_FATAL_FAILURE(start(""));
    replaceSheet(openingSheet, fragmentColour);
    replaceSheet(opening2Sheet, nothing);
    replaceSheet(characterSheet, nothing);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        std::tie(openingFrame, quakeFrames, introFigureColumn) = std::tuple(c.frame - 1, c.quakeBefore, 64);
        fragmentDrift[0] = fragmentDrift[1] = fragmentDrift[2] = 0;
        clearBackBuffer();
        drawScreens();
        EXPECT_EQ(std::tuple(quakeFrames, introFigureColumn), std::tuple(c.quakeAfter, c.column));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(extentOf(uint8_t(11 + k)), c.fragments[k]) << "fragment " << k;
    }
}

// --------------------------------------------------------- status display

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
        replaceSheet(openingSheet, code);
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

// Each notice shows while its count is in its window, and counts on: the
// play-start notice for the first 100 frames of play, the others over the
// play field, moved with the player's sprite.
TEST_F(StatusDisplay, NoticesShowWhileTheirCountIsInItsWindow) {
    struct Shown { Rect source; int x, y; };
    const Shown start{{0, 84, 256, 132}, 208, 108}, quake{{0, 129, 256, 177}, 163, 190},
        levelUp{{0, 18, 80, 36}, 243, 210}, boss0{{0, 177, 256, 222}, 163, 190}, boss1{{0, 222, 256, 267}, 163, 190},
        boss2{{0, 267, 256, 312}, 163, 190}, boss3{{0, 312, 256, 357}, 163, 190};
    const struct { int32_t scene, *count, before; Shown notice; bool shown; int32_t after; } cases[] = {
        {1, &startNotice, 0, start, true, 1},         {1, &startNotice, 99, start, true, 100},
        {1, &startNotice, 100, start, false, 100},    {2, &startNotice, 0, start, false, 0},
        {1, &bossNotice, 300, boss3, true, 299},      {1, &bossNotice, 299, boss2, true, 298},
        {1, &bossNotice, 200, boss2, true, 199},      {1, &bossNotice, 199, boss1, true, 198},
        {1, &bossNotice, 100, boss1, true, 99},       {1, &bossNotice, 99, boss0, true, 98},
        {1, &bossNotice, 1, boss0, true, 0},          {1, &bossNotice, 0, boss0, false, 0},
        {1, &quakeNotice, 150, quake, true, 149},     {1, &quakeNotice, 1, quake, true, 0},
        {1, &quakeNotice, 0, quake, false, 0},        {1, &levelUpNotice, 1, levelUp, true, 2},
        {1, &levelUpNotice, 30, levelUp, true, 31},   {1, &levelUpNotice, 31, levelUp, false, 0},
        {1, &levelUpNotice, 0, levelUp, false, 0},    {1, &levelUpNotice, -5, levelUp, false, 0},
        {0, &levelUpNotice, 5, levelUp, false, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + " in scene " + std::to_string(c.scene));
        std::tie(startNotice, bossNotice, quakeNotice, levelUpNotice) = std::tuple(100, 0, 0, 0);
        std::tie(scene, playerOffsetX, playerOffsetY) = std::tuple(c.scene, -40, 30);
        *c.count = c.before;
        frame();
        EXPECT_EQ(std::tuple(drawnAt(c.notice.source, c.notice.x, c.notice.y), *c.count), std::tuple(c.shown, c.after));
    }
}

// The chosen difficulty's name from the title menu, shrunk into
// (580, 3, 640, 23) in play and the ending.
TEST_F(StatusDisplay, TheDifficultyLabelStandsInTheTopRightCorner) {
    const struct { int32_t scene, difficulty, left; } cases[] = {{1, 0, 25}, {1, 1, 316}, {2, 2, 165}, {0, 0, -1}};
    for (const auto& c : cases) {
        std::tie(scene, difficulty) = std::tie(c.scene, c.difficulty);
        frame();
        EXPECT_EQ(std::tuple(screen(580, 3), screen(639, 22) != 0, screen(579, 3), screen(580, 2), screen(639, 23)),
                  std::tuple(c.left < 0 ? 0 : code(c.left, 335), c.left >= 0, 0, 0, 0)) << c.difficulty;
    }
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
    EXPECT_EQ(std::tuple(bestScore, testing_support::readText("score.slf")), std::tuple(12345, std::string("90\0\0", 4)));
    EXPECT_TRUE(bestCaptionShown());
    // The score doubled at 360 - 22 k, the best score small at 620 - 10 k.
    const int digits[6] = {5, 4, 3, 2, 1, -1};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(scoreDigit(k), digits[k]) << "k " << k;
        EXPECT_EQ(digitIn(626 - 10 * k, 630 - 10 * k, 65, 83), digits[k]) << "best digit " << k;
    }
}

}  // namespace
