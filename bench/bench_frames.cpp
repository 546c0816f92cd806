// How fast the game runs its frames headless, and what the copies cost.
#include <benchmark/benchmark.h>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"

using namespace varnholt;

namespace {

void startGame() {
    static bool started = false;
    if (started) return;
    started = true;
    setPlatform(std::make_unique<HeadlessBackend>(HeadlessOptions{}));
    setDataDirectory(VARNHOLT_ASSET_DIR);
    if (!initGame(1, 0, 1)) std::abort();
}

// Whole frames, the 16 ms wait included: the headless clock does not sleep.
void headlessFrame(benchmark::State& state) {
    startGame();
    for (auto _ : state) runFrame();
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(headlessFrame);

void spriteCopy(benchmark::State& state) {
    startGame();
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) drawSprite(backgroundSheet.get(), Rect{0, 0, 64, 64}, 5 * i, i * 4);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(spriteCopy);

void scaledCopy(benchmark::State& state) {
    startGame();
    for (auto _ : state) {
        drawSpriteScaled(backgroundSheet.get(), Rect{0, 0, 64, 64}, Rect{0, 0, 640, 480});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(scaledCopy);

}  // namespace

BENCHMARK_MAIN();
