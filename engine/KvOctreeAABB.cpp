#include "engine/KvOctreeAABB.h"

#include "engine/TriangleHit.h"

namespace brx {

void KvOctreeAABB::clear() {
    children_.reset();
    triangles_.clear();
}

void KvOctreeAABB::build(const FaceRecord* triangles, size_t count) {
    Vector3 lo(kRootStartExtent, kRootStartExtent, kRootStartExtent);
    Vector3 hi = -lo;
    for (size_t t = 0; t < count; ++t) {
        for (int c = 0; c < 3; ++c) {
            const Vector3 v = triangles[t].corner(c);
            for (int i = 0; i < 3; ++i) {
                if (v[i] < lo[i]) lo[i] = v[i];
                if (v[i] > hi[i]) hi[i] = v[i];
            }
        }
    }
    // The z span is fixed so flat models (boards, tiles) still make a box with depth; the
    // centre keeps the z of the corners found.
    const float centreZ = (lo.z + hi.z) * 0.5f;
    lo.z = -kRootHalfDepth;
    hi.z = kRootHalfDepth;
    build(triangles, count, lo, hi);
    obbCentre.z = centreZ;
}

void KvOctreeAABB::build(const FaceRecord* triangles, size_t count, const Vector3& minCorner,
                         const Vector3& maxCorner) {
    clear();
    setBoxFromCorners(minCorner, maxCorner);
    std::vector<FaceRecord> members;
    for (size_t t = 0; t < count; ++t)
        if (holds(triangles[t])) members.push_back(triangles[t]);
    if (members.size() > kMaxLeafTriangles && aabbMax.x - aabbMin.x > kMinSplitWidth)
        split(members);
    else
        triangles_ = std::move(members);
}

void KvOctreeAABB::split(const std::vector<FaceRecord>& members) {
    children_ = std::make_unique<KvOctreeAABB[]>(kChildCount);
    const Vector3 half = aabbHalfExtents;
    for (int index = 0; index < kChildCount; ++index) {
        const Vector3 octant(float((index >> 2) & 1), float((index >> 1) & 1), float(index & 1));
        const Vector3 lo(aabbMin.x + octant.x * half.x, aabbMin.y + octant.y * half.y,
                         aabbMin.z + octant.z * half.z);
        const Vector3 hi(aabbMin.x + (octant.x + 1) * half.x, aabbMin.y + (octant.y + 1) * half.y,
                         aabbMin.z + (octant.z + 1) * half.z);
        children_[index].build(members.data(), members.size(), lo, hi);
    }
}

bool KvOctreeAABB::contains(const Vector3& p) const {
    return p.x >= aabbMin.x && p.x <= aabbMax.x && p.y >= aabbMin.y && p.y <= aabbMax.y &&
           p.z >= aabbMin.z && p.z <= aabbMax.z;
}

bool KvOctreeAABB::holds(const FaceRecord& face) const {
    return contains(face.corner(0)) || contains(face.corner(1)) || contains(face.corner(2));
}

bool KvOctreeAABB::segmentHits(const Vector3& a, const Vector3& b, Vector3* hitPoint) const {
    *hitPoint = kNoTriangleHit;
    if (isEmpty() || !(contains(a) || contains(b))) return false;
    if (isLeaf()) {
        for (const FaceRecord& face : triangles_) {
            *hitPoint = segmentHitsTriangle(face, a, b);
            if (isTriangleHit(*hitPoint)) return true;
        }
        return false;
    }
    // Every child is asked; a later child without a hit must not wipe out an earlier answer.
    bool hit = false;
    Vector3 bestHit = kNoTriangleHit;
    for (int i = 0; i < kChildCount; ++i) {
        Vector3 childHit;
        if (!children_[i].segmentHits(a, b, &childHit)) continue;
        if (!hit || distance(a, childHit) < distance(a, bestHit)) bestHit = childHit;
        hit = true;
    }
    *hitPoint = bestHit;
    return hit;
}

}  // namespace brx
