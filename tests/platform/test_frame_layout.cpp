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
