// The two copy operations: what reaches the back buffer and what never does.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "app/game_state.h"
#include "display/display.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// A fresh display whose back buffer holds 250 everywhere, and a 64×32
// sheet: index 0 in its left column, index (x + y) % 200 + 1 elsewhere.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        std::fill(backBuffer->pixels.begin(), backBuffer->pixels.end(), 250);
        sheet.width = 64;
        sheet.height = 32;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x) sheet.pixels.push_back(x == 0 ? 0 : uint8_t((x + y) % 200 + 1));
    }
    uint8_t at(int x, int y) const { return backBuffer->pixels[y * screenWidth + x]; }
    int changedPixels(uint8_t unchanged = 250) const {
        return int(std::count_if(backBuffer->pixels.begin(), backBuffer->pixels.end(),
                                 [unchanged](uint8_t p) { return p != unchanged; }));
    }
    SpriteSheet sheet;
};

struct Placement {
    const char* what;
    Rect source;
    int x, y;
    bool drawn;
    Rect scaledInto = {};  // when not empty, a scaled copy into it instead
};
void PrintTo(const Placement& p, std::ostream* out) { *out << p.what; }

class DrawingPlacement : public Drawing, public ::testing::WithParamInterface<Placement> {};

TEST_P(DrawingPlacement, DrawsWhollyOrNotAtAll) {
    const Placement& p = GetParam();
    if (p.scaledInto.right == 0) drawSprite(&sheet, p.source, p.x, p.y);
    if (p.scaledInto.right != 0) drawSpriteScaled(&sheet, p.source, p.scaledInto);
    EXPECT_EQ(changedPixels() > 0, p.drawn);
}

const Rect whole{0, 0, 64, 32};
const Placement kPlacements[] = {{"TouchingTheRightAndBottomEdges", whole, 576, 448, true},
                                 {"TouchingTheLeftAndTopEdges", whole, 0, 0, true},
                                 {"OnePixelPastTheRightEdge", whole, 577, 0, false},
                                 {"OnePixelPastTheBottomEdge", whole, 0, 449, false},
                                 {"OnePixelPastTheLeftEdge", whole, -1, 0, false},
                                 {"OnePixelPastTheTopEdge", whole, 0, -1, false},
                                 {"FarAwayWithoutOverflowing", whole, 2147483600, 2147483600, false},
                                 {"EmptySource", {10, 10, 10, 20}, 5, 5, false},
                                 {"InvertedSource", {20, 10, 10, 20}, 5, 5, false},
                                 {"InvertedRows", {10, 20, 20, 10}, 5, 5, false},
                                 {"SourcePastTheSheetsRight", {1, 0, 65, 32}, 5, 5, false},
                                 {"SourcePastTheSheetsBottom", {1, 0, 64, 33}, 5, 5, false},
                                 {"SourceLeftOfTheSheet", {-1, 0, 10, 10}, 5, 5, false},
                                 {"ScaledTouchingTheRightEdge", whole, 0, 0, true, {600, 0, 640, 10}},
                                 {"ScaledPastTheRightEdge", whole, 0, 0, false, {600, 0, 641, 10}},
                                 {"ScaledPastTheTopEdge", whole, 0, 0, false, {0, -1, 10, 10}},
                                 {"ScaledIntoAnEmptyRectangle", whole, 0, 0, false, {10, 10, 10, 20}},
                                 {"ScaledFromAnInvertedSource", {5, 0, 4, 32}, 0, 0, false, {0, 0, 10, 10}},
                                 {"ScaledFromPastTheSheetsBottom", {0, 0, 64, 40}, 0, 0, false, {0, 0, 10, 10}}};
INSTANTIATE_TEST_SUITE_P(EdgesAndRectangles, DrawingPlacement, ::testing::ValuesIn(kPlacements),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(Drawing, MissingSheetOrBackBufferDrawsNothingAndClearFillsWithIndexZero) {
    drawSprite(nullptr, Rect{0, 0, 8, 8}, 10, 10);
    drawSpriteScaled(nullptr, Rect{0, 0, 8, 8}, Rect{0, 0, 16, 16});
    EXPECT_EQ(changedPixels(), 0);
    clearBackBuffer();
    EXPECT_EQ(changedPixels(0), 0);
    backBuffer.reset();
    drawSprite(&sheet, Rect{1, 0, 8, 8}, 10, 10);  // must not crash
    clearBackBuffer();
    present();
}

TEST_F(Drawing, ScaledCopyShrinksAndStretchesWithTransparency) {
    drawSpriteScaled(&sheet, whole, Rect{10, 10, 42, 26});  // half size
    EXPECT_EQ(at(10, 10), 250) << "source column 0 is index 0";
    EXPECT_EQ(at(11, 10), sheet.pixels[2]);
    EXPECT_EQ(at(41, 25), sheet.pixels[30 * 64 + 62]);
    EXPECT_EQ(std::pair(at(42, 10), at(11, 26)), std::pair(uint8_t(250), uint8_t(250)));

    drawSpriteScaled(&sheet, Rect{1, 0, 3, 1}, Rect{100, 100, 104, 102});  // doubled
    EXPECT_EQ((std::array{at(100, 100), at(101, 101), at(102, 100), at(103, 101)}),
              (std::array{sheet.pixels[1], sheet.pixels[1], sheet.pixels[2], sheet.pixels[2]}));
}

}  // namespace
