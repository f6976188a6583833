#include "engine/KvOctreeAABB.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

#include "core/Random.h"
#include "engine/TriangleHit.h"
#include "tests/engine/VectorExpect.h"

namespace brx {
namespace {

// Triangles owned the way a mesh owns them: vertex floats and planes, with records pointing in.
class TriangleSoup {
public:
    void add(const Vector3& a, const Vector3& b, const Vector3& c) {
        corners_.push_back({a, b, c});
    }
    // A flat triangle of radius about size around centre, at the centre's z.
    void addFlat(const Vector3& centre, float size) {
        add(centre + Vector3(-size, -size, 0), centre + Vector3(size, -size, 0),
            centre + Vector3(0, size, 0));
    }
    // Builds the records; call once after the last add.
    const std::vector<FaceRecord>& records() {
        vertices_.clear();
        planes_.clear();
        for (const auto& t : corners_) {
            for (const Vector3& v : t) vertices_.insert(vertices_.end(), {v.x, v.y, v.z});
            planes_.push_back(Plane::fromPoints(t[0], t[1], t[2]));
        }
        records_.assign(corners_.size(), FaceRecord());
        for (size_t i = 0; i < corners_.size(); ++i) {
            for (int c = 0; c < 3; ++c) records_[i].vertices[c] = &vertices_[9 * i + 3 * c];
            records_[i].plane = &planes_[i];
        }
        return records_;
    }
    // The first hit in record order, as a plain loop over every triangle finds it.
    Vector3 bruteForce(const Vector3& a, const Vector3& b) const {
        for (const FaceRecord& face : records_) {
            const Vector3 hit = segmentHitsTriangle(face, a, b);
            if (isTriangleHit(hit)) return hit;
        }
        return kNoTriangleHit;
    }
    bool someTriangleHitAt(const Vector3& a, const Vector3& b, const Vector3& point) const {
        for (const FaceRecord& face : records_)
            if (segmentHitsTriangle(face, a, b) == point) return true;
        return false;
    }

private:
    std::vector<std::array<Vector3, 3>> corners_;
    std::vector<float> vertices_;
    std::vector<Plane> planes_;
    std::vector<FaceRecord> records_;
};

// Every leaf under node, depth first.
void forEachLeaf(const KvOctreeAABB& node, const std::function<void(const KvOctreeAABB&)>& f) {
    if (node.isLeaf()) {
        f(node);
        return;
    }
    for (int i = 0; i < KvOctreeAABB::kChildCount; ++i) forEachLeaf(node.child(i), f);
}

bool subtreeHolds(const KvOctreeAABB& node, const float* firstVertex) {
    bool found = false;
    forEachLeaf(node, [&](const KvOctreeAABB& leaf) {
        for (const FaceRecord& face : leaf.triangles())
            if (face.vertices[0] == firstVertex) found = true;
    });
    return found;
}

// Two tiny triangles that pin the root box to x, y in [0, 64].
void addAnchors(TriangleSoup* soup) {
    soup->add({0, 0, 3}, {0.25f, 0, 3}, {0, 0.25f, 3});
    soup->add({64, 64, 3}, {63.75f, 64, 3}, {64, 63.75f, 3});
}

TEST(KvOctreeAABB, SmallModelIsOneLeafInTheGivenOrder) {
    TriangleSoup soup;
    for (int i = 0; i < 256; ++i) soup.addFlat({float(i % 16) * 8, float(i / 16) * 8, 0}, 1);
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    ASSERT_TRUE(root.isLeaf());
    ASSERT_EQ(root.triangles().size(), 256u);
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(root.triangles()[i].vertices[0], records[i].vertices[0]);
}

TEST(KvOctreeAABB, RootBoxEnclosesTheCornersAndSpansFixedDepth) {
    TriangleSoup soup;
    soup.add({-3, 2, 5}, {7, 2, 5}, {0, 9, 11});
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    EXPECT_EQ(root.aabbMin, Vector3(-3, 2, -64));
    EXPECT_EQ(root.aabbMax, Vector3(7, 9, 64));
    EXPECT_EQ(root.obbHalfExtents, Vector3(5, 3.5f, 64));
    EXPECT_EQ(root.obbCentre, Vector3(2, 5.5f, 8));  // the centre keeps the corners' z

    KvOctreeAABB empty;
    empty.build(nullptr, 0);
    EXPECT_TRUE(empty.isEmpty());
    Vector3 hit;
    EXPECT_FALSE(empty.segmentHits({0, 0, 1}, {0, 0, -1}, &hit));
}

TEST(KvOctreeAABB, TriangleAcrossTwoOctantsBelongsToBoth) {
    TriangleSoup soup;
    addAnchors(&soup);
    for (int i = 0; i < 300; ++i) soup.addFlat({float(4 + i % 56), float(4 + i / 6), 2}, 0.5f);
    soup.add({30, 10, 2}, {34, 10, 2}, {32, 12, 2});  // one corner each side of x = 32
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    ASSERT_FALSE(root.isLeaf());
    const float* spanning = records.back().vertices[0];
    EXPECT_TRUE(subtreeHolds(root.child(1), spanning));  // lower x, lower y, upper z
    EXPECT_TRUE(subtreeHolds(root.child(5), spanning));  // upper x
    EXPECT_FALSE(subtreeHolds(root.child(3), spanning));
    EXPECT_TRUE(root.child(0).isEmpty());  // nothing below z = 0
}

TEST(KvOctreeAABB, NarrowBoxesDoNotSplit) {
    TriangleSoup soup;
    for (int i = 0; i < 400; ++i) soup.addFlat({float(i % 16), float(i), 0}, 0.25f);
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    EXPECT_LE(root.aabbMax.x - root.aabbMin.x, KvOctreeAABB::kMinSplitWidth);
    EXPECT_TRUE(root.isLeaf());
    EXPECT_EQ(root.triangles().size(), 400u);
}

TEST(KvOctreeAABB, SegmentWithBothEndsOutsideTheRootFindsNothing) {
    TriangleSoup soup;
    soup.addFlat({5, 5, 0}, 3);
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    const Vector3 a(5, 5, 100), b(5, 5, -100);  // straight through the triangle
    EXPECT_TRUE(isTriangleHit(soup.bruteForce(a, b)));
    Vector3 hit;
    EXPECT_FALSE(root.segmentHits(a, b, &hit));
    EXPECT_EQ(hit, kNoTriangleHit);
    EXPECT_TRUE(root.segmentHits({5, 5, 50}, b, &hit));
    EXPECT_TRUE(vectorsNear(hit, {5, 5, 0}, 1e-6f));
}

TEST(KvOctreeAABB, HitInOneChildSurvivesALaterChildWithoutOne) {
    TriangleSoup soup;
    addAnchors(&soup);
    for (int i = 0; i < 150; ++i) soup.addFlat({float(3 + i % 25), float(3 + i / 25 * 4), 2}, 0.5f);
    for (int i = 0; i < 150; ++i)
        soup.addFlat({float(36 + i % 25), float(3 + i / 25 * 4), 2}, 0.5f);
    soup.add({31.5f, 9, 3}, {31.5f, 11, 3}, {31.5f, 10, 5.5f});  // upright, just below x = 32
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    ASSERT_FALSE(root.isLeaf());
    Vector3 hit;
    // From child 1 into child 5, which holds triangles but none on the way.
    ASSERT_TRUE(root.segmentHits({31, 10, 4}, {33, 10, 4}, &hit));
    EXPECT_TRUE(vectorsNear(hit, {31.5f, 10, 4}, 1e-5f));
}

TEST(KvOctreeAABB, QueryEqualsBruteForceOnRandomTriangles) {
    // Triangles stay inside the 16-unit cells the tree splits into, and every segment inside
    // one cell, so the index must answer exactly as the full search does.
    seedRandom(5150);
    constexpr float kCell = 16.0f, kMargin = 1.5f;
    auto inCell = [&](int cell) { return cell * kCell + randomReal(kMargin, kCell - kMargin); };
    TriangleSoup soup;
    addAnchors(&soup);
    for (int i = 0; i < 4000; ++i) {
        const Vector3 centre(inCell(random(0, 3)), inCell(random(0, 3)), randomReal(1, 7));
        const float s = 1.0f;
        soup.add(centre + Vector3(randomReal(-s, s), randomReal(-s, s), randomReal(-s, s)),
                 centre + Vector3(randomReal(-s, s), randomReal(-s, s), randomReal(-s, s)),
                 centre + Vector3(randomReal(-s, s), randomReal(-s, s), randomReal(-s, s)));
    }
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    ASSERT_FALSE(root.isLeaf());
    int hits = 0;
    for (int i = 0; i < 2000; ++i) {
        const int cx = random(0, 3), cy = random(0, 3);
        const Vector3 a(inCell(cx), inCell(cy), randomReal(0.5f, 8));
        const Vector3 b(inCell(cx), inCell(cy), randomReal(0.5f, 8));
        Vector3 hit;
        const bool found = root.segmentHits(a, b, &hit);
        const Vector3 expected = soup.bruteForce(a, b);
        ASSERT_EQ(found, isTriangleHit(expected)) << "segment " << i;
        EXPECT_EQ(hit, expected) << "segment " << i;
        hits += found;
    }
    EXPECT_GT(hits, 100);  // the check must not pass on misses alone
}

TEST(KvOctreeAABB, AnyHitReportedIsARealOne) {
    seedRandom(77);
    TriangleSoup soup;
    for (int i = 0; i < 2000; ++i) {
        const Vector3 centre(randomReal(0, 80), randomReal(0, 80), randomReal(-10, 10));
        soup.add(centre, centre + Vector3(randomReal(-4, 4), randomReal(-4, 4), randomReal(-4, 4)),
                 centre + Vector3(randomReal(-4, 4), randomReal(-4, 4), randomReal(-4, 4)));
    }
    soup.records();
    const auto& records = soup.records();
    KvOctreeAABB root;
    root.build(records.data(), records.size());
    int hits = 0;
    for (int i = 0; i < 1000; ++i) {
        const Vector3 a(randomReal(0, 80), randomReal(0, 80), randomReal(-12, 12));
        const Vector3 b =
            a + Vector3(randomReal(-20, 20), randomReal(-20, 20), randomReal(-20, 20));
        Vector3 hit;
        if (!root.segmentHits(a, b, &hit)) continue;
        ++hits;
        EXPECT_TRUE(soup.someTriangleHitAt(a, b, hit)) << "segment " << i;
    }
    EXPECT_GT(hits, 50);
}

}  // namespace
}  // namespace brx
