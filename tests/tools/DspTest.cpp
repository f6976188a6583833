// Filters, room and echo: the parts that could blow up, drift in pitch or leave a side silent.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/audio/AudioBuffer.h"
#include "tools/audio/Biquad.h"
#include "tools/audio/FeedbackDelay.h"
#include "tools/audio/Oscillator.h"
#include "tools/audio/Reverb.h"

namespace brx::tools {
namespace {

// RMS of a sine of `hz` after the filter, once it has settled.
float filteredLevel(FilterType type, float cutoffHz, float hz) {
    Biquad filter(type, cutoffHz);
    Oscillator tone(Wave::sine);
    double sum = 0.0;
    const int settle = 4410, count = 44100;
    for (int i = 0; i < settle + count; ++i) {
        const float value = filter.process(tone.next(hz));
        if (i >= settle) sum += double(value) * value;
    }
    return float(std::sqrt(sum / count) * std::sqrt(2.0));  // 1 = unchanged amplitude
}

int zeroCrossings(Wave wave, float hz) {
    Oscillator oscillator(wave, 0.25f);
    float previous = oscillator.next(hz);
    int crossings = 0;
    for (int i = 1; i < 44100; ++i) {
        const float value = oscillator.next(hz);
        if ((previous < 0.0f) != (value < 0.0f)) ++crossings;
        previous = value;
    }
    return crossings;
}

TEST(Biquad, PassesItsBandAndDampsTheRest) {
    EXPECT_NEAR(filteredLevel(FilterType::lowPass, 1000.0f, 100.0f), 1.0f, 0.05f);
    EXPECT_LT(filteredLevel(FilterType::lowPass, 1000.0f, 8000.0f), 0.03f);
    EXPECT_NEAR(filteredLevel(FilterType::highPass, 1000.0f, 8000.0f), 1.0f, 0.05f);
    EXPECT_LT(filteredLevel(FilterType::highPass, 1000.0f, 100.0f), 0.03f);
    EXPECT_GT(filteredLevel(FilterType::bandPass, 2000.0f, 2000.0f), 0.9f);
    EXPECT_LT(filteredLevel(FilterType::bandPass, 2000.0f, 100.0f), 0.1f);
}

TEST(Biquad, SweepingTheCutOffStaysStable) {
    Biquad filter(FilterType::lowPass, 20000.0f, 4.0f);
    float highest = 0.0f;
    for (int i = 0; i < 44100; ++i) {
        filter.setCutoff(20000.0f * std::exp(-float(i) / 5000.0f));
        highest = std::max(highest, std::fabs(filter.process(i % 100 < 50 ? 1.0f : -1.0f)));
    }
    EXPECT_LT(highest, 8.0f);
    EXPECT_TRUE(std::isfinite(highest));
}

TEST(Oscillator, EveryWaveRunsAtItsFrequency) {
    for (Wave wave : {Wave::sine, Wave::triangle, Wave::saw, Wave::square}) {
        SCOPED_TRACE(int(wave));
        EXPECT_NEAR(zeroCrossings(wave, 440.0f), 880, 3);
    }
}

TEST(Reverb, TailRingsOnDiesAwayAndSpreadsToBothSides) {
    AudioBuffer buffer(2, 44100 * 4);
    buffer.at(0, 0) = buffer.at(0, 1) = 1.0f;  // a click in the middle
    Reverb(0.8f, 0.5f).apply(buffer, 1.0f);
    auto energy = [&](double fromS, double toS, int channel) {
        double sum = 0.0;
        for (size_t i = buffer.frameAt(fromS); i < buffer.frameAt(toS); ++i)
            sum += double(buffer.at(i, channel)) * buffer.at(i, channel);
        return sum;
    };
    EXPECT_GT(energy(0.1, 0.5, 0), 1e-6);
    EXPECT_GT(energy(0.1, 0.5, 1), 1e-6);
    EXPECT_LT(energy(3.0, 4.0, 0), energy(0.1, 0.5, 0) * 0.01);
    // The sides differ, or the tail would sit in the middle like a mono one.
    double difference = 0.0;
    for (size_t i = 0; i < buffer.frames(); ++i)
        difference += std::fabs(buffer.at(i, 0) - buffer.at(i, 1));
    EXPECT_GT(difference, 0.1);
}

TEST(FeedbackDelay, EchoesAlternateSidesAndFade) {
    AudioBuffer buffer(2, 44100);
    buffer.at(0, 0) = buffer.at(0, 1) = 1.0f;
    FeedbackDelay(0.1f, 0.5f).apply(buffer, 1.0f);
    const size_t echo = 4410;
    auto around = [&](size_t frame, int channel) {
        float highest = 0.0f;
        for (size_t i = frame; i < frame + 5; ++i)
            highest = std::max(highest, std::fabs(buffer.at(i, channel)));
        return highest;
    };
    EXPECT_GT(around(echo, 0), 0.5f);
    EXPECT_LT(around(echo, 1), 1e-6f);
    EXPECT_GT(around(2 * echo, 1), 0.05f);
    EXPECT_LT(around(2 * echo, 1), around(echo, 0));
}

}  // namespace
}  // namespace brx::tools
