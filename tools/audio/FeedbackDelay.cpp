#include "tools/audio/FeedbackDelay.h"

#include <vector>

namespace brx::tools {

void FeedbackDelay::apply(AudioBuffer& buffer, float wetGain) const {
    const size_t length = size_t(delay * float(buffer.sampleRateHz()));
    if (length == 0) return;
    const int channels = buffer.channels();
    std::vector<float> left(length, 0.0f), right(length, 0.0f);
    float lowLeft = 0.0f, lowRight = 0.0f;  // one-pole low-pass: each echo a little duller
    size_t position = 0;
    for (size_t frame = 0; frame < buffer.frames(); ++frame) {
        float input = 0.0f;
        for (int c = 0; c < channels; ++c) input += buffer.at(frame, c);
        input /= float(channels);
        const float echoLeft = left[position], echoRight = right[position];
        lowLeft += 0.6f * (echoLeft - lowLeft);
        lowRight += 0.6f * (echoRight - lowRight);
        // Input enters on the left; each round crosses to the other side.
        left[position] = input + lowRight * keep;
        right[position] = lowLeft * keep;
        position = (position + 1) % length;
        if (channels == 1) {
            buffer.at(frame, 0) += (echoLeft + echoRight) * wetGain;
        } else {
            buffer.at(frame, 0) += echoLeft * wetGain;
            buffer.at(frame, 1) += echoRight * wetGain;
        }
    }
}

}  // namespace brx::tools
