// The process-wide pseudo-random generator. Values run from 0 to 32767 on every platform, so a
// seeded game draws the same sequence everywhere (std::rand's range differs between libraries).
#pragma once

#include <cstdint>

namespace brx {

constexpr int kRandomMax = 32767;

// Restarts the sequence; start-up seeds with the millisecond tick count, tests with constants.
void seedRandom(uint32_t seed);
// The generator's whole state, so a saved game can go on with the very same sequence.
uint32_t randomState();
// Puts back a state randomState() returned.
void setRandomState(uint32_t state);
// The next value of the sequence, 0 to kRandomMax.
int nextRandom();
// a + (r mod (b - a + 1)) for the next value r; b < a is treated as a.
int random(int a, int b);
// a + r / 32767 * (b - a) for the next value r.
float randomReal(float a, float b);

}  // namespace brx
