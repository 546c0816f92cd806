// Reading the effect files and playing them.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/sound_effects.h"
#include "audio/wav_reader.h"
#include "platform/files.h"
#include "support/file_builders.h"
#include "support/headless_game.h"

using namespace varnholt;
using testing_support::formatChunk;
using testing_support::makeWave;

namespace {

std::vector<uint8_t> ramp(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = uint8_t(i * 3);
    return bytes;
}

TEST(WavReader, FindsDataAfterAnExtraChunk) {
    const auto file = makeWave({{"fmt ", formatChunk(1, 2, 22050, 88200, 4, 16)},
                                {"LIST", std::vector<uint8_t>(27, 'x')},
                                {"data", ramp(400)}});
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(sound.format.channels, 2);
    EXPECT_EQ(sound.format.samplesPerSecond, 22050u);
    EXPECT_EQ(sound.format.blockAlign, 4);
    EXPECT_EQ(sound.format.bitsPerSample, 16);
    EXPECT_EQ(sound.samples, ramp(400));
}

TEST(WavReader, TakesTheFormatFromItsFieldsNotTheAverageBytes) {
    const auto file = makeWave({{"fmt ", formatChunk(1, 1, 11025, 99999, 1, 8)}, {"data", ramp(11)}});
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(sound.format.channels, 1);
    EXPECT_EQ(sound.format.samplesPerSecond, 11025u);
    EXPECT_EQ(sound.format.blockAlign, 1);
    EXPECT_EQ(sound.samples.size(), 11u);
}

TEST(WavReader, AShortDataChunkGivesWhatTheFileHolds) {
    auto file = makeWave({{"fmt ", formatChunk(1, 1, 8000, 16000, 2, 16)}, {"data", ramp(100)}});
    file.resize(file.size() - 31);  // the chunk says 100 bytes; 69 remain
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(sound.samples.size(), 68u) << "whole sample frames only";
}

struct BadWave {
    const char* what;
    std::vector<uint8_t> bytes;
};

class WavReaderRejects : public ::testing::TestWithParam<BadWave> {};

TEST_P(WavReaderRejects, Safely) {
    WaveSound sound;
    EXPECT_FALSE(decodeWave(GetParam().bytes.data(), GetParam().bytes.size(), sound))
        << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, WavReaderRejects,
    ::testing::Values(
        BadWave{"empty", {}},
        BadWave{"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
        BadWave{"no data chunk", makeWave({{"fmt ", formatChunk(1, 1, 8000, 8000, 1, 8)}})},
        BadWave{"no format chunk", makeWave({{"data", ramp(10)}})},
        BadWave{"compressed", makeWave({{"fmt ", formatChunk(2, 1, 8000, 8000, 1, 8)}, {"data", ramp(10)}})},
        BadWave{"six channels", makeWave({{"fmt ", formatChunk(1, 6, 8000, 96000, 12, 16)}, {"data", ramp(24)}})},
        BadWave{"24 bits", makeWave({{"fmt ", formatChunk(1, 1, 8000, 24000, 3, 24)}, {"data", ramp(9)}})},
        BadWave{"block align that does not fit", makeWave({{"fmt ", formatChunk(1, 2, 8000, 8000, 1, 16)}, {"data", ramp(8)}})},
        BadWave{"short format chunk", makeWave({{"fmt ", ramp(10)}, {"data", ramp(8)}})},
        BadWave{"huge chunk size", [] {
                    auto f = makeWave({{"fmt ", formatChunk(1, 1, 8000, 8000, 1, 8)}, {"JUNK", ramp(4)}});
                    f[40] = 0xFF; f[41] = 0xFF; f[42] = 0xFF; f[43] = 0xFF;
                    return f;
                }()}));

class SoundPlaying : public ::testing::Test {
protected:
    void SetUp() override { backend = &testing_support::freshHeadlessGame(); }
    std::vector<int> plays() const {
        std::vector<int> effects;
        for (const RecordedEvent& event : backend->events()) {
            if (event.kind == RecordedKind::Sound) effects.push_back(event.effect);
        }
        return effects;
    }
    HeadlessBackend* backend = nullptr;
};

TEST_F(SoundPlaying, EveryEffectLoadsAndPlaysEachTimeItIsRequested) {
    ASSERT_EQ(initSound(), 1);
    playSound(SoundEffect::Earthquake);
    playSound(SoundEffect::Earthquake);
    playSound(SoundEffect::Sword);
    EXPECT_EQ(plays(), (std::vector<int>{6, 6, 0}));
    for (int i = 0; i < soundEffectCount; ++i) {
        EXPECT_EQ(loadWave(dataPath(soundEffectFile(i)).c_str(), i), 1) << soundEffectName(i);
    }
}

TEST_F(SoundPlaying, AMissingFileLeavesOnlyThatEffectSilent) {
    const std::string folder = testing_support::scratchDirectory("missing_wave");
    std::filesystem::copy(testing_support::assetDirectory() + "/音楽", folder + "/音楽");
    std::filesystem::remove(folder + "/" + soundEffectFile(1));
    setDataDirectory(folder);
    ASSERT_EQ(initSound(), 1);
    playSound(SoundEffect::Enemy);
    playSound(SoundEffect::Boss);
    EXPECT_EQ(plays(), (std::vector<int>{2}));
}

TEST_F(SoundPlaying, WithoutADeviceNothingPlays) {
    playSound(SoundEffect::Sword);
    EXPECT_TRUE(plays().empty());
}

}  // namespace
