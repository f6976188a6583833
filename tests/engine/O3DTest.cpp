#include "engine/O3D.h"

#include <gtest/gtest.h>

#include "tests/engine/VectorExpect.h"

namespace brx {
namespace {

constexpr float kHalfPi = 1.5707963f;

// A unit cube centred on the object's position, as the board's blocks are.
O3D unitBoxAt(const Vector3& position) {
    O3D box;
    box.setBoxFromCorners({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    box.setPosition(position);
    return box;
}

TEST(O3D, StartsAtTheOriginWithNeutralFields) {
    const O3D o;
    EXPECT_EQ(o.frame, Matrix4());
    EXPECT_EQ(o.parent(), nullptr);
    EXPECT_EQ(o.velocity, Vector3());
    EXPECT_EQ(o.acceleration, Vector3());
    EXPECT_EQ(o.extraScale, 1.0f);
    EXPECT_EQ(o.boundingRadius, 0.0f);
}

TEST(O3D, RotateAboutAxisTurnsTheAxesButNotThePosition) {
    O3D o;
    o.setPosition({3, 4, 5});
    o.rotateAboutAxis(kHalfPi, {0, 0, 10});  // the axis is normalised first
    EXPECT_EQ(o.position(), Vector3(3, 4, 5));
    EXPECT_TRUE(vectorsNear(o.axisX(), {0, 1, 0}, 1e-6f));
    EXPECT_TRUE(vectorsNear(o.axisY(), {-1, 0, 0}, 1e-6f));
    EXPECT_TRUE(vectorsNear(o.axisZ(), {0, 0, 1}, 1e-6f));

    const Matrix4 before = o.frame;
    o.rotateAboutAxis(1.0f, {0, 0, 0});
    EXPECT_EQ(o.frame, before);
}

TEST(O3D, RotateTowardsCarriesTheVectorOntoThePoint) {
    O3D o;
    o.setPosition({0, 0, 22});
    o.rotateTowards({1, 0, 0}, -o.axisZ());
    const Vector3 wanted = (Vector3(1, 0, 0) - o.position()).normalized();
    EXPECT_TRUE(vectorsNear(-o.axisZ(), wanted, 1e-6f));
    EXPECT_TRUE(vectorsNear(o.axisY(), {0, 1, 0}, 1e-6f));  // turned about Y only

    const Matrix4 before = o.frame;
    o.rotateTowards(o.position(), {1, 0, 0});
    o.rotateTowards({5, 5, 5}, {0, 0, 0});
    EXPECT_EQ(o.frame, before);
}

TEST(O3D, RotateTowardsTurnsRoundWhenThePointIsBehind) {
    O3D o;
    o.rotateTowards({0, 0, 10}, {0, 0, -1});
    EXPECT_TRUE(vectorsNear(-o.axisZ(), {0, 0, 1}, 1e-6f));
}

TEST(O3D, EulerStepMovesWithTheOldVelocity) {
    O3D o;
    o.velocity = {1, 0, 0};
    o.acceleration = {0, -0.5f, 0};
    o.integrateMotion(2);
    EXPECT_EQ(o.position(), Vector3(2, 0, 0));
    EXPECT_EQ(o.velocity, Vector3(1, -1, 0));
    o.integrateMotion(2);
    EXPECT_EQ(o.position(), Vector3(4, -2, 0));
}

TEST(O3D, WorldFrameGoesThroughEveryAncestorNearestFirst) {
    O3D grandparent, parent, child;
    grandparent.setPosition({100, 0, 0});
    grandparent.rotateAboutAxis(kHalfPi, {0, 0, 1});
    parent.setPosition({10, 0, 0});
    parent.setParent(&grandparent);
    child.setPosition({1, 0, 0});
    child.setParent(&parent);
    // Child (1,0,0) in the parent is (11,0,0); turned a quarter about Z and moved: (100,11,0).
    EXPECT_TRUE(vectorsNear(child.worldPosition(), {100, 11, 0}, 1e-5f));
    const Matrix4 world = child.worldMatrix();
    EXPECT_TRUE(vectorsNear(world.translationPart(), child.worldPosition(), 1e-5f));
    EXPECT_TRUE(vectorsNear(world.column(0), {0, 1, 0}, 1e-6f));
    EXPECT_TRUE(matricesNear(world, grandparent.frame * parent.frame * child.frame, 1e-6f));
    child.setParent(nullptr);
    EXPECT_EQ(child.worldPosition(), Vector3(1, 0, 0));
}

TEST(O3D, LineHitsTheOrientedBox) {
    const O3D box = unitBoxAt({3, 4, 0});
    EXPECT_TRUE(box.hitByLine({3, 4, 22}, {0, 0, -1}));
    EXPECT_TRUE(box.hitByLine({3.4f, 3.6f, 22}, {0, 0, -1}));
    EXPECT_FALSE(box.hitByLine({3.6f, 4, 22}, {0, 0, -1}));
    EXPECT_TRUE(box.hitByLine({3.5f, 4, 22}, {0, 0, -1}));  // grazing a face counts
    // A line is infinite both ways: pointing away still meets the box.
    EXPECT_TRUE(box.hitByLine({3, 4, 22}, {0, 0, 1}));
    EXPECT_TRUE(box.hitByLine({0, 0, 0}, Vector3(3, 4, 0).normalized()));
    // Diagonals passing just beside and just over a corner.
    EXPECT_TRUE(box.hitByLine({0, 1.8f, 0}, Vector3(1, 1, 0).normalized()));
    EXPECT_FALSE(box.hitByLine({0, 2.2f, 0}, Vector3(1, 1, 0).normalized()));
}

TEST(O3D, LineTestFollowsTurnedFramesAndParents) {
    O3D board;
    board.setPosition({0, 0, -5});
    board.rotateAboutAxis(kHalfPi, {0, 0, 1});
    O3D block = unitBoxAt({2, 0, 0});             // in board space: world (0, 2, -5)
    block.obbHalfExtents = {1.5f, 0.25f, 0.25f};  // long along its own X, i.e. world Y
    block.setParent(&board);
    EXPECT_TRUE(block.hitByLine({0, 2, 10}, {0, 0, -1}));
    EXPECT_TRUE(block.hitByLine({0, 3.4f, 10}, {0, 0, -1}));
    EXPECT_FALSE(block.hitByLine({0.4f, 2, 10}, {0, 0, -1}));
    EXPECT_FALSE(block.hitByLine({2, 0, 10}, {0, 0, -1}));
}

TEST(O3D, SegmentHitsOnlyAlongItsOwnLength) {
    const O3D box = unitBoxAt({0, 0, 0});
    const Vector3 down(0, 0, -1);
    EXPECT_EQ(box.hitBySegment({0, 0, 3}, {0, 0, -3}, down), O3D::kSegmentHit);
    // The box lies in the far half of the segment.
    EXPECT_EQ(box.hitBySegment({0, 0, 4}, {0, 0, 0}, down), O3D::kSegmentHit);
    // Starting just past the box and leading away from it.
    EXPECT_EQ(box.hitBySegment({0, 0, -0.6f}, {0, 0, -4}, down), O3D::kSegmentMiss);
    // Short of the box.
    EXPECT_EQ(box.hitBySegment({0, 0, 5}, {0, 0, 1}, down), O3D::kSegmentMiss);
    // Beside it.
    EXPECT_EQ(box.hitBySegment({2, 0, 3}, {2, 0, -3}, down), O3D::kSegmentMiss);
}

}  // namespace
}  // namespace brx
