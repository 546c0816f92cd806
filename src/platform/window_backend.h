// The back end a player sees: a real window, keyboard, controller and
// sound. The desktop build links SDL's (platform/sdl/), the browser build
// the page's (platform/web/); the game above never knows which.
#pragma once

#include <memory>

#include "platform/platform.h"

// Called by the program entry to play, and by a replay watched on screen.
std::unique_ptr<Backend> makeWindowBackend();
