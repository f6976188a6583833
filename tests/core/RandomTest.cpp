#include "core/Random.h"

#include <gtest/gtest.h>

#include <set>

namespace brx {
namespace {

TEST(Random, SeededSequenceRepeatsAndStaysInRange) {
    seedRandom(1234);
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) first.push_back(nextRandom());
    seedRandom(1234);
    for (int i = 0; i < 1000; ++i) {
        const int value = nextRandom();
        EXPECT_EQ(value, first[i]);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, kRandomMax);
    }
}

TEST(Random, CoversTheWholeRange) {
    seedRandom(7);
    int lowest = kRandomMax, highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int value = nextRandom();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, kRandomMax);
}

TEST(Random, IntegerFormulaMatchesTheRawValue) {
    seedRandom(99);
    const int r = nextRandom();
    seedRandom(99);
    EXPECT_EQ(random(-8, 8), -8 + r % 17);
    seedRandom(5);
    std::set<int> seen;
    for (int i = 0; i < 1000; ++i) seen.insert(random(1, 5));
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(random(3, 3), 3);
    EXPECT_EQ(random(4, 2), 4);  // an empty range never divides by zero
}

TEST(Random, RealFormulaMatchesTheRawValue) {
    seedRandom(42);
    const int r = nextRandom();
    seedRandom(42);
    EXPECT_FLOAT_EQ(randomReal(-1.0f, 1.0f), -1.0f + float(r) / 32767.0f * 2.0f);
    for (int i = 0; i < 1000; ++i) {
        const float value = randomReal(12.0f, 16.0f);
        EXPECT_GE(value, 12.0f);
        EXPECT_LE(value, 16.0f);
    }
}

}  // namespace
}  // namespace brx
