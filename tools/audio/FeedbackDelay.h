// An echo: the signal returns after a fixed time, softer and duller each round; on a stereo
// buffer the echoes alternate between the sides (ping-pong).
#pragma once

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

class FeedbackDelay {
public:
    // delayS: time between echoes; feedback 0..0.9: level kept per round.
    FeedbackDelay(float delayS, float feedback) : delay(delayS), keep(feedback) {}

    // Adds the echoes (scaled by wetGain) to the buffer in place.
    void apply(AudioBuffer& buffer, float wetGain) const;

private:
    float delay;
    float keep;
};

}  // namespace brx::tools
