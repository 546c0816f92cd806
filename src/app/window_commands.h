// The window's messages and the player's commands to the application:
// activation, Esc, closing, and the commands — full screen, the five
// window sizes, Stop (pause), Save, Load and Exit. Without a menu bar the
// commands come from keys: F1 to F8 and Esc as the game has always had
// them, and the Pause key for Stop.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace varnholt {

// The commands' ids, as the menu numbers them.
namespace command {
constexpr int32_t exit = 40002;
constexpr int32_t fullScreen = 40003;
constexpr int32_t window160 = 40005;
constexpr int32_t window240 = 40006;
constexpr int32_t window320 = 40007;
constexpr int32_t window640 = 40008;
constexpr int32_t window480 = 40009;
constexpr int32_t stop = 40010;
constexpr int32_t save = 40011;
constexpr int32_t load = 40012;
}  // namespace command

// Called by the message loop for every message it takes but the quit
// message. Writes appActive; runs the commands.
void windowProc(const WindowMessage& message);
// Called by the frame driver once per frame, after the music: refills
// keyState and runs the command of every function key that is down, F1 to
// F8 in that order, on every frame it is held. Answers 1.
int pollCommandKeys();
// Runs one command as the menu does, when its precondition holds; a
// display command announces itself in a message box before it acts.
// Called by windowProc and pollCommandKeys.
void runCommand(int32_t id);

}  // namespace varnholt
