// Segment against triangle: the plane crossing, then the angle-sum inside test (the angles the
// three edges subtend at the crossing point add up to 2 pi exactly when it lies inside).
#pragma once

#include "engine/FaceRecord.h"
#include "engine/Plane.h"
#include "engine/Vector3.h"

namespace brx {

// The answer of segmentHitsTriangle when nothing is hit; callers compare with it (or test z).
inline constexpr Vector3 kNoTriangleHit{0.0f, 0.0f, -16384.0f};
// A point counts as inside when its angle sum reaches this (just under 2 pi, radians).
inline constexpr double kInsideAngleSum = 6.220353514028908741;

// The point where segment a-b meets the triangle (corners, plane), or kNoTriangleHit. A segment
// that only touches the plane at an end point does not cross it; edges and corners are inside.
Vector3 segmentHitsTriangle(const Vector3 corners[3], const Plane& plane, const Vector3& a,
                            const Vector3& b);
// The same for a mesh triangle; a record without a plane is never hit.
Vector3 segmentHitsTriangle(const FaceRecord& face, const Vector3& a, const Vector3& b);
// True when a result of segmentHitsTriangle is a real hit.
inline bool isTriangleHit(const Vector3& result) {
    return result.z > kNoTriangleHit.z;
}

}  // namespace brx
