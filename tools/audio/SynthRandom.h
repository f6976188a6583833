// The synth's own random source. The game's process-wide generator would do for one thread,
// but both music tracks render at once and each must come out the same on every build, so
// every renderer owns a seeded generator of its own.
#pragma once

#include <cstdint>

namespace brx::tools {

class SynthRandom {
public:
    explicit SynthRandom(uint32_t seed);

    // Next raw 32-bit value (xorshift32).
    uint32_t next();
    // Uniform in [low, high).
    float uniform(float low, float high);
    // Uniform integer in [low, high].
    int integer(int low, int high);
    // White noise in [-1, 1).
    float noise() { return uniform(-1.0f, 1.0f); }
    // True with the given probability (0..1).
    bool chance(float probability) { return uniform(0.0f, 1.0f) < probability; }

private:
    uint32_t state;
};

}  // namespace brx::tools
