#include "tools/audio/Envelope.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {

float Envelope::heldLevel(float t) const {
    if (t < 0.0f) return 0.0f;
    if (t < attack) {
        // A slightly curved attack sounds less like a switch than a straight line.
        const float x = t / attack;
        return x * (2.0f - x);
    }
    if (decay <= 0.0f) return 1.0f;
    return sustain + (1.0f - sustain) * std::exp(-(t - attack) / decay * 4.6f);
}

float Envelope::level(float timeS, float heldS) const {
    if (timeS < heldS) return heldLevel(timeS);
    if (release <= 0.0f) return 0.0f;
    const float since = timeS - heldS;
    if (since >= release) return 0.0f;
    // Release from wherever the note stood, exponential with a linear fade to exact zero.
    const float x = since / release;
    return heldLevel(heldS) * std::exp(-x * 4.0f) * (1.0f - x);
}

}  // namespace brx::tools
