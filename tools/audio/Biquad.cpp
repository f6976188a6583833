#include "tools/audio/Biquad.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {

Biquad::Biquad(FilterType type, float cutoffHz, float q, int sampleRateHz)
    : kind(type), quality(q), rateHz(sampleRateHz) {
    setCutoff(cutoffHz);
}

void Biquad::setCutoff(float cutoffHz) {
    const float nyquistSafe = 0.45f * float(rateHz);
    const float w = 6.28318531f * std::clamp(cutoffHz, 10.0f, nyquistSafe) / float(rateHz);
    const float alpha = std::sin(w) / (2.0f * quality);
    const float c = std::cos(w);
    const float a0 = 1.0f + alpha;
    switch (kind) {
        case FilterType::lowPass:
            b0 = (1.0f - c) * 0.5f;
            b1 = 1.0f - c;
            b2 = b0;
            break;
        case FilterType::highPass:
            b0 = (1.0f + c) * 0.5f;
            b1 = -(1.0f + c);
            b2 = b0;
            break;
        case FilterType::bandPass:
            b0 = alpha;
            b1 = 0.0f;
            b2 = -alpha;
            break;
    }
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 = -2.0f * c / a0;
    a2 = (1.0f - alpha) / a0;
}

float Biquad::process(float input) {
    const float output = b0 * input + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = input;
    y2 = y1;
    y1 = output;
    return output;
}

}  // namespace brx::tools
