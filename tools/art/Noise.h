// Seeded value noise and fractal sums of it. The same seed always gives the same pictures, so
// the build's data are reproducible byte for byte.
#pragma once

#include <cstdint>

namespace brx::tools {

class Noise {
public:
    explicit Noise(uint32_t seed) : seed_(seed) {}

    // Smooth noise in 0..1 with features about one unit apart.
    float value(float x, float y) const;
    // Sum of octaves, each twice the frequency and `gain` times the weight of the last; 0..1.
    float fbm(float x, float y, int octaves, float gain = 0.5f) const;
    // Ridged variant (sharp crests), 0..1.
    float ridged(float x, float y, int octaves) const;
    // A hash of integer coordinates in 0..1, for scattering stars and sparkles.
    float hash(int x, int y) const;

private:
    uint32_t seed_;
};

}  // namespace brx::tools
