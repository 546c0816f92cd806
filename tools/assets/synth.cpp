#include "synth.h"

#include <algorithm>
#include <cmath>

#include "wav_writer.h"

Samples silence(double seconds) { return Samples(static_cast<size_t>(seconds * sampleRate), 0.0); }

std::vector<int16_t> toPcm(const Samples& samples, double peak) {
    double loudest = 1e-9;
    for (double s : samples) loudest = std::max(loudest, std::fabs(s));
    std::vector<int16_t> pcm(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(std::clamp(samples[i] / loudest * peak, -1.0, 1.0) * 32767));
    return pcm;
}

std::vector<int16_t> toPcmAtEffectLevel(const Samples& samples, size_t heard) {
    if (heard == 0 || heard > samples.size()) heard = samples.size();
    double loudest = 1e-9, energy = 0;
    for (double s : samples) loudest = std::max(loudest, std::fabs(s));
    for (size_t i = 0; i < heard; ++i) energy += samples[i] * samples[i];
    const double rms = std::sqrt(energy / std::max<size_t>(heard, 1));
    const double wanted = std::pow(10.0, effectRmsDb / 20);
    const double peak = std::min(0.95, rms > 0 ? wanted / rms * loudest : 0.95);
    return toPcm(samples, peak);
}

double squareWave(double phase, double duty) { return phase - std::floor(phase) < duty ? 1.0 : -1.0; }

double triangleWave(double phase) {
    const double f = phase - std::floor(phase);
    return f < 0.5 ? 4 * f - 1 : 3 - 4 * f;
}

void Filter::step(double in, double cutoffHz, double resonance) {
    const double f = 2 * std::sin(3.14159265358979 * std::min(cutoffHz, sampleRate / 6.0) / sampleRate);
    const double q = 1.0 / std::max(resonance, 0.5);
    low_ += f * band_;
    const double high = in - low_ - q * band_;
    band_ += f * high;
}

double Filter::lowPass(double in, double cutoffHz, double resonance) {
    step(in, cutoffHz, resonance);
    return low_;
}

double Filter::bandPass(double in, double cutoffHz, double resonance) {
    step(in, cutoffHz, resonance);
    return band_;
}

double decay(double t, double halfLife) { return std::exp2(-t / halfLife); }
