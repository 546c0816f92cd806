// Reads the generated bitmaps and sound effects back the way the game
// does and checks them against the asset generator's layout table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "../../tools/assets/sheet_layout.h"
#include "display/bmp_reader.h"
#include "platform/files.h"

#ifndef VARNHOLT_ASSET_DIR
#error "VARNHOLT_ASSET_DIR must name the folder that holds Bitmap/ and 音楽/"
#endif

using varnholt::BitmapImage;
using varnholt::decodeBitmap;

namespace {

const std::string assetDir = VARNHOLT_ASSET_DIR;

std::vector<uint8_t> readAsset(const std::string& relative) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(assetDir + "/" + relative, bytes)) << relative;
    return bytes;
}

// Decoded once per sheet; a sheet that fails to decode comes back empty.
const BitmapImage& sheetImage(size_t index) {
    static std::vector<BitmapImage> images = [] {
        std::vector<BitmapImage> loaded(layout::sheets.size());
        for (size_t i = 0; i < loaded.size(); ++i) {
            const std::vector<uint8_t> bytes = readAsset(std::string("Bitmap/") + layout::sheets[i].fileName);
            if (!decodeBitmap(bytes.data(), bytes.size(), loaded[i])) loaded[i] = BitmapImage{};
        }
        return loaded;
    }();
    return images[index];
}

uint8_t pixel(const BitmapImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

bool overlap(const layout::Rect& a, const layout::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool contains(const layout::Rect& outer, const layout::Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

int countPixels(const BitmapImage& image, const layout::Rect& r, uint8_t index) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) count += pixel(image, x, y) == index;
    return count;
}

constexpr size_t backgroundIndex = 0, characterIndex = 1, hpIndex = 4, digitIndex = 6, openingIndex = 8,
                 opening2Index = 9;

class EachSheet : public ::testing::TestWithParam<size_t> {
protected:
    const layout::Sheet& sheet() const { return layout::sheets[GetParam()]; }
    const BitmapImage& image() const { return sheetImage(GetParam()); }
};

std::string sheetName(const ::testing::TestParamInfo<size_t>& info) { return "sheet" + std::to_string(info.param); }

}  // namespace

TEST_P(EachSheet, DecodesAtTheSizeOfItsLayout) {
    ASSERT_FALSE(image().pixels.empty()) << sheet().fileName << " does not decode";
    EXPECT_EQ(image().width, sheet().width) << sheet().fileName;
    EXPECT_EQ(image().height, sheet().height) << sheet().fileName;
    EXPECT_LE(image().width, 640) << "the game cuts wider sheets";
}

TEST_P(EachSheet, EveryRectangleLiesInsideAndHoldsAPicture) {
    ASSERT_FALSE(image().pixels.empty());
    for (const layout::Rect& r : sheet().rects) {
        SCOPED_TRACE(r.what);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_GT(r.right, r.left);
        EXPECT_GT(r.bottom, r.top);
        ASSERT_LE(r.right, image().width);
        ASSERT_LE(r.bottom, image().height);
        const int painted = r.width() * r.height() - countPixels(image(), r, 0);
        EXPECT_GT(painted, 0);
    }
}

// Where two pictures share pixels, one must be a part of the other (a
// narrower cut of the same picture) or the shared pixels must be clear,
// so neither picture drags a stray piece of the other onto the screen.
TEST_P(EachSheet, OverlappingPicturesNestOrShareOnlyClearPixels) {
    ASSERT_FALSE(image().pixels.empty());
    const auto rects = sheet().rects;
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const layout::Rect& a = rects[i];
            const layout::Rect& b = rects[j];
            if (!overlap(a, b) || contains(a, b) || contains(b, a)) continue;
            const layout::Rect shared{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                                      std::min(a.bottom, b.bottom)};
            EXPECT_EQ(countPixels(image(), shared, 0), shared.width() * shared.height())
                << a.what << " / " << b.what;
        }
}

INSTANTIATE_TEST_SUITE_P(GeneratedBitmaps, EachSheet, ::testing::Range<size_t>(0, layout::sheets.size()), sheetName);

TEST_P(EachSheet, IsNoLargerThanItsPicturesNeed) {
    int right = 0, bottom = 0;
    for (const layout::Rect& r : sheet().rects) {
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    EXPECT_EQ(right, sheet().width) << sheet().fileName;
    EXPECT_EQ(bottom, sheet().height) << sheet().fileName;
}

TEST(GeneratedPalette, AllSheetsCarryTheSameColourTable) {
    // The game keeps only the table of the sheet loaded last.
    const BitmapImage& last = sheetImage(layout::sheets.size() - 1);
    ASSERT_FALSE(last.pixels.empty());
    for (size_t s = 0; s + 1 < layout::sheets.size(); ++s) {
        const BitmapImage& image = sheetImage(s);
        ASSERT_FALSE(image.pixels.empty()) << layout::sheets[s].fileName;
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(image.colours[i].red, last.colours[i].red) << layout::sheets[s].fileName << " entry " << i;
            EXPECT_EQ(image.colours[i].green, last.colours[i].green) << layout::sheets[s].fileName << " entry " << i;
            EXPECT_EQ(image.colours[i].blue, last.colours[i].blue) << layout::sheets[s].fileName << " entry " << i;
        }
    }
}

TEST(GeneratedPalette, FadesReachBlackExactlyAndEntryZeroIsBlack) {
    const BitmapImage& image = sheetImage(0);
    ASSERT_FALSE(image.pixels.empty());
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(image.colours[i].red % 8, 0) << "entry " << i;
        EXPECT_EQ(image.colours[i].green % 8, 0) << "entry " << i;
        EXPECT_EQ(image.colours[i].blue % 8, 0) << "entry " << i;
    }
    EXPECT_EQ(image.colours[0].red, 0);
    EXPECT_EQ(image.colours[0].green, 0);
    EXPECT_EQ(image.colours[0].blue, 0);
}

TEST(GeneratedPalette, GlintEntryHasARedTheAnimationCanLower) {
    const PaletteEntry glint = sheetImage(0).colours[layout::glintEntry];
    EXPECT_GE(glint.red, 200);
}

TEST(GeneratedBackground, MapCellsAreOpaque) {
    // A clear pixel in a cell would show the cleared screen through the floor.
    const BitmapImage& image = sheetImage(backgroundIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (int code = 0; code < 8; ++code) {
        const layout::Rect cell{64 * code, 0, 64 * code + 64, 64};
        EXPECT_EQ(countPixels(image, cell, 0), 0) << "cell code " << code;
    }
}

TEST(GeneratedBackground, GlintPicturesUseTheAnimatedEntryAndLeaveTheCellMostlyClear) {
    // They are drawn over the neighbouring cell, so they must not hide it.
    const BitmapImage& image = sheetImage(backgroundIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (const layout::Rect& glint : {layout::bg::glintSmall, layout::bg::glintLarge}) {
        SCOPED_TRACE(glint.what);
        EXPECT_GT(countPixels(image, glint, layout::glintEntry), 0);
        EXPECT_GT(countPixels(image, glint, 0), glint.width() * glint.height() * 9 / 10);
    }
    EXPECT_GT(countPixels(image, layout::bg::crag, layout::glintEntry), 0) << "the glinting wall shows it too";
}

TEST(GeneratedBackground, AnimatedEntryAppearsNowhereElse) {
    // Any other picture using entry 40 would flicker with the wall glint.
    for (size_t s = 0; s < layout::sheets.size(); ++s) {
        const BitmapImage& image = sheetImage(s);
        ASSERT_FALSE(image.pixels.empty());
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                if (pixel(image, x, y) != layout::glintEntry) continue;
                const bool allowed = s == backgroundIndex && (contains(layout::bg::crag, {x, y, x + 1, y + 1}) ||
                                                              contains(layout::bg::glintSmall, {x, y, x + 1, y + 1}) ||
                                                              contains(layout::bg::glintLarge, {x, y, x + 1, y + 1}));
                ASSERT_TRUE(allowed) << layout::sheets[s].fileName << " at " << x << "," << y;
            }
    }
}

TEST(GeneratedStatusSheets, DigitsKeepToTheTenPixelsTheGameSetsThemApart) {
    const BitmapImage& image = sheetImage(digitIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (int d = 0; d < 10; ++d) {
        const layout::Rect r = layout::digits::digit(d, "");
        int first = r.right, last = r.left - 1;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (pixel(image, x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        EXPECT_LE(last - first + 1, layout::digits::glyphWidth) << "digit " << d;
    }
}

namespace {

struct Wave {
    const char* file;
    std::vector<uint8_t> bytes;
    std::vector<int16_t> samples;
};

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

Wave loadWave(const char* file) {
    Wave w{file, readAsset(std::string("音楽/") + file), {}};
    if (w.bytes.size() >= 44) {
        for (size_t at = 44; at + 1 < w.bytes.size(); at += 2) w.samples.push_back(static_cast<int16_t>(u16(w.bytes, at)));
    }
    return w;
}

const char* const waveFiles[] = {"剣.wav", "敵.wav", "ボス.wav", "魔法.wav", "レベルアップ.wav", "キャラ.wav", "地震.wav"};

class EachWave : public ::testing::TestWithParam<const char*> {};

std::string waveName(const ::testing::TestParamInfo<const char*>& info) { return "effect" + std::to_string(info.index); }

}  // namespace

TEST_P(EachWave, HasTheCanonicalHeaderTheGameReadsAtFixedOffsets) {
    const Wave w = loadWave(GetParam());
    ASSERT_GE(w.bytes.size(), 46u) << w.file;
    EXPECT_EQ(std::string(w.bytes.begin(), w.bytes.begin() + 4), "RIFF");
    EXPECT_EQ(u32(w.bytes, 4), w.bytes.size() - 8);
    EXPECT_EQ(std::string(w.bytes.begin() + 8, w.bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u32(w.bytes, 16), 16u);
    EXPECT_EQ(u16(w.bytes, 20), 1) << "PCM";
    const uint16_t channels = u16(w.bytes, 22), blockAlign = u16(w.bytes, 32), bits = u16(w.bytes, 34);
    const uint32_t rate = u32(w.bytes, 24);
    EXPECT_EQ(blockAlign, channels * bits / 8);
    EXPECT_EQ(u32(w.bytes, 28), rate * blockAlign);
    EXPECT_EQ(std::string(w.bytes.begin() + 36, w.bytes.begin() + 40), "data");
    EXPECT_EQ(u32(w.bytes, 40), w.bytes.size() - 44) << "the game reads exactly this many sample bytes";
}

TEST_P(EachWave, IsShortAndAudible) {
    const Wave w = loadWave(GetParam());
    ASSERT_GE(w.bytes.size(), 46u);
    ASSERT_EQ(u16(w.bytes, 22), 1) << "these checks read mono";
    ASSERT_EQ(u16(w.bytes, 34), 16) << "these checks read 16-bit samples";
    const double seconds = double(w.samples.size()) / u32(w.bytes, 24);
    EXPECT_GE(seconds, 0.1);
    EXPECT_LE(seconds, 1.5);
    int peak = 0;
    for (int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 8000);
}

INSTANTIATE_TEST_SUITE_P(GeneratedSounds, EachWave, ::testing::ValuesIn(waveFiles), waveName);
