// Reads the generated bitmaps and sound effects back the way the game
// does and checks them against the asset generator's layout table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

namespace {

std::vector<uint8_t> readAsset(const std::string& relative) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(readWholeFile(std::string(VARNHOLT_ASSET_DIR) + "/" + relative, bytes)) << relative;
    return bytes;
}

// Decoded once per sheet; a sheet that fails to decode comes back empty.
const BitmapImage& sheetImage(size_t index) {
    static std::vector<BitmapImage> images = [] {
        std::vector<BitmapImage> loaded(layout::sheets.size());
        for (size_t i = 0; i < loaded.size(); ++i) {
            const std::vector<uint8_t> bytes = readAsset(std::string("Bitmap/") + layout::sheets[i].fileName);
            if (!varnholt::decodeBitmap(bytes.data(), bytes.size(), loaded[i])) loaded[i] = BitmapImage{};
        }
        return loaded;
    }();
    return images[index];
}

uint8_t pixel(const BitmapImage& image, int x, int y) { return image.pixels[size_t(y) * image.width + x]; }

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

constexpr size_t backgroundIndex = 0, digitIndex = 6;

class EachSheet : public ::testing::TestWithParam<size_t> {
protected:
    const layout::Sheet& sheet() const { return layout::sheets[GetParam()]; }
    const BitmapImage& image() const { return sheetImage(GetParam()); }
};

TEST_P(EachSheet, DecodesAtItsLayoutSizeWithAPictureInEveryRectangle) {
    ASSERT_FALSE(image().pixels.empty()) << sheet().fileName << " does not decode";
    EXPECT_EQ(std::pair(image().width, image().height), std::pair(sheet().width, sheet().height));
    EXPECT_LE(image().width, 640) << "the game cuts wider sheets";
    for (const layout::Rect& r : sheet().rects) {
        SCOPED_TRACE(r.what);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right > r.left && r.bottom > r.top);
        ASSERT_TRUE(r.right <= image().width && r.bottom <= image().height);
        EXPECT_GT(r.width() * r.height() - countPixels(image(), r, 0), 0);
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
            const layout::Rect shared{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                                      std::min(a.bottom, b.bottom)};
            if (shared.width() <= 0 || shared.height() <= 0 || contains(a, b) || contains(b, a)) continue;
            EXPECT_EQ(countPixels(image(), shared, 0), shared.width() * shared.height())
                << a.what << " / " << b.what;
        }
}

INSTANTIATE_TEST_SUITE_P(GeneratedBitmaps, EachSheet, ::testing::Range<size_t>(0, layout::sheets.size()),
                         [](const auto& info) { return "sheet" + std::to_string(info.param); });

TEST(GeneratedPalette, AllSheetsCarryTheSameColourTableThatFadesReachBlackExactly) {
    // The game keeps only the table of the sheet loaded last.
    const BitmapImage& last = sheetImage(layout::sheets.size() - 1);
    ASSERT_FALSE(last.pixels.empty());
    for (size_t s = 0; s + 1 < layout::sheets.size(); ++s) {
        ASSERT_FALSE(sheetImage(s).pixels.empty()) << layout::sheets[s].fileName;
        EXPECT_TRUE(std::equal(last.colours, last.colours + 256, sheetImage(s).colours)) << layout::sheets[s].fileName;
    }
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& c = last.colours[i];
        EXPECT_EQ(c.red % 8 + c.green % 8 + c.blue % 8, 0) << "entry " << i;
    }
    EXPECT_EQ(last.colours[0], (PaletteEntry{0, 0, 0, 0}));
    EXPECT_GE(last.colours[layout::glintEntry].red, 200) << "the glint animation lowers it";
}

TEST(GeneratedBackground, MapCellsAreOpaqueAndOnlyTheGlintsUseTheAnimatedEntry) {
    const BitmapImage& image = sheetImage(backgroundIndex);
    ASSERT_FALSE(image.pixels.empty());
    // A clear pixel in a cell would show the cleared screen through the floor.
    for (int code = 0; code < 7; ++code) {
        EXPECT_EQ(countPixels(image, {64 * code, 0, 64 * code + 64, 64}, 0), 0) << "cell code " << code;
    }
    // The glints are drawn over the neighbouring cell, so they must not hide it.
    for (const layout::Rect& glint : {layout::bg::glintSmall, layout::bg::glintLarge}) {
        SCOPED_TRACE(glint.what);
        EXPECT_GT(countPixels(image, glint, layout::glintEntry), 0);
        EXPECT_GT(countPixels(image, glint, 0), glint.width() * glint.height() * 9 / 10);
    }
    EXPECT_GT(countPixels(image, layout::bg::crag, layout::glintEntry), 0) << "the glinting wall shows it too";
    // Any other picture using the entry would flicker with the wall glint.
    for (size_t s = 0; s < layout::sheets.size(); ++s) {
        const BitmapImage& sheet = sheetImage(s);
        for (int y = 0; y < sheet.height; ++y)
            for (int x = 0; x < sheet.width; ++x) {
                if (pixel(sheet, x, y) != layout::glintEntry) continue;
                const layout::Rect at{x, y, x + 1, y + 1};
                ASSERT_TRUE(s == backgroundIndex && (contains(layout::bg::crag, at) ||
                                                     contains(layout::bg::glintSmall, at) ||
                                                     contains(layout::bg::glintLarge, at)))
                    << layout::sheets[s].fileName << " at " << x << "," << y;
            }
    }
}

TEST(GeneratedBackground, PitIsARingOnAClearGround) {
    // The fall stretches the pit's picture up to 264 pixels square over the
    // meadow: only its ring and throat may be painted, its corners clear.
    const BitmapImage& image = sheetImage(backgroundIndex);
    ASSERT_FALSE(image.pixels.empty());
    const layout::Rect pit = layout::bg::pit;
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{63, 0}, std::pair{0, 63}, std::pair{63, 63},
                               std::pair{4, 4}, std::pair{59, 59}})
        EXPECT_EQ(pixel(image, pit.left + x, pit.top + y), 0) << "corner pixel " << x << "," << y;
    // The ring reaches the middle of each side, and the throat is painted.
    for (const auto& [x, y] : {std::pair{32, 1}, std::pair{1, 32}, std::pair{62, 32}, std::pair{32, 62},
                               std::pair{32, 32}})
        EXPECT_NE(pixel(image, pit.left + x, pit.top + y), 0) << "pixel " << x << "," << y;
    // A round pit leaves about a fifth of its square clear.
    const int clear = countPixels(image, pit, 0);
    EXPECT_GT(clear, 64 * 64 / 8);
    EXPECT_LT(clear, 64 * 64 / 4);
}

TEST(GeneratedStatusSheets, DigitsKeepToTheTenPixelsTheGameSetsThemApart) {
    const BitmapImage& image = sheetImage(digitIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (int d = 0; d < 10; ++d) {
        const layout::Rect r = layout::digits::digit(d, "");
        int first = r.right, last = r.left - 1;
        for (int x = r.left; x < r.right; ++x)
            for (int y = r.top; y < r.bottom; ++y)
                if (pixel(image, x, y)) first = std::min(first, x), last = std::max(last, x);
        EXPECT_LE(last - first + 1, layout::digits::glyphWidth) << "digit " << d;
    }
}

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

const char* const waveFiles[] = {"剣.wav",           "敵.wav",    "ボス.wav", "魔法.wav",
                                 "レベルアップ.wav", "キャラ.wav", "地震.wav"};

class EachWave : public ::testing::TestWithParam<const char*> {};

// The game reads the header at fixed offsets and exactly as many sample
// bytes as the data chunk says.
TEST_P(EachWave, HasTheCanonicalHeaderAndIsShortAndAudible) {
    const std::vector<uint8_t> w = readAsset(std::string("音楽/") + GetParam());
    ASSERT_GE(w.size(), 46u);
    const auto text = [&w](size_t at, size_t n) { return std::string(w.begin() + at, w.begin() + at + n); };
    EXPECT_EQ(text(0, 4) + text(8, 8) + text(36, 4), "RIFFWAVEfmt data");
    const uint16_t channels = u16(w, 22), blockAlign = u16(w, 32), bits = u16(w, 34);
    const uint32_t rate = u32(w, 24);
    EXPECT_EQ((std::array{u32(w, 4), u32(w, 16), uint32_t(u16(w, 20)), uint32_t(blockAlign), u32(w, 28), u32(w, 40)}),
              (std::array{uint32_t(w.size() - 8), 16u, 1u, uint32_t(channels * bits / 8), rate * blockAlign,
                          uint32_t(w.size() - 44)}));
    ASSERT_EQ(std::pair(channels, bits), std::pair(uint16_t(1), uint16_t(16))) << "these checks read mono 16-bit";
    const double seconds = double(w.size() - 44) / 2 / rate;
    EXPECT_TRUE(seconds >= 0.1 && seconds <= 1.5) << seconds;
    int peak = 0;
    for (size_t at = 44; at + 1 < w.size(); at += 2) peak = std::max(peak, std::abs(int(int16_t(u16(w, at)))));
    EXPECT_GT(peak, 8000);
}

INSTANTIATE_TEST_SUITE_P(GeneratedSounds, EachWave, ::testing::ValuesIn(waveFiles),
                         [](const auto& info) { return "effect" + std::to_string(info.index); });

// An effect's samples as -1..1, and the whole file's rate.
std::vector<double> waveSamples(const char* name, uint32_t& rate) {
    const std::vector<uint8_t> w = readAsset(std::string("音楽/") + name);
    std::vector<double> samples;
    if (w.size() < 44) return samples;
    rate = u32(w, 24);
    for (size_t at = 44; at + 1 < w.size(); at += 2) samples.push_back(int16_t(u16(w, at)) / 32768.0);
    return samples;
}

double rmsDb(const std::vector<double>& samples, size_t count) {
    double energy = 0;
    for (size_t i = 0; i < count; ++i) energy += samples[i] * samples[i];
    return 10 * std::log10(energy / double(count));
}

struct LoudnessCase {
    const char* name;
    const char* file;
    int heardMs;  // 0: the whole effect is heard
};

void PrintTo(const LoudnessCase& c, std::ostream* os) { *os << c.name; }

class EffectLoudness : public ::testing::TestWithParam<LoudnessCase> {};

// Made level with each other, so that the mixer, which plays them 6 dB
// lower, puts them beside the music rather than over it.
TEST_P(EffectLoudness, SitsWithin1DbOfMinus15DbfsRms) {
    uint32_t rate = 0;
    const std::vector<double> samples = waveSamples(GetParam().file, rate);
    ASSERT_FALSE(samples.empty());
    const size_t heard = GetParam().heardMs ? size_t(rate) * GetParam().heardMs / 1000 : samples.size();
    ASSERT_LE(heard, samples.size());
    const double level = rmsDb(samples, heard);
    EXPECT_GT(level, -16.0);
    EXPECT_LT(level, -14.0);
}

INSTANTIATE_TEST_SUITE_P(
    GeneratedSounds, EffectLoudness,
    ::testing::Values(LoudnessCase{"Sword", "剣.wav", 0}, LoudnessCase{"Enemy", "敵.wav", 0},
                      LoudnessCase{"Boss", "ボス.wav", 0}, LoudnessCase{"Magic", "魔法.wav", 0},
                      LoudnessCase{"LevelUp", "レベルアップ.wav", 0}, LoudnessCase{"Character", "キャラ.wav", 0},
                      // Restarted every frame: only its first 16 ms are ever heard.
                      LoudnessCase{"EarthquakeFirstFrame", "地震.wav", 16}),
    [](const ::testing::TestParamInfo<LoudnessCase>& info) { return std::string(info.param.name); });

// The power of `samples` at `hz`, by a plain Fourier sum.
double powerAt(const std::vector<double>& samples, uint32_t rate, double hz) {
    double re = 0, im = 0;
    const double step = 2 * 3.14159265358979 * hz / rate;
    for (size_t i = 0; i < samples.size(); ++i) {
        re += samples[i] * std::cos(step * double(i));
        im += samples[i] * std::sin(step * double(i));
    }
    return re * re + im * im;
}

TEST(GeneratedSounds, SwordSwishesWithoutHiss) {
    uint32_t rate = 0;
    const std::vector<double> samples = waveSamples("剣.wav", rate);
    ASSERT_FALSE(samples.empty());
    double below3k = 0, above6k = 0;
    for (int hz = 50; hz < int(rate) / 2; hz += 50) {
        const double power = powerAt(samples, rate, hz);
        if (hz < 3000) below3k += power;
        if (hz >= 6000) above6k += power;
    }
    // The swish lives under 3 kHz; 6 kHz and up is 30 dB down.
    const double hiss = 10 * std::log10(above6k / below3k);
    EXPECT_LT(hiss, -30.0);
    RecordProperty("hissDb", std::to_string(hiss));
}

}  // namespace
