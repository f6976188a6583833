// A small plate-like reverb: eight damped feedback combs into four all-passes per side, the
// right side tuned a few samples apart so the tail spreads across the stereo field.
#pragma once

#include <vector>

#include "tools/audio/AudioBuffer.h"

namespace brx::tools {

class Reverb {
public:
    // roomSize 0..1 sets the tail length, damping 0..1 how fast its highs die.
    Reverb(float roomSize, float damping);

    // Adds the reverberated signal (scaled by wetGain) to the buffer; the dry signal stays.
    // Give the buffer room at the end for the tail.
    void apply(AudioBuffer& buffer, float wetGain);

private:
    struct Comb {
        std::vector<float> line;
        size_t position = 0;
        float store = 0.0f;
    };
    struct AllPass {
        std::vector<float> line;
        size_t position = 0;
    };
    float processSide(float input, std::vector<Comb>& combs, std::vector<AllPass>& allPasses);

    float feedback;
    float damp;
    std::vector<Comb> leftCombs, rightCombs;
    std::vector<AllPass> leftAllPasses, rightAllPasses;
};

}  // namespace brx::tools
