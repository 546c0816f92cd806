// The window's messages and the player's commands to the application:
// activation, Esc, closing, and the function keys.
#pragma once

#include "platform/platform.h"

namespace varnholt {

// Called by the message loop for every message it takes but the quit
// message.
void windowProc(const WindowMessage& message);
// Called by the frame driver once per frame, after the music. Answers 1.
int pollCommandKeys();

}  // namespace varnholt
