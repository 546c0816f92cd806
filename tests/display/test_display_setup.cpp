// Bringing the display up and down: the objects it leaves and the
// messages each failing step shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "display/palette.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

std::vector<std::string> shownTexts(const HeadlessBackend& backend) {
    std::vector<std::string> texts;
    for (const RecordedEvent& event : backend.events()) {
        if (event.kind == RecordedKind::Message) {
            EXPECT_EQ(event.caption, "DirectDrawFailed");
            texts.push_back(event.text);
        }
    }
    return texts;
}

struct StepFailure {
    DisplayStep step;
    int mode;
    std::vector<std::string> messages;
};

class DisplayStepFailure : public ::testing::TestWithParam<StepFailure> {};

TEST_P(DisplayStepFailure, ShowsItsMessagesAndFails) {
    const StepFailure& failure = GetParam();
    HeadlessOptions options;
    options.failingStep = failure.step;
    HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
    displayMode = failure.mode;
    EXPECT_EQ(createDisplay(), 0);
    EXPECT_EQ(shownTexts(backend), failure.messages);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, DisplayStepFailure,
    ::testing::Values(
        StepFailure{DisplayStep::CreateDevice, 2, {"エラー　002"}},
        StepFailure{DisplayStep::SetCooperativeLevel, 1, {"エラー　003"}},
        StepFailure{DisplayStep::SetDisplayMode, 2, {"エラー　005", "エラー　004"}},
        StepFailure{DisplayStep::CreatePrimary, 1, {"エラー　006", "エラー　004"}},
        StepFailure{DisplayStep::CreateClipper, 1, {"クリッパーエラー1", "エラー　004"}},
        StepFailure{DisplayStep::BindClipper, 1, {"クリッパーエラー2", "エラー　004"}},
        StepFailure{DisplayStep::AttachClipper, 1, {"クリッパーエラー3", "エラー　004"}},
        StepFailure{DisplayStep::CreateBackBuffer, 2, {"エラー　007", "エラー　004"}},
        StepFailure{DisplayStep::CreateBackBuffer, 1, {"エラー　007", "エラー　004"}}));

TEST(DisplaySetup, FullScreenNeedsNoClipperAndWindowedIgnoresTheModeStep) {
    HeadlessOptions options;
    options.failingStep = DisplayStep::CreateClipper;
    testing_support::freshHeadlessGame(options);
    displayMode = 2;
    EXPECT_EQ(createDisplay(), 1);
    EXPECT_FALSE(windowClipper);

    options.failingStep = DisplayStep::SetDisplayMode;
    testing_support::freshHeadlessGame(options);
    displayMode = 1;
    EXPECT_EQ(createDisplay(), 1);
    EXPECT_TRUE(windowClipper);
}

TEST(DisplaySetup, SettingUpTwiceLeavesOneOfEachAndReleaseIsIdempotent) {
    testing_support::freshHeadlessGame();
    displayMode = 1;
    ASSERT_EQ(createDisplay(), 1);
    ASSERT_EQ(setupSurfaces(640, 480, 8), 1);
    EXPECT_TRUE(primarySurface);
    EXPECT_TRUE(windowClipper);
    ASSERT_NE(backBuffer, nullptr);
    EXPECT_EQ(backBuffer->width, 640);
    EXPECT_EQ(backBuffer->height, 480);
    EXPECT_NE(gamePalette, nullptr);

    releaseDisplay();
    releaseDisplay();
    EXPECT_FALSE(directDraw || primarySurface || windowClipper);
    EXPECT_EQ(backBuffer, nullptr);
    EXPECT_EQ(gamePalette, nullptr);
    for (const SheetEntry& entry : allSheets()) EXPECT_EQ(*entry.sheet, nullptr) << entry.name;
}

TEST(Palette, WindowedStartTableReferencesTheSystemColours) {
    testing_support::freshHeadlessGame();
    displayMode = 1;
    ASSERT_EQ(createDisplay(), 1);
    PaletteEntry entries[256];
    readPalette(entries);
    for (int i : {0, 9, 246, 255}) EXPECT_EQ(entries[i], (PaletteEntry{uint8_t(i), 0, 0, 2})) << i;
    EXPECT_EQ(entries[10], (PaletteEntry{0, 0, 0, 5}));
    EXPECT_EQ(entries[225], (PaletteEntry{5, 5, 5, 5}));
    EXPECT_EQ(entries[10 + 36 + 6 * 2 + 3], (PaletteEntry{1, 2, 3, 5}));
    for (int i = 226; i < 246; ++i) EXPECT_EQ(entries[i], (PaletteEntry{0, 0, 0, 4})) << i;
}

TEST(Palette, FullScreenStartTableHasTheRedRamp) {
    testing_support::freshHeadlessGame();
    displayMode = 2;
    ASSERT_EQ(createDisplay(), 1);
    PaletteEntry entries[256];
    readPalette(entries);
    EXPECT_EQ(entries[1].red, 8);
    EXPECT_EQ(entries[31], (PaletteEntry{255, 0, 0, 0}));
    const Palette system = systemPalette();
    for (int i = 32; i < 256; ++i) EXPECT_EQ(entries[i], system[i]) << i;
}

TEST(Palette, WrittenColoursAreReadBackAndShownFromTheNextPicture) {
    HeadlessBackend& backend = testing_support::freshHeadlessGame();
    displayMode = 1;
    ASSERT_EQ(createDisplay(), 1);
    PaletteEntry entries[256];
    for (int i = 0; i < 256; ++i) entries[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
    writePalette(entries);
    PaletteEntry back[256];
    readPalette(back);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(back[i], entries[i]);

    clearBackBuffer();
    backBuffer->pixels[0] = 200;
    present();
    const std::vector<uint8_t> picture = backend.lastPicture();
    EXPECT_EQ(picture[0], 200);
    EXPECT_EQ(picture[1], 100);
    EXPECT_EQ(picture[2], 55);
    EXPECT_EQ(picture[3], 0) << "index 0 shows colour 0";
    EXPECT_EQ(picture[5], 255);
}

}  // namespace
