// The autoplayer: a program that plays a whole game as a player would.
// It skips the opening, chooses a difficulty, walks to the pit, crosses
// the cave by the shortest way to the boss's area, fights what stands in
// its way, rests when weak, saves when stronger than at its last save,
// loads after a death, defeats the boss and watches the ending until the
// best score is shown, then presses Esc. It only holds the keys a player
// has and reads only what the screen shows (positions, hit points,
// stamina, the map); it never writes a game variable.
#pragma once

#include <cstdint>
#include <string>

#include "platform/headless/input_script.h"

namespace varnholt {

// Called by the command line before the run. The seed varies the player's
// small choices (how long it waits, which of two equal ways it takes).
void startAutoplayer(uint32_t seed, int32_t difficulty);

// Called by the headless back end at the start of every frame with the
// frame's number (1 is the first): looks at what the last frame left on
// the screen and answers the inputs held during this one.
ScriptedInput autoplayInput(uint32_t frame);

// Called by the soak when it hands the game to the autoplayer in the middle
// of a run: forget plans made for an earlier stretch of play.
void resumeAutoplayer();

// The ending's best score has been shown (the score file is written).
bool autoplayerFinished();

// A table of the game: frames to the ending, deaths, loads, the level and
// hit points on entering the boss's area, frames per area, the final score.
std::string autoplayReport();

}  // namespace varnholt
