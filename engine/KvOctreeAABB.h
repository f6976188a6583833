// An octree over mesh triangles; each node is an axis-aligned box kept in the O3D box fields.
// A node splits into 8 equal octants while it holds more than kMaxLeafTriangles and is wider
// than kMinSplitWidth along x; a triangle belongs to every box that holds one of its corners.
//
// Design note: the index is deliberately approximate. A segment is only tested in nodes that
// contain one of its end points, and a triangle that spans a box without a corner in it is not
// listed there; a query suits short segments near the surface (the tree is built only on
// request, and nothing in the game requests it). The records point into the mesh, which must
// outlive the tree.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/FaceRecord.h"
#include "engine/O3D.h"
#include "engine/Vector3.h"

namespace brx {

class KvOctreeAABB : public O3D {
public:
    static constexpr size_t kMaxLeafTriangles = 256;
    static constexpr float kMinSplitWidth = 16.0f;  // units along x
    static constexpr int kChildCount = 8;
    // The root box spans this far along z whatever the triangles (units).
    static constexpr float kRootHalfDepth = 64.0f;
    // Starting corners of the root box before the vertices widen it (units).
    static constexpr float kRootStartExtent = 1024.0f;

    KvOctreeAABB() = default;
    KvOctreeAABB(const KvOctreeAABB&) = delete;
    KvOctreeAABB& operator=(const KvOctreeAABB&) = delete;
    ~KvOctreeAABB() override = default;

    // Builds the root over count triangles; its box encloses their corners in x and y and spans
    // -64..64 in z.
    void build(const FaceRecord* triangles, size_t count);
    // Builds a node whose box runs from minCorner to maxCorner.
    void build(const FaceRecord* triangles, size_t count, const Vector3& minCorner,
               const Vector3& maxCorner);
    // Drops children and triangles.
    void clear();

    // True when segment a-b hits a triangle of a node that contains a or b; *hitPoint is then a
    // point where it does (the one nearest to a among the children's answers), otherwise
    // kNoTriangleHit.
    bool segmentHits(const Vector3& a, const Vector3& b, Vector3* hitPoint) const;

    // True when p lies in the box, bounds included.
    bool contains(const Vector3& p) const;
    // A triangle belongs to the box when one of its corners lies in it.
    bool holds(const FaceRecord& face) const;

    bool isEmpty() const { return !children_ && triangles_.empty(); }
    bool isLeaf() const { return !children_; }
    // Child i (0..7) of an inner node: i = 4 x-upper + 2 y-upper + z-upper.
    const KvOctreeAABB& child(int i) const { return children_[i]; }
    // The triangles of a leaf, in the order given to build.
    const std::vector<FaceRecord>& triangles() const { return triangles_; }

private:
    void split(const std::vector<FaceRecord>& members);

    std::unique_ptr<KvOctreeAABB[]> children_;
    std::vector<FaceRecord> triangles_;
};

}  // namespace brx
