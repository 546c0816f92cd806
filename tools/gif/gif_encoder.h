// Animated GIF89a writing for make_gif: every frame carries a colour table
// of its own colours (the game never shows more than 256 at once) and its
// pixels go through our own LZW coder. Kept in this header so that the
// tests can take the coder apart without linking the tool.
#pragma once

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace gif {

using Bytes = std::vector<uint8_t>;

// A frame reduced to a colour table (three bytes per entry, at most 256
// entries) and one table index per pixel.
struct IndexedFrame {
    Bytes table;
    Bytes pixels;
};

// The table holds the frame's colours, the most used first. Should a
// frame ever hold more than 256, the rarest ones take the nearest of
// those kept.
inline IndexedFrame indexFrame(const uint8_t* rgb, size_t pixelCount) {
    auto colourAt = [rgb](size_t i) { return uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2]; };
    std::unordered_map<uint32_t, size_t> uses;
    for (size_t i = 0; i < pixelCount; ++i) ++uses[colourAt(i)];
    std::vector<std::pair<uint32_t, size_t>> byUse(uses.begin(), uses.end());
    std::sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    const size_t kept = std::min<size_t>(byUse.size(), 256);
    IndexedFrame frame;
    std::unordered_map<uint32_t, uint8_t> indexOf;
    for (size_t i = 0; i < kept; ++i) {
        const uint32_t c = byUse[i].first;
        frame.table.insert(frame.table.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        indexOf[c] = uint8_t(i);
    }
    for (size_t i = kept; i < byUse.size(); ++i) {
        const uint32_t c = byUse[i].first;
        int best = 0;
        long bestDistance = -1;
        for (size_t k = 0; k < kept; ++k) {
            long distance = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const long d = long(c >> (16 - 8 * channel) & 0xFF) - frame.table[3 * k + size_t(channel)];
                distance += d * d;
            }
            if (bestDistance < 0 || distance < bestDistance) bestDistance = distance, best = int(k);
        }
        indexOf[c] = uint8_t(best);
    }
    frame.pixels.resize(pixelCount);
    for (size_t i = 0; i < pixelCount; ++i) frame.pixels[i] = indexOf[colourAt(i)];
    return frame;
}

// The smallest LZW minimum code size that holds `colours` table entries:
// also the table's size field, as the table is 2^size entries long.
inline int codeSizeFor(size_t colours) {
    int bits = 2;
    while ((size_t(1) << bits) < colours) ++bits;
    return bits;
}

// GIF's LZW: codes of minCodeSize + 1 bits growing to 12, packed from the
// least significant bit on; a clear code first, and again whenever the
// 4096 codes are used up; the end code last.
inline Bytes lzwCompress(const Bytes& pixels, int minCodeSize) {
    const uint32_t clearCode = 1u << minCodeSize, endCode = clearCode + 1;
    Bytes out;
    uint32_t buffer = 0;
    int bufferedBits = 0;
    int width = minCodeSize + 1;
    auto put = [&](uint32_t code) {
        buffer |= code << bufferedBits;
        bufferedBits += width;
        for (; bufferedBits >= 8; bufferedBits -= 8, buffer >>= 8) out.push_back(uint8_t(buffer));
    };
    // A string is known by its prefix's code and its last index.
    std::unordered_map<uint32_t, uint32_t> codes;
    uint32_t nextCode = endCode + 1;
    auto restart = [&] {
        put(clearCode);
        codes.clear();
        nextCode = endCode + 1;
        width = minCodeSize + 1;
    };
    restart();
    if (!pixels.empty()) {
        uint32_t prefix = pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const uint32_t key = prefix << 8 | pixels[i];
            if (auto found = codes.find(key); found != codes.end()) {
                prefix = found->second;
                continue;
            }
            put(prefix);
            codes.emplace(key, nextCode++);
            // The decoder learns each code one step later, so it widens
            // when the code after the one just made no longer fits.
            if (nextCode > (1u << width) && width < 12) ++width;
            if (nextCode == 4096) restart();
            prefix = pixels[i];
        }
        put(prefix);
        // The decoder adds a code for this last one too: widen with it.
        if (nextCode == (1u << width) && width < 12) ++width;
    }
    put(endCode);
    if (bufferedBits > 0) out.push_back(uint8_t(buffer));
    return out;
}

inline void putWord(Bytes& out, int value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

// The header and the logical screen (no global colour table), then the
// NETSCAPE2.0 extension that loops the animation for ever.
inline void appendHeader(Bytes& out, int width, int height) {
    out.insert(out.end(), {'G', 'I', 'F', '8', '9', 'a'});
    putWord(out, width);
    putWord(out, height);
    out.insert(out.end(), {0x00, 0x00, 0x00});
    out.insert(out.end(), {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                           0x03, 0x01, 0x00, 0x00, 0x00});
}

// One frame shown for `delay` hundredths of a second. Given the frame
// before it, only the rectangle that changed is stored; the rest of the
// picture stays standing, which makes a fall or a fight in a held view
// cost little.
inline void appendFrame(Bytes& out, const uint8_t* rgb, int width, int height, int delay,
                        const uint8_t* previous = nullptr) {
    int left = 0, top = 0, right = width, bottom = height;
    if (previous != nullptr) {
        auto same = [&](int x, int y) {
            const size_t at = (size_t(y) * size_t(width) + size_t(x)) * 3;
            return rgb[at] == previous[at] && rgb[at + 1] == previous[at + 1] && rgb[at + 2] == previous[at + 2];
        };
        left = width, top = height, right = 0, bottom = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (same(x, y)) continue;
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
        }
        if (right == 0) left = 0, top = 0, right = 1, bottom = 1;  // unchanged: one pixel keeps the time
    }
    Bytes part;
    for (int y = top; y < bottom; ++y) {
        const uint8_t* row = rgb + (size_t(y) * size_t(width) + size_t(left)) * 3;
        part.insert(part.end(), row, row + size_t(right - left) * 3);
    }
    IndexedFrame frame = indexFrame(part.data(), part.size() / 3);
    const int sizeBits = codeSizeFor(frame.table.size() / 3);
    frame.table.resize(size_t(3) << sizeBits, 0);
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x04});  // disposal: leave the frame in place
    putWord(out, delay);
    out.insert(out.end(), {0x00, 0x00});
    out.push_back(0x2C);
    putWord(out, left);
    putWord(out, top);
    putWord(out, right - left);
    putWord(out, bottom - top);
    out.push_back(uint8_t(0x80 | (sizeBits - 1)));
    out.insert(out.end(), frame.table.begin(), frame.table.end());
    out.push_back(uint8_t(sizeBits));
    const Bytes data = lzwCompress(frame.pixels, sizeBits);
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t n = std::min<size_t>(255, data.size() - at);
        out.push_back(uint8_t(n));
        out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + n));
    }
    out.push_back(0x00);
}

inline void appendTrailer(Bytes& out) { out.push_back(0x3B); }

}  // namespace gif
