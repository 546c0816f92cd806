// Key taps that fall between two frames. The game reads the keyboard as a
// whole array of held keys a few times a frame, so a key pressed and let go
// between two frames would never be seen held. A back end that hears its
// key presses as events latches them here: each press counts as held in
// every reading of the next frame, whether or not the key is still down.
// No SDL here, so it can be checked without a window. Shared by the SDL and
// the browser back ends.
#pragma once

#include <array>
#include <cstdint>

class KeyLatch {
public:
    // A key (its virtual-key code) went down. Auto-repeats need not come
    // here: a repeating key is held anyway.
    void press(int code);
    // A frame begins: its first reading takes the presses latched so far;
    // presses after that reading wait for the next frame.
    // Called by the back end's startFrame.
    void startFrame();
    // Adds this frame's latched presses to a key-state array just read.
    // Called by the back end's readKeyboard, after filling the held keys.
    void addTo(uint8_t state[256]);
    // Drops every latched press: the keyboard went elsewhere.
    void forget();

private:
    std::array<uint8_t, 256> latched_{};  // pressed since this frame's first reading
    std::array<uint8_t, 256> frame_{};    // the presses this frame counts
    bool taken_ = false;                  // this frame's first reading is done
};
