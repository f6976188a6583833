#include "engine/TriangleHit.h"

namespace brx {

namespace {

// Sum of the angles the edges (0,1), (1,2), (2,0) subtend at p, radians.
double angleSumAt(const Vector3 corners[3], const Vector3& p, bool* atCorner) {
    Vector3 toCorner[3];
    for (int i = 0; i < 3; ++i) {
        toCorner[i] = (corners[i] - p).normalized();
        if (toCorner[i].isZero()) *atCorner = true;
    }
    double sum = 0.0;
    for (int i = 0; i < 3; ++i) sum += angleBetween(toCorner[i], toCorner[(i + 1) % 3]);
    return sum;
}

}  // namespace

Vector3 segmentHitsTriangle(const Vector3 corners[3], const Plane& plane, const Vector3& a,
                            const Vector3& b) {
    if (!plane.crosses(a, b)) return kNoTriangleHit;
    const Vector3 p = plane.intersectLine(a, b);
    // A crossing exactly on a corner has no direction towards it; the angle sum would come
    // out near 3 pi / 2 and lose a point that lies on the triangle.
    bool atCorner = false;
    const double sum = angleSumAt(corners, p, &atCorner);
    if (atCorner || sum >= kInsideAngleSum) return p;
    return kNoTriangleHit;
}

Vector3 segmentHitsTriangle(const FaceRecord& face, const Vector3& a, const Vector3& b) {
    if (face.plane == nullptr) return kNoTriangleHit;
    const Vector3 corners[3] = {face.corner(0), face.corner(1), face.corner(2)};
    return segmentHitsTriangle(corners, *face.plane, a, b);
}

}  // namespace brx
