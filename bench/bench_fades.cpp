// What one step of an area change's palette fade costs: the palette read,
// every colour byte moved, the palette written.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/game_state.h"
#include "app/startup.h"
#include "support/headless_game.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

// Steps as the frame driver takes them, one a frame: 32 of fade-out (the
// last sets up the new area's enemies), then 32 of fade-in, and round
// again; the palette comes back exactly each time.
void fadeStep(benchmark::State& state) {
    testing_support::freshHeadlessGame();
    if (!initGame(1, 0, 1)) std::abort();
    areaId = 11;
    for (auto _ : state) {
        if (fadingIn == 1) {
            fadeInStep();
        } else {
            fadingOut = 1;
            fadeOutStep();
        }
    }
    state.counters["steps/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(fadeStep);

}  // namespace
