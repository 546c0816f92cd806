#include "app/window_commands.h"

#include "app/game_state.h"
#include "app/save_file.h"
#include "display/bitmaps.h"
#include "display/display.h"

namespace varnholt {

namespace {

constexpr const char* caption = "DirectDrawFailed";

// The display is made anew in its new form, and with it every sheet.
void remakeDisplay() {
    releaseDisplay();
    createDisplay();
    loadAllBitmaps();
}

void switchToFullScreen() {
    displayMode = 2;
    if (platform().messageBox(caption, "フルスクリーン", BoxIcon::Information) == messageBoxOk) remakeDisplay();
}

void setWindowSize(int width, int height, const char* text) {
    if (displayMode == 2) displayMode = 1;
    if (platform().messageBox(caption, text, BoxIcon::Information) != messageBoxOk) return;
    remakeDisplay();
    platform().setClientSize(width, height);
}

bool canSaveOrLoad() { return scene == 1 && fadingOut == 0 && fadingIn == 0; }

bool keyDown(int key) { return (keyState[key] & keyDownBit) != 0; }

}  // namespace

void runCommand(int32_t id) {
    switch (id) {
    case command::exit: platform().postMessage({MessageKind::Close, 0}); break;
    case command::fullScreen:
        if (displayMode == 1) switchToFullScreen();
        break;
    case command::window160: setWindowSize(160, 120, "ウインドウ160×120"); break;
    case command::window240: setWindowSize(240, 180, "ウインドウ240×180"); break;
    case command::window320: setWindowSize(320, 240, "ウインドウ320×240"); break;
    case command::window480: setWindowSize(480, 360, "ウインドウ480×360"); break;
    case command::window640: setWindowSize(640, 480, "ウインドウ640×480"); break;
    case command::stop:
        if (scene == 1) paused = paused == 0 ? 1 : 0;
        break;
    case command::save:
        if (canSaveOrLoad()) saveGame();
        break;
    case command::load:
        if (canSaveOrLoad()) loadGame();
        break;
    default: break;
    }
}

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
        // Stop has no function key; the Pause key stands in for its menu
        // item, once per press: the keyboard's auto-repeat toggles nothing.
        if (message.param == vk::Pause && !message.repeat) runCommand(command::stop);
        break;
    case MessageKind::Close:
        // What the window does by default when asked to close.
        platform().destroyWindow();
        break;
    case MessageKind::Command:
        runCommand(message.param & 0xFFFF);
        break;
    case MessageKind::Quit:
        break;
    }
}

// The keyboard is read here every frame, so that the keys count alongside a
// joystick.
int pollCommandKeys() {
    platform().readKeyboard(keyState);
    static const int32_t byKey[8] = {command::fullScreen, command::window160, command::window240,
                                     command::window320,  command::window480, command::window640,
                                     command::save,       command::load};
    for (int k = 0; k < 8; ++k) {
        if (keyDown(vk::F1 + k)) runCommand(byKey[k]);
    }
    return 1;
}

}  // namespace varnholt
