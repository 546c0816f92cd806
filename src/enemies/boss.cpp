#include "enemies/boss.h"

#include <cmath>
#include <cstring>

#include "app/game_state.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"

namespace varnholt {

BossShot bossShots[bossShotCount] = {};
int32_t shotPhase[bossShotCount] = {};
int32_t shotSway[bossShotCount] = {};
Rect bossSrcRect = {0, 0, 0, 0};
Rect shotSrcRect = {0, 0, 0, 0};

double sineTable[sineTableSize] = {};

namespace {

// Each entry from the formula: with this value of pi the table is not
// quite symmetric (entry 30 is 32767, entry 150 is 32768).
bool fillSineTable() {
    for (int k = 0; k < sineTableSize; ++k) sineTable[k] = std::floor(65536.0 * std::sin(k * 3.141592 / 180));
    return true;
}
const bool sineTableFilled = fillSineTable();

constexpr int32_t bossArea = 1;
constexpr int32_t bossSize = 128;
constexpr int32_t shotSize = 64;
constexpr int32_t runFrames = 50;
constexpr int32_t chargeFrames28 = 28;
constexpr int32_t volleyFrames = 70;
constexpr int32_t arenaLeft = 40, arenaTop = 45, arenaRight = 586, arenaBottom = 576;
constexpr int32_t touchThrow = 60;
constexpr int32_t chargeDownAbove = 164;  // a charge begun above this y goes down
constexpr int32_t shotReach = 40;

int32_t chargeStep() { return playSeconds / 300 + 15; }

int32_t protectionFrames() { return 60 - 30 * difficulty; }

// Clips a sprite of `size` pixels at world (x, y) whose picture starts at
// sheet column `sheetLeft`, as the boss and its shots are clipped.
Rect clipped(int32_t sheetLeft, int32_t size, int32_t x, int32_t y, int32_t& screenX, int32_t& screenY) {
    const int32_t sx = x - scrollX;
    const int32_t sy = y - scrollY;
    Rect source{sheetLeft, 0, sheetLeft + size, size};
    if (sx <= 0) source.left -= sx;
    if (sx + size >= screenWidth) source.right = sheetLeft + screenWidth - sx;
    if (sy <= 0) source.top -= sy;
    if (sy + size >= screenHeight) source.bottom = screenHeight - sy;
    screenX = sx + (source.left - sheetLeft);
    screenY = sy + source.top;
    return source;
}

void startRuns(int32_t d) {
    if (d == 0 && bossRunX == 0) bossRunX = runFrames;
    if (d == 1 && bossRunX == 0) bossRunX = -runFrames;
    if (d == 2 && bossRunY == 0) bossRunY = runFrames;
    if (d == 3 && bossRunY == 0) bossRunY = -runFrames;
}

void runAlong(int32_t& frames, int32_t& position) {
    if (frames > 0) {
        position += bossSpeed;
        frames -= 1;
    }
    if (frames < 0) {
        position -= bossSpeed;
        frames += 1;
    }
}

// A touch throws the player 60 pixels back; it hurts, and moves the boss,
// only when he is not blinking from an earlier hit.
bool throwPlayer(int32_t& position, int32_t& previous, int32_t direction, int32_t& pushed,
                 int32_t damage) {
    previous = position;
    position += direction * touchThrow;
    pushed = 1;
    if (playerHitTimer != 0) return false;
    hp -= damage;
    playerHitTimer = protectionFrames();
    return true;
}

void touchPlayer() {
    const int32_t px = playerScreenX;
    const int32_t py = playerScreenY;
    if (!(-25 < px - bossScreenX && px - bossScreenX < 89 && -40 < py - bossScreenY &&
          py - bossScreenY < 104)) {
        return;
    }
    auto playerStartX = [&] { return px - (playerX - prevPlayerX); };
    auto playerStartY = [&] { return py - (playerY - prevPlayerY); };
    auto movedX = [] { return bossX - bossPrevX; };
    auto movedY = [] { return bossY - bossPrevY; };
    const int32_t sideDamage = bossCharge != 0 ? bossChargeDamage : bossTouchDamage;

    if (playerStartX() >= bossScreenX + 89 - movedX()) {
        if (throwPlayer(playerX, prevPlayerX, +1, pushedX, sideDamage) && bossCharge == 0) {
            bossX -= bossSpeed;
        }
    }
    if (playerStartX() <= bossScreenX - 25 - movedX()) {
        if (throwPlayer(playerX, prevPlayerX, -1, pushedX, sideDamage) && bossCharge == 0) {
            bossX += bossSpeed;
        }
    }
    if (playerStartY() >= bossScreenY + 104 - movedY()) {
        const bool charging = bossCharge > 0;
        if (throwPlayer(playerY, prevPlayerY, +1, pushedY,
                        charging ? bossChargeDamage : bossTouchDamage) && charging) {
            bossY -= chargeStep();
        }
    }
    if (playerStartY() <= bossScreenY - 40 - movedY()) {
        const bool charging = bossCharge < 0;
        if (throwPlayer(playerY, prevPlayerY, -1, pushedY,
                        charging ? bossChargeDamage : bossTouchDamage) && charging) {
            bossY += chargeStep();
        }
    }
}

void chooseAttack(int32_t r) {
    if (bossVolleyA != 0 || bossVolleyB != 0 || bossCharge != 0) return;
    if (r <= 4) {
        if (r % 4 == 0) {
            bossVolleyA = volleyFrames;
        } else {
            bossVolleyB = volleyFrames;
        }
    } else if (r >= 997) {
        bossCharge = bossY < chargeDownAbove ? chargeFrames28 : -chargeFrames28;
    }
}

// A volley fires one shot, into the lowest free slot, in the frame it begins.
void fire(BossShot& shot, int32_t& volley, int32_t kind, int32_t life) {
    if (volley != volleyFrames || shot.kind != 0) return;
    shot.kind = kind;
    shot.life = life;
    shot.x = bossX + 32;
    shot.y = bossY - 48;
    playSound(SoundEffect::Magic);
    volley -= 1;
}

// One axis of a shot's homing: a step toward the player, taken back when
// it passes him by less than the shot's kind.
void home(int32_t& position, int32_t screen, int32_t player, int32_t step, int32_t kind) {
    if (player > screen) {
        position += step;
        if (player < screen + kind) position -= step;
    } else if (player < screen) {
        position -= step;
        if (player > screen - kind) position += step;
    }
}

void moveShot(int i) {
    BossShot& shot = bossShots[i];
    shot.life -= 1;
    shotPhase[i] = (shotPhase[i] + 1) % 180;
    const int32_t phase = shotPhase[i] >= 0 && shotPhase[i] < sineTableSize ? shotPhase[i] : 0;
    shotSway[i] = static_cast<int32_t>(20 * sineTable[phase]) / 65536;
    shot.drawX = shot.x + shotSway[i];
    shot.drawY = shot.y;
    shotSrcRect = clipped(shotSize * (shot.kind + 5), shotSize, shot.drawX, shot.drawY, shotScreenX,
                          shotScreenY);
    if (bossAlive == 1) drawSprite(enemySheet.get(), shotSrcRect, shotScreenX, shotScreenY);

    const int32_t step = shot.kind + playSeconds / 1500;
    home(shot.x, shotScreenX, playerScreenX, step, shot.kind);
    home(shot.y, shotScreenY, playerScreenY, step, shot.kind);

    if (-shotReach < playerScreenX - shotScreenX && playerScreenX - shotScreenX < shotReach &&
        -shotReach < playerScreenY - shotScreenY && playerScreenY - shotScreenY < shotReach &&
        bossAlive == 1) {
        shot.life = 0;
        if (playerHitTimer == 0) {
            hp -= shot.kind == 1 ? shotDamageA : shotDamageB;
            playerHitTimer = protectionFrames();
        }
    }
}

}  // namespace

void updateBossStats() {
    bossChargeDamage = maxHp / 10;
    shotDamageA = hp / 4;
    shotDamageB = 2 * level + 30;
    bossTouchDamage = 3 * attack / (difficulty + 1 != 0 ? difficulty + 1 : 1);
    bossSpeed = playSeconds / 300 + 5;
}

void moveBoss() {
    bossPrevX = bossX;
    bossPrevY = bossY;
    startRuns(roll1000 % 4);
    if (bossCharge == 0 && bossVolleyA == 0 && bossVolleyB == 0) {
        runAlong(bossRunX, bossX);
        runAlong(bossRunY, bossY);
    }
    if (bossCharge > 0) {
        bossY += chargeStep();
        bossCharge -= 1;
    } else if (bossCharge < 0) {
        bossY -= chargeStep();
        bossCharge += 1;
    }
    if (bossX <= arenaLeft) bossX = arenaLeft;
    if (bossY <= arenaTop) bossY = arenaTop;
    if (bossX >= arenaRight) bossX = arenaRight;
    if (bossY >= arenaBottom) bossY = arenaBottom;
    // Elsewhere the boss is not there to touch anybody.
    if (areaId == bossArea) touchPlayer();
}

void drawBoss() {
    bossPose = (bossVolleyA != 0 || bossVolleyB != 0) ? 1 : (bossCharge != 0 ? 2 : 0);
    bossSrcRect = clipped(bossSize * bossPose, bossSize, bossX, bossY, bossScreenX, bossScreenY);
    if (bossHitTimer % 2 == 0 && bossAlive == 1) {
        drawSprite(bossSheet.get(), bossSrcRect, bossScreenX, bossScreenY);
    }
}

void runBossAttacks() {
    chooseAttack(roll1000);
    for (int i = 0; i < bossShotCount; ++i) {
        BossShot& shot = bossShots[i];
        fire(shot, bossVolleyA, 1, 300);
        fire(shot, bossVolleyB, 2, 500);
        if (shot.kind >= 1) moveShot(i);
        if (shot.kind == 0) {
            shot.x = 0;
            shot.y = 0;
        }
        if (shot.life == 0) shot.kind = 0;
    }
    if (bossVolleyB > 0) bossVolleyB -= 1;
    if (bossVolleyA > 0) bossVolleyA -= 1;
}

void resetBoss() {
    std::memset(bossShots, 0, sizeof bossShots);
    std::memset(shotPhase, 0, sizeof shotPhase);
    std::memset(shotSway, 0, sizeof shotSway);
    bossSrcRect = {0, 0, 0, 0};
    shotSrcRect = {0, 0, 0, 0};
}

}  // namespace varnholt
