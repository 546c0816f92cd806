// The monkey: a seeded random player for soak runs. It holds the game's
// keys in bursts a person might (walking somewhere, dashing, swinging,
// charging, resting, pausing, the title menu, saving, loading, the window
// keys), steering now and then for an opening of the area or the pit so
// that long runs see the whole cave. It looks at the game only to choose
// its next burst, and checks the game's invariants before every frame.
#pragma once

#include <cstdint>
#include <string>

#include "platform/headless/input_script.h"

namespace varnholt {

// Called by the command line before the run: the seed makes the run. With
// `autoplayer` the monkey hands the game, stretch by stretch, to the
// autoplayer (started by the caller), which carries the game on to the boss
// and the ending; the monkey's stretches come between.
void startMonkey(uint32_t seed, bool autoplayer = false);
// Called by the headless back end at the start of every frame with the
// frame's number (1 is the first): checks the state the last frame left
// and answers the inputs held during this one. A broken invariant is kept
// for monkeyProblem() and the monkey lets go of every key.
ScriptedInput monkeyInput(uint32_t frame);
// Called by the command line after the last frame.
void checkMonkeyInvariants(uint32_t framesDone);

// The first invariant that broke, with its frame; empty while none has.
const std::string& monkeyProblem();
// A table of what the run reached: frames per scene and area, deaths,
// game overs, boss fights, endings, saves and loads.
std::string monkeyReport();

// The invariants of the game between two frames; empty when all hold,
// otherwise a line naming the first that does not.
std::string brokenInvariant();

}  // namespace varnholt
