#include "tools/audio/Oscillator.h"

#include <cmath>

namespace brx::tools {
namespace {

constexpr float kTwoPi = 6.28318531f;

// Polynomial correction of a unit step at phase 0, spread over one sample either side.
float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

float wrap(float cyclePhase) {
    return cyclePhase - std::floor(cyclePhase);
}

}  // namespace

float Oscillator::shaped(float p, float dt) const {
    switch (shape) {
        case Wave::sine:
            return std::sin(kTwoPi * p);
        case Wave::triangle:
            return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
        case Wave::saw:
            return 2.0f * p - 1.0f - polyBlep(p, dt);
        case Wave::square:
            return (p < 0.5f ? 1.0f : -1.0f) + polyBlep(p, dt) -
                   polyBlep(p < 0.5f ? p + 0.5f : p - 0.5f, dt);
    }
    return 0.0f;
}

float Oscillator::next(float frequencyHz, int sampleRateHz) {
    return nextModulated(frequencyHz, 0.0f, sampleRateHz);
}

float Oscillator::nextModulated(float frequencyHz, float phaseOffset, int sampleRateHz) {
    const float dt = std::fabs(frequencyHz) / float(sampleRateHz);
    const float p = phaseOffset == 0.0f ? phase : wrap(phase + phaseOffset);
    const float value = shaped(p, dt > 0.0f ? dt : 1e-6f);
    phase += dt;
    if (phase >= 1.0f) phase = wrap(phase);
    return value;
}

float noteHz(float midiNote) {
    return 440.0f * std::pow(2.0f, (midiNote - 69.0f) / 12.0f);
}

}  // namespace brx::tools
