#include "platform/sound_mixer.h"

#include <algorithm>

namespace {

bool validSlot(int index) { return index >= 0 && index < soundEffectSlots; }

// One channel's value at a source frame, widened to signed 16 bits.
int sampleAt(const uint8_t* frame, int channel, int bytesPerSample) {
    if (bytesPerSample == 1) return (int{frame[channel]} - 128) * 256;
    const uint8_t* p = frame + channel * 2;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

}  // namespace

int16_t softLimit(int64_t sample) {
    // Far beyond anything a mix can sum to, and safe to negate.
    constexpr int64_t widest = int64_t{1} << 40;
    sample = std::clamp(sample, -widest, widest);
    const int64_t size = sample < 0 ? -sample : sample;
    if (size <= limiterKnee) return static_cast<int16_t>(sample);
    constexpr int64_t room = mixCeiling - limiterKnee;
    const int64_t excess = size - limiterKnee;
    const int64_t bent = limiterKnee + excess * room / (excess + room);
    return static_cast<int16_t>(sample < 0 ? -bent : bent);
}

std::optional<std::vector<int16_t>> convertEffect(const SoundFormat& format, const uint8_t* data,
                                                  size_t size, uint32_t deviceRate) {
    const int channels = format.channels;
    const int bytesPerSample = format.bitsPerSample / 8;
    if (channels != 1 && channels != 2) return std::nullopt;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return std::nullopt;
    if (format.samplesPerSecond == 0 || deviceRate == 0) return std::nullopt;

    // Some writers pad frames; trust blockAlign only when it is at least
    // as wide as the samples it must hold.
    const size_t stride = std::max<size_t>(format.blockAlign, size_t(channels) * bytesPerSample);
    const uint64_t inFrames = data ? size / stride : 0;
    const uint64_t srcRate = format.samplesPerSecond;
    // Rounding up keeps every source frame audible; each output frame
    // still starts strictly inside the source.
    const uint64_t outFrames = (inFrames * deviceRate + srcRate - 1) / srcRate;
    if (outFrames > maxEffectFrames) return std::nullopt;

    std::vector<int16_t> out(outFrames * 2);
    for (uint64_t i = 0; i < outFrames; ++i) {
        const uint64_t scaled = i * srcRate;
        const uint64_t at = scaled / deviceRate;
        const int64_t fraction = int64_t(scaled % deviceRate);
        const uint64_t next = std::min(at + 1, inFrames - 1);
        const uint8_t* a = data + at * stride;
        const uint8_t* b = data + next * stride;
        for (int side = 0; side < 2; ++side) {
            const int channel = channels == 2 ? side : 0;
            const int64_t s0 = sampleAt(a, channel, bytesPerSample);
            const int64_t s1 = sampleAt(b, channel, bytesPerSample);
            out[i * 2 + side] = static_cast<int16_t>(s0 + (s1 - s0) * fraction / int64_t(deviceRate));
        }
    }
    return out;
}

void SoundMixer::setEffect(int index, std::vector<int16_t> stereoSamples) {
    if (!validSlot(index)) return;
    Voice& voice = voices_[index];
    voice.samples = std::move(stereoSamples);
    voice.samples.resize(voice.samples.size() & ~size_t{1});
    voice.frame = 0;
    voice.sounding = false;
}

void SoundMixer::clear() {
    for (Voice& voice : voices_) voice = Voice{};
}

void SoundMixer::play(int index) {
    if (!validSlot(index)) return;
    Voice& voice = voices_[index];
    voice.frame = 0;
    voice.sounding = !voice.samples.empty();
}

bool SoundMixer::playing(int index) const { return validSlot(index) && voices_[index].sounding; }

namespace {

// Calls step(done, count) for the working blocks of `frames` frames, in
// order, so that the mixer's sums fit on the stack.
constexpr size_t chunkFrames = 256;
template <class Step>
void inChunks(size_t frames, Step step) {
    for (size_t done = 0; done < frames; done += chunkFrames) step(done, std::min(chunkFrames, frames - done));
}

}  // namespace

void SoundMixer::addTo(int32_t* sum, size_t frames) {
    // Summing wide and scaling once keeps the result independent of the
    // order the effects are added in.
    int32_t effects[chunkFrames * 2];
    inChunks(frames, [&](size_t done, size_t count) {
        std::fill(effects, effects + count * 2, 0);
        for (Voice& voice : voices_) {
            if (!voice.sounding) continue;
            const size_t total = voice.samples.size() / 2;
            const size_t take = std::min(count, total - voice.frame);
            const int16_t* from = voice.samples.data() + voice.frame * 2;
            for (size_t k = 0; k < take * 2; ++k) effects[k] += from[k];
            voice.frame += take;
            if (voice.frame >= total) voice.sounding = false;
        }
        for (size_t k = 0; k < count * 2; ++k)
            sum[done * 2 + k] += effects[k] * effectGainNumerator / effectGainDenominator;
    });
}

void SoundMixer::mix(int16_t* out, size_t frames) {
    int32_t sum[chunkFrames * 2];
    inChunks(frames, [&](size_t done, size_t count) {
        std::fill(sum, sum + count * 2, 0);
        addTo(sum, count);
        for (size_t k = 0; k < count * 2; ++k) out[done * 2 + k] = softLimit(sum[k]);
    });
}
