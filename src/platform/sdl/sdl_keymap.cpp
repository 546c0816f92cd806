#include "platform/sdl/sdl_keymap.h"

#include <SDL_scancode.h>

#include <cstring>

#include "platform/platform.h"

int virtualKeyFromScancode(int scancode) {
    // SDL numbers letters, digits and function keys in runs, as the
    // virtual-key codes do, so those are offsets rather than table rows.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 0x41 + (scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return 0x31 + (scancode - SDL_SCANCODE_1);
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
        return 0x70 + (scancode - SDL_SCANCODE_F1);

    switch (scancode) {
    case SDL_SCANCODE_0: return 0x30;
    case SDL_SCANCODE_LEFT: return vk::Left;
    case SDL_SCANCODE_UP: return vk::Up;
    case SDL_SCANCODE_RIGHT: return vk::Right;
    case SDL_SCANCODE_DOWN: return vk::Down;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return vk::Return;
    case SDL_SCANCODE_ESCAPE: return vk::Escape;
    case SDL_SCANCODE_SPACE: return 0x20;
    case SDL_SCANCODE_TAB: return 0x09;
    case SDL_SCANCODE_BACKSPACE: return 0x08;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT: return 0x10;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL: return 0x11;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT: return 0x12;
    case SDL_SCANCODE_PAUSE: return vk::Pause;
    default: return 0;
    }
}

void keyStateFromScancodes(const uint8_t* pressed, int scancodeCount, uint8_t state[256]) {
    std::memset(state, 0, 256);
    for (int scancode = 0; scancode < scancodeCount; ++scancode) {
        if (!pressed[scancode]) continue;
        const int code = virtualKeyFromScancode(scancode);
        if (code > 0 && code < 256) state[code] = keyDownBit;
    }
}
