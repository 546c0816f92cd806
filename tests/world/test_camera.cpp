// The view that follows the player and the drawing of the area's cells:
// where the view stops, how cells are cut at the screen's edges, the
// shake, and the glint of the crag walls outside the cave.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "display/palette.h"
#include "support/headless_game.h"
#include "world/area_maps.h"
#include "world/camera.h"

using namespace varnholt;

namespace {

struct CameraCase {
    const char* what;
    int cols, rows, x, y;
    int scrollX, scrollY, offsetX, offsetY;
};

class Camera : public ::testing::TestWithParam<CameraCase> {};

TEST_P(Camera, StopsAtTheEdgesOfTheArea) {
    const CameraCase& c = GetParam();
    testing_support::freshHeadlessGame();
    mapCols = c.cols;
    mapRows = c.rows;
    playerX = c.x;
    playerY = c.y;
    updateCamera();
    EXPECT_EQ(scrollX, c.scrollX) << c.what;
    EXPECT_EQ(scrollY, c.scrollY) << c.what;
    EXPECT_EQ(playerOffsetX, c.offsetX) << c.what;
    EXPECT_EQ(playerOffsetY, c.offsetY) << c.what;
}

// 21 × 18 cells: W − 640 = 704, H − 480 = 672. 15 × 15: 320 and 480.
// 11 × 17: 64 and 608.
INSTANTIATE_TEST_SUITE_P(
    Cases, Camera,
    ::testing::Values(CameraCase{"the start position", 21, 18, -224, 814, 0, 672, -224, 142},
                      CameraCase{"exactly at the right stop", 21, 18, 704, 300, 704, 300, 0, 0},
                      CameraCase{"just before the right stop", 21, 18, 703, 300, 703, 300, 0, 0},
                      CameraCase{"just past the right stop", 21, 18, 705, 300, 704, 300, 1, 0},
                      CameraCase{"at the left stop", 21, 18, 0, 0, 0, 0, 0, 0},
                      CameraCase{"just past the left stop", 21, 18, 1, 1, 1, 1, 0, 0},
                      CameraCase{"exactly at the bottom stop", 21, 18, 100, 672, 100, 672, 0, 0},
                      CameraCase{"just before the bottom stop", 21, 18, 100, 671, 100, 671, 0, 0},
                      CameraCase{"at the top edge of a cave area", 15, 15, 100, -208, 100, 0, 0, -208},
                      CameraCase{"in the right and bottom corners", 15, 15, 608, 688, 320, 480, 288, 208},
                      CameraCase{"in a narrow area", 11, 17, 65, 816, 64, 608, 1, 208},
                      CameraCase{"on the left of a narrow area", 11, 17, -288, 607, 0, 607, -288, 0}));

// Code 20 points below the 128-pixel-high sheet, so its cells draw nothing:
// a map of them leaves one probe cell alone on the screen.
constexpr int16_t blankCode = 20;
constexpr uint8_t untouched = 251;

struct Picture {
    int x, y, w, h;  // where on the screen
    int sx, sy;      // from where on the background sheet
};

class Tiles : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        ASSERT_EQ(loadAllBitmaps(), 1);
        ASSERT_TRUE(gamePalette);
        scene = 1;
        playing = 1;
        areaId = 10;
        scrollX = 0;
        scrollY = 0;
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), untouched);
    }
    static void blankMap() {
        for (auto& row : areaMap) row.fill(blankCode);
    }
    static uint8_t sheetAt(int x, int y) {
        return backgroundSheet->pixels[size_t(y) * backgroundSheet->width + x];
    }
    // Compares the whole back buffer with a screen on which only these
    // pictures were copied, in order, leaving out index 0.
    static int mismatches(const std::vector<Picture>& pictures, int* opaque = nullptr) {
        std::vector<uint8_t> expected(size_t(screenWidth) * screenHeight, untouched);
        int drawn = 0;
        for (const Picture& p : pictures) {
            for (int j = 0; j < p.h; ++j) {
                for (int i = 0; i < p.w; ++i) {
                    const uint8_t pixel = sheetAt(p.sx + i, p.sy + j);
                    if (pixel == 0) continue;
                    expected[size_t(p.y + j) * screenWidth + p.x + i] = pixel;
                    ++drawn;
                }
            }
        }
        if (opaque) *opaque = drawn;
        int wrong = 0;
        for (size_t i = 0; i < expected.size(); ++i) wrong += backBuffer->pixels[i] != expected[i];
        return wrong;
    }
};

struct ClipCase {
    const char* what;
    int scrollX, scrollY, shake, row, col;
    int16_t code;
    bool drawn;
    Picture picture;
};

class TileClipping : public Tiles, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(TileClipping, CutsCellsAtTheScreenEdges) {
    const ClipCase& c = GetParam();
    blankMap();
    areaMap[c.row][c.col] = c.code;
    scrollX = c.scrollX;
    scrollY = c.scrollY;
    shakeX = c.shake;
    drawTiles();
    int opaque = 0;
    const std::vector<Picture> expected =
        c.drawn ? std::vector<Picture>{c.picture} : std::vector<Picture>{};
    EXPECT_EQ(mismatches(expected, &opaque), 0) << c.what;
    if (c.drawn) {
        EXPECT_GT(opaque, 0) << c.what << ": the probe needs visible pixels";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TileClipping,
    ::testing::Values(
        ClipCase{"X -10: from column 10, 54 wide, at x 0", 10, 0, 0, 1, 0, 3, true, {0, 64, 54, 64, 202, 0}},
        ClipCase{"X 600: 40 wide", 40, 0, 0, 1, 10, 4, true, {600, 64, 40, 64, 256, 0}},
        ClipCase{"X -64: nothing", 64, 0, 0, 1, 0, 5, false, {}},
        ClipCase{"X 640: nothing", 0, 0, 0, 1, 10, 6, false, {}},
        ClipCase{"X -63: its last column", 63, 0, 0, 1, 0, 1, true, {0, 64, 1, 64, 127, 0}},
        ClipCase{"X 639: its first column", 1, 0, 0, 1, 10, 2, true, {639, 64, 1, 64, 128, 0}},
        ClipCase{"touching the left edge", 0, 0, 0, 1, 0, 0, true, {0, 64, 64, 64, 0, 0}},
        ClipCase{"touching the right edge", 0, 0, 0, 1, 9, 7, true, {576, 64, 64, 64, 448, 0}},
        ClipCase{"Y -10: from row 10", 0, 10, 0, 0, 2, 3, true, {128, 0, 64, 54, 192, 10}},
        ClipCase{"Y 448: 32 high", 0, 0, 0, 7, 2, 4, true, {128, 448, 64, 32, 256, 0}},
        ClipCase{"Y 480: nothing", 0, 32, 0, 8, 2, 4, false, {}},
        ClipCase{"Y -64: nothing", 0, 64, 0, 0, 2, 4, false, {}},
        ClipCase{"cut at the top-left corner", 10, 20, 0, 0, 0, 6, true, {0, 0, 54, 44, 394, 20}},
        ClipCase{"cut at the bottom-right corner", 30, 20, 0, 7, 10, 5, true, {610, 428, 30, 52, 320, 0}},
        ClipCase{"code 11 from the sheet's second row", 0, 0, 0, 2, 2, 11, true, {128, 128, 64, 64, 64, 64}},
        ClipCase{"shake right moves the cell, not its row", 0, 0, 5, 1, 2, 3, true, {133, 64, 64, 64, 192, 0}},
        ClipCase{"shake left cuts the leftmost cell", 0, 0, -5, 2, 0, 4, true, {0, 128, 59, 64, 261, 0}},
        ClipCase{"shake right cuts the rightmost cell", 0, 0, 5, 2, 9, 4, true, {581, 128, 59, 64, 256, 0}}));

TEST_F(Tiles, TheClockTurnsOverAt512) {
    const struct { int before, after; } steps[] = {{0, 1}, {249, 250}, {510, 511}, {511, 0}};
    for (auto s : steps) {
        tileClock = s.before;
        drawTiles();
        EXPECT_EQ(tileClock, s.after);
    }
}

enum class Glint { None, First, Second };

struct GlintCase {
    const char* what;
    int area;
    int16_t code;
    int clockBefore;  // drawTiles advances it by one first
    int roll;
    int flagBefore;
    Glint shown;
    int flagAfter;
};

class TileGlint : public Tiles, public ::testing::WithParamInterface<GlintCase> {};

// A lone wall at row 2, column 3 ((2 + 1) × (3 + 1) = 12) on an unscrolled
// screen: its glint shows one cell to the right and below, at (256, 192).
TEST_P(TileGlint, ShowsOnCragWallsOfArea40Only) {
    const GlintCase& c = GetParam();
    blankMap();
    areaMap[2][3] = c.code;
    areaId = c.area;
    tileClock = c.clockBefore;
    roll500 = c.roll;
    glintCells[2][3] = c.flagBefore;
    drawTiles();
    std::vector<Picture> expected{{192, 128, 64, 64, 64 * c.code, 0}};
    if (c.shown == Glint::First) expected.push_back({256, 192, 64, 64, 0, 64});
    if (c.shown == Glint::Second) expected.push_back({256, 192, 64, 64, 64, 64});
    EXPECT_EQ(mismatches(expected), 0) << c.what;
    EXPECT_EQ(glintCells[2][3], c.flagAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TileGlint,
    ::testing::Values(
        GlintCase{"just before 250: nothing, the flag falls back", 40, 1, 248, 12, 1, Glint::None, 0},
        GlintCase{"a flag alone early in the clock", 40, 1, 99, 0, 1, Glint::None, 0},
        GlintCase{"the clock wrapping to 0 ends a glint", 40, 1, 511, 12, 1, Glint::None, 0},
        GlintCase{"rolled at 250: the first picture", 40, 1, 249, 12, 0, Glint::First, 1},
        GlintCase{"rolled at 334: still the first picture", 40, 1, 333, 12, 0, Glint::First, 1},
        GlintCase{"the flag carries it on", 40, 1, 299, 0, 1, Glint::First, 1},
        GlintCase{"at 335: the second picture", 40, 1, 334, 12, 0, Glint::Second, 1},
        GlintCase{"at 511: still the second picture", 40, 1, 510, 0, 1, Glint::Second, 1},
        GlintCase{"neither rolled nor flagged", 40, 1, 299, 13, 0, Glint::None, 0},
        GlintCase{"the masonry round the pit never glints", 40, 2, 299, 12, 1, Glint::None, 1},
        GlintCase{"other areas never glint nor touch the flags", 10, 1, 299, 12, 1, Glint::None, 1}));



// The whole start map. Roll 378 = 18 × 21 picks the crag at (17, 20) only,
// the last cell of the pass; the cells before it put back the saved red.
}  // namespace
