// The SDL back end's whole mix, as its audio callback makes it: the game's
// own effects over the cave music through FluidSynth, on SDL's dummy
// driver held still so that the test alone fills the buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "audio/music_player.h"
#include "audio/sound_effects.h"
#include "platform/files.h"
#include "platform/sdl/sdl_backend.h"
#include "support/headless_game.h"

using namespace varnholt;

namespace {

class SdlMix : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        closeMusic();
        setPlatform(makeSdlBackend());
        setDataDirectory(testing_support::assetDirectory());
        frames_ = initSound() ? takeOverSdlAudio(platform()) : 0;
    }
    void TearDown() override { testing_support::freshHeadlessGame(); }

    // Renders `buffers` device buffers, restarting the effects in `effects`
    // every `every` buffers; answers the largest sample size heard.
    int loudest(int buffers, const std::vector<SoundEffect>& effects, int every) {
        std::vector<int16_t> buffer(frames_ * 2);
        int peak = 0;
        for (int n = 0; n < buffers; ++n) {
            if (n % every == 0)
                for (SoundEffect effect : effects) playSound(effect);
            renderSdlAudio(platform(), buffer.data(), frames_);
            for (int16_t sample : buffer) peak = std::max(peak, std::abs(int(sample)));
        }
        return peak;
    }

    size_t frames_ = 0;
};

const std::vector<SoundEffect> allEffects{SoundEffect::Sword,   SoundEffect::Enemy,     SoundEffect::Boss,
                                          SoundEffect::Magic,   SoundEffect::LevelUp,   SoundEffect::Character,
                                          SoundEffect::Earthquake};

TEST_F(SdlMix, EveryEffectAtOnceOverTheMusicStaysBelowFullScale) {
    if (frames_ == 0) GTEST_SKIP() << "no sound device";
    ASSERT_TRUE(openMusic("音楽/back.mds", 1));
    ASSERT_EQ(startMusic(1), 1);
    // Ten seconds, all seven effects restarted every 16 buffers (0.19 s).
    const int peak = loudest(860, allEffects, 16);
    EXPECT_LT(peak, 32000);
    EXPECT_GT(peak, 16384) << "the mix should be loud enough to bend";
}

TEST_F(SdlMix, EarthquakeRestartedEveryFrameStaysBelowFullScale) {
    if (frames_ == 0) GTEST_SKIP() << "no sound device";
    ASSERT_TRUE(openMusic("音楽/通常.mds", 1));
    ASSERT_EQ(startMusic(1), 1);
    // As in the opening's quake: the sound starts again every frame, 100
    // frames long; a buffer of 512 frames is about 12 ms.
    const int peak = loudest(140, {SoundEffect::Earthquake}, 1);
    EXPECT_LT(peak, 32000);
    EXPECT_GT(peak, 4096) << "the earthquake should be heard";
}

TEST_F(SdlMix, QuietMixPassesUnbent) {
    if (frames_ == 0) GTEST_SKIP() << "no sound device";
    // Without music, one effect alone plays at half its level: the
    // generated effects all peak below the limiter's knee then.
    const int peak = loudest(60, {SoundEffect::Sword}, 100);
    EXPECT_GT(peak, 2000);
    EXPECT_LE(peak, 24576);
}

}  // namespace
