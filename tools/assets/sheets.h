// One drawing routine per sprite sheet; each answers a canvas exactly the
// size the layout table gives for that sheet.
#pragma once

#include "canvas.h"

Canvas drawBackgroundSheet();
Canvas drawCharacterSheet();
Canvas drawSwordSheet();
Canvas drawEnemySheet();
Canvas drawHpSheet();
Canvas drawExSheet();
Canvas drawDigitSheet();
Canvas drawBossSheet();
Canvas drawOpeningSheet();
Canvas drawOpening2Sheet();
Canvas drawEndingSheet();
