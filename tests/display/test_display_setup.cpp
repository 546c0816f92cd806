// Bringing the display up and down: the objects it leaves and the
// messages each failing step shows.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "display/palette.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

// A fresh game whose display, with `step` failing, is set up in `mode`.
HeadlessBackend& startDisplay(int mode, std::optional<DisplayStep> step = {}, int expected = 1) {
    HeadlessOptions options;
    options.failingStep = step;
    HeadlessBackend& backend = testing_support::freshHeadlessGame(options);
    displayMode = mode;
    EXPECT_EQ(createDisplay(), expected);
    return backend;
}

struct StepFailure {
    const char* name;
    DisplayStep step;
    int mode;
    std::vector<std::string> messages;
};

void PrintTo(const StepFailure& c, std::ostream* os) { *os << c.name; }
class DisplayStepFailure : public ::testing::TestWithParam<StepFailure> {};

TEST_P(DisplayStepFailure, ShowsItsMessagesAndFails) {
    const HeadlessBackend& backend = startDisplay(GetParam().mode, GetParam().step, 0);
    std::vector<std::string> texts;
    for (const RecordedEvent& event : backend.events()) {
        if (event.kind != RecordedKind::Message) continue;
        EXPECT_EQ(event.caption, "DirectDrawFailed");
        texts.push_back(event.text);
    }
    EXPECT_EQ(texts, GetParam().messages);
}

const StepFailure kFailures[] = {
    {"CreateDevice", DisplayStep::CreateDevice, 2, {"エラー　002"}},
    {"SetCooperativeLevel", DisplayStep::SetCooperativeLevel, 1, {"エラー　003"}},
    {"SetDisplayMode", DisplayStep::SetDisplayMode, 2, {"エラー　005", "エラー　004"}},
    {"CreatePrimary", DisplayStep::CreatePrimary, 1, {"エラー　006", "エラー　004"}},
    {"CreateClipper", DisplayStep::CreateClipper, 1, {"クリッパーエラー1", "エラー　004"}},
    {"BindClipper", DisplayStep::BindClipper, 1, {"クリッパーエラー2", "エラー　004"}},
    {"AttachClipper", DisplayStep::AttachClipper, 1, {"クリッパーエラー3", "エラー　004"}},
    {"CreateBackBufferFullScreen", DisplayStep::CreateBackBuffer, 2, {"エラー　007", "エラー　004"}},
    {"CreateBackBufferWindowed", DisplayStep::CreateBackBuffer, 1, {"エラー　007", "エラー　004"}}};
INSTANTIATE_TEST_SUITE_P(EveryStep, DisplayStepFailure, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<StepFailure>& info) { return std::string(info.param.name); });

TEST(DisplaySetup, FullScreenNeedsNoClipperAndWindowedIgnoresTheModeStep) {
    startDisplay(2, DisplayStep::CreateClipper);
    EXPECT_FALSE(windowClipper);
    startDisplay(1, DisplayStep::SetDisplayMode);
    EXPECT_TRUE(windowClipper);
}

TEST(DisplaySetup, SettingUpTwiceLeavesOneOfEachAndReleaseIsIdempotent) {
    startDisplay(1);
    ASSERT_EQ(setupSurfaces(640, 480, 8), 1);
    EXPECT_TRUE(primarySurface && windowClipper);
    ASSERT_NE(backBuffer, nullptr);
    EXPECT_EQ(std::pair(backBuffer->width, backBuffer->height), std::pair(640, 480));
    EXPECT_NE(gamePalette, nullptr);

    releaseDisplay();
    releaseDisplay();
    EXPECT_FALSE(directDraw || primarySurface || windowClipper);
    EXPECT_EQ(backBuffer, nullptr);
    EXPECT_EQ(gamePalette, nullptr);
    for (const SheetEntry& entry : allSheets()) EXPECT_EQ(*entry.sheet, nullptr) << entry.name;
}

TEST(Palette, StartTablesReferenceTheSystemColoursWindowedAndHaveTheRedRampFullScreen) {
    startDisplay(1);
    PaletteEntry entries[256];
    readPalette(entries);
    for (int i : {0, 9, 246, 255}) EXPECT_EQ(entries[i], (PaletteEntry{uint8_t(i), 0, 0, 2})) << i;
    EXPECT_EQ(entries[10], (PaletteEntry{0, 0, 0, 5}));
    EXPECT_EQ(entries[225], (PaletteEntry{5, 5, 5, 5}));
    EXPECT_EQ(entries[10 + 36 + 6 * 2 + 3], (PaletteEntry{1, 2, 3, 5}));
    for (int i = 226; i < 246; ++i) EXPECT_EQ(entries[i], (PaletteEntry{0, 0, 0, 4})) << i;

    startDisplay(2);
    readPalette(entries);
    EXPECT_EQ(entries[1].red, 8);
    EXPECT_EQ(entries[31], (PaletteEntry{255, 0, 0, 0}));
    const Palette system = systemPalette();
    for (int i = 32; i < 256; ++i) EXPECT_EQ(entries[i], system[i]) << i;
}

TEST(Palette, WrittenColoursAreReadBackAndShownFromTheNextPicture) {
    HeadlessBackend& backend = startDisplay(1);
    PaletteEntry entries[256], back[256];
    for (int i = 0; i < 256; ++i) entries[i] = {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0};
    writePalette(entries);
    readPalette(back);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(back[i], entries[i]);

    clearBackBuffer();
    backBuffer->pixels[0] = 200;
    present();
    const std::vector<uint8_t> picture = backend.lastPicture();
    EXPECT_EQ(std::vector(picture.begin(), picture.begin() + 6), (std::vector<uint8_t>{200, 100, 55, 0, 0, 255}))
        << "index 0 shows colour 0";
}

}  // namespace
