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
    EXPECT_EQ(std::pair(a.width, b.height), std::pair(13, 5));
    EXPECT_EQ(a.pixels, b.pixels);
    EXPECT_EQ(a.pixels[2 * 13 + 4], diagonal(4, 2));
    EXPECT_EQ(a.colours[200], (PaletteEntry{200, 48, 96, 0}));
}

TEST(BmpReader, RejectsDamagedFilesWithoutReadingPastThem) {
    // One byte of a 16×8 picture overwritten, or the file cut to a length
    // when the value is negative.
    const struct {
        const char* what;
        size_t offset;
        int value;
    } cases[] = {{"not BM", 0, 'X'},       {"4 bits per pixel", 28, 4}, {"24 bits per pixel", 28, 24},
                 {"compressed", 30, 1},    {"16 colours", 46, 16},      {"huge width", 21, 0x7F},
                 {"pixels beyond the end", 10, 0xFF},                   {"header only", 54, -1},
                 {"half a colour table", 600, -1},                      {"empty", 0, -1},
                 {"last row cut", 14 + 40 + 1024 + 16 * 8 - 1, -1},
                 {"12-byte OS/2 header", 14, 12},         {"header larger than the file", 17, 1}};
    for (const auto& c : cases) {
        auto bytes = makeBitmap(16, 8, false, diagonal);
        if (c.value < 0) bytes.resize(c.offset);
        if (c.value >= 0) bytes[c.offset] = uint8_t(c.value);
        BitmapImage image;
        EXPECT_FALSE(decodeBitmap(bytes.data(), bytes.size(), image)) << c.what;
    }
}

class BitmapLoading : public ::testing::Test {
protected:
    void SetUp() override { start(); }
    void start(HeadlessOptions options = {}) {
        backend = &testing_support::freshHeadlessGame(options);
        displayMode = 1;
        ASSERT_EQ(createDisplay(), 1);
        folder = testing_support::scratchDirectory(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // Writes `bytes` as `name` in the folder and loads it into `sheet`.
    int load(const std::string& name, const std::vector<uint8_t>& bytes) {
        testing_support::writeFile(folder + "/" + name, bytes);
        return loadBitmapSurface(0, 0, folder + "/" + name, sheet, 0);
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const RecordedEvent& event : backend->events()) {
            if (event.kind == RecordedKind::Message) texts.push_back(event.text);
        }
        return texts;
    }
    HeadlessBackend* backend = nullptr;
    std::string folder;
    std::unique_ptr<SpriteSheet> sheet;
};

TEST_F(BitmapLoading, AWideBitmapKeepsItsLeft640Columns) {
    ASSERT_EQ(load("wide.bmp", makeBitmap(800, 3, false, diagonal)), 1);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(std::pair(sheet->width, sheet->height), std::pair(640, 3));
    EXPECT_EQ(sheet->pixels[2 * 640 + 639], diagonal(639, 2));
    EXPECT_EQ(sheet->pixels[1 * 640 + 0], diagonal(0, 1));
    PaletteEntry entries[256];
    readPalette(entries);
    EXPECT_EQ(entries[77], paletteCopy[77]);
    EXPECT_EQ(paletteCopy[77], (PaletteEntry{72, 176, 32, 0}));
}

TEST_F(BitmapLoading, AnUnreadableFileShowsError010) {
    auto bytes = makeBitmap(8, 8, false, diagonal);
    bytes.resize(bytes.size() - 5);
    EXPECT_EQ(load("broken.bmp", bytes), 0);
    EXPECT_EQ(loadBitmapSurface(0, 0, folder + "/missing.bmp", sheet, 0), 0);
    EXPECT_EQ(sheet, nullptr);
    ASSERT_EQ(backend->events().size(), 2u);
    EXPECT_EQ(messages(), (std::vector<std::string>{"エラー　010", "エラー　010"}));
    for (const RecordedEvent& event : backend->events()) EXPECT_EQ(event.icon, BoxIcon::Error);
}

TEST_F(BitmapLoading, WithoutAPaletteTheLoadStops) {
    gamePalette.reset();
    EXPECT_EQ(load("a.bmp", makeBitmap(8, 8, false, diagonal)), 0);
    EXPECT_EQ(messages(), std::vector<std::string>{"パレットが作成されていない"});
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
    backend->playEffect(0);
    EXPECT_EQ(messages(), std::vector<std::string>{"エラー　010"});
    EXPECT_EQ(backend->events().size(), 1u) << "sound was never started, so nothing plays";
}

TEST_F(BitmapLoading, ACompleteLoadLeavesTheEndingBitmapsColours) {
    ASSERT_EQ(loadAllBitmaps(), 1);
    for (const SheetEntry& entry : allSheets()) ASSERT_NE(*entry.sheet, nullptr) << entry.name;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(dataPath(allSheets()[10].file), bytes));
    BitmapImage ending;
    ASSERT_TRUE(decodeBitmap(bytes.data(), bytes.size(), ending));
    PaletteEntry entries[256];
    readPalette(entries);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i], ending.colours[i]) << i;
        EXPECT_EQ(paletteCopy[i], ending.colours[i]) << i;  // with flags 0
    }
}

TEST_F(BitmapLoading, SheetFailuresReleaseTheSheet) {
    for (auto [step, text] : {std::pair{DisplayStep::CreateSheet, "エラー　020"},
                              std::pair{DisplayStep::SetColorKey, "エラー　021"}}) {
        HeadlessOptions options;
        options.failingStep = step;
        start(options);
        EXPECT_EQ(loadAllBitmaps(), 0);
        EXPECT_EQ(backgroundSheet, nullptr);
        EXPECT_EQ(messages(), std::vector<std::string>{text});
    }
}

}  // namespace
