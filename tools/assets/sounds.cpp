#include "sounds.h"

#include <cmath>

#include "synth.h"
#include "wav_writer.h"

namespace {

constexpr double pi = 3.14159265358979;

double timeOf(size_t i) { return static_cast<double>(i) / sampleRate; }

}  // namespace

// A whoosh: noise through a band that sweeps up and back down as the
// blade passes, kept below about 3 kHz so that it swishes rather than
// hisses.
std::vector<int16_t> soundSword() {
    Samples out = silence(0.24);
    Random random(101);
    Filter band, smooth, smoother, smoothest;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i) / 0.24;
        const double centre = 450 + 1500 * std::sin(pi * std::min(t * 1.3, 1.0));
        const double envelope = std::min(1.0, t * 8) * (1 - t) * (1 - t);
        const double swish = band.bandPass(random.signedUnit(), centre, 2.5);
        out[i] = smoothest.lowPass(smoother.lowPass(smooth.lowPass(swish, 2400), 2400), 2400) * envelope;
    }
    return toPcmAtEffectLevel(out);
}

// A squelching pop falling away in pitch.
std::vector<int16_t> soundEnemyDies() {
    Samples out = silence(0.36);
    Random random(102);
    Filter low;
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        phase += (90 + 520 * decay(t, 0.05)) / sampleRate;
        const double tone = squareWave(phase, 0.3) * decay(t, 0.08) * 0.5;
        const double burst = low.lowPass(random.signedUnit(), 1800) * decay(t, 0.03);
        out[i] = tone + burst;
    }
    return toPcmAtEffectLevel(out);
}

// A long, deep explosion with aftershocks and a falling groan.
std::vector<int16_t> soundBossDies() {
    Samples out = silence(1.45);
    Random random(103);
    Filter low;
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        double blast = decay(t, 0.35);
        for (double at : {0.32, 0.6, 0.88})
            if (t >= at) blast += 0.6 * decay(t - at, 0.12);
        const double noise = low.lowPass(random.signedUnit(), 250 + 2200 * decay(t, 0.25)) * blast;
        phase += (40 + 180 * decay(t, 0.4)) / sampleRate;
        const double groan = std::sin(2 * pi * phase) * decay(t, 0.6) * 0.6;
        out[i] = (noise + groan) * std::min(1.0, (1.45 - t) * 8);
    }
    return toPcmAtEffectLevel(out);
}

// A rising, wavering tone with a shimmer on top: a spell taking flight.
std::vector<int16_t> soundMagic() {
    Samples out = silence(0.5);
    double a = 0, b = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const double pitch = 380 * std::exp2(t * 3.2) * (1 + 0.03 * std::sin(2 * pi * 28 * t));
        a += pitch / sampleRate;
        b += pitch * 1.503 / sampleRate;
        const double envelope = std::min(1.0, t * 20) * decay(t, 0.14);
        out[i] = (std::sin(2 * pi * a) + 0.45 * triangleWave(b) * (0.5 + 0.5 * std::sin(2 * pi * 15 * t))) * envelope;
    }
    return toPcmAtEffectLevel(out);
}

// A bright rising arpeggio, C E G and the C above, the last note held.
std::vector<int16_t> soundLevelUp() {
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};
    const double step = 0.11;
    Samples out = silence(step * 3 + 0.45);
    for (int n = 0; n < 4; ++n) {
        const double start = n * step, length = n == 3 ? 0.45 : step;
        double phase = 0;
        for (size_t i = static_cast<size_t>(start * sampleRate); i < out.size(); ++i) {
            const double t = timeOf(i) - start;
            if (t >= length) break;
            phase += notes[n] / sampleRate;
            const double envelope = std::min(1.0, t * 300) * (n == 3 ? decay(t, 0.15) : 1 - t / length * 0.5);
            out[i] += (0.6 * squareWave(phase, 0.25) + 0.4 * triangleWave(phase * 2)) * envelope;
        }
    }
    return toPcmAtEffectLevel(out);
}

// A slow, sinking lament: four falling notes, the last one fading.
std::vector<int16_t> soundPlayerDies() {
    const double notes[] = {392.0, 349.23, 293.66, 196.0};
    const double lengths[] = {0.2, 0.2, 0.25, 0.6};
    Samples out = silence(1.25);
    double start = 0;
    for (int n = 0; n < 4; ++n) {
        double phase = 0;
        for (size_t i = static_cast<size_t>(start * sampleRate); i < out.size(); ++i) {
            const double t = timeOf(i) - start;
            if (t >= lengths[n]) break;
            const double bend = n == 3 ? std::exp2(-t * 0.8) : 1.0;  // the last note droops
            phase += notes[n] * bend * (1 + 0.012 * std::sin(2 * pi * 6 * t)) / sampleRate;
            const double envelope = std::min(1.0, t * 80) * (n == 3 ? decay(t, 0.18) : 1 - t / lengths[n] * 0.6);
            out[i] += triangleWave(phase) * envelope;
        }
        start += lengths[n];
    }
    return toPcmAtEffectLevel(out);
}

// A deep rumble at full strength from the very first sample: the game
// restarts this sound every frame, so only its opening 16 ms is heard,
// over and over, while the ground shakes.
std::vector<int16_t> soundEarthquake() {
    Samples out = silence(0.6);
    Random random(107);
    Filter low, lower;
    // Run the filters in for a while so the noise is already rolling.
    for (int i = 0; i < sampleRate / 2; ++i) lower.lowPass(low.lowPass(random.signedUnit(), 140), 90);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = timeOf(i);
        const double rumble = lower.lowPass(low.lowPass(random.signedUnit(), 140), 90);
        const double throb = 0.35 * std::cos(2 * pi * 52 * t);  // at its crest from sample 0
        const double tail = t < 0.45 ? 1.0 : 1.0 - (t - 0.45) / 0.15;
        out[i] = (rumble * 6 + throb) * tail;
    }
    // Only the first frame's length is ever heard, so that is what is
    // made level with the other effects.
    return toPcmAtEffectLevel(out, sampleRate * 16 / 1000);
}
