#include "app/autoplayer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <random>
#include <vector>

#include "app/game_state.h"
#include "enemies/boss.h"
#include "enemies/roster.h"
#include "world/area_maps.h"

namespace varnholt {

namespace {

constexpr int cellSize = 64;
constexpr int32_t bossArea = 1;
constexpr int32_t startArea = 40;

enum Side { SideUp, SideDown, SideLeft, SideRight, Pit };

// The way on toward the boss from each area, as a player who knows the
// cave takes it: the first side of the list that has an opening he can
// walk to is used. Until the third fall through the pit the way into area
// 11 is walled up, so he climbs back out of area 30 and falls again. From
// the third fall on one of two ways is open, area 10's or area 12's, and
// which one only shows on arriving there: area 10's is tried first, being
// the shorter.
bool areaTenClosed = false;  // area 10 showed no way on since the last fall

std::vector<Side> waysOn(int32_t area) {
    const bool wayOpen = fallCount >= 3;
    switch (area) {
    case 40: return {Pit};
    case 30:
        if (!wayOpen) return {SideDown};
        return areaTenClosed ? std::vector<Side>{SideRight} : std::vector<Side>{SideUp};
    case 20: return {areaTenClosed ? SideDown : SideUp};
    case 10: return {SideRight};
    case 31: return {SideRight};
    case 32: return {SideUp};
    case 22: return {SideUp};
    case 12: return {SideLeft};
    case 11: return {SideUp};
    default: return {};
    }
}

// The level a player wants before leaving an area toward the boss: the
// later areas' enemies grow with the player's level and the time played,
// so the levels are earned where the enemies are still gentle.
int32_t levelWantedToLeave(int32_t area) {
    switch (area) {
    case 40: return 3;
    case 30: return 6;
    case 31: return 8;
    case 32: return 10;
    case 22: return 12;
    case 12: return 14;
    case 20: return 12;
    case 10: return 14;
    default: return 0;
    }
}

struct Cell {
    int row = 0, col = 0;
    bool operator==(const Cell& other) const { return row == other.row && col == other.col; }
};

struct Autoplayer {
    std::mt19937 random;
    int32_t difficultyWanted = 0;
    uint32_t frame = 0;

    // The title menu.
    bool menuKeyWasDown = false;

    // Saving and loading.
    bool saved = false;
    int32_t savedLevel = 0;
    uint32_t deadSince = 0;
    bool loadPressed = false;

    // Where it is going in this area.
    int32_t plannedArea = -1;
    uint32_t plannedFallCount = 0;
    std::vector<Cell> exits;
    Side exitSide = Pit;
    Cell wanderTarget{-1, -1};
    Cell lastCell{-1, -1};
    uint32_t sameCellFrames = 0;
    uint32_t unstickUntil = 0;
    int unstickKey = 0;

    // The fight under way.
    std::array<uint32_t, enemySlotCount> engaged{};  // frames fought since the last blow that struck
    std::array<uint32_t, enemySlotCount> ignoreUntil{};
    bool recovering = false;

    // What the game reached.
    std::map<int32_t, uint64_t> framesInArea;
    std::map<int32_t, uint32_t> firstArrival;  // the frame each area was first played in
    uint64_t deaths = 0, loads = 0, saves = 0, bossVisits = 0;
    int32_t levelAtBoss = 0, hpAtBoss = 0, maxHpAtBoss = 0;
    uint32_t endingFrameReached = 0;
    uint32_t bestShownAt = 0;
    bool finished = false;
    bool wasDead = false;
    int32_t lastArea = -1;
};

Autoplayer ap;

int floorDiv(int32_t value, int32_t by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

// Where the player's sprite stands in the area, in pixels.
int32_t playerWorldX() { return playerX + 288; }
int32_t playerWorldY() { return playerY + 208; }

Cell cellAt(int32_t x, int32_t y) { return {floorDiv(y + cellSize / 2, cellSize), floorDiv(x + cellSize / 2, cellSize)}; }
Cell playerCell() { return cellAt(playerWorldX(), playerWorldY()); }

bool insideMap(Cell c) { return c.row >= 0 && c.col >= 0 && c.row < mapRows && c.col < mapCols; }
bool walkable(Cell c) {
    return insideMap(c) && (isFloorCode(areaMap[c.row][c.col]) || areaMap[c.row][c.col] == pitCode);
}

int32_t enemyX(int s) { return enemySlots[s].x; }
int32_t enemyY(int s) { return enemySlots[s].y; }

bool freeToAct() { return fadingOut == 0 && fadingIn == 0 && quakeFrames < 1 && fallFrames == 0; }

void arrowsFor(std::vector<int>& keys, int32_t dx, int32_t dy, int32_t slack) {
    if (dx < -slack) keys.push_back(vk::Left);
    if (dx > slack) keys.push_back(vk::Right);
    if (dy < -slack) keys.push_back(vk::Up);
    if (dy > slack) keys.push_back(vk::Down);
}

// Breadth-first distances over open cells from `from`.
std::vector<int> distancesFrom(Cell from) {
    std::vector<int> distance(size_t(areaMapRows * areaMapCols), -1);
    if (!insideMap(from)) return distance;
    std::vector<Cell> queue{from};
    distance[size_t(from.row * areaMapCols + from.col)] = 0;
    static constexpr int dr[4] = {-1, 1, 0, 0};
    static constexpr int dc[4] = {0, 0, -1, 1};
    for (size_t at = 0; at < queue.size(); ++at) {
        const Cell c = queue[at];
        for (int d = 0; d < 4; ++d) {
            const Cell n{c.row + dr[d], c.col + dc[d]};
            if (!walkable(n) || distance[size_t(n.row * areaMapCols + n.col)] >= 0) continue;
            distance[size_t(n.row * areaMapCols + n.col)] = distance[size_t(c.row * areaMapCols + c.col)] + 1;
            queue.push_back(n);
        }
    }
    return distance;
}

// The first cell of a shortest walk from `from` to `to`, or `to` itself
// when there is no walk or `from` is off the map.
Cell nextCellTowards(Cell from, Cell to) {
    if (!insideMap(from) || !insideMap(to) || from == to) return to;
    const std::vector<int> distance = distancesFrom(to);
    if (distance[size_t(from.row * areaMapCols + from.col)] < 0) return to;
    static constexpr int dr[4] = {-1, 1, 0, 0};
    static constexpr int dc[4] = {0, 0, -1, 1};
    Cell best = to;
    int bestDistance = distance[size_t(from.row * areaMapCols + from.col)];
    for (int d = 0; d < 4; ++d) {
        const Cell n{from.row + dr[d], from.col + dc[d]};
        if (!insideMap(n)) continue;
        const int there = distance[size_t(n.row * areaMapCols + n.col)];
        if (there >= 0 && there < bestDistance) {
            bestDistance = there;
            best = n;
        }
    }
    return best;
}

void walkTowardsCell(std::vector<int>& keys, Cell cell, int32_t slack) {
    arrowsFor(keys, cell.col * cellSize - playerWorldX(), cell.row * cellSize - playerWorldY(), slack);
}

// Not every opening on the side that leads on is a way: the right-hand
// opening at the top of area 32 comes out in a corner of area 22 that is
// walled off from that area's own way on.
bool leadsOn(int32_t area, Side side, Cell cell) { return !(area == 32 && side == SideUp && cell.col != 7); }

bool onSide(Side side, Cell cell) {
    switch (side) {
    case Pit: return areaMap[cell.row][cell.col] == pitCode;
    case SideUp: return cell.row == 0;
    case SideDown: return cell.row == mapRows - 1;
    case SideLeft: return cell.col == 0;
    case SideRight: return cell.col == mapCols - 1;
    }
    return false;
}

// The openings of this area on the side that leads on, or the pit; when
// none of them can be walked to from here, any opening that can.
void planArea() {
    ap.plannedArea = areaId;
    ap.plannedFallCount = uint32_t(fallCount);
    ap.exits.clear();
    ap.wanderTarget = {-1, -1};
    const std::vector<int> distance = distancesFrom(playerCell());
    auto reachable = [&](Cell cell) { return walkable(cell) && distance[size_t(cell.row * areaMapCols + cell.col)] >= 0; };
    std::vector<Side> sides = waysOn(areaId);
    for (Side side : {SideUp, SideDown, SideLeft, SideRight, Pit})
        if (std::find(sides.begin(), sides.end(), side) == sides.end()) sides.push_back(side);
    const size_t preferred = waysOn(areaId).size();
    for (size_t i = 0; i < sides.size() && ap.exits.empty(); ++i) {
        if (i == preferred && areaId == 10) areaTenClosed = true;
        for (int r = 0; r < mapRows; ++r) {
            for (int c = 0; c < mapCols; ++c) {
                const Cell cell{r, c};
                if (!reachable(cell) || !onSide(sides[i], cell)) continue;
                if (sides[i] != Pit && areaMap[r][c] == pitCode) continue;
                if (i < preferred && !leadsOn(areaId, sides[i], cell)) continue;
                ap.exits.push_back(cell);
            }
        }
        ap.exitSide = sides[i];
    }
    // The nearest opening first.
    std::sort(ap.exits.begin(), ap.exits.end(), [&](Cell a, Cell b) {
        return distance[size_t(a.row * areaMapCols + a.col)] < distance[size_t(b.row * areaMapCols + b.col)];
    });
}

void travelKeys(std::vector<int>& keys, bool dash) {
    if (ap.plannedFallCount != uint32_t(fallCount)) areaTenClosed = false;
    if (ap.plannedArea != areaId || ap.plannedFallCount != uint32_t(fallCount)) planArea();
    if (ap.exits.empty()) return;
    const Cell here = playerCell();
    const Cell exit = ap.exits.front();
    if (here == exit) {
        switch (ap.exitSide) {
        case SideUp: keys.push_back(vk::Up); break;
        case SideDown: keys.push_back(vk::Down); break;
        case SideLeft: keys.push_back(vk::Left); break;
        case SideRight: keys.push_back(vk::Right); break;
        case Pit: walkTowardsCell(keys, exit, 1); return;  // the pit wants the sprite within 4 pixels
        }
        // Keep to the opening's middle on the way out.
        if (ap.exitSide == SideUp || ap.exitSide == SideDown) {
            arrowsFor(keys, exit.col * cellSize - playerWorldX(), 0, 4);
        } else {
            arrowsFor(keys, 0, exit.row * cellSize - playerWorldY(), 4);
        }
    } else {
        const Cell next = nextCellTowards(here, exit);
        // Near the pit no dash: it must be met exactly.
        walkTowardsCell(keys, next, ap.exitSide == Pit && std::abs(here.row - exit.row) + std::abs(here.col - exit.col) < 3 ? 1 : 3);
        if (ap.exitSide == Pit && std::abs(here.row - exit.row) + std::abs(here.col - exit.col) < 3) dash = false;
    }
    if (dash && stamina > maxStamina / 2) keys.push_back(vk::X);
}

// Walks somewhere far in the area, where the enemies killed earlier come
// back out of sight.
void wanderKeys(std::vector<int>& keys) {
    const Cell here = playerCell();
    if (!walkable(ap.wanderTarget) || here == ap.wanderTarget) {
        const std::vector<int> distance = distancesFrom(here);
        std::vector<Cell> far;
        for (int r = 0; r < mapRows; ++r)
            for (int c = 0; c < mapCols; ++c)
                if (distance[size_t(r * areaMapCols + c)] >= 6 && areaMap[r][c] != pitCode) far.push_back({r, c});
        if (far.empty()) return;
        ap.wanderTarget = far[ap.random() % far.size()];
    }
    walkTowardsCell(keys, nextCellTowards(here, ap.wanderTarget), 3);
}

// Hold C through the three live frames of a swing, let go for one.
void swing(std::vector<int>& keys) {
    if (swordFrames < 3) keys.push_back(vk::C);
}


// The nearest enemy within `reach` pixels on both axes, one that can be
// hurt before one that cannot. One left alone for a while (it could not be
// reached) is skipped unless it comes close.
int nearestEnemy(int32_t reach, bool skipIgnored) {
    int best = -1;
    int32_t bestDistance = 0;
    for (int s = 0; s < enemySlotCount; ++s) {
        if (enemySlots[s].active != 1) continue;
        const int32_t d = std::max(std::abs(enemyX(s) - playerWorldX()), std::abs(enemyY(s) - playerWorldY()));
        if (d > reach) continue;
        if (skipIgnored && ap.ignoreUntil[size_t(s)] > ap.frame && d > 48) continue;
        const int32_t rank = d + (enemyHitTimer[s] > 1 ? 1000 : 0);
        if (best < 0 || rank < bestDistance) {
            bestDistance = rank;
            best = s;
        }
    }
    return best;
}

struct Threat {
    int32_t x, y;  // top-left corner in the area, in pixels
};

std::vector<Threat> enemyThreats() {
    std::vector<Threat> threats;
    for (int s = 0; s < enemySlotCount; ++s)
        if (enemySlots[s].active == 1) threats.push_back({enemySlots[s].x, enemySlots[s].y});
    return threats;
}

// The boss (its middle) and its shots.
std::vector<Threat> bossThreats() {
    std::vector<Threat> threats{{bossX + 32, bossY + 32}};
    for (const BossShot& shot : bossShots)
        if (shot.kind >= 1) threats.push_back({shot.drawX, shot.drawY});
    return threats;
}

int32_t roomAt(const std::vector<Threat>& threats, int32_t x, int32_t y) {
    int32_t room = 100000;
    for (const Threat& t : threats) room = std::min(room, std::max(std::abs(t.x - x), std::abs(t.y - y)));
    return room;
}

// Steps away: of the eight directions, the one whose next steps land on
// open floor farthest from the nearest threat.
void fleeKeys(std::vector<int>& keys, const std::vector<Threat>& threats) {
    static constexpr int dxs[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
    static constexpr int dys[8] = {0, 0, -1, 1, -1, 1, -1, 1};
    int best = -1;
    int32_t bestRoom = -1;
    for (int d = 0; d < 8; ++d) {
        const int32_t x = playerWorldX() + dxs[d] * 40, y = playerWorldY() + dys[d] * 40;
        if (!walkable(cellAt(x, y))) continue;
        const int32_t room = roomAt(threats, x, y);
        if (room > bestRoom) {
            bestRoom = room;
            best = d;
        }
    }
    if (best < 0) return;
    arrowsFor(keys, dxs[best], dys[best], 0);
    if (stamina > maxStamina / 4) keys.push_back(vk::X);
}

// Whether a swing with the given facing reaches an enemy (dx, dy) pixels
// from the player.
bool swordReaches(int32_t facingNow, int32_t dx, int32_t dy) {
    switch (facingNow) {
    case 0: return dx > -45 && dx < 45 && dy > -72 && dy < 8;
    case 1: return dx > -12 && dx < 68 && dy > -45 && dy < 45;
    case 2: return dx > -45 && dx < 45 && dy > -12 && dy < 68;
    default: return dx > -71 && dx < 9 && dy > -45 && dy < 45;
    }
}

// Swings as soon as the sword would strike an enemy that can be hurt;
// otherwise faces the target along the axis it is farther on, which is the
// side it will reach the sword from. It comes to him; he steps toward it
// only when it keeps away. A blow throws it back farther than it can come
// again before it may be struck again, so one enemy at a time never
// reaches him.
void fightKeys(std::vector<int>& keys, int target, bool closeIn) {
    for (int s = 0; s < enemySlotCount; ++s) {
        if (enemySlots[s].active != 1 || enemyHitTimer[s] > 1) continue;
        if (swordReaches(facing, enemyX(s) - playerWorldX(), enemyY(s) - playerWorldY())) {
            swing(keys);
            return;
        }
    }
    // One still shaking off a blow comes on faster than it was thrown back:
    // give ground until it can be struck again.
    std::vector<Threat> untouchable;
    for (int s = 0; s < enemySlotCount; ++s) {
        if (enemySlots[s].active != 1 || enemyHitTimer[s] <= 1) continue;
        if (std::max(std::abs(enemyX(s) - playerWorldX()), std::abs(enemyY(s) - playerWorldY())) < 76)
            untouchable.push_back({enemyX(s), enemyY(s)});
    }
    if (!untouchable.empty()) {
        fleeKeys(keys, untouchable);
        return;
    }
    const int32_t dx = enemyX(target) - playerWorldX();
    const int32_t dy = enemyY(target) - playerWorldY();
    const int32_t want = std::abs(dx) >= std::abs(dy) ? (dx > 0 ? 1 : 3) : (dy > 0 ? 2 : 0);
    static constexpr int keyOf[4] = {vk::Up, vk::Right, vk::Down, vk::Left};
    if (facing != want && !swordReaches(facing, dx, dy)) {
        keys.push_back(keyOf[want]);
        return;
    }
    if (closeIn && std::max(std::abs(dx), std::abs(dy)) > 90) keys.push_back(keyOf[want]);
}

// The boss: close in on the side nearest to the player, face it and swing.
void bossKeys(std::vector<int>& keys) {
    const int32_t px = playerWorldX(), py = playerWorldY();
    const int32_t bx = bossX, by = bossY;
    struct Spot {
        int32_t x, y, facing;
    };
    const Spot spots[4] = {{bx - 46, by + 32, 1}, {bx + 112, by + 32, 3}, {bx + 32, by - 54, 2}, {bx + 32, by + 120, 0}};
    int best = -1;
    int32_t bestDistance = 0;
    for (int i = 0; i < 4; ++i) {
        const Spot& spot = spots[i];
        if (spot.x < 44 || spot.x > 660 || spot.y < 49 || spot.y > 655) continue;
        const int32_t d = std::abs(spot.x - px) + std::abs(spot.y - py);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    // In reach on any side with the right facing: strike.
    const int32_t dx = bx - px, dy = by - py;
    const bool reach[4] = {dx > -76 && dx < 68 && dy > -109 && dy < 45, dx > -135 && dx < 9 && dy > -109 && dy < 45,
                           dx > -109 && dx < 45 && dy > -76 && dy < 68, dx > -109 && dx < 45 && dy > -136 && dy < 8};
    const int32_t facingOf[4] = {1, 3, 2, 0};
    for (int i = 0; i < 4; ++i) {
        if (reach[i] && facing == facingOf[i] && bossHitTimer == 0) {
            swing(keys);
            return;
        }
    }
    if (best < 0) return;
    const Spot& spot = spots[best];
    if (std::abs(spot.x - px) <= 6 && std::abs(spot.y - py) <= 6) {
        if (facing != spot.facing) {
            static constexpr int keyOf[4] = {vk::Up, vk::Right, vk::Down, vk::Left};
            keys.push_back(keyOf[spot.facing]);
        }
        return;
    }
    arrowsFor(keys, spot.x - px, spot.y - py, 3);
    if (stamina > maxStamina / 3) keys.push_back(vk::X);
}

void noteFrame() {
    if (scene == 1 && hp >= 1) {
        ap.framesInArea[areaId] += 1;
        ap.firstArrival.emplace(areaId, ap.frame);
    }
    const bool dead = scene == 1 && playing == 0 && hp < 1;
    if (dead && !ap.wasDead) {
        ap.deaths += 1;
    }
    ap.wasDead = dead;
    if (scene == 1 && areaId == bossArea && ap.lastArea != bossArea) {
        ap.bossVisits += 1;
        ap.levelAtBoss = level;
        ap.hpAtBoss = hp;
        ap.maxHpAtBoss = maxHp;
    }
    ap.lastArea = areaId;
}

ScriptedInput titleInput() {
    ScriptedInput input;
    std::vector<int>& keys = input.keys;
    if (fadingOut != 0) return input;
    if (titleScroll > 0) {
        keys.push_back(vk::Return);
        return input;
    }
    if (menuCursor != ap.difficultyWanted) {
        // One press per move: let go between two.
        if (!ap.menuKeyWasDown) keys.push_back(vk::Down);
        ap.menuKeyWasDown = !ap.menuKeyWasDown;
        return input;
    }
    keys.push_back(vk::C);
    return input;
}

ScriptedInput endingInput() {
    ScriptedInput input;
    if (ap.endingFrameReached == 0) ap.endingFrameReached = ap.frame;
    // The best score is shown from ending frame 1400 on (a short score
    // holds the count there); a second to look at it, then the game is
    // closed.
    if (endingFrame >= 1400) {
        if (!ap.finished) ap.bestShownAt = ap.frame;
        ap.finished = true;
        if (ap.frame - ap.bestShownAt >= 60) input.keys.push_back(vk::Escape);
    }
    return input;
}

bool strongEnoughToSave() {
    return hp * 10 >= maxHp * 9 && stamina * 3 >= maxStamina * 2 && (!ap.saved || level > ap.savedLevel);
}

ScriptedInput playInput() {
    ScriptedInput input;
    std::vector<int>& keys = input.keys;
    if (hp < 1) {
        // Dead: look at the score a while, then go back to the last save.
        if (ap.deadSince == 0) ap.deadSince = ap.frame;
        if (!ap.loadPressed && ap.frame - ap.deadSince >= 120 + ap.random() % 60 && fadingOut == 0 && fadingIn == 0) {
            keys.push_back(vk::F8);
            ap.loadPressed = true;
            ap.loads += 1;
        }
        return input;
    }
    ap.deadSince = 0;
    ap.loadPressed = false;
    if (paused == 1) {
        keys.push_back(vk::V);
        return input;
    }
    if (!freeToAct()) return input;

    if (areaId == bossArea) {
        // Hurt: keep away from the boss and its shots, and rest when they
        // are far.
        if (ap.recovering || hp * 10 < maxHp * 4) {
            ap.recovering = hp * 10 < maxHp * 8;
            const std::vector<Threat> threats = bossThreats();
            if (roomAt(threats, playerWorldX(), playerWorldY()) < 220) {
                fleeKeys(keys, threats);
            } else if (stamina * 4 > maxStamina) {
                keys.push_back(vk::Z);
            }
            return input;
        }
        if (bossAlive == 1) bossKeys(keys);
        return input;
    }

    if (strongEnoughToSave()) {
        keys.push_back(vk::F1 + 6);  // F7
        ap.saved = true;
        ap.savedLevel = level;
        ap.saves += 1;
        return input;
    }
    const bool hurt = hp * 10 < maxHp * 6;
    const bool wantsLevels = level < levelWantedToLeave(areaId);
    const int near = nearestEnemy(areaId == 11 ? 120 : wantsLevels ? 140 : 100, true);
    // Badly hurt with enemies about: away from them first.
    // (Not below the boss: its guards outrun him; only the way out helps.)
    if (areaId != 11 && hp * 10 < maxHp * 4 && nearestEnemy(200, false) >= 0 && stamina > 0) {
        fleeKeys(keys, enemyThreats());
        return input;
    }
    for (int s = 0; s < enemySlotCount; ++s)
        if (enemyHitTimer[s] == 30) ap.engaged[size_t(s)] = 0;
    const bool spent = stamina * 8 < maxStamina;
    if (near >= 0 && !spent) {
        // A foe that cannot be reached (behind a wall) is left alone a while.
        if (++ap.engaged[size_t(near)] > (wantsLevels ? 400u : 150u)) {
            ap.ignoreUntil[size_t(near)] = ap.frame + 600;
            ap.engaged[size_t(near)] = 0;
        } else {
            fightKeys(keys, near, wantsLevels);
            return input;
        }
    }
    // Out of breath: every step would cost hit points.
    if (spent || (ap.recovering && stamina * 2 < maxStamina)) {
        ap.recovering = true;
        return input;
    }

    const bool nobodyNear = nearestEnemy(260, false) < 0;
    // Weak: rest while there is stamina to rest with, otherwise stand.
    if (ap.recovering || hurt || stamina * 4 < maxStamina) {
        ap.recovering = hp * 10 < maxHp * 9 || stamina * 3 < maxStamina * 2;
        if (nobodyNear && ap.recovering) {
            if (hp < maxHp && stamina * 3 > maxStamina) keys.push_back(vk::Z);
            return input;
        }
    }

    // Stuck against something: a few steps aside.
    const Cell here = playerCell();
    if (here == ap.lastCell) {
        if (++ap.sameCellFrames > 200) {
            ap.sameCellFrames = 0;
            ap.unstickUntil = ap.frame + 20 + ap.random() % 40;
            static constexpr int aside[4] = {vk::Up, vk::Down, vk::Left, vk::Right};
            ap.unstickKey = aside[ap.random() % 4];
            ap.wanderTarget = {-1, -1};
        }
    } else {
        ap.lastCell = here;
        ap.sameCellFrames = 0;
    }
    if (ap.frame < ap.unstickUntil) {
        keys.push_back(ap.unstickKey);
        return input;
    }

    if (wantsLevels) {
        // The nearest enemy there is a walk to.
        const std::vector<int> distance = distancesFrom(here);
        int prey = -1, preyDistance = 0;
        for (int s = 0; s < enemySlotCount; ++s) {
            if (enemySlots[s].active != 1 || ap.ignoreUntil[size_t(s)] > ap.frame) continue;
            const Cell at = cellAt(enemyX(s), enemyY(s));
            if (!walkable(at)) continue;
            const int d = distance[size_t(at.row * areaMapCols + at.col)];
            if (d >= 0 && (prey < 0 || d < preyDistance)) {
                prey = s;
                preyDistance = d;
            }
        }
        if (prey >= 0) {
            const Cell at = cellAt(enemyX(prey), enemyY(prey));
            if (at == here) {
                arrowsFor(keys, enemyX(prey) - playerWorldX(), enemyY(prey) - playerWorldY(), 3);
            } else {
                walkTowardsCell(keys, nextCellTowards(here, at), 3);
            }
            return input;
        }
        wanderKeys(keys);
        return input;
    }
    travelKeys(keys, areaId == 11 || stamina * 2 > maxStamina);
    return input;
}

}  // namespace

void startAutoplayer(uint32_t seed, int32_t difficulty) {
    ap = Autoplayer{};
    areaTenClosed = false;
    ap.random.seed(seed);
    ap.difficultyWanted = difficulty;
}

void resumeAutoplayer() {
    ap.plannedArea = -1;
    ap.deadSince = 0;
    ap.loadPressed = false;
    ap.recovering = false;
    ap.unstickUntil = 0;
}

ScriptedInput autoplayInput(uint32_t frame) {
    ap.frame = frame;
    if (frame > 1) noteFrame();
    ScriptedInput input = scene == 0 ? titleInput() : scene == 1 ? playInput() : endingInput();
    input.fromFrame = frame;
    return input;
}

bool autoplayerFinished() { return ap.finished; }

std::string autoplayReport() {
    std::string out = "| What | Value |\n|---|---|\n";
    auto row = [&](const std::string& what, const std::string& value) { out += "| " + what + " | " + value + " |\n"; };
    row("difficulty", std::to_string(ap.difficultyWanted));
    row("frames to the ending", ap.endingFrameReached ? std::to_string(ap.endingFrameReached) : "not reached");
    row("deaths", std::to_string(ap.deaths));
    row("loads", std::to_string(ap.loads));
    row("saves", std::to_string(ap.saves));
    row("boss fights", std::to_string(ap.bossVisits));
    row("level at the boss", ap.bossVisits ? std::to_string(ap.levelAtBoss) : "-");
    row("hit points at the boss",
        ap.bossVisits ? std::to_string(ap.hpAtBoss) + " of " + std::to_string(ap.maxHpAtBoss) : "-");
    for (const auto& [area, frames] : ap.framesInArea) {
        row("area " + std::to_string(area) + ": first reached at frame", std::to_string(ap.firstArrival[area]));
        row("area " + std::to_string(area) + ": frames played", std::to_string(frames));
    }
    row("falls through the pit since the last load", std::to_string(fallCount));
    row("level", std::to_string(level));
    row("final score", ap.finished ? std::to_string(score) : "-");
    row("best score", ap.finished ? std::to_string(bestScore) : "-");
    return out;
}

}  // namespace varnholt
