// Reading the effect files and playing them.
#include <gtest/gtest.h>

#include <array>
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

std::array<uint32_t, 4> formatOf(const WaveSound& s) {
    return {s.format.channels, s.format.samplesPerSecond, s.format.blockAlign, s.format.bitsPerSample};
}

TEST(WavReader, FindsDataAfterAnExtraChunk) {
    const auto file = makeWave({{"fmt ", formatChunk(1, 2, 22050, 88200, 4, 16)},
                                {"LIST", std::vector<uint8_t>(27, 'x')},
                                {"data", ramp(400)}});
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(formatOf(sound), (std::array<uint32_t, 4>{2, 22050, 4, 16}));
    EXPECT_EQ(sound.samples, ramp(400));
}

TEST(WavReader, TakesTheFormatFromItsFieldsNotTheAverageBytes) {
    const auto file = makeWave({{"fmt ", formatChunk(1, 1, 11025, 99999, 1, 8)}, {"data", ramp(11)}});
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(formatOf(sound), (std::array<uint32_t, 4>{1, 11025, 1, 8}));
    EXPECT_EQ(sound.samples.size(), 11u);
}

TEST(WavReader, AShortDataChunkGivesWhatTheFileHolds) {
    auto file = makeWave({{"fmt ", formatChunk(1, 1, 8000, 16000, 2, 16)}, {"data", ramp(100)}});
    file.resize(file.size() - 31);  // the chunk says 100 bytes; 69 remain
    WaveSound sound;
    ASSERT_TRUE(decodeWave(file.data(), file.size(), sound));
    EXPECT_EQ(sound.samples.size(), 68u) << "whole sample frames only";
}

TEST(WavReader, RejectsDamagedFilesSafely) {
    auto huge = makeWave({{"fmt ", formatChunk(1, 1, 8000, 8000, 1, 8)}, {"JUNK", ramp(4)}});
    std::fill(huge.begin() + 40, huge.begin() + 44, 0xFF);  // the JUNK chunk's size
    const auto fmt = [](uint16_t tag, uint16_t channels, uint16_t blockAlign, uint16_t bits) {
        return testing_support::WaveChunk{"fmt ", formatChunk(tag, channels, 8000, 8000, blockAlign, bits)};
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}}, {"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
        {"no data chunk", makeWave({fmt(1, 1, 1, 8)})}, {"no format chunk", makeWave({{"data", ramp(10)}})},
        {"compressed", makeWave({fmt(2, 1, 1, 8), {"data", ramp(10)}})},
        {"six channels", makeWave({fmt(1, 6, 12, 16), {"data", ramp(24)}})},
        {"24 bits", makeWave({fmt(1, 1, 3, 24), {"data", ramp(9)}})},
        {"block align that does not fit", makeWave({fmt(1, 2, 1, 16), {"data", ramp(8)}})},
        {"short format chunk", makeWave({{"fmt ", ramp(10)}, {"data", ramp(8)}})}, {"huge chunk size", huge},
    };
    for (const auto& c : cases) {
        WaveSound sound;
        EXPECT_FALSE(decodeWave(c.bytes.data(), c.bytes.size(), sound)) << c.what;
    }
}

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
    playSound(SoundEffect::Sword);
    EXPECT_TRUE(plays().empty()) << "without a device nothing plays";
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

}  // namespace
