#include "platform/key_latch.h"

#include "platform/platform.h"

void KeyLatch::press(int code) {
    if (code > 0 && code < 256) latched_[size_t(code)] = keyDownBit;
}

void KeyLatch::startFrame() { taken_ = false; }

void KeyLatch::addTo(uint8_t state[256]) {
    if (!taken_) {
        frame_ = latched_;
        latched_.fill(0);
        taken_ = true;
    }
    for (size_t code = 0; code < frame_.size(); ++code) state[code] |= frame_[code];
}

void KeyLatch::forget() {
    latched_.fill(0);
    frame_.fill(0);
}
