// How fast the game runs its frames headless, and what the copies cost.
//
// Each frame benchmark plays a stretch of the game from a fresh start and
// reports the time of one frame ("frame") and frames per second. The
// headless clock does not sleep, so the 16 ms wait costs nothing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "app/frame_driver.h"
#include "app/game_state.h"
#include "app/startup.h"
#include "audio/music_player.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "enemies/boss.h"
#include "enemies/roster.h"
#include "platform/headless/input_script.h"
#include "support/headless_game.h"
#include "world/transitions.h"

using namespace varnholt;

namespace {

constexpr uint32_t framesPerMinute = 3750;

// The program's start on a fresh headless back end, playing `script`.
void startGame(const std::string& script = "") {
    HeadlessOptions options;
    std::string error;
    if (!parseInputScript(script, options.script, error)) std::abort();
    testing_support::freshHeadlessGame(std::move(options));
    if (!initGame(1, 0, 1)) std::abort();
}

// A player who walks a square, swinging now and then, for a minute.
std::string walkingSquare() {
    std::string script;
    const char* ways[] = {"Left", "Up", "Right", "Down"};
    for (uint32_t frame = 1, turn = 0; frame < framesPerMinute; frame += 45, ++turn) {
        script += std::to_string(frame) + " " + ways[turn % 4] + (turn % 3 == 0 ? " X\n" : "\n");
    }
    return script;
}

// Straight into play in an area, as the end of a fade leaves it, with a
// player who cannot die.
void enterArea(int32_t area) {
    scene = 1;
    fadingOut = fadingIn = fadeLevel = fadeInLevel = 0;
    areaId = area;
    entrySide = 0;
    fadeLevel = 240;
    loadArea();
    fadeLevel = 0;
    playing = 1;
    maxHp = hp = 1000000000;
    maxStamina = stamina = 9000;
    openMusic("音楽/back.mds", mainWindow);
}

void reportFrames(benchmark::State& state, int64_t frames) {
    state.counters["frame"] =
        benchmark::Counter(double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["frames/s"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}

// A minute of play in area 11, the largest area, with its eight enemies
// chasing a player who walks a square among them.
void busiestAreaMinute(benchmark::State& state) {
    int64_t frames = 0;
    const std::string script = walkingSquare();
    for (auto _ : state) {
        state.PauseTiming();
        startGame(script);
        enterArea(11);
        playerX = 10 * 64 - 288;  // row 8, column 10: the middle of the hall
        playerY = 8 * 64 - 208;
        setUpEnemies(11, 1, 0);
        state.ResumeTiming();
        for (uint32_t i = 0; i < framesPerMinute; ++i) runFrame();
        frames += framesPerMinute;
    }
    int active = 0;
    for (const EnemySlot& enemy : enemySlots) active += enemy.active;
    reportFrames(state, frames);
    state.counters["activeEnemies"] = active;
}
BENCHMARK(busiestAreaMinute)->Unit(benchmark::kMillisecond);

// Puts every free shot back in flight from the boss, and heals the player,
// so that all eight shots fly every frame however many land.
void keepBossFiring() {
    for (int i = 0; i < bossShotCount; ++i) {
        BossShot& shot = bossShots[i];
        if (shot.kind != 0) continue;
        shot.kind = 1 + i % 2;
        shot.life = 1000000;
        shot.x = bossX + 32 + 40 * (i - 4);
        shot.y = bossY - 48;
    }
    hp = maxHp;
}

// A minute of the boss fight with all eight shots flying at a player who
// walks a square in the arena.
void bossFightMinute(benchmark::State& state) {
    int64_t frames = 0;
    const std::string script = walkingSquare();
    int flying = 0;
    for (auto _ : state) {
        state.PauseTiming();
        startGame(script);
        enterArea(1);
        bossHp = 1000000000;  // the player's sword must not end the fight
        state.ResumeTiming();
        for (uint32_t i = 0; i < framesPerMinute; ++i) {
            keepBossFiring();
            runFrame();
        }
        frames += framesPerMinute;
        flying = 0;
        for (const BossShot& shot : bossShots) flying += shot.kind != 0;
    }
    reportFrames(state, frames);
    state.counters["shotsFlying"] = flying;
}
BENCHMARK(bossFightMinute)->Unit(benchmark::kMillisecond);

// The opening from the program's start: the walk, the quake, the title
// rising for 700 frames, then the title menu.
constexpr uint32_t openingFrames = 900;

void openingScreen(benchmark::State& state) {
    int64_t frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        startGame();
        state.ResumeTiming();
        for (uint32_t i = 0; i < openingFrames; ++i) runFrame();
        frames += openingFrames;
    }
    reportFrames(state, frames);
    state.counters["scene"] = scene;
}
BENCHMARK(openingScreen)->Unit(benchmark::kMillisecond);

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
