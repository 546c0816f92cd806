// The SDL back end's keyboard and game controller.
#include "platform/controller_mapping.h"
#include "platform/sdl/sdl_backend_impl.h"
#include "platform/sdl/sdl_keymap.h"

void SdlBackend::readKeyboard(uint8_t state[256]) {
    // Pumping here makes the array current even when the game reads keys
    // between two passes over its message queue.
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();
    int count = 0;
    const Uint8* pressed = SDL_GetKeyboardState(&count);
    keyStateFromScancodes(pressed, count, state);
    keyLatch_.addTo(state);
}

int SdlBackend::watchKeys(void* self, SDL_Event* event) {
    // SDL queues key events on the thread that pumps them, the game's own,
    // so the latch needs no lock.
    if (event->type == SDL_KEYDOWN && event->key.repeat == 0) {
        static_cast<SdlBackend*>(self)->keyLatch_.press(virtualKeyFromScancode(event->key.keysym.scancode));
    }
    return 0;
}

uint32_t SdlBackend::queryJoystick(JoyInfo& info) {
    if (!controller_ || !SDL_GameControllerGetAttached(controller_)) return joyUnplugged;
    auto button = [this](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(controller_, b) != 0;
    };
    ControllerReading reading;
    reading.leftX = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTX);
    reading.leftY = SDL_GameControllerGetAxis(controller_, SDL_CONTROLLER_AXIS_LEFTY);
    reading.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    reading.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    reading.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    reading.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    reading.south = button(SDL_CONTROLLER_BUTTON_A);
    reading.east = button(SDL_CONTROLLER_BUTTON_B);
    reading.leftShoulder = button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    reading.rightShoulder = button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    joyInfoFromController(reading, info);
    return joyNoError;
}

void SdlBackend::openFirstController() {
    if (controller_ || !SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return;
    for (int i = 0; i < SDL_NumJoysticks() && !controller_; ++i)
        if (SDL_IsGameController(i)) controller_ = SDL_GameControllerOpen(i);
}

void SdlBackend::controllerAdded(int deviceIndex) {
    // SDL also announces the controllers present at start-up, which may
    // already be open.
    if (controller_) return;
    controller_ = SDL_GameControllerOpen(deviceIndex);
}

void SdlBackend::controllerRemoved(SDL_JoystickID instance) {
    if (!controller_) return;
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller_)) != instance) return;
    SDL_GameControllerClose(controller_);
    controller_ = nullptr;
    // A second pad still plugged in takes over.
    openFirstController();
}
