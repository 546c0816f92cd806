// The back end players run: a real window, keyboard, game controller,
// screen and sound card, all through SDL2.
#pragma once

#include <memory>

#include "platform/platform.h"

// Called by the program entry to choose the SDL back end.
std::unique_ptr<Backend> makeSdlBackend();
