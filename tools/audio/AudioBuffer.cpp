#include "tools/audio/AudioBuffer.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {

AudioBuffer::AudioBuffer(int channels, size_t frames, int sampleRateHz)
    : channelCount(channels), rateHz(sampleRateHz), data(size_t(channels) * frames, 0.0f) {}

PanGains panGains(float pan) {
    // Equal power: the sum of squares of both gains stays constant across the stereo field,
    // and the centre keeps unit gain on each side.
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * 3.14159265f;
    return PanGains{std::cos(angle) * 1.41421356f, std::sin(angle) * 1.41421356f};
}

void AudioBuffer::addPanned(size_t frame, float value, const PanGains& gains) {
    if (frame >= frames()) return;
    if (channelCount == 1) {
        data[frame] += value;
        return;
    }
    data[frame * 2] += value * gains.left;
    data[frame * 2 + 1] += value * gains.right;
}

void AudioBuffer::mix(const AudioBuffer& other, size_t startFrame, float gain) {
    if (other.channelCount != channelCount || startFrame >= frames()) return;
    const size_t count = std::min(other.frames(), frames() - startFrame) * channelCount;
    float* target = data.data() + startFrame * channelCount;
    for (size_t i = 0; i < count; ++i) target[i] += other.data[i] * gain;
}

void AudioBuffer::scale(float gain) {
    for (float& value : data) value *= gain;
}

void AudioBuffer::resize(size_t frames) {
    data.resize(frames * channelCount, 0.0f);
}

void AudioBuffer::wrapTail(size_t loopFrames) {
    if (loopFrames == 0 || loopFrames >= frames()) return;
    const size_t loopSamples = loopFrames * channelCount;
    for (size_t i = loopSamples; i < data.size(); ++i) data[i % loopSamples] += data[i];
    data.resize(loopSamples);
}

float AudioBuffer::peak() const {
    float highest = 0.0f;
    for (float value : data) highest = std::max(highest, std::fabs(value));
    return highest;
}

}  // namespace brx::tools
