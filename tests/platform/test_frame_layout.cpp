#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/sdl/frame_layout.h"

namespace {

struct RectCase {
    const char* name;
    int outputWidth;
    int outputHeight;
    bool keepAspect;
    PictureRect expected;
};

void PrintTo(const RectCase& c, std::ostream* os) { *os << c.name; }
class PictureArea : public ::testing::TestWithParam<RectCase> {};

TEST_P(PictureArea, FitsTheOutput) {
    const RectCase& c = GetParam();
    const PictureRect r = pictureRect(c.outputWidth, c.outputHeight, c.keepAspect);
    EXPECT_EQ(r.x, c.expected.x);
    EXPECT_EQ(r.y, c.expected.y);
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, PictureArea,
    ::testing::Values(RectCase{"WindowStretchesToWholeArea", 1000, 500, false, {0, 0, 1000, 500}},
                      RectCase{"NativeSizeFillsExactly", 640, 480, true, {0, 0, 640, 480}},
                      RectCase{"WideScreenGetsSideBars", 1920, 1080, true, {240, 0, 1440, 1080}},
                      RectCase{"TallScreenGetsTopAndBottomBars", 1280, 1024, true, {0, 32, 1280, 960}},
                      RectCase{"ExactFourByThree", 1600, 1200, true, {0, 0, 1600, 1200}},
                      RectCase{"OddSizeStaysInside", 1366, 768, true, {171, 0, 1024, 768}},
                      RectCase{"NothingToDrawOn", 0, 0, true, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<RectCase>& info) { return std::string(info.param.name); });

TEST(ExpandPicture, LooksUpEveryPixelThroughThePalette) {
    PaletteEntry palette[256] = {};
    palette[0] = {0, 0, 0, 0};
    palette[1] = {0x12, 0x34, 0x56, paletteReserved};  // flags do not colour the pixel
    palette[255] = {0xFF, 0x80, 0x01, 0};
    std::vector<uint8_t> pixels(screenWidth * screenHeight, 0);
    pixels[0] = 1;
    pixels[screenWidth - 1] = 255;
    pixels[screenWidth * (screenHeight - 1) + 7] = 1;

    // Rows wider than the picture, as textures may have, must not be
    // written past the picture's own width.
    const int pitch = screenWidth * 4 + 64;
    std::vector<uint8_t> target(size_t(pitch) * screenHeight, 0xCD);
    expandPicture(pixels.data(), palette, target.data(), pitch);

    auto at = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, target.data() + size_t(y) * pitch + size_t(x) * 4, 4);
        return v;
    };
    EXPECT_EQ(at(0, 0), 0xFF123456u);
    EXPECT_EQ(at(1, 0), 0xFF000000u);
    EXPECT_EQ(at(screenWidth - 1, 0), 0xFFFF8001u);
    EXPECT_EQ(at(7, screenHeight - 1), 0xFF123456u);
    EXPECT_EQ(at(6, screenHeight - 1), 0xFF000000u);
    for (int y = 0; y < screenHeight; ++y)
        ASSERT_EQ(target[size_t(y) * pitch + screenWidth * 4], 0xCD) << "row " << y;
}

}  // namespace

namespace {

struct ScaleCase {
    const char* name;
    int outputWidth;
    int outputHeight;
    PictureRect area;
};

void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.name; }
class PictureScaled : public ::testing::TestWithParam<ScaleCase> {};

// Each corner of the picture is a 4x4 block of its own colour, so that a
// picture drawn upside down, mirrored or shifted shows at the corners of
// its area, and nothing may be written outside the area.
TEST_P(PictureScaled, CornersLandInTheAreaAndNothingOutside) {
    const ScaleCase& c = GetParam();
    PaletteEntry palette[256] = {};
    palette[1] = {0xFF, 0, 0, 0};
    palette[2] = {0, 0xFF, 0, 0};
    palette[3] = {0, 0, 0xFF, 0};
    palette[4] = {0xFF, 0xFF, 0xFF, 0};
    std::vector<uint8_t> pixels(screenWidth * screenHeight, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            pixels[size_t(y) * screenWidth + size_t(x)] = 1;
            pixels[size_t(y) * screenWidth + size_t(screenWidth - 1 - x)] = 2;
            pixels[size_t(screenHeight - 1 - y) * screenWidth + size_t(x)] = 3;
            pixels[size_t(screenHeight - 1 - y) * screenWidth + size_t(screenWidth - 1 - x)] = 4;
        }
    const int pitch = c.outputWidth * 4 + 12;
    std::vector<uint8_t> target(size_t(pitch) * c.outputHeight, 0xCD);
    expandPictureInto(pixels.data(), palette, target.data(), pitch, c.area);

    auto at = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, target.data() + size_t(y) * pitch + size_t(x) * 4, 4);
        return v;
    };
    const PictureRect& a = c.area;
    EXPECT_EQ(at(a.x, a.y), 0xFFFF0000u);
    EXPECT_EQ(at(a.x + a.width - 1, a.y), 0xFF00FF00u);
    EXPECT_EQ(at(a.x, a.y + a.height - 1), 0xFF0000FFu);
    EXPECT_EQ(at(a.x + a.width - 1, a.y + a.height - 1), 0xFFFFFFFFu);
    EXPECT_EQ(at(a.x + a.width / 2, a.y + a.height / 2), 0xFF000000u);
    for (int y = 0; y < c.outputHeight; ++y)
        for (int x = 0; x < pitch / 4; ++x) {
            const bool inside = x >= a.x && x < a.x + a.width && y >= a.y && y < a.y + a.height;
            if (!inside) {
                ASSERT_EQ(at(x, y), 0xCDCDCDCDu) << "written outside at " << x << "," << y;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PictureScaled,
    ::testing::Values(ScaleCase{"Window160x120", 160, 120, {0, 0, 160, 120}},
                      ScaleCase{"Window240x180", 240, 180, {0, 0, 240, 180}},
                      ScaleCase{"NativeSize", 640, 480, {0, 0, 640, 480}},
                      ScaleCase{"FullScreen1280x720", 1280, 720, {160, 0, 960, 720}},
                      ScaleCase{"TallScreenBars", 1280, 1024, {0, 32, 1280, 960}},
                      ScaleCase{"ResizedOddWindow", 1001, 333, {0, 0, 1001, 333}}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

}  // namespace
