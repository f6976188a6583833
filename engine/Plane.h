// A plane n . p + d = 0 with unit normal n. The front side is where n points.
#pragma once

#include "engine/Vector3.h"

namespace brx {

class Plane {
public:
    // Which side of the plane a point lies on (classify()).
    enum Side { kFront = 0, kBack = 1, kOnPlane = 2 };
    // Points closer than this to the plane count as on it (units).
    static constexpr float kOnPlaneTolerance = 1e-8f;

    Vector3 normal;
    float offset = 0.0f;

    Plane() = default;
    Plane(const Vector3& unitNormal, float planeOffset) : normal(unitNormal), offset(planeOffset) {}
    // The plane through a, b, c: n = normalise((b - a) x (c - a)), d = -n . a. Counter-clockwise
    // corners seen from the front.
    static Plane fromPoints(const Vector3& a, const Vector3& b, const Vector3& c);

    // Signed distance n . p + d (units, positive in front).
    float distance(const Vector3& p) const { return normal.dot(p) + offset; }
    // True when p and q lie strictly on opposite sides (a point on the plane crosses nothing).
    bool crosses(const Vector3& p, const Vector3& q) const;
    // kFront beyond +tolerance, kBack below -tolerance, else kOnPlane.
    Side classify(const Vector3& p) const;
    // Where the line from a towards b meets the plane; a when the line runs parallel to it.
    Vector3 intersectLine(const Vector3& a, const Vector3& b) const;
};

}  // namespace brx
