// What is drawn over the play field, last thing every frame: the notices
// and status display, the opening with its title menu, and the ending with
// the final score.
//
// The opening: a figure walks in, the ground quakes, three fragments drift
// down, the figure turns and walks off into the distance, while the title
// rises into place; Enter skips the rise. The title menu then offers the
// three difficulties; C (or button 1) starts the game. The ending: a
// picture rises, then the final score rolls in and the best score shows.
#pragma once

#include <cstdint>

namespace varnholt {

// Called by the frame driver after the game-over step, before the picture
// is presented. Answers 1. In the opening it reads the keyboard and the
// joystick and writes the opening's counters, menuCursor, difficulty,
// fadingOut and quakeFrames; in the ending the ending's counters, score
// and bestScore.
int drawScreens();

}  // namespace varnholt
