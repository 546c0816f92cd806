// Reading the bitmap files into sheets, and what a bad file does.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/game_state.h"
#include "display/bitmaps.h"
#include "display/bmp_reader.h"
#include "display/display.h"
#include "display/palette.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
using testing_support::makeBitmap;

namespace {

uint8_t diagonal(int x, int y) { return uint8_t((x * 7 + y * 3) % 256); }

TEST(BmpReader, TopDownAndBottomUpGiveTheSamePicture) {
    const auto bottomUp = makeBitmap(13, 5, false, diagonal);
    const auto topDown = makeBitmap(13, 5, true, diagonal);
    BitmapImage a, b;
    ASSERT_TRUE(decodeBitmap(bottomUp.data(), bottomUp.size(), a));
    ASSERT_TRUE(decodeBitmap(topDown.data(), topDown.size(), b));
    EXPECT_EQ(a.width, 13);
    EXPECT_EQ(b.height, 5);
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_EQ(a.pixels[2 * 13 + 4], diagonal(4, 2));
    EXPECT_EQ(a.colours[200], (PaletteEntry{200, 48, 96, 0}));
}

struct BadBitmap {
    const char* what;
    size_t offset;  // byte to overwrite, or the length to cut to when value < 0
    int value;
};

class BmpReaderRejects : public ::testing::TestWithParam<BadBitmap> {};

TEST_P(BmpReaderRejects, WithoutReadingPastTheFile) {
    auto bytes = makeBitmap(16, 8, false, diagonal);
    const BadBitmap& bad = GetParam();
    if (bad.value < 0) {
        bytes.resize(bad.offset);
    } else {
        bytes[bad.offset] = uint8_t(bad.value);
    }
    BitmapImage image;
    EXPECT_FALSE(decodeBitmap(bytes.data(), bytes.size(), image)) << bad.what;
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, BmpReaderRejects,
    ::testing::Values(BadBitmap{"not BM", 0, 'X'}, BadBitmap{"4 bits per pixel", 28, 4},
                      BadBitmap{"24 bits per pixel", 28, 24}, BadBitmap{"compressed", 30, 1},
                      BadBitmap{"16 colours", 46, 16}, BadBitmap{"huge width", 21, 0x7F},
                      BadBitmap{"pixels beyond the end", 10, 0xFF},
                      BadBitmap{"header only", 54, -1}, BadBitmap{"half a colour table", 600, -1},
                      BadBitmap{"last row cut", 14 + 40 + 1024 + 16 * 8 - 1, -1},
                      BadBitmap{"empty", 0, -1}));

class BitmapLoading : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &testing_support::freshHeadlessGame();
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        folder = testing_support::scratchDirectory(
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    int messages() const {
        int count = 0;
        for (const RecordedEvent& event : backend->events()) count += event.kind == RecordedKind::Message;
        return count;
    }
    HeadlessBackend* backend = nullptr;
    std::string folder;
};

TEST_F(BitmapLoading, AWideBitmapKeepsItsLeft640Columns) {
    const std::string path = folder + "/wide.bmp";
    testing_support::writeFile(path, makeBitmap(800, 3, false, diagonal));
    std::unique_ptr<SpriteSheet> sheet;
    ASSERT_EQ(loadBitmapSurface(0, 0, path, sheet, 0), 1);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->width, 640);
    EXPECT_EQ(sheet->height, 3);
    EXPECT_EQ(sheet->pixels[2 * 640 + 639], diagonal(639, 2));
    EXPECT_EQ(sheet->pixels[1 * 640 + 0], diagonal(0, 1));
    PaletteEntry entries[256];
    readPalette(entries);
    EXPECT_EQ(entries[77], paletteCopy[77]);
    EXPECT_EQ(paletteCopy[77], (PaletteEntry{72, 176, 32, 0}));
}

TEST_F(BitmapLoading, AnUnreadableFileShowsError010) {
    const std::string path = folder + "/broken.bmp";
    auto bytes = makeBitmap(8, 8, false, diagonal);
    bytes.resize(bytes.size() - 5);
    testing_support::writeFile(path, bytes);
    std::unique_ptr<SpriteSheet> sheet;
    EXPECT_EQ(loadBitmapSurface(0, 0, path, sheet, 0), 0);
    EXPECT_EQ(loadBitmapSurface(0, 0, folder + "/missing.bmp", sheet, 0), 0);
    EXPECT_EQ(sheet, nullptr);
    ASSERT_EQ(backend->events().size(), 2u);
    EXPECT_EQ(backend->events()[0].text, "エラー　010");
    EXPECT_EQ(backend->events()[1].text, "エラー　010");
}

TEST_F(BitmapLoading, WithoutAPaletteTheLoadStops) {
    gamePalette.reset();
    const std::string path = folder + "/a.bmp";
    testing_support::writeFile(path, makeBitmap(8, 8, false, diagonal));
    std::unique_ptr<SpriteSheet> sheet;
    EXPECT_EQ(loadBitmapSurface(0, 0, path, sheet, 0), 0);
    ASSERT_EQ(messages(), 1);
    EXPECT_EQ(backend->events()[0].text, "パレットが作成されていない");
}

TEST_F(BitmapLoading, ThirdFileMissingStopsTheLoadWithOneMessageAndNoSound) {
    std::filesystem::create_directories(folder + "/Bitmap");
    for (size_t i = 0; i < allSheets().size(); ++i) {
        if (i == 2) continue;
        std::filesystem::copy_file(testing_support::assetDirectory() + "/" + allSheets()[i].file,
                                   folder + "/" + allSheets()[i].file);
    }
    std::filesystem::copy(testing_support::assetDirectory() + "/音楽", folder + "/音楽");
    setDataDirectory(folder);
    EXPECT_EQ(loadAllBitmaps(), 0);
    EXPECT_NE(backgroundSheet, nullptr);
    EXPECT_NE(characterSheet, nullptr);
    for (size_t i = 2; i < allSheets().size(); ++i) EXPECT_EQ(*allSheets()[i].sheet, nullptr) << i;
    EXPECT_EQ(messages(), 1);
    EXPECT_EQ(backend->events()[0].text, "エラー　010");
    backend->playEffect(0);
    EXPECT_EQ(messages(), 1);
    EXPECT_EQ(backend->events().size(), 1u) << "sound was never started, so nothing plays";
}

TEST_F(BitmapLoading, ACompleteLoadLeavesTheEndingBitmapsColours) {
    ASSERT_EQ(loadAllBitmaps(), 1);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(dataPath(allSheets()[10].file), bytes));
    BitmapImage ending;
    ASSERT_TRUE(decodeBitmap(bytes.data(), bytes.size(), ending));
    PaletteEntry entries[256];
    readPalette(entries);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i], ending.colours[i]) << i;
        EXPECT_EQ(paletteCopy[i], ending.colours[i]) << i;
        EXPECT_EQ(paletteCopy[i].flags, 0) << i;
    }
    for (const SheetEntry& entry : allSheets()) ASSERT_NE(*entry.sheet, nullptr) << entry.name;
}

TEST_F(BitmapLoading, SheetFailuresReleaseTheSheet) {
    for (auto [step, text] : {std::pair{DisplayStep::CreateSheet, "エラー　020"},
                              std::pair{DisplayStep::SetColorKey, "エラー　021"}}) {
        HeadlessOptions options;
        options.failingStep = step;
        backend = &testing_support::freshHeadlessGame(options);
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        EXPECT_EQ(loadAllBitmaps(), 0);
        EXPECT_EQ(backgroundSheet, nullptr);
        ASSERT_EQ(messages(), 1);
        EXPECT_EQ(backend->events()[0].text, text);
    }
}

}  // namespace
