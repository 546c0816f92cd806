#include "world/player.h"

#include <algorithm>

#include "app/game_state.h"
#include "audio/sound_effects.h"
#include "display/bitmaps.h"
#include "display/display.h"

namespace varnholt {

namespace {

constexpr uint32_t joyCentre = 32767;
constexpr int32_t joyLow = 27000;       // at or below: walk up / left
constexpr int32_t joyHigh = 37000;      // at or above: walk down / right
constexpr int32_t joyDashLow = 4000;    // a stick pushed this far dashes
constexpr int32_t joyDashHigh = 60000;
constexpr int32_t actionAttack = 1;
constexpr int32_t actionRest = 2;
constexpr int32_t actionPause = 3;
constexpr int32_t dashStaminaFloor = 1200;
constexpr int32_t dashBonus = 2;
constexpr int32_t restCost = 5;
constexpr int32_t healEvery = 50;
constexpr int32_t exhaustionLimit = 100;
constexpr int32_t firstRecovery = 150;
constexpr int32_t recoveryEvery = 70;
constexpr int32_t chargeLimit = 160;
constexpr int32_t spriteX = 288;  // the sprite's screen place while the view follows
constexpr int32_t spriteY = 208;
constexpr int32_t cell = 64;
constexpr int32_t walkCycle = 40;
constexpr Rect gaugeFrame{257, 0, 265, 42};
constexpr int32_t gaugeFillLeft = 257;
constexpr int32_t gaugeFillTop = 67;
constexpr int32_t gaugeFillRight = 265;
constexpr int32_t gaugeFrom = 15;  // chargeFrames from which the gauge shows

bool keyHeld(int key) { return (keyState[key] & keyDownBit) != 0; }

// What the player asks for this frame: a key, or the stick and buttons
// when a joystick is plugged in.
struct Inputs {
    bool up, down, left, right, dash;
};

Inputs readInputs() {
    const bool joy = joystickPresent == 1;
    Inputs in;
    in.up = keyHeld(vk::Up) || (joy && joyY <= joyLow);
    in.down = keyHeld(vk::Down) || (joy && joyY >= joyHigh);
    in.left = keyHeld(vk::Left) || (joy && joyX <= joyLow);
    in.right = keyHeld(vk::Right) || (joy && joyX >= joyHigh);
    in.dash = keyHeld(vk::X) || (joy && (joyY >= joyDashHigh || joyY <= joyDashLow ||
                                         joyX >= joyDashHigh || joyX <= joyDashLow));
    return in;
}

// One held direction: the move, its stamina and the walking animation.
void walk(int32_t& position, int32_t step) {
    position += step;
    idleFrames = 0;
    stamina -= 1;
}

void walkDirections(const Inputs& in, bool free, int32_t step) {
    movingUp = 0;
    if (in.up && free) {
        walk(playerY, -step);
        if (movingLeft == 0 && movingRight == 0) facing = 0;
        movingUp = 1;
        walkCounter += 1;
    }
    movingDown = 0;
    if (in.down && free) {
        walk(playerY, step);
        if (movingLeft == 0 && movingRight == 0) facing = 2;
        movingDown = 1;
        if (movingUp == 0) walkCounter += 1;
    }
    // The horizontal facing yields to a vertical move of this frame, so a
    // diagonal keeps the facing it started with.
    movingLeft = 0;
    if (in.left && free) {
        walk(playerX, -step);
        if (movingUp == 0 && movingDown == 0) facing = 3;
        movingLeft = 1;
        if (movingUp == 0 && movingDown == 0) walkCounter += 1;
    }
    movingRight = 0;
    if (in.right && free) {
        walk(playerX, step);
        if (movingUp == 0 && movingDown == 0) facing = 1;
        movingRight = 1;
        if (movingUp == 0 && movingDown == 0 && movingLeft == 0) walkCounter += 1;
    }
}

void rest() {
    healFrames += 1;
    stamina -= restCost;
    joyButtons = actionRest;
    if (healFrames % healEvery == 0 && stamina > 0) hp = std::min(hp + maxHp / 10, maxHp);
    idleFrames = 0;
}

// The pause input toggles once per press, however long it is held.
void pauseInput(bool held) {
    if (held && fadingOut == 0 && fadingIn == 0 && bossAlive == 1 && playing == 1 && scene == 1) {
        if (keyHeld(vk::V)) joyButtons = actionPause;
        if (pauseKeyHeld == 0) {
            paused = paused == 0 ? 1 : 0;
            pauseKeyHeld = 1;
        }
    } else {
        pauseKeyHeld = 0;
    }
}

// Stamina spent below 0 collects as exhaustion, which costs hit points;
// a low gauge slows the next frame's step; standing still brings it back.
void staminaEffects() {
    if (stamina <= 0) {
        exhaustion += -stamina;
        stamina = 0;
    }
    if (exhaustion >= exhaustionLimit) {
        hp -= maxHp / 10;
        exhaustion = 0;
    }
    if (maxStamina / 6 >= stamina) stepBonus = -1;
    if (maxStamina / 24 >= stamina) stepBonus = -2;
    if (idleFrames == firstRecovery || (idleFrames > firstRecovery && idleFrames % recoveryEvery == 0)) {
        stamina = std::min(stamina + maxStamina / 6, maxStamina);
    }
}

}  // namespace

void pollJoystick() {
    if (platform().queryJoystick(joyInfo) != joyNoError) {
        joyInfo.x = joyCentre;
        joyInfo.y = joyCentre;
        joyInfo.buttons = 0;
    }
}

void controlPlayer() {
    const bool joy = joystickPresent == 1;
    if (joy) {
        pollJoystick();
    } else {
        platform().readKeyboard(keyState);
    }

    const bool fading = fadingOut != 0 || fadingIn != 0;
    const bool free = !fading && paused == 0;
    const Inputs in = readInputs();
    walkDirections(in, free, stepBonus + baseStep);

    stepBonus = 0;
    if (in.dash && free && stamina > dashStaminaFloor && idleFrames == 0) {
        stepBonus = dashBonus;
        stamina -= 2;
        walkCounter += 1;
    }

    if (keyHeld(vk::C) && free) {
        idleFrames = 0;
        joyButtons = actionAttack;
    }
    if (joy && joyButtons == actionAttack && free) idleFrames = 0;

    const bool restHeld = keyHeld(vk::Z) || (joy && joyButtons == actionRest);
    if (restHeld && !fading && idleFrames >= 1 && paused == 0) rest();

    pauseInput(keyHeld(vk::V) || (joy && joyButtons == actionPause));
    if (paused == 1) return;

    if (!fading) idleFrames += 1;
    staminaEffects();

    chargeFrames = std::min(swordFrames, chargeLimit);
    if (joyButtons == actionAttack || joyButtons == actionPause) {
        swordFrames += 1;
    } else {
        swordFrames = 0;
    }
    if (swordFrames == 1) playSound(SoundEffect::Sword);
}

void drawPlayer() {
    walkCounter %= walkCycle;
    walkPhase = walkCounter < walkCycle / 2 ? 1 : 0;

    Rect source{cell * facing, cell * walkPhase, cell * facing + cell, cell * walkPhase + cell};
    const int32_t x = playerOffsetX + spriteX;
    const int32_t y = playerOffsetY + spriteY;
    if (x <= 0) source.left -= x;
    if (x + cell >= screenWidth) source.right -= x + cell - screenWidth;
    if (y <= 0) source.top -= y;
    if (y + cell >= screenHeight) source.bottom -= y + cell - screenHeight;
    playerScreenX = x + source.left - cell * facing;
    playerScreenY = y + source.top - cell * walkPhase;

    if ((scene == 1 || scene == 2) && playerHitTimer % 2 == 0 && fallFrames == 0 && fadingOut == 0) {
        drawSprite(characterSheet.get(), source, playerScreenX, playerScreenY);
        if (chargeFrames >= gaugeFrom && stamina > maxStamina / 6 && areaId != 1) {
            const int32_t filled = chargeFrames / 4;
            drawSprite(characterSheet.get(), gaugeFrame, x + 54, y);
            drawSprite(characterSheet.get(), Rect{gaugeFillLeft, gaugeFillTop, gaugeFillRight,
                                                  gaugeFillTop + filled},
                       x + 54, y + 41 - filled);
        }
    }
    if (playerHitTimer > 0) playerHitTimer -= 1;
}

}  // namespace varnholt
