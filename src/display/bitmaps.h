// The eleven sprite sheets, loaded from the bitmap files in Bitmap/.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "display/display.h"

namespace varnholt {

extern std::unique_ptr<SpriteSheet> backgroundSheet;
extern std::unique_ptr<SpriteSheet> characterSheet;
extern std::unique_ptr<SpriteSheet> swordSheet;
extern std::unique_ptr<SpriteSheet> enemySheet;
extern std::unique_ptr<SpriteSheet> hpSheet;
extern std::unique_ptr<SpriteSheet> exSheet;
extern std::unique_ptr<SpriteSheet> digitSheet;
extern std::unique_ptr<SpriteSheet> bossSheet;
extern std::unique_ptr<SpriteSheet> openingSheet;
extern std::unique_ptr<SpriteSheet> opening2Sheet;
extern std::unique_ptr<SpriteSheet> endingSheet;

struct SheetEntry {
    const char* name;                     // as the code spells it
    const char* file;                     // relative to the data folder
    std::unique_ptr<SpriteSheet>* sheet;
};
// The sheets in load order, which is also the order they are released in.
const std::array<SheetEntry, 11>& allSheets();

// Called at start-up after createDisplay and as the last step of every
// display switch. Answers 1 when all eleven sheets were made; ends by
// starting the sound effects.
int loadAllBitmaps();
// Called by loadAllBitmaps for each sheet. Answers 1 or 0 (a message has
// then been shown).
int loadBitmapSurface(int32_t instance, int32_t window, const std::string& path,
                      std::unique_ptr<SpriteSheet>& sheet, uint8_t colorKey);

}  // namespace varnholt
