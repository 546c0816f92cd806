#include "app/monkey.h"

#include <array>
#include <climits>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

#include "app/autoplayer.h"
#include "app/frame_driver.h"
#include "app/game_state.h"
#include "enemies/roster.h"
#include "world/area_maps.h"

namespace varnholt {

namespace {

constexpr int cellSize = 64;
constexpr int32_t bossArea = 1;
constexpr int validAreas[] = {1, 10, 11, 12, 20, 22, 30, 31, 32, 40};

enum class Burst { Travel, Fight, Wander, Rest, Idle, Pause, Unpause, Save, Load, WindowKey, Menu, Wait };

struct Cell {
    int row = -1, col = -1;
};

struct Monkey {
    std::mt19937 random;
    Burst burst = Burst::Idle;
    uint32_t burstEnd = 0;   // the last frame of the burst
    uint32_t burstStart = 0;
    std::vector<int> held;   // keys held through the burst
    int key = 0;             // the one key a short burst taps
    bool dash = false;
    bool charge = false;
    // Where the monkey is heading in this area, and the way out it takes
    // from there (an arrow key), or 0 for the pit.
    int32_t targetArea = -1;
    Cell target;
    int exitKey = 0;
    Cell lastCell;
    uint32_t sameCellFrames = 0;
    uint32_t lastSave = 0;
    std::string problem;

    // What the run reached.
    std::map<std::string, uint64_t> framesIn;
    uint64_t deaths = 0, bossFights = 0, endings = 0;
    int32_t lastArea = -1, lastScene = -1;
    bool wasDead = false;

    // Stretches handed to the autoplayer.
    bool withAutoplayer = false;
    bool autoplaying = true;  // the first stretch of play is the monkey's
    uint32_t stretchEnd = 0;
};

Monkey monkey;

uint32_t roll(uint32_t below) { return below == 0 ? 0 : monkey.random() % below; }
uint32_t between(uint32_t low, uint32_t high) { return low + roll(high - low + 1); }

bool insideArea(int row, int col) {
    return row >= 0 && col >= 0 && row < mapRows && col < mapCols && row < areaMapRows &&
           col < areaMapCols;
}

bool open(int row, int col) {
    return insideArea(row, col) && (isFloorCode(areaMap[row][col]) || areaMap[row][col] == pitCode);
}

// The player's place on the area's map, in pixels: the sprite's screen
// place plus the view's scroll.
int32_t playerMapX() { return playerOffsetX + 288 + scrollX; }
int32_t playerMapY() { return playerOffsetY + 208 + scrollY; }

Cell playerCell() { return {(playerMapY() + cellSize / 2) / cellSize, (playerMapX() + cellSize / 2) / cellSize}; }

// Picks where to go in the area just entered: the pit when there is one,
// most of the time, otherwise an open cell on the area's border.
void chooseTarget() {
    std::vector<std::pair<Cell, int>> ways;
    std::vector<Cell> pits;
    for (int row = 0; row < mapRows && row < areaMapRows; ++row) {
        for (int col = 0; col < mapCols && col < areaMapCols; ++col) {
            if (!open(row, col)) continue;
            if (areaMap[row][col] == pitCode) pits.push_back({row, col});
            if (col == 0) ways.push_back({{row, col}, vk::Left});
            if (col == mapCols - 1) ways.push_back({{row, col}, vk::Right});
            if (row == 0) ways.push_back({{row, col}, vk::Up});
            if (row == mapRows - 1) ways.push_back({{row, col}, vk::Down});
        }
    }
    monkey.targetArea = areaId;
    if (!pits.empty() && (ways.empty() || roll(10) < 8)) {
        monkey.target = pits[roll(uint32_t(pits.size()))];
        monkey.exitKey = 0;
    } else if (!ways.empty()) {
        const auto& way = ways[roll(uint32_t(ways.size()))];
        monkey.target = way.first;
        monkey.exitKey = way.second;
    } else {
        monkey.target = {};
    }
}

// The first step of a shortest walk over open cells to the target.
Cell nextCellTowards(Cell from, Cell to) {
    if (!insideArea(from.row, from.col) || !insideArea(to.row, to.col)) return to;
    std::array<std::array<int8_t, areaMapCols>, areaMapRows> cameFrom{};
    for (auto& row : cameFrom) row.fill(-1);
    static constexpr int dr[4] = {-1, 1, 0, 0};
    static constexpr int dc[4] = {0, 0, -1, 1};
    std::vector<Cell> queue{to};
    cameFrom[to.row][to.col] = 4;
    // Searching from the target back leaves, in each cell, the direction
    // of its next step.
    for (size_t at = 0; at < queue.size(); ++at) {
        const Cell c = queue[at];
        if (c.row == from.row && c.col == from.col) break;
        for (int d = 0; d < 4; ++d) {
            const int r = c.row + dr[d], k = c.col + dc[d];
            if (!insideArea(r, k) || cameFrom[r][k] >= 0) continue;
            if (!open(r, k) && !(r == from.row && k == from.col)) continue;
            cameFrom[r][k] = int8_t(d);
            queue.push_back({r, k});
        }
    }
    const int d = cameFrom[from.row][from.col];
    if (d < 0 || d == 4) return to;
    return {from.row - dr[d], from.col - dc[d]};
}

// The arrow keys that walk by (dx, dy), each axis only beyond `slack`.
void arrowsFor(std::vector<int>& keys, int32_t dx, int32_t dy, int32_t slack) {
    if (dx < -slack) keys.push_back(vk::Left);
    if (dx > slack) keys.push_back(vk::Right);
    if (dy < -slack) keys.push_back(vk::Up);
    if (dy > slack) keys.push_back(vk::Down);
}

void pushArrowsTowards(std::vector<int>& keys, Cell cell) {
    arrowsFor(keys, cell.col * cellSize - playerMapX(), cell.row * cellSize - playerMapY(), 4);
}

void travelKeys(std::vector<int>& keys) {
    // The map of a new area is in place only once the fades are over.
    if (fadingOut != 0 || fadingIn != 0) return;
    if (monkey.targetArea != areaId) chooseTarget();
    const Cell here = playerCell();
    // Stuck behind something for a while: somewhere else, then.
    if (here.row == monkey.lastCell.row && here.col == monkey.lastCell.col) {
        if (++monkey.sameCellFrames > 240) {
            chooseTarget();
            monkey.sameCellFrames = 0;
        }
    } else {
        monkey.lastCell = here;
        monkey.sameCellFrames = 0;
    }
    if (here.row == monkey.target.row && here.col == monkey.target.col) {
        if (monkey.exitKey != 0) {
            keys.push_back(monkey.exitKey);
        } else {
            pushArrowsTowards(keys, monkey.target);
        }
        return;
    }
    pushArrowsTowards(keys, nextCellTowards(here, monkey.target));
}

// The nearest active enemy's direction, as arrow keys; none when nobody is
// within `reach` pixels.
bool arrowsToNearestEnemy(std::vector<int>& keys, int32_t reach = 200) {
    int best = -1;
    int32_t bestDistance = reach * reach;
    for (int s = 0; s < enemySlotCount; ++s) {
        if (enemySlots[s].active != 1) continue;
        const int32_t dx = enemyScreenX[s] - playerScreenX, dy = enemyScreenY[s] - playerScreenY;
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = s;
        }
    }
    if (areaId == bossArea && bossAlive == 1) {
        const int32_t dx = bossScreenX - playerScreenX, dy = bossScreenY - playerScreenY;
        if (dx * dx + dy * dy < (reach + 100) * (reach + 100)) {
            arrowsFor(keys, dx, dy, 8);
            return true;
        }
    }
    if (best < 0) return false;
    arrowsFor(keys, enemyScreenX[best] - playerScreenX, enemyScreenY[best] - playerScreenY, 8);
    return true;
}

// Worth saving: a load gives back half of each.
bool strong() { return hp * 3 > maxHp * 2 && stamina * 3 > maxStamina * 2; }

const int arrows[4] = {vk::Up, vk::Down, vk::Left, vk::Right};

void startPlayBurst(uint32_t frame) {
    monkey.held.clear();
    monkey.dash = false;
    monkey.charge = false;
    const bool dead = hp < 1;
    const uint32_t pick = roll(100);
    std::vector<int> ignored;
    const bool somebodyNear = arrowsToNearestEnemy(ignored, 200);
    Burst next;
    uint32_t length;
    if (paused == 1 && !dead) {
        // A pause that came out of one press rather than two: one more,
        // then let go.
        next = Burst::Unpause;
        length = 8;
    } else if (dead) {
        // A person looks at the score for a while, then loads.
        next = roll(2) == 0 ? Burst::Load : Burst::Wait;
        length = next == Burst::Load ? 1 : between(60, 400);
    } else if ((monkey.lastSave == 0 || frame - monkey.lastSave > 2000) && strong() &&
               fadingOut == 0 && fadingIn == 0) {
        // Saves come often enough that a death usually has one to go back to.
        next = Burst::Save;
        length = 1;
    } else if (hp * 3 < maxHp * 2 && stamina * 4 > maxStamina && roll(5) != 0 &&
               !somebodyNear) {
        next = Burst::Rest;
        length = between(60, 240);
    } else if (pick < 50) {
        next = Burst::Travel;
        length = between(30, 240);
        monkey.dash = roll(2) == 0;
    } else if (pick < 68) {
        next = Burst::Fight;
        length = between(20, 120);
        monkey.charge = roll(3) == 0;
    } else if (pick < 78) {
        next = Burst::Wander;
        length = between(10, 80);
        for (int k : arrows)
            if (roll(3) == 0) monkey.held.push_back(k);
        if (roll(4) == 0) monkey.held.push_back(vk::X);
    } else if (pick < 85) {
        next = Burst::Rest;
        length = between(30, 200);
    } else if (pick < 91) {
        next = Burst::Idle;
        length = between(5, 60);
    } else if (pick < 94) {
        next = Burst::Pause;
        length = between(12, 120);
        monkey.key = roll(2) == 0 ? vk::V : vk::Pause;
    } else if (pick < 96) {
        // Saving a weak player would only make the next load weaker.
        next = strong() ? Burst::Save : Burst::Rest;
        length = next == Burst::Save ? 1 : between(60, 240);
    } else if (pick < 98 && !monkey.withAutoplayer) {
        // (Beside the autoplayer a load would throw away the three falls
        // that open the way to the boss; it still loads after a death.)
        next = Burst::Load;
        length = 1;
    } else {
        next = Burst::WindowKey;
        length = 1;
        monkey.key = vk::F1 + int(roll(6));
    }
    monkey.burst = next;
    monkey.burstStart = frame;
    monkey.burstEnd = frame + length - 1;
}

void startMenuBurst(uint32_t frame) {
    monkey.held.clear();
    monkey.burst = Burst::Menu;
    monkey.burstStart = frame;
    const uint32_t pick = roll(10);
    if (pick < 5) {
        monkey.held.push_back(roll(2) == 0 ? vk::Up : vk::Down);
        monkey.burstEnd = frame + between(1, 20);
    } else if (pick < 8) {
        monkey.held.push_back(roll(2) == 0 ? vk::Return : vk::C);
        monkey.burstEnd = frame + between(1, 10);
    } else {
        monkey.burstEnd = frame + between(10, 60);
    }
}

ScriptedInput keysFor(uint32_t frame) {
    ScriptedInput input;
    input.fromFrame = frame;
    std::vector<int>& keys = input.keys;
    const uint32_t into = frame - monkey.burstStart;
    switch (monkey.burst) {
    case Burst::Travel:
        // Somebody in the way is fought off first.
        if (arrowsToNearestEnemy(keys, 70)) {
            if (into % 10 < 3) keys.push_back(vk::C);
            break;
        }
        travelKeys(keys);
        if (monkey.dash) keys.push_back(vk::X);
        break;
    case Burst::Fight:
        arrowsToNearestEnemy(keys);
        if (monkey.charge) {
            // Held to the burst's last frame, let go after it.
            keys.push_back(vk::C);
        } else if (into % 12 < 3) {
            keys.push_back(vk::C);
        }
        break;
    case Burst::Wander:
    case Burst::Menu: keys = monkey.held; break;
    case Burst::Rest: keys.push_back(vk::Z); break;
    case Burst::Pause:
        // Down for a moment at the start and again at the end: paused
        // between, running again after.
        if (into < 3 || frame + 2 >= monkey.burstEnd) keys.push_back(monkey.key);
        break;
    case Burst::Unpause:
        if (into < 2) keys.push_back(vk::V);
        break;
    case Burst::Save:
        keys.push_back(vk::F1 + 6);  // F7
        monkey.lastSave = frame;
        break;
    case Burst::Load: keys.push_back(vk::F8); break;
    case Burst::WindowKey: keys.push_back(monkey.key); break;
    case Burst::Idle:
    case Burst::Wait: break;
    }
    return input;
}

void countFrame() {
    const char* sceneName = scene == 0 ? "title" : scene == 1 ? (hp < 1 ? "game over" : "play")
                                                              : "ending";
    monkey.framesIn[std::string("scene ") + sceneName] += 1;
    if (scene == 1 && hp >= 1) monkey.framesIn["area " + std::to_string(areaId)] += 1;
    const bool dead = scene == 1 && playing == 0 && hp < 1;
    if (dead && !monkey.wasDead) monkey.deaths += 1;
    monkey.wasDead = dead;
    if (scene == 1 && areaId == bossArea && monkey.lastArea != bossArea)
        monkey.bossFights += 1;
    if (scene == 2 && monkey.lastScene == 1) monkey.endings += 1;
    monkey.lastArea = areaId;
    monkey.lastScene = scene;
}

}  // namespace

void startMonkey(uint32_t seed, bool autoplayer) {
    monkey = Monkey{};
    monkey.random.seed(seed);
    monkey.withAutoplayer = autoplayer;
}

namespace {

// Whose inputs this frame holds: short random stretches between long ones
// of purposeful play. The title and the ending are the autoplayer's, so
// that a game starts soon and the run ends once its best score is shown.
bool autoplayerPlays(uint32_t frame) {
    if (!monkey.withAutoplayer) return false;
    if (scene != 1) return true;
    if (frame > monkey.stretchEnd) {
        monkey.autoplaying = !monkey.autoplaying;
        monkey.stretchEnd = frame + (monkey.autoplaying ? between(4000, 15000) : between(500, 3000));
        if (monkey.autoplaying) resumeAutoplayer();
        monkey.burstEnd = 0;
    }
    return monkey.autoplaying;
}

}  // namespace

std::string brokenInvariant() {
    char line[160];
    auto broken = [&](const char* what, long value) {
        std::snprintf(line, sizeof line, "%s is %ld", what, value);
        return std::string(line);
    };
    for (int row = 0; row < areaMapRows; ++row)
        for (int col = 0; col < areaMapCols; ++col)
            if (areaMap[row][col] < 0 || areaMap[row][col] > 7) {
                std::snprintf(line, sizeof line, "areaMap[%d][%d] is %d", row, col, areaMap[row][col]);
                return line;
            }
    bool knownArea = false;
    for (int area : validAreas) knownArea |= areaId == area;
    if (!knownArea) return broken("areaId", areaId);
    const struct {
        const char* name;
        long value, low, high;
    } ranges[] = {{"scene", scene, 0, 2},
                  {"mapRows", mapRows, 1, areaMapRows},
                  {"mapCols", mapCols, 1, areaMapCols},
                  {"fadingOut", fadingOut, 0, 1},
                  {"fadingIn", fadingIn, 0, 1},
                  {"fadeLevel", fadeLevel, 0, 255},
                  {"fadeInLevel", fadeInLevel, 0, 255},
                  {"fallFrames", fallFrames, 0, 100},
                  {"difficulty", difficulty, 0, 2},
                  {"paused", paused, 0, 1},
                  {"displayMode", displayMode, 1, 2},
                  {"facing", facing, 0, 3},
                  {"level", level, 0, 99},
                  {"hp above maxHp, hp", hp, LONG_MIN, maxHp},
                  {"stamina above maxStamina, stamina", stamina, LONG_MIN, maxStamina}};
    for (const auto& range : ranges) {
        if (range.value < range.low || range.value > range.high) return broken(range.name, range.value);
    }
    for (int s = 0; s < enemySlotCount; ++s) {
        if (enemySlots[s].kind < 0 || enemySlots[s].kind > 5) return broken("an enemy's kind", enemySlots[s].kind);
        if (enemySlots[s].active < 0 || enemySlots[s].active > 1) return broken("an enemy's active", enemySlots[s].active);
    }
    return {};
}

ScriptedInput monkeyInput(uint32_t frame) {
    checkMonkeyInvariants(frame - 1);
    if (!monkey.problem.empty()) {
        ScriptedInput nothing;
        nothing.fromFrame = frame;
        return nothing;
    }
    if (frame > 1) countFrame();
    if (autoplayerPlays(frame)) return autoplayInput(frame);
    if (frame > monkey.burstEnd) {
        if (scene == 1) {
            startPlayBurst(frame);
        } else {
            startMenuBurst(frame);
        }
    }
    return keysFor(frame);
}

void checkMonkeyInvariants(uint32_t framesDone) {
    if (!monkey.problem.empty()) return;
    std::string broken;
    if (framesRun != framesDone) {
        broken = "framesRun is " + std::to_string(framesRun);
    } else {
        broken = brokenInvariant();
    }
    if (!broken.empty()) monkey.problem = "after frame " + std::to_string(framesDone) + ": " + broken;
}

const std::string& monkeyProblem() { return monkey.problem; }

std::string monkeyReport() {
    std::string out = "| Where | Frames |\n|---|---|\n";
    for (const auto& [what, frames] : monkey.framesIn)
        out += "| " + what + " | " + std::to_string(frames) + " |\n";
    out += "| deaths | " + std::to_string(monkey.deaths) + " |\n";
    out += "| boss fights | " + std::to_string(monkey.bossFights) + " |\n";
    out += "| endings | " + std::to_string(monkey.endings) + " |\n";
    return out;
}

}  // namespace varnholt
