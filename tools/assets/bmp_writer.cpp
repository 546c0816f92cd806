#include "bmp_writer.h"

#include "byte_writer.h"

std::vector<uint8_t> encodeBitmap(const Canvas& picture, const std::array<Rgb, 256>& colours) {
    constexpr uint32_t fileHeaderSize = 14, infoHeaderSize = 40, tableSize = 256 * 4;
    const uint32_t stride = (static_cast<uint32_t>(picture.width()) + 3) & ~3u;
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(picture.height());
    const uint32_t pixelOffset = fileHeaderSize + infoHeaderSize + tableSize;

    ByteWriter out;
    out.text("BM");
    out.u32(pixelOffset + pixelBytes);
    out.u32(0);  // reserved
    out.u32(pixelOffset);

    out.u32(infoHeaderSize);
    out.u32(static_cast<uint32_t>(picture.width()));
    out.u32(static_cast<uint32_t>(picture.height()));  // positive: bottom row first
    out.u16(1);                                        // planes
    out.u16(8);                                        // bits per pixel
    out.u32(0);                                        // no compression
    out.u32(pixelBytes);
    out.u32(2835);  // 72 dots per inch, both ways
    out.u32(2835);
    out.u32(256);  // colours used
    out.u32(0);    // all colours matter

    for (const Rgb& c : colours) {
        out.u8(c.blue);
        out.u8(c.green);
        out.u8(c.red);
        out.u8(0);
    }
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) out.u8(picture.at(x, y));
        for (uint32_t pad = static_cast<uint32_t>(picture.width()); pad < stride; ++pad) out.u8(0);
    }
    return out.take();
}
