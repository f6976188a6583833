#include "engine/Matrix4.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/Random.h"
#include "tests/engine/VectorExpect.h"

namespace brx {
namespace {

constexpr float kHalfPi = 1.5707963f;

Matrix4 randomAffine() {
    Matrix4 m = Matrix4::rotationAxis({randomReal(-1, 1), randomReal(-1, 1), randomReal(-1, 1)},
                                      randomReal(-3, 3));
    m = m * Matrix4::scaling({randomReal(0.5f, 2), randomReal(0.5f, 2), randomReal(0.5f, 2)});
    m.setTranslation({randomReal(-50, 50), randomReal(-50, 50), randomReal(-50, 50)});
    return m;
}

TEST(Matrix4, UsesOpenGLColumnOrder) {
    const Matrix4 t = Matrix4::translation({7, 8, 9});
    EXPECT_EQ(t[12], 7.0f);
    EXPECT_EQ(t[13], 8.0f);
    EXPECT_EQ(t[14], 9.0f);
    EXPECT_EQ(t.at(0, 3), 7.0f);
    EXPECT_EQ(t[15], 1.0f);

    Matrix4 m;
    m.setColumn(1, {4, 5, 6});
    EXPECT_EQ(m[4], 4.0f);
    EXPECT_EQ(m[6], 6.0f);
    EXPECT_EQ(m.at(2, 1), 6.0f);
    EXPECT_EQ(Matrix4(m.data()), m);
}

TEST(Matrix4, RotationsAreRightHandedInRadians) {
    EXPECT_TRUE(
        vectorsNear(Matrix4::rotationZ(kHalfPi).transformDirection({1, 0, 0}), {0, 1, 0}, 1e-6f));
    EXPECT_TRUE(
        vectorsNear(Matrix4::rotationX(kHalfPi).transformDirection({0, 1, 0}), {0, 0, 1}, 1e-6f));
    EXPECT_TRUE(
        vectorsNear(Matrix4::rotationY(kHalfPi).transformDirection({0, 0, 1}), {1, 0, 0}, 1e-6f));
    EXPECT_TRUE(
        matricesNear(Matrix4::rotationAxis({0, 0, 5}, 0.3f), Matrix4::rotationZ(0.3f), 1e-6f));
    EXPECT_EQ(Matrix4::rotationAxis({0, 0, 0}, 1.0f), Matrix4());
}

TEST(Matrix4, ProductAppliesTheRightFactorFirst) {
    const Matrix4 move = Matrix4::translation({10, 0, 0});
    const Matrix4 turn = Matrix4::rotationZ(kHalfPi);
    // Turn, then move: (1, 0, 0) -> (0, 1, 0) -> (10, 1, 0).
    EXPECT_TRUE(vectorsNear((move * turn).transformPoint({1, 0, 0}), {10, 1, 0}, 1e-5f));
    // Move, then turn: (1, 0, 0) -> (11, 0, 0) -> (0, 11, 0).
    EXPECT_TRUE(vectorsNear((turn * move).transformPoint({1, 0, 0}), {0, 11, 0}, 1e-5f));
}

TEST(Matrix4, AffineProductIgnoresTheBottomRow) {
    Matrix4 a = Matrix4::translation({1, 2, 3});
    a.at(3, 0) = 99.0f;  // garbage where an affine matrix has 0
    const Matrix4 product = a * Matrix4::translation({1, 1, 1});
    EXPECT_TRUE(vectorsNear(product.translationPart(), {2, 3, 4}, 0));
    EXPECT_EQ(product.at(3, 0), 0.0f);
    EXPECT_EQ(product.at(3, 3), 1.0f);
}

TEST(Matrix4, InverseUndoesRandomAffineMatrices) {
    seedRandom(42);
    for (int i = 0; i < 100; ++i) {
        const Matrix4 m = randomAffine();
        Matrix4 inverse;
        ASSERT_TRUE(m.invertAffine(&inverse));
        EXPECT_TRUE(matricesNear(m * inverse, Matrix4(), 1e-4f));
        EXPECT_TRUE(matricesNear(inverse * m, Matrix4(), 1e-4f));
    }
}

TEST(Matrix4, SingularMatrixHasNoInverse) {
    Matrix4 flat = Matrix4::scaling({1, 1, 0});
    flat.setTranslation({3, 4, 5});
    Matrix4 inverse = Matrix4::translation({1, 1, 1});
    EXPECT_FALSE(flat.invertAffine(&inverse));
    EXPECT_EQ(inverse, Matrix4());
    EXPECT_EQ(flat.inverted(), Matrix4());
}

TEST(Matrix4, LocalDirectionIsTheTransposedRotation) {
    Matrix4 frame = Matrix4::rotationAxis({1, 2, 3}, 0.8f);
    frame.setTranslation({5, -6, 7});
    const Vector3 v(0.3f, -2, 4);
    EXPECT_TRUE(
        vectorsNear(frame.directionToLocal(v), frame.transposed().transformDirection(v), 1e-6f));
    EXPECT_TRUE(vectorsNear(frame.directionToLocal(frame.transformDirection(v)), v, 1e-5f));
    EXPECT_TRUE(vectorsNear(frame.pointToLocal(frame.transformPoint(v)), v, 1e-5f));
    EXPECT_TRUE(vectorsNear(frame.pointToLocal(v), frame.inverted().transformPoint(v), 1e-5f));
}

TEST(Matrix4, PerspectiveMapsTheClipPlanesToTheCubeFaces) {
    const Matrix4 p = Matrix4::perspective(60, 4.0f / 3.0f, 1, 1024);
    EXPECT_NEAR(p.projectPoint({0, 0, -1}).z, -1.0f, 1e-5f);
    EXPECT_NEAR(p.projectPoint({0, 0, -1024}).z, 1.0f, 1e-4f);
    // The top edge of the view at distance 1 is tan(30 degrees).
    EXPECT_NEAR(p.projectPoint({0, std::tan(0.5235988f), -1}).y, 1.0f, 1e-5f);
    EXPECT_NEAR(p.projectPoint({std::tan(0.5235988f) * 4 / 3, 0, -1}).x, 1.0f, 1e-5f);
}

}  // namespace
}  // namespace brx
