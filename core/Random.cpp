#include "core/Random.h"

namespace brx {
namespace {

// A linear congruential generator whose upper bits give 15-bit values.
struct RandomState {
    uint32_t state = 1;
};
RandomState generator;

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;

}  // namespace

void seedRandom(uint32_t seed) {
    generator.state = seed;
}

uint32_t randomState() {
    return generator.state;
}

void setRandomState(uint32_t state) {
    generator.state = state;
}

int nextRandom() {
    generator.state = generator.state * kMultiplier + kIncrement;
    return int((generator.state >> 16) & uint32_t(kRandomMax));
}

int random(int a, int b) {
    const int r = nextRandom();
    if (b < a) return a;  // an empty range would divide by zero
    return a + r % (b - a + 1);
}

float randomReal(float a, float b) {
    const int r = nextRandom();
    return a + float(r) / float(kRandomMax) * (b - a);
}

}  // namespace brx
