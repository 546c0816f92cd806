#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_keymap.h"

namespace {

struct KeyCase {
    int scancode;
    int virtualKey;
};
void PrintTo(const KeyCase& c, std::ostream* out) { *out << "scancode " << c.scancode << " to " << c.virtualKey; }

// The keys the game reads, and keys it has no use for, which count as none.
TEST(SdlKeymap, TranslatesTheGamesKeysAndIgnoresTheRest) {
    const KeyCase cases[] = {
        {SDL_SCANCODE_LEFT, vk::Left},     {SDL_SCANCODE_UP, vk::Up},          {SDL_SCANCODE_RIGHT, vk::Right},
        {SDL_SCANCODE_DOWN, vk::Down},     {SDL_SCANCODE_RETURN, vk::Return},  {SDL_SCANCODE_KP_ENTER, vk::Return},
        {SDL_SCANCODE_ESCAPE, vk::Escape}, {SDL_SCANCODE_SPACE, 0x20},         {SDL_SCANCODE_TAB, 0x09},
        {SDL_SCANCODE_BACKSPACE, 0x08},    {SDL_SCANCODE_LSHIFT, 0x10},        {SDL_SCANCODE_RSHIFT, 0x10},
        {SDL_SCANCODE_LCTRL, 0x11},        {SDL_SCANCODE_RCTRL, 0x11},         {SDL_SCANCODE_LALT, 0x12},
        {SDL_SCANCODE_RALT, 0x12},         {SDL_SCANCODE_Z, vk::Z},            {SDL_SCANCODE_X, vk::X},
        {SDL_SCANCODE_C, vk::C},           {SDL_SCANCODE_V, vk::V},            {SDL_SCANCODE_F1, vk::F1},
        {SDL_SCANCODE_F8, vk::F8},         {SDL_SCANCODE_0, 0x30},             {SDL_SCANCODE_1, 0x31},
        {SDL_SCANCODE_9, 0x39},            {SDL_SCANCODE_UNKNOWN, 0},          {SDL_SCANCODE_LGUI, 0},
        {SDL_SCANCODE_KP_8, 0},            {SDL_SCANCODE_F13, 0},              {SDL_SCANCODE_CAPSLOCK, 0},
        {-1, 0},                           {SDL_NUM_SCANCODES, 0},             {100000, 0}};
    for (const KeyCase& c : cases) EXPECT_EQ(virtualKeyFromScancode(c.scancode), c.virtualKey) << "scancode " << c.scancode;
}

TEST(SdlKeymap, LettersDigitsAndFunctionKeysRunInOrder) {
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(virtualKeyFromScancode(SDL_SCANCODE_A + i), 0x41 + i) << char('A' + i);
    const SDL_Scancode digits[] = {SDL_SCANCODE_0, SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3,
                                   SDL_SCANCODE_4, SDL_SCANCODE_5, SDL_SCANCODE_6, SDL_SCANCODE_7,
                                   SDL_SCANCODE_8, SDL_SCANCODE_9};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(virtualKeyFromScancode(digits[i]), 0x30 + i) << i;
    for (int i = 0; i < 12; ++i) EXPECT_EQ(virtualKeyFromScancode(SDL_SCANCODE_F1 + i), 0x70 + i) << "F" << i + 1;
}

TEST(SdlKeymap, EveryCodeComesFromAtMostTheExpectedKeys) {
    // Only the modifier pairs and the two Enter keys share a code.
    std::vector<int> owners(256, 0);
    for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
        const int code = virtualKeyFromScancode(sc);
        ASSERT_GE(code, 0);
        ASSERT_LT(code, 256);
        if (code) ++owners[code];
    }
    for (int code = 1; code < 256; ++code) {
        const bool shared = code == 0x10 || code == 0x11 || code == 0x12 || code == vk::Return;
        EXPECT_LE(owners[code], shared ? 2 : 1) << std::hex << code;
    }
}

TEST(SdlKeyState, WritesEveryByte) {
    std::vector<uint8_t> pressed(SDL_NUM_SCANCODES, 0);
    uint8_t state[256];
    std::fill(std::begin(state), std::end(state), 0xFF);
    keyStateFromScancodes(pressed.data(), int(pressed.size()), state);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(state[i], 0) << i;
}

TEST(SdlKeyState, HeldKeysReadDown) {
    std::vector<uint8_t> pressed(SDL_NUM_SCANCODES, 0);
    pressed[SDL_SCANCODE_Z] = 1;
    pressed[SDL_SCANCODE_RSHIFT] = 1;
    pressed[SDL_SCANCODE_KP_ENTER] = 1;
    pressed[SDL_SCANCODE_LGUI] = 1;  // ignored
    uint8_t state[256];
    keyStateFromScancodes(pressed.data(), int(pressed.size()), state);
    for (int i = 0; i < 256; ++i) {
        const bool down = i == vk::Z || i == 0x10 || i == vk::Return;
        EXPECT_EQ(state[i], down ? keyDownBit : 0) << std::hex << i;
    }
}

TEST(SdlKeyState, ShortScancodeArrayIsHonoured) {
    std::vector<uint8_t> pressed(SDL_NUM_SCANCODES, 1);
    uint8_t state[256];
    keyStateFromScancodes(pressed.data(), SDL_SCANCODE_B + 1, state);  // A and B only
    for (int i = 0; i < 256; ++i) EXPECT_EQ(state[i], (i == 0x41 || i == 0x42) ? keyDownBit : 0) << i;
}

}  // namespace
