// The synth's building blocks where a fault would be audible: levels, clipping, loop seams.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/audio/AudioBuffer.h"
#include "tools/audio/Envelope.h"
#include "tools/audio/Limiter.h"
#include "tools/audio/Loudness.h"
#include "tools/audio/Mp3Encoder.h"
#include "tools/audio/OggEncoder.h"
#include "tools/audio/Oscillator.h"

namespace brx::tools {
namespace {

AudioBuffer sine(float hz, float amplitude, double seconds, int channels = 1) {
    AudioBuffer buffer(channels, size_t(seconds * kSampleRateHz));
    Oscillator oscillator(Wave::sine);
    for (size_t i = 0; i < buffer.frames(); ++i) {
        const float value = amplitude * oscillator.next(hz);
        for (int c = 0; c < channels; ++c) buffer.at(i, c) = value;
    }
    return buffer;
}

TEST(Loudness, MeasuresASineAndIgnoresSilenceAroundIt) {
    AudioBuffer tone = sine(1000.0f, 0.5f, 0.5);
    EXPECT_NEAR(loudPartRmsDb(tone), toDb(0.5f) - 3.01f, 0.1f);
    EXPECT_NEAR(peakDb(tone), toDb(0.5f), 0.01f);
    tone.resize(tone.frames() * 4);  // three times as much silence after it
    EXPECT_NEAR(loudPartRmsDb(tone), toDb(0.5f) - 3.01f, 0.1f);
    EXPECT_LT(loudPartRmsDb(AudioBuffer(1, 1000)), -150.0f);
}

TEST(Loudness, NormalisingReachesTheTargetWithoutPassingTheCeiling) {
    AudioBuffer tone = sine(220.0f, 0.01f, 0.5);
    tone.samples()[1000] = 0.2f;  // a spike far above the body
    normaliseLoudness(tone, -12.0f, -1.5f, false);
    EXPECT_NEAR(loudPartRmsDb(tone), -12.0f, 0.5f);
    EXPECT_LE(peakDb(tone), -1.5f + 0.01f);
}

TEST(Limiter, HoldsTheCeilingAndLeavesQuietPartsAlone) {
    AudioBuffer buffer = sine(100.0f, 0.2f, 1.0, 2);
    for (size_t i = 20000; i < 22000; ++i) buffer.at(i, 1) *= 8.0f;  // a loud burst
    Limiter(0.5f).apply(buffer, false);
    EXPECT_LE(buffer.peak(), 0.5f + 1e-6f);
    EXPECT_NEAR(buffer.at(100, 0), sine(100.0f, 0.2f, 0.01).at(100, 0), 1e-6f);
    // Both channels share the gain: the quiet side dips with the burst.
    EXPECT_LT(std::fabs(buffer.at(21000, 0)), 0.2f * 0.5f);
}

TEST(Limiter, ALoopedBufferKeepsItsGainContinuousAcrossTheSeam) {
    AudioBuffer buffer(1, 44100);
    for (float& value : buffer.samples()) value = 0.3f;       // a level that loops trivially
    for (size_t i = 0; i < 300; ++i) buffer.at(i, 0) = 0.9f;  // loud right at the start
    AudioBuffer open = buffer;
    Limiter(0.45f).apply(buffer, true);
    Limiter(0.45f).apply(open, false);
    const size_t last = buffer.frames() - 1;
    // Played as a loop the end runs into the loud start, so its gain has already come down.
    EXPECT_LT(buffer.at(last, 0), 0.3f * 0.6f);
    EXPECT_NEAR(buffer.at(last, 0), buffer.at(0, 0) * 0.3f / 0.9f, 0.01f);
    EXPECT_FLOAT_EQ(open.at(last, 0), 0.3f);
    EXPECT_LE(buffer.peak(), 0.45f + 1e-6f);
}

TEST(AudioBuffer, WrappedTailSoundsOverTheStart) {
    AudioBuffer buffer(2, 10);
    buffer.at(8, 0) = 1.0f;
    buffer.at(9, 1) = 2.0f;
    buffer.at(1, 1) = 0.5f;
    buffer.wrapTail(8);
    ASSERT_EQ(buffer.frames(), 8u);
    EXPECT_EQ(buffer.at(0, 0), 1.0f);
    EXPECT_EQ(buffer.at(1, 1), 2.5f);
}

TEST(Envelope, RisesHoldsAndEndsAtSilence) {
    const Envelope envelope(0.01f, 0.1f, 0.5f, 0.2f);
    EXPECT_EQ(envelope.level(0.0f, 1.0f), 0.0f);
    EXPECT_NEAR(envelope.level(0.01f, 1.0f), 1.0f, 0.01f);
    EXPECT_NEAR(envelope.level(0.9f, 1.0f), 0.5f, 0.01f);
    EXPECT_EQ(envelope.level(1.2f, 1.0f), 0.0f);
    EXPECT_LT(envelope.level(1.19f, 1.0f), 0.01f);
    EXPECT_FLOAT_EQ(envelope.length(1.0f), 1.2f);
}

TEST(Oscillator, BandLimitedSawStaysInRangeAtHighPitch) {
    Oscillator saw(Wave::saw);
    float highest = 0.0f;
    for (int i = 0; i < 44100; ++i) highest = std::max(highest, std::fabs(saw.next(5000.0f)));
    EXPECT_LT(highest, 1.3f);
    EXPECT_NEAR(noteHz(69.0f), 440.0f, 1e-3f);
    EXPECT_NEAR(noteHz(81.0f), 880.0f, 1e-2f);
}

TEST(Encoders, RefuseBuffersTheyCannotCarry) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodeMp3(AudioBuffer(3, 1000), 128, &bytes, &error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(encodeOgg(AudioBuffer(), 0.5f, &bytes, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace brx::tools
