#include "app/window_commands.h"

#include "app/game_state.h"
#include "app/save_file.h"

namespace varnholt {

void windowProc(const WindowMessage& message) {
    switch (message.kind) {
    case MessageKind::Destroy:
        platform().postMessage({MessageKind::Quit, 0});
        break;
    case MessageKind::ActivateApp:
        appActive = message.param;
        break;
    case MessageKind::KeyDown:
        if (message.param == vk::Escape) platform().postMessage({MessageKind::Close, 0});
        break;
    case MessageKind::Close:
        // What the window does by default when asked to close.
        platform().destroyWindow();
        break;
    case MessageKind::Command:
    case MessageKind::Quit:
        break;
    }
}

// The keyboard is read here every frame, so that the keys count alongside a
// joystick. A function key acts on every frame it is down. The display
// keys F1 to F6 have no commands yet.
int pollCommandKeys() {
    platform().readKeyboard(keyState);
    const bool canSaveOrLoad = scene == 1 && fadingOut == 0 && fadingIn == 0;
    if ((keyState[vk::F1 + 6] & keyDownBit) && canSaveOrLoad) saveGame();
    if ((keyState[vk::F8] & keyDownBit) && canSaveOrLoad) loadGame();
    return 1;
}

}  // namespace varnholt
