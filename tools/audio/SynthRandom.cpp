#include "tools/audio/SynthRandom.h"

namespace brx::tools {

SynthRandom::SynthRandom(uint32_t seed) : state(seed == 0 ? 0x9E3779B9u : seed) {
    // The first values of a small seed are small too; a few rounds spread them out.
    for (int i = 0; i < 8; ++i) next();
}

uint32_t SynthRandom::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float SynthRandom::uniform(float low, float high) {
    return low + float(next() >> 8) * (1.0f / 16777216.0f) * (high - low);
}

int SynthRandom::integer(int low, int high) {
    if (high <= low) return low;
    return low + int(next() % uint32_t(high - low + 1));
}

}  // namespace brx::tools
