#include "wav_writer.h"

#include "byte_writer.h"

std::vector<uint8_t> encodeWave(const std::vector<int16_t>& samples) {
    constexpr uint16_t channels = 1, bitsPerSample = 16;
    constexpr uint16_t blockAlign = channels * bitsPerSample / 8;
    const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * blockAlign;

    ByteWriter out;
    out.text("RIFF");
    out.u32(36 + dataSize);
    out.text("WAVE");
    out.text("fmt ");
    out.u32(16);
    out.u16(1);  // PCM
    out.u16(channels);
    out.u32(sampleRate);
    out.u32(sampleRate * blockAlign);
    out.u16(blockAlign);
    out.u16(bitsPerSample);
    out.text("data");
    out.u32(dataSize);
    for (int16_t s : samples) out.u16(static_cast<uint16_t>(s));
    return out.take();
}
