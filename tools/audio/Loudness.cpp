#include "tools/audio/Loudness.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/audio/Limiter.h"

namespace brx::tools {
namespace {

constexpr double kBlockS = 0.050;
constexpr float kLoudWindowDb = 10.0f;

std::vector<double> blockMeanSquares(const AudioBuffer& buffer) {
    const size_t blockFrames = std::max<size_t>(1, size_t(kBlockS * buffer.sampleRateHz()));
    const auto& samples = buffer.samples();
    const size_t blockSamples = blockFrames * buffer.channels();
    std::vector<double> blocks;
    for (size_t start = 0; start < samples.size(); start += blockSamples) {
        const size_t end = std::min(samples.size(), start + blockSamples);
        double sum = 0.0;
        for (size_t i = start; i < end; ++i) sum += double(samples[i]) * samples[i];
        blocks.push_back(sum / double(end - start));
    }
    return blocks;
}

}  // namespace

float toDb(float linear) {
    return linear <= 1e-10f ? -200.0f : 20.0f * std::log10(linear);
}

float fromDb(float db) {
    return std::pow(10.0f, db / 20.0f);
}

float loudPartRmsDb(const AudioBuffer& buffer) {
    const std::vector<double> blocks = blockMeanSquares(buffer);
    if (blocks.empty()) return -200.0f;
    const double loudest = *std::max_element(blocks.begin(), blocks.end());
    const double threshold = loudest * std::pow(10.0, -kLoudWindowDb / 10.0);
    double sum = 0.0;
    int count = 0;
    for (double block : blocks) {
        if (block < threshold) continue;
        sum += block;
        ++count;
    }
    return toDb(float(std::sqrt(sum / std::max(1, count))));
}

float peakDb(const AudioBuffer& buffer) {
    return toDb(buffer.peak());
}

void normaliseLoudness(AudioBuffer& buffer, float targetRmsDb, float ceilingDb, bool looped) {
    const Limiter limiter(fromDb(ceilingDb));
    // Limiting lowers the body a little; a second round makes up for it.
    for (int round = 0; round < 3; ++round) {
        const float current = loudPartRmsDb(buffer);
        if (current < -150.0f) return;
        buffer.scale(fromDb(targetRmsDb - current));
        limiter.apply(buffer, looped);
    }
}

}  // namespace brx::tools
