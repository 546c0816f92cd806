// make_gif's writer: a 2×2 picture and the one changed pixel of the next
// frame byte for byte, the colour table of a frame with too many colours,
// and the LZW coder's output decoded again by a plain decoder, through code
// widening and the clear code of a full table.
#include <gtest/gtest.h>

#include "gif/gif_encoder.h"

using gif::Bytes;

namespace {

// GIF's LZW, read back the way a viewer reads it.
Bytes lzwDecompress(const Bytes& data, int minCodeSize) {
    const uint32_t clearCode = 1u << minCodeSize, endCode = clearCode + 1;
    std::vector<Bytes> table;
    int width = 0;
    Bytes out, previous;
    size_t bit = 0;
    auto reset = [&] {
        table.assign(clearCode + 2, {});
        for (uint32_t i = 0; i < clearCode; ++i) table[i] = {uint8_t(i)};
        width = minCodeSize + 1;
        previous.clear();
    };
    reset();
    while (bit + size_t(width) <= data.size() * 8) {
        uint32_t code = 0;
        for (int i = 0; i < width; ++i, ++bit) code |= uint32_t(data[bit / 8] >> (bit % 8) & 1) << i;
        if (code == clearCode) {
            reset();
            continue;
        }
        if (code == endCode) return out;
        EXPECT_LE(code, table.size());
        if (code > table.size()) return out;
        Bytes entry = code < table.size() ? table[code] : previous;
        if (code == table.size()) entry.push_back(previous.at(0));
        if (!previous.empty() && table.size() < 4096) {
            Bytes added = previous;
            added.push_back(entry[0]);
            table.push_back(added);
            if (table.size() == (size_t(1) << width) && width < 12) ++width;
        }
        out.insert(out.end(), entry.begin(), entry.end());
        previous = entry;
    }
    ADD_FAILURE() << "no end code";
    return out;
}

}  // namespace

TEST(Gif, WritesATwoByTwoPictureByteForByte) {
    const uint8_t red[3] = {255, 0, 0}, blue[3] = {0, 0, 255};
    Bytes rgb;
    for (const uint8_t* pixel : {red, red, blue, red}) rgb.insert(rgb.end(), pixel, pixel + 3);
    Bytes file;
    gif::appendHeader(file, 2, 2);
    gif::appendFrame(file, rgb.data(), 2, 2, 3);
    gif::appendTrailer(file);
    const Bytes expected = {
        'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0, 0, 0,                                  // screen
        0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0,  // loop
        0x21, 0xF9, 4, 4, 3, 0, 0, 0,                                                     // kept, 3/100 s
        0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x81,                                               // image
        255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0,                                           // red, blue
        2, 3, 0x04, 0x02, 0x05, 0,                                                        // codes 4 0 0 1 0 5
        0x3B};
    EXPECT_EQ(file, expected);

    // The next frame turns the bottom right pixel blue: only it is stored.
    Bytes next = rgb;
    next[11] = 255, next[9] = 0;
    Bytes second;
    gif::appendFrame(second, next.data(), 2, 2, 3, rgb.data());
    const Bytes expectedSecond = {0x21, 0xF9, 4, 4, 3, 0, 0, 0, 0x2C, 1, 0, 1, 0, 1, 0, 1, 0, 0x81,
                                  0, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                  2, 2, 0x44, 0x01, 0};  // codes 4 0 5
    EXPECT_EQ(second, expectedSecond);
}

TEST(Gif, LzwCodesDecodeToTheSamePixels) {
    const struct {
        const char* name;
        int minCodeSize;
        size_t count;
        uint32_t spread;  // pixel values are taken modulo this
        uint32_t run;     // each value repeats this often
    } cases[] = {
        {"one pixel", 2, 1, 4, 1},
        {"a long run: long codes, few of them", 2, 100000, 1, 1},
        {"noise: the table fills and clears many times", 8, 60000, 256, 1},
        {"short runs of four colours", 2, 50000, 4, 3},
        {"runs of sixteen colours", 4, 80000, 16, 7},
    };
    for (const auto& c : cases) {
        Bytes pixels(c.count);
        uint32_t seed = 12345;
        for (size_t i = 0; i < c.count; ++i) {
            if (i % c.run == 0) seed = seed * 1103515245u + 12345u;
            pixels[i] = uint8_t((seed >> 16) % c.spread);
        }
        EXPECT_EQ(lzwDecompress(gif::lzwCompress(pixels, c.minCodeSize), c.minCodeSize), pixels) << c.name;
    }
}

TEST(Gif, AColourBeyondTheTwoHundredAndFiftySixthTakesTheNearest) {
    Bytes rgb;
    for (int i = 0; i < 512; ++i) rgb.insert(rgb.end(), {uint8_t(i / 2), 100, 0});  // each colour twice
    rgb.insert(rgb.end(), {40, 103, 1});  // used once: nearest to (40, 100, 0)
    const gif::IndexedFrame frame = gif::indexFrame(rgb.data(), 513);
    ASSERT_EQ(frame.table.size(), 768u);
    const uint8_t kept = frame.pixels[80];  // the first pixel of (40, 100, 0)
    EXPECT_EQ(frame.table[3 * kept], 40);
    EXPECT_EQ(frame.pixels[512], kept);
}
