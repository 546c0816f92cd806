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

int brightness(const PaletteEntry& c) { return 3 * c.red + 6 * c.green + c.blue; }

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

// A repeated floor or wall must not show a line where copies meet: the
// step across the wrap-around seam should be no harsher than the harshest
// line inside the cell (a mortar joint, say).
TEST(GeneratedBackground, RepeatingCellsJoinWithoutASeam) {
    const BitmapImage& image = sheetImage(backgroundIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (const layout::Rect& cell : {layout::bg::meadow, layout::bg::crag, layout::bg::ruin, layout::bg::caveWall,
                                     layout::bg::caveFloor, layout::bg::hallWall, layout::bg::hallFloor}) {
        SCOPED_TRACE(cell.what);
        auto level = [&](int x, int y) {
            return brightness(image.colours[pixel(image, cell.left + (x & 63), cell.top + (y & 63))]);
        };
        // Mean step across the line between column c and c + 1 (or row r and r + 1).
        auto columnStep = [&](int c) {
            double sum = 0;
            for (int y = 0; y < 64; ++y) sum += std::abs(level(c, y) - level(c + 1, y));
            return sum / 64;
        };
        auto rowStep = [&](int r) {
            double sum = 0;
            for (int x = 0; x < 64; ++x) sum += std::abs(level(x, r) - level(x, r + 1));
            return sum / 64;
        };
        double harshestColumn = 0, harshestRow = 0;
        for (int i = 0; i < 63; ++i) {
            harshestColumn = std::max(harshestColumn, columnStep(i));
            harshestRow = std::max(harshestRow, rowStep(i));
        }
        EXPECT_LE(columnStep(63), harshestColumn * 1.1 + 1);
        EXPECT_LE(rowStep(63), harshestRow * 1.1 + 1);
    }
}

TEST(GeneratedHeroSheet, GaugeFillingLooksTheSameAtEveryHeight) {
    // The game shows the filling's top N rows, so below its surface row
    // every row must be alike.
    const BitmapImage& image = sheetImage(characterIndex);
    ASSERT_FALSE(image.pixels.empty());
    const layout::Rect& fill = layout::hero::gaugeFill;
    for (int y = fill.top + 2; y < fill.bottom; ++y)
        for (int x = fill.left; x < fill.right; ++x)
            EXPECT_EQ(pixel(image, x, y), pixel(image, x, fill.top + 1)) << x << "," << y;
}

TEST(GeneratedHeroSheet, EveryFrameStandsInsideItsCellWithRoomToSpare) {
    // The hero is drawn from the top-left of his cell; feet low, clear of the edges.
    const BitmapImage& image = sheetImage(characterIndex);
    ASSERT_FALSE(image.pixels.empty());
    for (int facing = 0; facing < 4; ++facing)
        for (int phase = 0; phase < 2; ++phase) {
            const layout::Rect r = layout::hero::frame(facing, phase, "");
            int lowest = -1, leftmost = 64, rightmost = -1;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    if (pixel(image, r.left + x, r.top + y)) {
                        lowest = std::max(lowest, y);
                        leftmost = std::min(leftmost, x);
                        rightmost = std::max(rightmost, x);
                    }
            EXPECT_GE(lowest, 52) << "facing " << facing << " phase " << phase;
            EXPECT_GT(leftmost, 0);
            EXPECT_LT(rightmost, 63);
        }
}

// Figures are inked round their edge so they read against any floor:
// nearly every painted pixel that borders the clear area is dark.
TEST(GeneratedFigures, AreOutlinedInDarkInk) {
    struct Figures {
        size_t sheet;
        std::vector<layout::Rect> cells;
    };
    std::vector<Figures> all = {{characterIndex, {}}, {3, {}}, {7, {}}};
    for (int f = 0; f < 4; ++f)
        for (int p = 0; p < 2; ++p) all[0].cells.push_back(layout::hero::frame(f, p, ""));
    for (int k = 0; k < 6; ++k) all[1].cells.push_back(layout::foe::cell(k, ""));  // the shots glow instead
    all[2].cells.push_back(layout::boss::pose(0, ""));  // casting and charging are ringed by light
    for (const Figures& figures : all) {
        const BitmapImage& image = sheetImage(figures.sheet);
        ASSERT_FALSE(image.pixels.empty());
        for (const layout::Rect& r : figures.cells) {
            int edge = 0, dark = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    if (!pixel(image, x, y)) continue;
                    auto clearAt = [&](int cx, int cy) {
                        return cx < r.left || cy < r.top || cx >= r.right || cy >= r.bottom || !pixel(image, cx, cy);
                    };
                    if (!clearAt(x - 1, y) && !clearAt(x + 1, y) && !clearAt(x, y - 1) && !clearAt(x, y + 1)) continue;
                    ++edge;
                    dark += brightness(image.colours[pixel(image, x, y)]) < 600;
                }
            EXPECT_GE(dark * 10, edge * 9) << layout::sheets[figures.sheet].fileName << " at " << r.left << "," << r.top;
        }
    }
}

TEST(GeneratedStatusSheets, HitPointBarIsUniformSoAnyLengthLooksRight) {
    // Shorter bars are cut from the left: every column but the shaped right end is alike.
    const BitmapImage& image = sheetImage(hpIndex);
    ASSERT_FALSE(image.pixels.empty());
    const layout::Rect& bar = layout::hp::bar;
    for (int x = bar.left + 1; x < bar.right - 3; ++x)
        for (int y = bar.top; y < bar.bottom; ++y)
            ASSERT_EQ(pixel(image, x, y), pixel(image, bar.left, y)) << x << "," << y;
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

TEST(GeneratedOpening, LitLogoCoversTheCarvedOne) {
    // The menu picture goes over the resting title 20 left and 10 up; no
    // carved-stone pixel of the logo may peek out around the gold one.
    const BitmapImage& image = sheetImage(openingIndex);
    ASSERT_FALSE(image.pixels.empty());
    const layout::Rect& title = layout::opening::title;
    const layout::Rect& menu = layout::opening::menu;
    for (int y = title.top; y < title.top + menu.height() - layout::opening::menuShiftY; ++y)
        for (int x = title.left; x + layout::opening::menuShiftX < menu.right; ++x)
            if (pixel(image, x, y)) {
                ASSERT_NE(pixel(image, x + layout::opening::menuShiftX, menu.top + y + layout::opening::menuShiftY), 0)
                    << x << "," << y;
            }
}

TEST(GeneratedOpening, StandingStoneBlendsIntoTheSceneWhereverTheShakePutsIt) {
    // The stone is drawn at a fixed place while the scene under it shifts
    // by -5, 0 or +5: the ground round the stone matches the scene there.
    const BitmapImage& image = sheetImage(opening2Index);
    ASSERT_FALSE(image.pixels.empty());
    const layout::Rect& stone = layout::opening2::stone;
    for (int shake : {-5, 0, 5})
        for (int y : {0, 1, stone.height() - 1})
            for (int x : {0, 1, 2, stone.width() - 2, stone.width() - 1}) {
                const int sceneX = layout::opening2::stoneScreenX + x + 5 + shake;
                const int sceneY = layout::opening2::stoneScreenY + y - layout::opening2::sceneScreenY;
                EXPECT_EQ(pixel(image, stone.left + x, stone.top + y), pixel(image, sceneX, sceneY))
                    << "shake " << shake << " at " << x << "," << y;
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

double rms(const std::vector<int16_t>& s, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < s.size(); ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / count);
}

// Zero crossings per sample: a rough measure of pitch.
double crossingRate(const std::vector<int16_t>& s, size_t from, size_t to) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return double(crossings) / double(to - from);
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

TEST(GeneratedSounds, EarthquakeRumblesFromItsFirstSixteenMilliseconds) {
    // Restarted every frame, only its opening 16 ms is ever heard.
    const Wave w = loadWave("地震.wav");
    ASSERT_GT(w.samples.size(), 2000u);
    const size_t frame = u32(w.bytes, 24) * 16 / 1000;
    double loudest = 0;
    for (size_t from = 0; from + frame <= w.samples.size(); from += frame)
        loudest = std::max(loudest, rms(w.samples, from, frame));
    EXPECT_GT(rms(w.samples, 0, frame), loudest / 3);
    EXPECT_GT(std::abs(int(w.samples[0])) + std::abs(int(w.samples[1])), 1000) << "no fade-in";
    EXPECT_LT(crossingRate(w.samples, 0, w.samples.size()), 0.03) << "a rumble is low";
}

TEST(GeneratedSounds, LevelUpRisesAndTheDeathLamentFalls) {
    const Wave up = loadWave("レベルアップ.wav");
    const Wave down = loadWave("キャラ.wav");
    ASSERT_GT(up.samples.size(), 4000u);
    ASSERT_GT(down.samples.size(), 4000u);
    const size_t u = up.samples.size(), d = down.samples.size();
    EXPECT_GT(crossingRate(up.samples, u * 3 / 4, u), crossingRate(up.samples, 0, u / 8));
    EXPECT_LT(crossingRate(down.samples, d * 3 / 4, d), crossingRate(down.samples, 0, d / 8));
}

TEST(GeneratedSounds, SwordIsABreathOfNoiseAndTheBossFallsHarderThanAnEnemy) {
    const Wave sword = loadWave("剣.wav"), enemy = loadWave("敵.wav"), boss = loadWave("ボス.wav");
    ASSERT_GT(sword.samples.size(), 1000u);
    ASSERT_GT(enemy.samples.size(), 1000u);
    ASSERT_GT(boss.samples.size(), 1000u);
    EXPECT_GT(crossingRate(sword.samples, 0, sword.samples.size()), 0.1) << "a whoosh is hissy";
    EXPECT_GT(boss.samples.size(), 2 * enemy.samples.size());
    const size_t tenth = u32(boss.bytes, 24) / 10;
    EXPECT_GT(rms(boss.samples, boss.samples.size() / 2, tenth), rms(enemy.samples, enemy.samples.size() / 2, tenth))
        << "the boss is still roaring when an enemy's pop has faded";
}
