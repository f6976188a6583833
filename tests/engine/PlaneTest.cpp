#include "engine/Plane.h"

#include <gtest/gtest.h>

#include "tests/engine/VectorExpect.h"

namespace brx {
namespace {

TEST(Plane, FromCounterClockwisePointsFacesTheViewer) {
    const Plane p = Plane::fromPoints({0, 0, 2}, {1, 0, 2}, {0, 1, 2});
    EXPECT_TRUE(vectorsNear(p.normal, {0, 0, 1}, 1e-7f));
    EXPECT_FLOAT_EQ(p.offset, -2.0f);
    EXPECT_FLOAT_EQ(p.distance({5, 5, 7}), 5.0f);
    EXPECT_FLOAT_EQ(p.distance({5, 5, -1}), -3.0f);
}

TEST(Plane, ClassifiesWithATolerance) {
    const Plane p({0, 0, 1}, 0);
    EXPECT_EQ(p.classify({0, 0, 1e-6f}), Plane::kFront);
    EXPECT_EQ(p.classify({0, 0, -1e-6f}), Plane::kBack);
    EXPECT_EQ(p.classify({9, 9, 5e-9f}), Plane::kOnPlane);
    EXPECT_EQ(p.classify({9, 9, 0}), Plane::kOnPlane);
}

TEST(Plane, CrossingNeedsStrictlyOppositeSides) {
    const Plane p({0, 0, 1}, 0);
    EXPECT_TRUE(p.crosses({0, 0, 1}, {0, 0, -1}));
    EXPECT_FALSE(p.crosses({0, 0, 1}, {0, 0, 2}));
    EXPECT_FALSE(p.crosses({0, 0, 0}, {0, 0, -1}));  // touching at an end point
    EXPECT_FALSE(p.crosses({0, 0, 0}, {0, 0, 0}));
    // The product of these distances underflows to zero in float; the sides still differ.
    EXPECT_TRUE(p.crosses({0, 0, 1e-30f}, {0, 0, -1e-30f}));
}

TEST(Plane, IntersectsLinesAndReturnsTheStartWhenParallel) {
    const Plane p({0, 1, 0}, -3);  // y = 3
    EXPECT_TRUE(vectorsNear(p.intersectLine({1, 0, 1}, {1, 1, 1}), {1, 3, 1}, 1e-6f));
    // Beyond the segment: the line runs on past b.
    EXPECT_TRUE(vectorsNear(p.intersectLine({0, 10, 0}, {2, 8, 0}), {7, 3, 0}, 1e-5f));
    EXPECT_EQ(p.intersectLine({4, 5, 6}, {9, 5, 6}), Vector3(4, 5, 6));
}

}  // namespace
}  // namespace brx
