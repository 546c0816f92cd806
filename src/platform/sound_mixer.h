// The sound-effect mixer: effects are converted once, when loaded, to the
// device's own sample layout (signed 16-bit stereo at the device rate), so
// that mixing in the audio thread is nothing but additions.
//
// Nothing the player hears reaches full scale: the effects are mixed at
// half their own level, which leaves room for several at once and for the
// music beside them, and the whole mix, music included, passes through a
// soft limiter that bends loud peaks toward a ceiling below full scale
// instead of clipping them.
//
// Knows nothing of any audio library: the back end owns the device, feeds
// converted effects in and calls mix() from its audio callback under its
// own lock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

// The game has seven effect slots.
constexpr int soundEffectSlots = 7;

// No effect of ours is anywhere near this long; a wild rate in a damaged
// file must not make us allocate gigabytes.
constexpr size_t maxEffectFrames = size_t{1} << 24;

// Converts 8-bit unsigned or 16-bit signed (little-endian), mono or stereo
// PCM at any rate to interleaved signed 16-bit stereo at deviceRate.
// A trailing partial frame is ignored. Answers nothing for a format we
// cannot play. Called by the back ends' loadEffect.
std::optional<std::vector<int16_t>> convertEffect(const SoundFormat& format, const uint8_t* data,
                                                  size_t size, uint32_t deviceRate);

// The effects' share of the mix: their sum is multiplied by
// effectGainNumerator / effectGainDenominator.
constexpr int32_t effectGainNumerator = 1;
constexpr int32_t effectGainDenominator = 2;

// The soft limiter: a sample up to limiterKnee in size passes unchanged;
// above it the excess x is bent to x * room / (x + room), room being
// mixCeiling - limiterKnee, so the curve leaves the knee with a slope of 1,
// keeps rising, and never reaches mixCeiling.
constexpr int32_t limiterKnee = 24576;  // 3/4 of full scale, -2.5 dBFS
constexpr int32_t mixCeiling = 32000;   // -0.2 dBFS

// One sample of the wide mix, limited to 16 bits. Called by the mixer and
// by the back ends after they have added the music.
int16_t softLimit(int64_t sample);

class SoundMixer {
public:
    // Replaces the effect in a slot, stopping whatever it was playing.
    // Called by the back ends' loadEffect.
    void setEffect(int index, std::vector<int16_t> stereoSamples);

    // Forgets every effect. Called by the back ends when sound is
    // re-initialised.
    void clear();

    // Starts an effect from its beginning, cutting its previous play; an
    // empty slot stays silent. Called by the back ends' playEffect.
    void play(int index);

    // Called by tests and the back ends to see whether a slot is sounding.
    bool playing(int index) const;

    // Adds `frames` stereo frames of all sounding effects, at their share
    // of the mix, to the wide sums in `sum`, and advances them. Called by
    // the SDL back end's audio callback, which adds the music and limits.
    void addTo(int32_t* sum, size_t frames);

    // Writes `frames` stereo frames of all sounding effects at their share
    // of the mix, through the soft limiter, and advances them. Called by
    // the browser back end, whose page adds the music and limits again.
    void mix(int16_t* out, size_t frames);

private:
    struct Voice {
        std::vector<int16_t> samples;  // interleaved left/right
        size_t frame = 0;              // next frame to play
        bool sounding = false;
    };
    std::array<Voice, soundEffectSlots> voices_;
};
