#include "tools/audio/Limiter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace brx::tools {
namespace {

// Gain each frame needs to stay under the ceiling on its own.
std::vector<float> requiredGains(const AudioBuffer& buffer, float limit) {
    std::vector<float> gains(buffer.frames(), 1.0f);
    for (size_t frame = 0; frame < buffer.frames(); ++frame) {
        float highest = 0.0f;
        for (int c = 0; c < buffer.channels(); ++c)
            highest = std::max(highest, std::fabs(buffer.at(frame, c)));
        if (highest > limit) gains[frame] = limit / highest;
    }
    return gains;
}

}  // namespace

void Limiter::apply(AudioBuffer& buffer, bool looped) const {
    const size_t count = buffer.frames();
    if (count == 0) return;
    std::vector<float> gains = requiredGains(buffer, limit);
    const float releaseStep = 1.0f / std::max(1.0f, release * float(buffer.sampleRateHz()));
    const float attackStep = 1.0f / std::max(1.0f, attack * float(buffer.sampleRateHz()));
    // Two rounds over a ring let the gain of the end reach into the start and back.
    const size_t rounds = looped ? 2 : 1;
    float running = 1.0f;
    for (size_t i = 0; i < count * rounds; ++i) {
        float& gain = gains[i % count];
        running = std::min(gain, running + releaseStep);
        gain = running;
    }
    running = 1.0f;
    for (size_t i = count * rounds; i-- > 0;) {
        float& gain = gains[i % count];
        running = std::min(gain, running + attackStep);
        gain = running;
    }
    for (size_t frame = 0; frame < count; ++frame)
        for (int c = 0; c < buffer.channels(); ++c) buffer.at(frame, c) *= gains[frame];
}

}  // namespace brx::tools
