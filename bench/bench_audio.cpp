// What one call of the SDL back end's audio callback costs with the sound
// at its busiest: all seven effects sounding over the cave music, played
// by FluidSynth through the General-MIDI soundfont.
//
// The device is opened on SDL's dummy driver unless SDL_AUDIODRIVER names
// another, then held still so that the benchmark alone fills its buffers.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "platform/files.h"
#include "platform/sdl/sdl_backend.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

constexpr double deviceRate = 44100;
// The cave piece loops after 32 bars at 96 beats a minute, 80 s: this
// many buffers of 512 frames play it through once.
constexpr int64_t buffersPerLoop = 6891;
// The shortest effect lasts 0.24 s, twenty buffers.
constexpr int64_t buffersBetweenReplays = 16;

void audioCallback(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The music player's stream belongs to the back end being replaced.
    closeMusic();
    setPlatform(makeSdlBackend());
    setDataDirectory(testing_support::assetDirectory());
    const size_t frames = initSound() ? takeOverSdlAudio(platform()) : 0;
    if (frames == 0) {
        state.SkipWithError("no sound device");
    } else if (!openMusic("音楽/back.mds", 1) || startMusic(1) != 1) {
        state.SkipWithError("the cave music does not play");
    } else {
        std::vector<int16_t> buffer(frames * 2);
        int64_t played = 0;
        for (auto _ : state) {
            if (played++ % buffersBetweenReplays == 0) {
                for (int effect = 0; effect < soundEffectCount; ++effect) playSound(SoundEffect(effect));
            }
            renderSdlAudio(platform(), buffer.data(), frames);
            benchmark::DoNotOptimize(buffer.data());
        }
        int peak = 0;
        for (int16_t sample : buffer) peak = std::max(peak, std::abs(int(sample)));
        state.counters["bufferFrames"] = double(frames);
        state.counters["lastPeak"] = peak;  // not 0: something was heard
        // Seconds of sound made in one second of work.
        state.counters["xRealTime"] =
            benchmark::Counter(double(played) * double(frames) / deviceRate, benchmark::Counter::kIsRate);
    }
    // Back to a back end without devices for whatever runs next.
    testing_support::freshHeadlessGame();
}
BENCHMARK(audioCallback)->Iterations(buffersPerLoop)->Unit(benchmark::kMicrosecond);

}  // namespace
