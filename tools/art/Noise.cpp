#include "tools/art/Noise.h"

#include <cmath>

namespace brx::tools {
namespace {

float smooth(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

}  // namespace

float Noise::hash(int x, int y) const {
    uint32_t h = seed_ * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return float(h & 0xFFFFFFu) / float(0xFFFFFF);
}

float Noise::value(float x, float y) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const float a = hash(ix, iy), b = hash(ix + 1, iy);
    const float c = hash(ix, iy + 1), d = hash(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Noise::fbm(float x, float y, int octaves, float gain) const {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        // Offsetting each octave hides the lattice alignment of the layers.
        sum += value(x + float(i) * 17.31f, y - float(i) * 9.73f) * weight;
        total += weight;
        weight *= gain;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / total;
}

float Noise::ridged(float x, float y, int octaves) const {
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        const float n = 1.0f - std::abs(value(x, y) * 2.0f - 1.0f);
        sum += n * n * weight;
        total += weight;
        weight *= 0.5f;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / total;
}

}  // namespace brx::tools
