#include "audio/wav_reader.h"

#include <cstring>

#include "app/little_endian.h"

namespace varnholt {

namespace {

constexpr uint16_t pcmFormatTag = 1;
constexpr size_t formatChunkMinimum = 16;

}  // namespace

bool decodeWave(const uint8_t* data, size_t size, WaveSound& sound) {
    if (data == nullptr || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0) {
        return false;
    }
    const uint8_t* format = nullptr;
    const uint8_t* samples = nullptr;
    size_t sampleBytes = 0;
    size_t at = 12;
    while (at + 8 <= size) {
        const uint8_t* id = data + at;
        const size_t declared = readU32(data + at + 4);
        const size_t body = at + 8;
        const size_t available = size - body;
        const size_t length = declared < available ? declared : available;
        if (std::memcmp(id, "fmt ", 4) == 0 && format == nullptr) {
            if (length < formatChunkMinimum) return false;
            format = data + body;
        } else if (std::memcmp(id, "data", 4) == 0 && samples == nullptr) {
            samples = data + body;
            sampleBytes = length;
        }
        if (declared >= available) break;
        at = body + declared + (declared & 1);  // chunks are padded to even sizes
    }
    if (format == nullptr || samples == nullptr) return false;

    const uint16_t tag = readU16(format);
    const uint16_t channels = readU16(format + 2);
    const uint32_t rate = readU32(format + 4);
    const uint16_t blockAlign = readU16(format + 12);
    const uint16_t bits = readU16(format + 14);
    if (tag != pcmFormatTag || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) ||
        rate == 0 || blockAlign != channels * (bits / 8)) {
        return false;
    }
    sound.format = SoundFormat{channels, rate, blockAlign, bits};
    sampleBytes -= sampleBytes % blockAlign;
    sound.samples.assign(samples, samples + sampleBytes);
    return true;
}

}  // namespace varnholt
