#include "app/window_commands.h"

#include "app/game_state.h"

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

// The function keys have no commands yet; the keyboard is read here every
// frame, so that the keys count alongside a joystick.
int pollCommandKeys() {
    platform().readKeyboard(keyState);
    return 1;
}

}  // namespace varnholt
