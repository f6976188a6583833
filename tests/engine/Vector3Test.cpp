#include "engine/Vector3.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/Random.h"

namespace brx {
namespace {

TEST(Vector3, NormalizeLeavesTheZeroVectorAlone) {
    Vector3 zero;
    zero.normalize();
    EXPECT_EQ(zero, Vector3(0, 0, 0));
    EXPECT_FALSE(std::isnan(Vector3().normalized().x));

    Vector3 v(3, 0, 4);
    v.normalize();
    EXPECT_FLOAT_EQ(v.length(), 1.0f);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
}

TEST(Vector3, CrossIsRightHandedAndAntiCommutative) {
    const Vector3 x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    EXPECT_EQ(x.cross(y), z);
    EXPECT_EQ(y.cross(z), x);
    EXPECT_EQ(z.cross(x), y);
    const Vector3 a(1, 2, 3), b(-4, 5, 0.5f);
    EXPECT_EQ(a.cross(b), -b.cross(a));
    EXPECT_FLOAT_EQ(a.cross(b).dot(a), 0.0f);
}

TEST(Vector3, ArithmeticAndExactComparisons) {
    Vector3 v(1, 2, 3);
    v += Vector3(1, 1, 1);
    v *= 2.0f;
    v -= Vector3(0, 2, 0);
    v /= 2.0f;
    EXPECT_EQ(v, Vector3(2, 2, 4));
    EXPECT_EQ(2.0f * v, v * 2.0f);
    EXPECT_TRUE(Vector3(5, 5, 5).allEqual(5));
    EXPECT_FALSE(Vector3(5, 5, 5.0001f).allEqual(5));
    EXPECT_NE(Vector3(0, 0, 0), Vector3(0, 0, 1e-30f));
    EXPECT_FLOAT_EQ(distance(Vector3(1, 1, 1), Vector3(4, 5, 1)), 5.0f);
}

TEST(Vector3, AngleBetweenStaysInsideTheArcCosineDomain) {
    // Rounding can push the quotient of parallel vectors past 1; that must read as 0, not NaN.
    seedRandom(99);
    for (int i = 0; i < 1000; ++i) {
        const Vector3 a(randomReal(-9, 9), randomReal(-9, 9), randomReal(-9, 9));
        EXPECT_NEAR(angleBetween(a, a * randomReal(0.1f, 10)), 0.0f, 1e-3f);
        EXPECT_NEAR(angleBetween(a, -a), 3.1415927f, 1e-3f);
    }
    const Vector3 a(0.1f, 0.2f, 0.3f);
    EXPECT_FLOAT_EQ(angleBetween(a, -a), 3.1415927f);
    EXPECT_FLOAT_EQ(angleBetween(Vector3(1, 0, 0), Vector3(0, 2, 0)), 3.1415927f / 2);
    EXPECT_FLOAT_EQ(angleBetween(Vector3(1, 0, 0), Vector3(1, 1, 0)), 3.1415927f / 4);
    EXPECT_FLOAT_EQ(angleBetween(Vector3(), Vector3(1, 0, 0)), 3.1415927f / 2);
}

}  // namespace
}  // namespace brx
