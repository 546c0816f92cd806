#include "enemies/roster.h"

#include <array>
#include <cstring>

#include "app/game_state.h"

namespace varnholt {

EnemySlot enemySlots[enemySlotCount] = {};
int32_t enemyScreenX[enemySlotCount] = {};
int32_t enemyScreenY[enemySlotCount] = {};
int32_t enemyBump[enemySlotCount] = {};
int32_t detourX[enemySlotCount] = {};
int32_t detourY[enemySlotCount] = {};
int32_t wanderX[enemySlotCount] = {};
int32_t wanderY[enemySlotCount] = {};
int32_t contactFrames[enemySlotCount] = {};
int32_t enemyHitTimer[enemySlotCount] = {};

namespace {

struct RosterEntry {
    int32_t kind, power, hp, expValue, expLevel, speed, x, y;
};
using Roster = std::array<RosterEntry, enemySlotCount>;

// T the play time in seconds, L the player's level, A his attack.

Roster area40(int32_t t) {
    const int32_t weak = t / 70 + 1;
    const int32_t tough = t / 30 + 3;
    return {{{3, weak, tough, 5, t / 100 + 3, 1, 900, 1000},
             {0, weak, tough, 10, t / 100 + 2, 2, 200, 400},
             {2, t / 50 + 2, t / 25 + 1, 20, t / 100 + 3, 3, 700, 800},
             {0, weak, tough, 10, t / 100 + 3, 2, 600, 400},
             {0, weak, tough, 10, t / 100 + 2, 2, 850, 250},
             {1, weak, t / 30 + 4, 10, t / 100 + 3, 1, 1000, 900},
             {1, weak, t / 30 + 4, 10, t / 100 + 2, 1, 300, 500},
             {1, weak, t / 30 + 4, 10, t / 100 + 3, 1, 700, 300}}};
}

Roster area30(int32_t t, int32_t l) {
    const int32_t p = l / 4 + t / 100;
    const int32_t h = l + t / 50;
    const int32_t e = t / 100;
    return {{{0, p + 2, h + 5, 15, e + 5, 2, 200, 700},
             {0, p + 2, h + 5, 15, e + 6, 2, 200, 450},
             {1, p + 3, h + 4, 10, e + 6, 1, 300, 700},
             {0, p + 2, h + 5, 15, e + 5, 2, 600, 200},
             {0, p + 2, h + 5, 10, e + 5, 2, 800, 500},
             {3, p + 3, h + 6, 10, e + 6, 1, 500, 400},
             {2, p + 2, h + 3, 10, e + 6, 3, 700, 800},
             {1, p + 3, h + 4, 10, e + 7, 1, 700, 200}}};
}

Roster area31(int32_t t, int32_t l) {
    const int32_t p = l / 3 + t / 100;
    const int32_t h = l + t / 50;
    const int32_t e = t / 100;
    return {{{0, p + 3, h + 8, 13, e + 5, 2, 200, 300},
             {0, p + 3, h + 8, 13, e + 6, 2, 200, 400},
             {1, p + 2, h + 7, 10, e + 5, 1, 300, 600},
             {3, p + 2, h + 6, 13, e + 6, 3, 600, 400},
             {3, p + 2, h + 6, 13, e + 6, 1, 900, 500},
             {1, p + 3, h + 7, 10, e + 6, 1, 200, 400},
             {3, p + 2, h + 6, 10, e + 7, 1, 450, 650},
             {3, p + 2, h + 7, 10, e + 7, 1, 900, 200}}};
}

Roster area32(int32_t t, int32_t l) {
    const int32_t p = l / 2 + t / 100;
    const int32_t h = l + t / 50;
    const int32_t e = t / 100;
    return {{{0, p + 3, h + 9, 10, e + 5, 1, 200, 300},
             {0, p + 2, h + 12, 10, e + 5, 2, 200, 400},
             {1, p + 1, h + 9, 10, e + 5, 1, 300, 700},
             {2, p + 2, h + 7, 10, e + 5, 3, 600, 400},
             {0, p + 2, h + 12, 10, e + 5, 2, 850, 500},
             {1, p + 2, h + 12, 10, e + 4, 1, 555, 500},
             {1, p + 2, h + 12, 10, e + 5, 1, 500, 750},
             {3, p + 2, h + 12, 10, e + 4, 1, 200, 800}}};
}

Roster areas20And22(int32_t t, int32_t l) {
    const int32_t p = l / 2 + t / 100;
    const int32_t h = l + t / 50;
    const int32_t e = t / 100;
    return {{{0, p + 4, h + 11, 20, e + 7, 2, 200, 300},
             {0, p + 3, h + 16, 20, e + 8, 2, 200, 400},
             {2, p + 2, h + 9, 15, e + 7, 3, 300, 700},
             {0, p + 3, h + 16, 20, e + 7, 2, 300, 400},
             {0, p + 3, h + 16, 20, e + 7, 2, 450, 500},
             {1, p + 2, h + 11, 10, e + 7, 1, 300, 800},
             {1, p + 2, h + 12, 15, e + 7, 1, 500, 800},
             {3, p + 2, h + 15, 10, e + 7, 1, 400, 850}}};
}

Roster areas10And12(int32_t t, int32_t l, int32_t a) {
    const int32_t p = l + t / 100;
    const int32_t h = 2 * l + t / 50;
    const int32_t e = a / 2 + t / 100 + 10;
    const int32_t s = t / 1000;
    return {{{0, p + 3, h + 20, 20, e, s + 2, 200, 300},
             {2, p + 3, h + 5, 15, e, s + 3, 200, 400},
             {2, p + 2, h + 10, 15, e, s + 3, 300, 500},
             {0, p + 3, h + 20, 20, e, s + 2, 600, 400},
             {0, p + 3, h + 20, 20, e, s + 2, 400, 500},
             {1, p + 3, h + 15, 15, e, s + 1, 300, 700},
             {1, p + 3, h + 15, 15, e, s + 1, 450, 700},
             {1, p + 3, h + 15, 15, e, s + 1, 500, 200}}};
}

// The great hall below the boss; kinds 4 and 5 live only here.
Roster area11(int32_t t, int32_t l, int32_t a) {
    const int32_t golemPower = 4 * l + t / 200 + 3;
    const int32_t golemHp = a + t / 20 + 200;
    const int32_t golemSpeed = t / 600 + 3;
    const int32_t knightPower = 6 * l + t / 300 + 20;
    const int32_t knightHp = a + t / 30 + 100;
    const int32_t knightSpeed = t / 500 + 2;
    const int32_t wraithPower = 3 * l + t / 100 + 3;
    const int32_t wraithHp = 2 * l + t / 50;
    const int32_t wraithSpeed = t / 700 + 1;
    const int32_t early = a / 2 + t / 40 + 15;
    const int32_t late = a / 2 + t / 50 + 25;
    return {{{5, golemPower, golemHp, 200, early, golemSpeed, 600, 500},
             {4, knightPower, knightHp, 210, late, knightSpeed, 650, 500},
             {4, knightPower, knightHp, 210, late, knightSpeed, 750, 400},
             {5, golemPower, golemHp, 200, late, golemSpeed, 1000, 250},
             {5, golemPower, golemHp, 200, late, golemSpeed, 600, 550},
             {1, wraithPower, wraithHp + 70, 25, early, wraithSpeed, 550, 500},
             {1, wraithPower, wraithHp + 55, 25, early, wraithSpeed, 650, 350},
             {1, wraithPower, wraithHp + 60, 45, early, wraithSpeed, 600, 400}}};
}

bool rosterOf(int32_t area, Roster& roster) {
    const int32_t t = playSeconds;
    switch (area) {
    case 40: roster = area40(t); return true;
    case 30: roster = area30(t, level); return true;
    case 31: roster = area31(t, level); return true;
    case 32: roster = area32(t, level); return true;
    case 20:
    case 22: roster = areas20And22(t, level); return true;
    case 10:
    case 12: roster = areas10And12(t, level, attack); return true;
    case 11: roster = area11(t, level, attack); return true;
    default: return false;
    }
}

// In area 30 the first enemy is worth its full award up to level 3 only
// right after it was set up itself.
constexpr int32_t area30FirstSlotExpLevel = 3;

}  // namespace

void setUpEnemies(int32_t area, int32_t all, int32_t slot) {
    Roster roster;
    if (!rosterOf(area, roster)) return;
    for (int k = 0; k < enemySlotCount; ++k) enemySlots[k].expLevel = roster[k].expLevel;
    for (int k = 0; k < enemySlotCount; ++k) {
        if (all != 1 && k != slot) continue;
        EnemySlot& enemy = enemySlots[k];
        const RosterEntry& entry = roster[k];
        enemy.kind = entry.kind;
        enemy.power = entry.power;
        enemy.hp = entry.hp;
        enemy.expValue = entry.expValue;
        enemy.speed = entry.speed;
        enemy.x = entry.x;
        enemy.y = entry.y;
        enemy.spare = 1;
        enemy.active = 1;
        if (area == 30 && k == 0) enemy.expLevel = area30FirstSlotExpLevel;
    }
}

void resetEnemies() {
    std::memset(enemySlots, 0, sizeof enemySlots);
    for (int32_t* values : {enemyScreenX, enemyScreenY, enemyBump, detourX, detourY, wanderX,
                            wanderY, contactFrames, enemyHitTimer}) {
        std::memset(values, 0, sizeof(int32_t) * enemySlotCount);
    }
}

}  // namespace varnholt
