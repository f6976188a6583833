#include "engine/TriangleHit.h"

#include <gtest/gtest.h>

#include "tests/engine/VectorExpect.h"

namespace brx {
namespace {

class TriangleHit : public ::testing::Test {
protected:
    const Vector3 corners[3] = {{0, 0, 0}, {4, 0, 0}, {0, 4, 0}};
    const Plane plane = Plane::fromPoints(corners[0], corners[1], corners[2]);

    Vector3 downAt(float x, float y) const {
        return segmentHitsTriangle(corners, plane, {x, y, 1}, {x, y, -1});
    }
};

TEST_F(TriangleHit, SegmentThroughTheInsideHitsAtThePlane) {
    EXPECT_TRUE(vectorsNear(downAt(1, 1), {1, 1, 0}, 1e-6f));
    const Vector3 slanted = segmentHitsTriangle(corners, plane, {0, 0, 2}, {2, 2, -2});
    EXPECT_TRUE(vectorsNear(slanted, {1, 1, 0}, 1e-6f));
}

TEST_F(TriangleHit, EdgesAndCornersCountAsInside) {
    EXPECT_TRUE(isTriangleHit(downAt(2, 0)));  // on an edge: the sum is 2 pi
    EXPECT_TRUE(isTriangleHit(downAt(2, 2)));  // on the slanted edge
    EXPECT_TRUE(isTriangleHit(downAt(4, 0)));  // exactly on a corner
    EXPECT_TRUE(isTriangleHit(downAt(0, 0)));
}

TEST_F(TriangleHit, PointsOutsideMiss) {
    EXPECT_EQ(downAt(3, 3), kNoTriangleHit);
    EXPECT_EQ(downAt(-0.2f, 1), kNoTriangleHit);
    EXPECT_EQ(downAt(2.2f, 2.2f), kNoTriangleHit);
}

TEST_F(TriangleHit, SegmentsThatDoNotCrossThePlaneMiss) {
    // Touching the plane at an end point (distance exactly 0) is no crossing.
    EXPECT_EQ(segmentHitsTriangle(corners, plane, {1, 1, 0}, {1, 1, 5}), kNoTriangleHit);
    // Lying in the plane.
    EXPECT_EQ(segmentHitsTriangle(corners, plane, {-1, 1, 0}, {5, 1, 0}), kNoTriangleHit);
    // Ending short of it.
    EXPECT_EQ(segmentHitsTriangle(corners, plane, {1, 1, 3}, {1, 1, 0.5f}), kNoTriangleHit);
}

TEST_F(TriangleHit, WorksOnMeshRecords) {
    const float vertices[] = {0, 0, 5, 4, 0, 5, 0, 4, 5};
    const Plane facePlane = Plane::fromPoints({0, 0, 5}, {4, 0, 5}, {0, 4, 5});
    FaceRecord face;
    for (int c = 0; c < 3; ++c) face.vertices[c] = vertices + 3 * c;
    face.plane = &facePlane;
    EXPECT_TRUE(vectorsNear(segmentHitsTriangle(face, {1, 1, 9}, {1, 1, 0}), {1, 1, 5}, 1e-6f));
    face.plane = nullptr;
    EXPECT_EQ(segmentHitsTriangle(face, {1, 1, 9}, {1, 1, 0}), kNoTriangleHit);
}

}  // namespace
}  // namespace brx
