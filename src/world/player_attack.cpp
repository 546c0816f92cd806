#include "world/player_attack.h"

#include "app/game_state.h"
#include "app/random.h"
#include "audio/sound_effects.h"
#include "enemies/roster.h"

namespace varnholt {

namespace {

constexpr int32_t bossArea = 1;
constexpr int32_t fullCharge = 160;
constexpr int32_t enemyProtection = 30;
constexpr int32_t bossProtection = 50;
constexpr int32_t enemyKnock = 100;
constexpr int32_t bossKnock = 70;
constexpr int32_t levelExp = 100;
constexpr int32_t topLevel = 99;

bool swinging() { return swordFrames >= 1 && swordFrames <= 3; }

bool chargeReleased() { return chargeFrames >= fullCharge && swordFrames == 0; }

// The sword's reach for the current facing: is the target at screen (tx,
// ty) inside it? `far` widens the box on the far sides (64 for the boss).
bool inSwordBox(int32_t tx, int32_t ty, int32_t far) {
    const int32_t px = playerOffsetX + 288;
    const int32_t py = playerOffsetY + 208;
    switch (facing) {
    case 0: return -45 < px - tx && px - tx < 45 + far && -64 < py - 56 - ty && py - 56 - ty < 16 + far;
    case 1: return -16 < px + 52 - tx && px + 52 - tx < 64 + far && -45 < py - ty && py - ty < 45 + far;
    case 2: return -45 < px - tx && px - tx < 45 + far && -16 < py + 52 - ty && py + 52 - ty < 64 + far;
    case 3: return -64 < px - 55 - tx && px - 55 - tx < 16 + far && -45 < py - ty && py - ty < 45 + far;
    default: return false;
    }
}

// Pushes the target away from the player along the facing, remembering
// where it stood.
void knockBack(int32_t& x, int32_t& prevX, int32_t& y, int32_t& prevY, int32_t distance) {
    switch (facing) {
    case 0: prevY = y; y -= distance; break;
    case 1: prevX = x; x += distance; break;
    case 2: prevY = y; y += distance; break;
    case 3: prevX = x; x -= distance; break;
    default: break;
    }
}

// The award halves once for every level the player is above the enemy's;
// past the width of the value nothing is left.
int32_t award(const EnemySlot& enemy) {
    if (level <= enemy.expLevel) return enemy.expValue;
    const int64_t difference = int64_t(level) - enemy.expLevel;
    if (difference >= 31) return 0;
    return enemy.expValue >> difference;
}

void kill(int32_t s) {
    EnemySlot& enemy = enemySlots[s];
    playSound(SoundEffect::Enemy);
    exp += award(enemy);
    enemyHitTimer[s] = 0;
    // The top level is final: experience no longer raises it.
    if (exp >= levelExp && level < topLevel) {
        playSound(SoundEffect::LevelUp);
        levelUp();
        levelUpNotice = 1;
    }
    if (level >= topLevel) exp = 0;
    setUpEnemies(areaId, 0, s);
    enemySlots[s].active = 0;
}

void strikeEnemy(int32_t s) {
    EnemySlot& enemy = enemySlots[s];
    if (enemyHitTimer[s] > 0) enemyHitTimer[s] -= 1;
    if (chargeReleased() && enemyHitTimer[s] <= 0 && paused == 0 && -59 < enemyScreenX[s] &&
        enemyScreenX[s] < 635 && -59 < enemyScreenY[s] && enemyScreenY[s] < 475 &&
        enemy.active == 1 && maxStamina / 6 < stamina) {
        enemy.hp -= attack;
        enemyHitTimer[s] = enemyProtection;
    }
    if (swinging() && enemyHitTimer[s] <= 0 && paused == 0) {
        // Every slot open to a blow costs a point, hit or not.
        stamina -= 1;
        if (inSwordBox(enemyScreenX[s], enemyScreenY[s], 0) && enemy.active == 1) {
            knockBack(enemy.x, enemy.prevX, enemy.y, enemy.prevY, enemyKnock);
            enemy.hp -= attack;
            enemyHitTimer[s] = enemyProtection;
        }
    }
    if (enemy.hp <= 0) kill(s);
}

void strikeBoss() {
    if (!swinging() || bossHitTimer > 0 || bossAlive != 1 || paused != 0) return;
    stamina -= 1;
    if (inSwordBox(bossScreenX, bossScreenY, 64) && bossAlive == 1) {
        knockBack(bossX, bossPrevX, bossY, bossPrevY, bossKnock);
        bossHp -= attack;
        bossHitTimer = bossProtection;
    }
    if (bossHp <= 0) {
        playSound(SoundEffect::Boss);
        bossAlive = 0;
        scene = 2;
    }
}

}  // namespace

void playerAttack() {
    if (bossHitTimer > 0) bossHitTimer -= 1;
    if (areaId == bossArea) {
        strikeBoss();
        return;
    }
    if (chargeReleased() && maxStamina / 6 < stamina) stamina -= maxStamina / 6;
    for (curRow = 0; curRow < enemySlotCount; ++curRow) strikeEnemy(curRow);
}

void levelUp() {
    const int32_t attackGain = (drawRandom() & 1) + 1;
    const int32_t hpGain = (drawRandom() & 10) + 10;
    const int32_t staminaGain = (drawRandom() & 1) + 1;
    attack += attackGain;
    maxHp += hpGain;
    hp += hpGain;
    maxStamina += 1000 * staminaGain;
    stamina += 1000 * staminaGain;
    exp = 0;
    level += 1;
}

}  // namespace varnholt
