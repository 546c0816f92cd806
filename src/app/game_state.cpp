#include "app/game_state.h"

#include <cstring>

#include "app/save_file.h"

#include "enemies/boss.h"
#include "enemies/collision.h"
#include "enemies/roster.h"
#include "world/area_maps.h"
#include "world/camera.h"

namespace varnholt {

#define VARNHOLT_DEFINE(name, start) int32_t name = start;
VARNHOLT_GAME_STATE(VARNHOLT_DEFINE)
#undef VARNHOLT_DEFINE

uint8_t keyState[256] = {};
JoyInfo joyInfo = {};
int32_t dirRoll[8] = {};
int32_t fragmentDrift[3] = {};
int32_t appInstance = 0;
int32_t mainWindow = 0;

void resetGameState() {
#define VARNHOLT_RESET(name, start) name = start;
    VARNHOLT_GAME_STATE(VARNHOLT_RESET)
#undef VARNHOLT_RESET
    std::memset(keyState, 0, sizeof keyState);
    joyInfo = JoyInfo{};
    std::memset(dirRoll, 0, sizeof dirRoll);
    std::memset(fragmentDrift, 0, sizeof fragmentDrift);
    appInstance = 0;
    mainWindow = 0;
    resetAreaMap();
    resetTiles();
    resetEnemies();
    resetBoss();
    std::memset(saveRecord, 0, sizeof saveRecord);
    enemySrcRect = {0, 0, 0, 0};
}

}  // namespace varnholt
