// How fast the game runs its frames headless, and what the copies cost.
#include <benchmark/benchmark.h>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "platform/files.h"
#include "enemies/roster.h"
#include "platform/headless/headless_backend.h"
#include "platform/headless/input_script.h"
#include "world/area_maps.h"
#include "world/transitions.h"

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

// A minute of play in area 11, the largest area, with its eight enemies
// chasing a player who walks a square among them and never dies.
constexpr uint32_t framesPerMinute = 3750;

std::unique_ptr<HeadlessBackend> walkingPlayer() {
    HeadlessOptions options;
    std::string script;
    const char* ways[] = {"Left", "Up", "Right", "Down"};
    for (uint32_t frame = 1, turn = 0; frame < framesPerMinute; frame += 45, ++turn) {
        script += std::to_string(frame) + " " + ways[turn % 4] + (turn % 3 == 0 ? " X\n" : "\n");
    }
    std::string error;
    if (!parseInputScript(script, options.script, error)) std::abort();
    return std::make_unique<HeadlessBackend>(std::move(options));
}

void enterGreatHall() {
    scene = 1;
    fadingOut = fadingIn = fadeLevel = fadeInLevel = 0;
    areaId = 11;
    entrySide = 0;
    fadeLevel = 240;
    loadArea();
    fadeLevel = 0;
    playerX = 10 * 64 - 288;  // row 8, column 10: the middle of the hall
    playerY = 8 * 64 - 208;
    playing = 1;
    maxHp = hp = 1000000000;
    maxStamina = stamina = 9000;
    setUpEnemies(11, 1, 0);
}

void busiestAreaMinute(benchmark::State& state) {
    startGame();
    int64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setPlatform(walkingPlayer());
        enterGreatHall();
        state.ResumeTiming();
        for (uint32_t i = 0; i < framesPerMinute; ++i) runFrame();
        frames += framesPerMinute;
    }
    int active = 0;
    for (const EnemySlot& enemy : enemySlots) active += enemy.active;
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
    state.counters["activeEnemies"] = active;
}
BENCHMARK(busiestAreaMinute)->Unit(benchmark::kMillisecond);

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
