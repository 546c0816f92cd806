#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/sound_mixer.h"

namespace {

SoundFormat format(uint16_t channels, uint32_t rate, uint16_t bits) {
    return SoundFormat{channels, rate, uint16_t(channels * bits / 8), bits};
}

std::vector<uint8_t> pcm16(const std::vector<int16_t>& values) {
    std::vector<uint8_t> bytes;
    for (int16_t v : values) {
        bytes.push_back(uint8_t(uint16_t(v) & 0xFF));
        bytes.push_back(uint8_t(uint16_t(v) >> 8));
    }
    return bytes;
}

std::vector<int16_t> convert(const SoundFormat& f, const std::vector<uint8_t>& bytes, uint32_t rate) {
    auto out = convertEffect(f, bytes.data(), bytes.size(), rate);
    EXPECT_TRUE(out.has_value());
    return out.value_or(std::vector<int16_t>{});
}

struct ConversionCase {
    const char* name;
    SoundFormat format;
    std::vector<uint8_t> input;
    uint32_t deviceRate;
    std::vector<int16_t> expected;  // interleaved left/right
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }
class EffectConversionTable : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(EffectConversionTable, ProducesDeviceSamples) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(convert(c.format, c.input, c.deviceRate), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EffectConversionTable,
    ::testing::Values(
        ConversionCase{"Stereo16SameRateIsUnchanged", format(2, 44100, 16),
                       pcm16({100, -100, 32767, -32768}), 44100, {100, -100, 32767, -32768}},
        ConversionCase{"MonoIsCopiedToBothSides", format(1, 44100, 16), pcm16({5, -7}), 44100,
                       {5, 5, -7, -7}},
        ConversionCase{"EightBitIsUnsignedAroundMiddle", format(1, 44100, 8), {0x80, 0x00, 0xFF, 0x81},
                       44100, {0, 0, -32768, -32768, 32512, 32512, 256, 256}},
        ConversionCase{"EightBitStereoKeepsSides", format(2, 44100, 8), {0x00, 0xFF}, 44100,
                       {-32768, 32512}},
        ConversionCase{"DoubleRateInterpolates", format(1, 22050, 16), pcm16({0, 1000}), 44100,
                       {0, 0, 500, 500, 1000, 1000, 1000, 1000}},
        ConversionCase{"HalfRateSkipsFrames", format(1, 88200, 16), pcm16({10, 20, 30, 40}), 44100,
                       {10, 10, 30, 30}},
        ConversionCase{"OddTrailingByteIgnored", format(1, 44100, 16), {1, 0, 2, 0, 9}, 44100,
                       {1, 1, 2, 2}},
        ConversionCase{"PartialStereoFrameIgnored", format(2, 44100, 8), {0x80, 0x80, 0xFF}, 44100,
                       {0, 0}},
        ConversionCase{"EmptyStaysEmpty", format(2, 22050, 16), {}, 44100, {}},
        ConversionCase{"PaddedFramesFollowBlockAlign", SoundFormat{1, 44100, 4, 16},
                       {1, 0, 0xEE, 0xEE, 2, 0, 0xEE, 0xEE}, 44100, {1, 1, 2, 2}},
        ConversionCase{"ZeroBlockAlignUsesSampleSize", SoundFormat{1, 44100, 0, 16}, pcm16({3, 4}),
                       44100, {3, 3, 4, 4}}),
    [](const ::testing::TestParamInfo<ConversionCase>& info) { return std::string(info.param.name); });

TEST(EffectConversion, UnplayableFormatsAreRefused) {
    const std::vector<uint8_t> bytes(16, 0);
    const SoundFormat refused[] = {
        {3, 44100, 6, 16}, {0, 44100, 2, 16}, {1, 44100, 3, 24}, {1, 44100, 4, 32}, {1, 0, 2, 16},
    };
    for (const SoundFormat& f : refused)
        EXPECT_FALSE(convertEffect(f, bytes.data(), bytes.size(), 44100).has_value())
            << f.channels << " channels, " << f.bitsPerSample << " bits, " << f.samplesPerSecond << " Hz";
    EXPECT_FALSE(convertEffect(format(1, 44100, 16), bytes.data(), bytes.size(), 0).has_value());
}

TEST(EffectConversion, UnevenRatioEndsOnLastSourceFrame) {
    // 11025 -> 48000 is not a whole ratio; every output frame must come
    // from inside the data, and the effect must last as long as before.
    std::vector<int16_t> values;
    for (int i = 0; i < 101; ++i) values.push_back(int16_t(i * 300));
    const auto out = convert(format(1, 11025, 16), pcm16(values), 48000);
    const size_t frames = out.size() / 2;
    EXPECT_EQ(frames, (101u * 48000 + 11024) / 11025);
    EXPECT_EQ(out.front(), 0);
    EXPECT_EQ(out[(frames - 1) * 2], 30000);
    for (size_t i = 1; i < frames; ++i) EXPECT_GE(out[i * 2], out[(i - 1) * 2]) << "frame " << i;
}

TEST(EffectConversion, AbsurdLengthIsRefused) {
    const std::vector<uint8_t> bytes(4096, 0x80);
    EXPECT_FALSE(convertEffect(format(1, 1, 8), bytes.data(), bytes.size(), 48000).has_value());
}

// Mixing.

std::vector<int16_t> mixFrames(SoundMixer& mixer, size_t frames) {
    std::vector<int16_t> out(frames * 2, int16_t(0x5A5A));  // garbage the mixer must overwrite
    mixer.mix(out.data(), frames);
    return out;
}

std::vector<int16_t> constant(size_t frames, int16_t left, int16_t right) {
    std::vector<int16_t> out;
    for (size_t i = 0; i < frames; ++i) {
        out.push_back(left);
        out.push_back(right);
    }
    return out;
}

// The effects play at half their own level.

TEST(SoundMixer, EffectPlaysOnceAcrossBuffersThenFallsSilent) {
    SoundMixer mixer;
    mixer.setEffect(2, {2, -2, 4, -4, 6, -6});
    mixer.play(2);
    EXPECT_TRUE(mixer.playing(2));
    EXPECT_EQ(mixFrames(mixer, 2), (std::vector<int16_t>{1, -1, 2, -2}));
    EXPECT_EQ(mixFrames(mixer, 3), (std::vector<int16_t>{3, -3, 0, 0, 0, 0}));
    EXPECT_FALSE(mixer.playing(2));
    EXPECT_EQ(mixFrames(mixer, 2), constant(2, 0, 0));
}

TEST(SoundMixer, EffectsMix) {
    SoundMixer mixer;
    mixer.setEffect(0, constant(3, 200, -200));
    mixer.setEffect(6, constant(2, 40, 60));
    mixer.play(0);
    mixer.play(6);
    EXPECT_EQ(mixFrames(mixer, 3), (std::vector<int16_t>{120, -70, 120, -70, 100, -100}));
}

// Several effects sounding together, one frame each: slot k holds the
// k-th (left, right) pair.
struct SumCase {
    const char* name;
    std::vector<std::pair<int16_t, int16_t>> effects;
    std::pair<int16_t, int16_t> expected;
};

void PrintTo(const SumCase& c, std::ostream* os) { *os << c.name; }

class EffectSumTable : public ::testing::TestWithParam<SumCase> {};

TEST_P(EffectSumTable, PlaysAtHalfTheSumThroughTheLimiter) {
    SoundMixer mixer;
    const SumCase& c = GetParam();
    for (size_t slot = 0; slot < c.effects.size(); ++slot) {
        mixer.setEffect(int(slot), constant(1, c.effects[slot].first, c.effects[slot].second));
        mixer.play(int(slot));
    }
    EXPECT_EQ(mixFrames(mixer, 1), constant(1, c.expected.first, c.expected.second));
}

INSTANTIATE_TEST_SUITE_P(
    Sums, EffectSumTable,
    ::testing::Values(
        // 1 + 1 halved is 1; each halved first would give 0.
        SumCase{"HalfOfTheSumNotOfEachEffect", {{1, -1}, {1, -1}}, {1, -1}},
        SumCase{"FullScaleEffectPlaysBelowTheKnee", {{32767, -32768}}, {16383, -16384}},
        // The halved sum of +30000 +30000 -30000 is 15000 and passes
        // unchanged, whichever effect comes first.
        SumCase{"LimitingDoesNotDependOnOrder", {{30000, -30000}, {30000, -30000}, {-30000, 30000}}, {15000, -15000}},
        // 7 x 30000 / 2 = 105000, bent by the limiter.
        SumCase{"SevenLoudEffectsBendBelowFullScale",
                {{30000, -30000}, {30000, -30000}, {30000, -30000}, {30000, -30000}, {30000, -30000},
                 {30000, -30000}, {30000, -30000}},
                {31372, -31372}}),
    [](const ::testing::TestParamInfo<SumCase>& info) { return std::string(info.param.name); });

TEST(SoundMixer, AddToLeavesTheSumWideAndUnlimited) {
    SoundMixer mixer;
    mixer.setEffect(0, constant(2, 30000, -30000));
    mixer.setEffect(1, constant(2, 30000, -30000));
    mixer.play(0);
    mixer.play(1);
    std::vector<int32_t> sum{20000, -20000, 0, 7};
    mixer.addTo(sum.data(), 2);
    EXPECT_EQ(sum, (std::vector<int32_t>{50000, -50000, 30000, -29993}));
}

TEST(SoundMixer, PlayingAgainRewindsAndCutsThePreviousPlay) {
    SoundMixer mixer;
    mixer.setEffect(1, {20, 20, 40, 40, 60, 60, 80, 80});
    mixer.play(1);
    EXPECT_EQ(mixFrames(mixer, 2), (std::vector<int16_t>{10, 10, 20, 20}));
    mixer.play(1);
    // One voice per slot: the restart replaces, never doubles.
    EXPECT_EQ(mixFrames(mixer, 5), (std::vector<int16_t>{10, 10, 20, 20, 30, 30, 40, 40, 0, 0}));
}

// An effect set but not played, and plays of slots that hold none.
TEST(SoundMixer, MissingOrUnplayedEffectIsSilent) {
    SoundMixer mixer;
    mixer.setEffect(0, {1000, 1000});
    mixer.play(3);
    mixer.play(-1);
    mixer.play(soundEffectSlots);
    EXPECT_FALSE(mixer.playing(3));
    EXPECT_FALSE(mixer.playing(-1));
    EXPECT_EQ(mixFrames(mixer, 3), constant(3, 0, 0));
}

TEST(SoundMixer, ClearForgetsEffects) {
    SoundMixer mixer;
    mixer.setEffect(0, constant(4, 500, 500));
    mixer.play(0);
    mixer.clear();
    EXPECT_FALSE(mixer.playing(0));
    EXPECT_EQ(mixFrames(mixer, 2), constant(2, 0, 0));
    mixer.play(0);
    EXPECT_EQ(mixFrames(mixer, 2), constant(2, 0, 0));
}

TEST(SoundMixer, ReplacingAnEffectStopsIt) {
    SoundMixer mixer;
    mixer.setEffect(4, constant(4, 500, 500));
    mixer.play(4);
    mixer.setEffect(4, constant(2, 14, 14));
    EXPECT_FALSE(mixer.playing(4));
    EXPECT_EQ(mixFrames(mixer, 1), constant(1, 0, 0));
    mixer.play(4);
    EXPECT_EQ(mixFrames(mixer, 3), (std::vector<int16_t>{7, 7, 7, 7, 0, 0}));
}

TEST(SoundMixer, LongBuffersAreWhollyMixed) {
    // Longer than the mixer's internal working block.
    SoundMixer mixer;
    mixer.setEffect(0, constant(1000, 6, -6));
    mixer.setEffect(1, constant(700, 2, 2));
    mixer.play(0);
    mixer.play(1);
    const auto out = mixFrames(mixer, 1200);
    for (size_t i = 0; i < 1200; ++i) {
        const int16_t left = i < 700 ? 4 : i < 1000 ? 3 : 0;
        const int16_t right = i < 700 ? -2 : i < 1000 ? -3 : 0;
        ASSERT_EQ(out[i * 2], left) << "frame " << i;
        ASSERT_EQ(out[i * 2 + 1], right) << "frame " << i;
    }
}

// The soft limiter.

struct LimiterCase {
    const char* name;
    int64_t in;
    int16_t out;
};

void PrintTo(const LimiterCase& c, std::ostream* os) { *os << c.name; }

class SoftLimiterTable : public ::testing::TestWithParam<LimiterCase> {};

TEST_P(SoftLimiterTable, BendsOnlyAboveTheKnee) {
    EXPECT_EQ(softLimit(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SoftLimiterTable,
    ::testing::Values(LimiterCase{"Silence", 0, 0}, LimiterCase{"QuietPasses", 1000, 1000},
                      LimiterCase{"QuietNegativePasses", -1000, -1000},
                      LimiterCase{"KneePasses", 24576, 24576}, LimiterCase{"NegativeKneePasses", -24576, -24576},
                      LimiterCase{"JustAboveKneeBends", 24600, 24599},
                      LimiterCase{"FullScaleIsBent", 32767, 28470},
                      LimiterCase{"NegativeFullScaleIsBent", -32768, -28470},
                      LimiterCase{"KneePlusRoomIsHalfwayUp", 32000, 28288},
                      LimiterCase{"TwiceFullScale", 65536, 30860},
                      LimiterCase{"SevenFullEffects", 229369, 31740},
                      LimiterCase{"WidestIntStaysBelowCeiling", 2147483647, 31999},
                      LimiterCase{"MostNegativeIntStaysBelowCeiling", -2147483648LL, -31999},
                      LimiterCase{"AbsurdlyWideStaysBelowCeiling", INT64_MIN, -31999}),
    [](const ::testing::TestParamInfo<LimiterCase>& info) { return std::string(info.param.name); });

TEST(SoftLimiter, RisesSteadilyAndNeverReachesFullScale) {
    int previous = -32768;
    for (int64_t in = -(int64_t{1} << 33); in <= (int64_t{1} << 33); in += 4099) {
        const int out = softLimit(in);
        ASSERT_GE(out, previous) << "at " << in;
        ASSERT_LT(std::abs(out), 32000) << "at " << in;
        previous = out;
    }
}

}  // namespace
