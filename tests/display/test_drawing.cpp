// The two copy operations: what reaches the back buffer and what never does.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/game_state.h"
#include "display/display.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// A 64×32 sheet: index 0 in its left column, index (x + y) % 200 + 1 elsewhere.
SpriteSheet makeSheet() {
    SpriteSheet sheet;
    sheet.width = 64;
    sheet.height = 32;
    sheet.pixels.resize(64 * 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) sheet.pixels[y * 64 + x] = x == 0 ? 0 : uint8_t((x + y) % 200 + 1);
    }
    return sheet;
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 250);
    }
    uint8_t at(int x, int y) const { return backBuffer->pixels[y * screenWidth + x]; }
    int changedPixels() const {
        return int(std::count_if(backBuffer->pixels.begin(), backBuffer->pixels.end(),
                                 [](uint8_t p) { return p != 250; }));
    }
    SpriteSheet sheet = makeSheet();
};

TEST_F(Drawing, CopiesTheSourceRectangleToItsPlaceAndSkipsIndexZero) {
    drawSprite(&sheet, Rect{0, 4, 10, 8}, 100, 200);
    EXPECT_EQ(at(100, 200), 250) << "index 0 must stay transparent";
    EXPECT_EQ(at(101, 200), (1 + 4) % 200 + 1);
    EXPECT_EQ(at(109, 203), (9 + 7) % 200 + 1);
    EXPECT_EQ(at(110, 200), 250);
    EXPECT_EQ(at(101, 204), 250);
    EXPECT_EQ(changedPixels(), 9 * 4);
}

struct Placement {
    const char* what;
    Rect source;
    int x, y;
    bool drawn;
};

class DrawingPlacement : public Drawing, public ::testing::WithParamInterface<Placement> {};

TEST_P(DrawingPlacement, DrawsWhollyOrNotAtAll) {
    const Placement& p = GetParam();
    drawSprite(&sheet, p.source, p.x, p.y);
    EXPECT_EQ(changedPixels() > 0, p.drawn) << p.what;
    if (!p.drawn) {
        EXPECT_EQ(changedPixels(), 0) << p.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdgesAndRectangles, DrawingPlacement,
    ::testing::Values(
        Placement{"touching the right and bottom edges", {0, 0, 64, 32}, 576, 448, true},
        Placement{"touching the left and top edges", {0, 0, 64, 32}, 0, 0, true},
        Placement{"one pixel past the right edge", {0, 0, 64, 32}, 577, 0, false},
        Placement{"one pixel past the bottom edge", {0, 0, 64, 32}, 0, 449, false},
        Placement{"one pixel past the left edge", {0, 0, 64, 32}, -1, 0, false},
        Placement{"one pixel past the top edge", {0, 0, 64, 32}, 0, -1, false},
        Placement{"far away, without overflowing", {0, 0, 64, 32}, 2147483600, 2147483600, false},
        Placement{"empty source", {10, 10, 10, 20}, 5, 5, false},
        Placement{"inverted source", {20, 10, 10, 20}, 5, 5, false},
        Placement{"inverted rows", {10, 20, 20, 10}, 5, 5, false},
        Placement{"source past the sheet's right", {1, 0, 65, 32}, 5, 5, false},
        Placement{"source past the sheet's bottom", {1, 0, 64, 33}, 5, 5, false},
        Placement{"source left of the sheet", {-1, 0, 10, 10}, 5, 5, false}));

TEST_F(Drawing, MissingSheetOrBackBufferDrawsNothing) {
    drawSprite(nullptr, Rect{0, 0, 8, 8}, 10, 10);
    drawSpriteScaled(nullptr, Rect{0, 0, 8, 8}, Rect{0, 0, 16, 16});
    EXPECT_EQ(changedPixels(), 0);
    backBuffer.reset();
    drawSprite(&sheet, Rect{1, 0, 8, 8}, 10, 10);  // must not crash
    clearBackBuffer();
    present();
}

TEST_F(Drawing, ScaledCopyShrinksAndStretchesWithTransparency) {
    drawSpriteScaled(&sheet, Rect{0, 0, 64, 32}, Rect{10, 10, 42, 26});  // half size
    EXPECT_EQ(at(10, 10), 250) << "source column 0 is index 0";
    EXPECT_EQ(at(11, 10), sheet.pixels[2]);
    EXPECT_EQ(at(41, 25), sheet.pixels[30 * 64 + 62]);
    EXPECT_EQ(at(42, 10), 250);
    EXPECT_EQ(at(11, 26), 250);

    drawSpriteScaled(&sheet, Rect{1, 0, 3, 1}, Rect{100, 100, 104, 102});  // doubled
    EXPECT_EQ(at(100, 100), sheet.pixels[1]);
    EXPECT_EQ(at(101, 101), sheet.pixels[1]);
    EXPECT_EQ(at(102, 100), sheet.pixels[2]);
    EXPECT_EQ(at(103, 101), sheet.pixels[2]);
}

TEST_F(Drawing, ScaledCopyOutsideTheScreenOrFromABadSourceDrawsNothing) {
    drawSpriteScaled(&sheet, Rect{0, 0, 64, 32}, Rect{600, 0, 641, 10});
    drawSpriteScaled(&sheet, Rect{0, 0, 64, 32}, Rect{0, -1, 10, 10});
    drawSpriteScaled(&sheet, Rect{0, 0, 64, 32}, Rect{10, 10, 10, 20});
    drawSpriteScaled(&sheet, Rect{5, 0, 4, 32}, Rect{0, 0, 10, 10});
    drawSpriteScaled(&sheet, Rect{0, 0, 64, 40}, Rect{0, 0, 10, 10});
    EXPECT_EQ(changedPixels(), 0);
}

TEST_F(Drawing, ClearFillsWithIndexZero) {
    clearBackBuffer();
    EXPECT_TRUE(std::all_of(backBuffer->pixels.begin(), backBuffer->pixels.end(),
                            [](uint8_t p) { return p == 0; }));
}

}  // namespace
