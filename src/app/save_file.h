// The one saved game: "Tavro.slf" in the folder the game writes in (see
// writePath: the working folder, or an installed game's player folder), 19 bytes,
// little-endian — maxHp, hp, playSeconds (16 bits each), maxStamina,
// stamina (32 bits each), then attack, level, exp, the alive flag and the
// difficulty (a byte each) — moved in three pieces of 6, 8 and 5 bytes.
// Loading gives back half the hit points and half the stamina and sends the
// player to the start outside the cave through the ordinary area change.
#pragma once

#include <cstdint>

namespace varnholt {

constexpr const char* saveFileName = "Tavro.slf";
constexpr int saveRecordBytes = 19;

// The record both operations share for the whole run: filled from the
// variables by a save, by a complete read on load; all zeros at start.
extern uint8_t saveRecord[saveRecordBytes];

// Called by the Save command in play, outside fades. Says in a message box
// whether it saved. The new record replaces the file's first 19 bytes only
// once completely written, keeping the rest; a file that cannot be read
// whole is not touched. The shared record takes the statistics even when
// the file fails; a dead player's statistics are never taken.
void saveGame();
// Called by the Load command in play, outside fades. Says in a message box
// whether it loaded; restores the statistics and starts the fade back to
// the start only from a record that is a saved game.
void loadGame();

}  // namespace varnholt
