// The browser back end's keyboard and gamepad. The page keeps the key-state
// array as its key events come (web/page.js); the gamepad is read from the
// browser's Gamepad API at every query, so one plugged in or pulled out
// while playing is seen at once.
#include <emscripten.h>

#include "platform/controller_mapping.h"
#include "platform/web/web_backend.h"

namespace {

// The keys held now, and those pressed since the last reading (auto-repeats
// aside), whether or not they are still held.
EM_JS(void, pageKeyState, (uint8_t* held, uint8_t* pressed), {
    Module.page.readKeys();
    HEAPU8.set(Module.page.keys, held);
    HEAPU8.set(Module.page.pressed, pressed);
});

// The first connected gamepad in the standard layout: left stick as axes 0
// and 1, the d-pad as buttons 12 to 15, the face buttons south and east as
// 0 and 1, the shoulder buttons as 4 and 5. Fills ten numbers: stick x and y
// (-32768..32767), then left, right, up, down, south, east, left shoulder,
// right shoulder (0 or 1). Answers 0 when none is plugged in.
EM_JS(int, pageGamepad, (int32_t* out), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (const pad of pads) {
        if (!pad || !pad.connected || pad.axes.length < 2) continue;
        // -1..1 to SDL's range, whose ends are -32768 and 32767.
        const axis = value => Math.max(-32768, Math.min(32767, Math.round(value * (value < 0 ? 32768 : 32767))));
        const held = index => (pad.buttons[index] && pad.buttons[index].pressed) ? 1 : 0;
        const values = [axis(pad.axes[0]), axis(pad.axes[1]), held(14), held(15), held(12), held(13),
                        held(0), held(1), held(4), held(5)];
        HEAP32.set(values, out >> 2);
        return 1;
    }
    return 0;
});

}  // namespace

void WebBackend::readKeyboard(uint8_t state[256]) {
    uint8_t pressed[256];
    pageKeyState(state, pressed);
    for (int code = 1; code < 256; ++code) {
        if (pressed[code] != 0) keyLatch_.press(code);
    }
    // A tap between two frames counts as held in every reading of the next.
    keyLatch_.addTo(state);
}

uint32_t WebBackend::queryJoystick(JoyInfo& info) {
    int32_t values[10] = {};
    if (!pageGamepad(values)) return joyUnplugged;
    ControllerReading reading;
    reading.leftX = values[0];
    reading.leftY = values[1];
    reading.dpadLeft = values[2] != 0;
    reading.dpadRight = values[3] != 0;
    reading.dpadUp = values[4] != 0;
    reading.dpadDown = values[5] != 0;
    reading.south = values[6] != 0;
    reading.east = values[7] != 0;
    reading.leftShoulder = values[8] != 0;
    reading.rightShoulder = values[9] != 0;
    joyInfoFromController(reading, info);
    return joyNoError;
}
