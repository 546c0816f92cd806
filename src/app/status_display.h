// The status display: notices over the play field (play starts, the
// earthquake, the boss's arena, a level-up), the difficulty label, the
// bar at the bottom (hit points, experience, level, stamina) and the play
// time, which it also counts.
#pragma once

namespace varnholt {

// Called by drawScreens first thing every frame: the play-start, quake and
// boss notices and the difficulty label. Writes startNotice, quakeNotice,
// bossNotice and bossNoticePhase.
void drawStatusNotices();
// Called by drawScreens in play and the ending, after the opening: the
// level-up notice, the bar and the play time. Writes levelUpNotice,
// wallClock, prevWallClock, playSeconds and curRow (the stamina cells).
void drawStatusBar();

}  // namespace varnholt
