// Translation of SDL's physical key numbers (scancodes) to the game's
// virtual-key codes, kept free of any live SDL state so it can be checked
// without a display.
#pragma once

#include <cstdint>

// The virtual-key code of a scancode, or 0 for a key the game ignores.
// Called by the SDL back end for key-down messages and the key-state array.
int virtualKeyFromScancode(int scancode);

// Builds the 256-byte key-state array from SDL's per-scancode pressed
// flags: every byte is written, a held key reads keyDownBit. Several
// scancodes (left and right Shift, Return and keypad Enter) share one code.
// Called by the SDL back end's readKeyboard.
void keyStateFromScancodes(const uint8_t* pressed, int scancodeCount, uint8_t state[256]);
