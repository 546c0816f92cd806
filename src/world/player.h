// The player's controls and sprite.
//
// Controls, keyboard or joystick 0 (either counts when a joystick is
// plugged in): arrows or the stick to walk, X or the stick pushed hard to
// dash, C or button 1 to attack, Z or button 2 to rest, V or both buttons
// to pause. joyButtons doubles as the frame's action code: 1 attack,
// 2 rest, 3 pause.
#pragma once

#include <cstdint>

namespace varnholt {

// Called by the frame driver when scene is 1, quakeFrames < 1 and playing
// is 1, before the player's attack and the cell passes. Moves playerX and
// playerY freely (the cell collision pushes him out of walls later in the
// frame) and writes facing, stamina, hp, idleFrames, swordFrames, paused,
// joyButtons, keyState, joyInfo and the player's own counters.
void controlPlayer();
// Called by the frame driver every frame, after the enemies or the boss
// are drawn. Writes walkCounter, walkPhase, playerScreenX, playerScreenY
// and playerHitTimer.
void drawPlayer();

// Called by player control and by the opening: queries joystick 0 into
// joyInfo, whose values the frame driver copies at the next frame. A
// joystick that no longer answers reads as centred with no button down, so
// that nothing walks or fires on by itself.
void pollJoystick();

// The walking step in pixels per frame, before stepBonus: +2 dashing,
// -1 tired, -2 exhausted.
constexpr int32_t baseStep = 2;

}  // namespace varnholt
