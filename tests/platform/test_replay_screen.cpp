// Watching a replay: the game's view stays the replay's, the window beside
// it gets the pictures and the recorded pace. Two headless back ends stand
// in for both, the second one's virtual clock measuring the real time
// the wrapper waited.
#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "platform/replay_screen.h"

namespace {

struct Watched {
    Watched() {
        auto played = std::make_unique<HeadlessBackend>(HeadlessOptions{});
        auto shown = std::make_unique<HeadlessBackend>(HeadlessOptions{});
        replay = played.get();
        screen = shown.get();
        backend = std::make_unique<ReplayScreenBackend>(std::move(played), std::move(shown));
    }
    HeadlessBackend* replay;
    HeadlessBackend* screen;
    std::unique_ptr<ReplayScreenBackend> backend;
};

TEST(ReplayScreen, EachClockReadingWaitsUntilAsMuchRealTimeHasPassed) {
    Watched w;
    EXPECT_EQ(w.backend->clockMs(), 0u);
    // The game's own waits move only the replayed clock...
    w.backend->waitMs(16);
    EXPECT_EQ(w.screen->clockMicros(), 0u);
    // ...and its next reading is held back until real time caught up.
    EXPECT_EQ(w.backend->clockMs(), 16u);
    EXPECT_EQ(w.screen->clockMicros(), 16000u);
    // A message box that stood open three seconds lasts as long.
    w.backend->waitMs(3000);
    EXPECT_EQ(w.backend->clockMs(), 3016u);
    EXPECT_EQ(w.screen->clockMicros(), 3016000u);
}

TEST(ReplayScreen, PicturesGoToBothAndClosingTheWindowEndsTheReplay) {
    Watched w;
    ASSERT_TRUE(w.backend->createWindow("Varnholt", 0, 0, 640, 480));
    const std::vector<uint8_t> pixels(screenWidth * screenHeight, 1);
    PaletteEntry palette[256] = {};
    w.backend->present(pixels.data(), palette, 1);
    EXPECT_EQ(w.replay->presents(), 1u);
    EXPECT_EQ(w.screen->presents(), 1u);

    w.backend->startFrame();
    w.screen->postMessage({MessageKind::Close, 0});
    try {
        w.backend->startFrame();
        FAIL() << "closing the window did not end the replay";
    } catch (const ReplayClosed& closed) {
        EXPECT_FALSE(closed.failed);
    }
    // The window's messages never reach the game.
    WindowMessage message;
    while (w.backend->takeMessage(message)) EXPECT_NE(message.kind, MessageKind::Close);
}

}  // namespace
