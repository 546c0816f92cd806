// Building blocks for the sound effects: a float sample buffer at
// sampleRate, a few oscillators and filters, and the final conversion to
// 16-bit samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "random.h"

using Samples = std::vector<double>;

Samples silence(double seconds);
// Scales so the loudest sample sits at `peak` (0..1) and converts.
std::vector<int16_t> toPcm(const Samples& samples, double peak = 0.9);

// The loudness every effect is made at: an RMS of -15 dBFS in the file,
// which the game's mixer plays 6 dB lower, level with the music.
constexpr double effectRmsDb = -15.0;

// Scales so the RMS of the first `heard` samples (all of them when 0)
// sits at effectRmsDb, the loudest sample never above 0.95, and converts.
std::vector<int16_t> toPcmAtEffectLevel(const Samples& samples, size_t heard = 0);

double squareWave(double phase, double duty = 0.5);  // phase in cycles
double triangleWave(double phase);

// Two-pole state-variable filter; one call per sample.
class Filter {
public:
    double lowPass(double in, double cutoffHz, double resonance = 0.7);
    double bandPass(double in, double cutoffHz, double resonance = 0.7);

private:
    void step(double in, double cutoffHz, double resonance);
    double low_ = 0, band_ = 0;
};

// Decay from 1 toward 0 with the given half-life.
double decay(double t, double halfLife);
