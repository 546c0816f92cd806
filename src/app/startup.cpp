#include "app/startup.h"

#include "app/game_state.h"
#include "audio/music_player.h"
#include "display/bitmaps.h"
#include "display/display.h"
#include "enemies/roster.h"
#include "platform/files.h"

namespace varnholt {

int initGame(int32_t instance, int32_t, int32_t) {
    appInstance = instance;
    if (!platform().createWindow("Varnholt", 50, 50, screenWidth, screenHeight)) return 0;
    mainWindow = 1;
    if (!createDisplay()) return 0;
    if (!loadAllBitmaps()) return 0;

    joystickPresent = 0;
    joyInfo.size = sizeof(JoyInfo);
    joyInfo.flags = joyReturnX | joyReturnY | joyReturnButtons;
    if (platform().queryJoystick(joyInfo) != joyUnplugged) joystickPresent = 1;

    setUpEnemies(40, 1, 0);

    attack = 1;
    maxHp = 15;
    hp = 15;
    exp = 0;
    level = 1;
    playing = 1;
    maxStamina = 9000;
    stamina = 9000;
    bossAlive = 1;

    openMusic("音楽/通常.mds", mainWindow);
    return 1;
}

}  // namespace varnholt
