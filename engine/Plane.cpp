#include "engine/Plane.h"

namespace brx {

Plane Plane::fromPoints(const Vector3& a, const Vector3& b, const Vector3& c) {
    const Vector3 n = (b - a).cross(c - a).normalized();
    return Plane(n, -n.dot(a));
}

bool Plane::crosses(const Vector3& p, const Vector3& q) const {
    // Compares signs rather than the product, which can underflow to 0 for tiny distances.
    const float dp = distance(p);
    const float dq = distance(q);
    return (dp < 0.0f && dq > 0.0f) || (dp > 0.0f && dq < 0.0f);
}

Plane::Side Plane::classify(const Vector3& p) const {
    const float d = distance(p);
    if (d > kOnPlaneTolerance) return kFront;
    if (d < -kOnPlaneTolerance) return kBack;
    return kOnPlane;
}

Vector3 Plane::intersectLine(const Vector3& a, const Vector3& b) const {
    const Vector3 direction = b - a;
    const float along = normal.dot(direction);
    if (along == 0.0f) return a;
    return a + direction * (-distance(a) / along);
}

}  // namespace brx
