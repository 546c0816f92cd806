// The SDL back end's keyboard: taps between frames, driven through SDL's
// own event queue with its dummy video driver (no display needed).
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"

namespace {

class SdlKeyboard : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        backend = makeSdlBackend();
        ASSERT_TRUE(backend->createWindow("Varnholt", 0, 0, 640, 480));
        drainMessages();
    }
    void TearDown() override { backend.reset(); }

    // Takes the window's messages, as the message loop does between frames.
    void drainMessages() {
        WindowMessage message;
        while (backend->takeMessage(message)) {
        }
    }
    static void pushKey(Uint32 type, SDL_Scancode scancode, Uint8 repeat = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat;
        event.key.keysym.scancode = scancode;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    static void tap(SDL_Scancode scancode) {
        pushKey(SDL_KEYDOWN, scancode);
        pushKey(SDL_KEYUP, scancode);
    }
    // The key-state bytes of C, X and Left in one reading.
    std::array<uint8_t, 3> read() {
        uint8_t state[256];
        backend->readKeyboard(state);
        return {state[vk::C], state[vk::X], state[vk::Left]};
    }

    std::unique_ptr<Backend> backend;
};

using Bytes = std::array<uint8_t, 3>;

TEST_F(SdlKeyboard, ATapBetweenFramesIsHeldInEveryReadingOfTheNextFrameOnly) {
    tap(SDL_SCANCODE_C);
    tap(SDL_SCANCODE_LEFT);
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x80, 0x00, 0x80}));
    EXPECT_EQ(read(), (Bytes{0x80, 0x00, 0x80}));
    drainMessages();
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
}

TEST_F(SdlKeyboard, ATapAfterTheFramesFirstReadingCountsInTheNextFrame) {
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
    tap(SDL_SCANCODE_X);
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x80, 0x00}));
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
}

TEST_F(SdlKeyboard, AnAutoRepeatIsNoTap) {
    pushKey(SDL_KEYDOWN, SDL_SCANCODE_C, 1);
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
}

TEST_F(SdlKeyboard, AKeyTheGameIgnoresLatchesNothing) {
    tap(SDL_SCANCODE_F13);
    backend->startFrame();
    uint8_t state[256];
    backend->readKeyboard(state);
    EXPECT_EQ(std::vector<uint8_t>(state, state + 256), std::vector<uint8_t>(256, 0));
}

TEST_F(SdlKeyboard, LosingTheFocusForgetsTaps) {
    tap(SDL_SCANCODE_C);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    ASSERT_EQ(SDL_PushEvent(&focus), 1);
    drainMessages();
    backend->startFrame();
    EXPECT_EQ(read(), (Bytes{0x00, 0x00, 0x00}));
}

TEST_F(SdlKeyboard, TheTapStillComesAsAKeyDownMessage) {
    tap(SDL_SCANCODE_C);
    WindowMessage message{};
    ASSERT_TRUE(backend->takeMessage(message));
    EXPECT_EQ(message.kind, MessageKind::KeyDown);
    EXPECT_EQ(message.param, vk::C);
}

}  // namespace
