#include "tools/art/MeshBuilder.h"

#include <algorithm>
#include <cmath>

namespace brx::tools {
namespace {

constexpr float kPi = 3.14159265358979f;

float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

Vec3 normalised(Vec3 v) {
    const float l = length(v);
    return l > 0 ? v * (1.0f / l) : v;
}

// Any unit vector perpendicular to d.
Vec3 perpendicular(Vec3 d) {
    const Vec3 other = std::abs(d.x) < 0.9f ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    return normalised(cross(d, other));
}

float component(Vec3 v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

Vec3 withComponent(Vec3 v, int axis, float value) {
    (axis == 0 ? v.x : axis == 1 ? v.y : v.z) = value;
    return v;
}

}  // namespace

UV MeshBuilder::toneUV(SkinTone tone) {
    // Centres of the 8 x 8 texel patches in three corners of every 256 x 256 skin.
    constexpr float kNear = 4.0f / 256.0f, kFar = 252.0f / 256.0f;
    switch (tone) {
        case SkinTone::Light:
            return {kNear, kNear};
        case SkinTone::Mid:
            return {kFar, kNear};
        case SkinTone::Dark:
            return {kNear, kFar};
    }
    return {kNear, kNear};
}

int MeshBuilder::addVertex(Vec3 p) {
    mesh_.vertices.push_back(p);
    return int(mesh_.vertices.size()) - 1;
}

int MeshBuilder::addTexCoord(UV t) {
    mesh_.texCoords.push_back(t);
    return int(mesh_.texCoords.size()) - 1;
}

void MeshBuilder::addTriangle(Vec3 a, Vec3 b, Vec3 c, UV ta, UV tb, UV tc, Vec3 inside) {
    const Vec3 normal = cross(b - a, c - a);
    if (length(normal) < 1e-9f) return;  // degenerate: nothing to see, no edge to close
    const Vec3 centroid = (a + b + c) * (1.0f / 3.0f);
    if (dot(normal, centroid - inside) < 0) {
        std::swap(b, c);
        std::swap(tb, tc);
    }
    Mesh::Triangle t;
    t[0] = {addVertex(a), addTexCoord(ta)};
    t[1] = {addVertex(b), addTexCoord(tb)};
    t[2] = {addVertex(c), addTexCoord(tc)};
    mesh_.triangles.push_back(t);
}

void MeshBuilder::addBevelledBox(Vec3 low, Vec3 high, float bevel, const UV* tone) {
    const Vec3 centre = (low + high) * 0.5f;
    const Vec3 half = (high - low) * 0.5f;
    const Vec3 inner = {half.x - bevel, half.y - bevel, half.z - bevel};
    // Corner point on the face of `axis` (sign s) towards the edges given by signs a, b.
    auto facePoint = [&](int axis, float s, float sa, float sb) {
        const int ua = (axis + 1) % 3, ub = (axis + 2) % 3;
        Vec3 p = withComponent({}, axis, s * component(half, axis));
        p = withComponent(p, ua, sa * component(inner, ua));
        p = withComponent(p, ub, sb * component(inner, ub));
        return centre + p;
    };
    auto uvOf = [&](Vec3 p, int axis) -> UV {
        if (tone) return *tone;
        const int ua = (axis + 1) % 3, ub = (axis + 2) % 3;
        return {(component(p - centre, ua) / component(half, ua) + 1) * 0.5f,
                (component(p - centre, ub) / component(half, ub) + 1) * 0.5f};
    };
    for (int axis = 0; axis < 3; ++axis)
        for (const float s : {-1.0f, 1.0f}) {
            const Vec3 q[4] = {facePoint(axis, s, -1, -1), facePoint(axis, s, 1, -1),
                               facePoint(axis, s, 1, 1), facePoint(axis, s, -1, 1)};
            addTriangle(q[0], q[1], q[2], uvOf(q[0], axis), uvOf(q[1], axis), uvOf(q[2], axis),
                        centre);
            addTriangle(q[0], q[2], q[3], uvOf(q[0], axis), uvOf(q[2], axis), uvOf(q[3], axis),
                        centre);
        }
    if (bevel <= 0) return;
    // Edge strips between two faces, and corner triangles between three.
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b) {
            const int c = 3 - a - b;
            for (const float sa : {-1.0f, 1.0f})
                for (const float sb : {-1.0f, 1.0f}) {
                    Vec3 e[4];
                    int k = 0;
                    for (const float sc : {-1.0f, 1.0f}) {
                        Vec3 onA = withComponent({}, a, sa * component(half, a));
                        onA = withComponent(onA, b, sb * component(inner, b));
                        onA = withComponent(onA, c, sc * component(inner, c));
                        Vec3 onB = withComponent({}, b, sb * component(half, b));
                        onB = withComponent(onB, a, sa * component(inner, a));
                        onB = withComponent(onB, c, sc * component(inner, c));
                        e[k++] = centre + onA;
                        e[k++] = centre + onB;
                    }
                    const UV ua = uvOf(e[0], a), ub = uvOf(e[1], b), uc = uvOf(e[2], a),
                             ud = uvOf(e[3], b);
                    addTriangle(e[0], e[1], e[3], ua, ub, ud, centre);
                    addTriangle(e[0], e[3], e[2], ua, ud, uc, centre);
                }
        }
    for (const float sx : {-1.0f, 1.0f})
        for (const float sy : {-1.0f, 1.0f})
            for (const float sz : {-1.0f, 1.0f}) {
                const Vec3 px = centre + Vec3{sx * half.x, sy * inner.y, sz * inner.z};
                const Vec3 py = centre + Vec3{sx * inner.x, sy * half.y, sz * inner.z};
                const Vec3 pz = centre + Vec3{sx * inner.x, sy * inner.y, sz * half.z};
                addTriangle(px, py, pz, uvOf(px, 0), uvOf(py, 1), uvOf(pz, 2), centre);
            }
}

void MeshBuilder::addRoundedCube(Vec3 centre, float half, float radius, int steps) {
    // Grid lines along each axis: the rounding arc's angles, then the flat middle.
    std::vector<float> nodes;
    const float flat = half - radius;
    for (int k = 0; k <= steps; ++k)
        nodes.push_back(-flat - radius * std::cos(float(k) * kPi * 0.5f / float(steps)));
    for (int k = steps; k >= 0; --k)
        nodes.push_back(flat + radius * std::cos(float(k) * kPi * 0.5f / float(steps)));
    nodes.front() = -half;
    nodes.back() = half;
    auto project = [&](Vec3 p) {
        const Vec3 q = {std::clamp(p.x, -flat, flat), std::clamp(p.y, -flat, flat),
                        std::clamp(p.z, -flat, flat)};
        const Vec3 d = p - q;
        return centre + (length(d) > 0 ? q + normalised(d) * radius : p);
    };
    const size_t n = nodes.size();
    for (int axis = 0; axis < 3; ++axis)
        for (const float s : {-1.0f, 1.0f}) {
            const int ua = (axis + 1) % 3, ub = (axis + 2) % 3;
            auto point = [&](size_t i, size_t j) {
                Vec3 p = withComponent({}, axis, s * half);
                p = withComponent(p, ua, nodes[i]);
                return withComponent(p, ub, nodes[j]);
            };
            auto uv = [&](size_t i, size_t j) -> UV {
                return {(nodes[i] / half + 1) * 0.5f, (nodes[j] / half + 1) * 0.5f};
            };
            for (size_t i = 0; i + 1 < n; ++i)
                for (size_t j = 0; j + 1 < n; ++j) {
                    if (nodes[i + 1] - nodes[i] < 1e-6f || nodes[j + 1] - nodes[j] < 1e-6f)
                        continue;
                    const Vec3 a = project(point(i, j)), b = project(point(i + 1, j));
                    const Vec3 c = project(point(i + 1, j + 1)), d = project(point(i, j + 1));
                    addTriangle(a, b, c, uv(i, j), uv(i + 1, j), uv(i + 1, j + 1), centre);
                    addTriangle(a, c, d, uv(i, j), uv(i + 1, j + 1), uv(i, j + 1), centre);
                }
        }
}

void MeshBuilder::addSphere(Vec3 centre, float radius, int slices, int stacks, UV tone) {
    auto at = [&](int i, int j) {
        if (j == 0) return centre + Vec3{0, 0, radius};
        if (j == stacks) return centre + Vec3{0, 0, -radius};
        const float theta = kPi * float(j) / float(stacks);
        const float phi = 2 * kPi * float(i % slices) / float(slices);
        return centre + Vec3{std::sin(theta) * std::cos(phi), std::sin(theta) * std::sin(phi),
                             std::cos(theta)} *
                            radius;
    };
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i) {
            const Vec3 a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
            // At the poles one of the two is degenerate and addTriangle drops it.
            addTriangle(a, b, c, tone, tone, tone, centre);
            addTriangle(a, c, d, tone, tone, tone, centre);
        }
}

void MeshBuilder::addCylinder(Vec3 a, Vec3 b, float radius, int segments, UV tone) {
    const Vec3 axis = normalised(b - a);
    const Vec3 u = perpendicular(axis), v = cross(axis, u);
    const Vec3 middle = (a + b) * 0.5f;
    auto ring = [&](Vec3 base, int i) {
        const float phi = 2 * kPi * float(i % segments) / float(segments);
        return base + (u * std::cos(phi) + v * std::sin(phi)) * radius;
    };
    for (int i = 0; i < segments; ++i) {
        const Vec3 a0 = ring(a, i), a1 = ring(a, i + 1), b0 = ring(b, i), b1 = ring(b, i + 1);
        addTriangle(a0, a1, b1, tone, tone, tone, middle);
        addTriangle(a0, b1, b0, tone, tone, tone, middle);
        addTriangle(a, a1, a0, tone, tone, tone, middle);
        addTriangle(b, b0, b1, tone, tone, tone, middle);
    }
}

void MeshBuilder::addCone(Vec3 a, Vec3 b, float radius, int segments, UV tone) {
    const Vec3 axis = normalised(b - a);
    const Vec3 u = perpendicular(axis), v = cross(axis, u);
    const Vec3 middle = a + (b - a) * 0.25f;
    auto ring = [&](int i) {
        const float phi = 2 * kPi * float(i % segments) / float(segments);
        return a + (u * std::cos(phi) + v * std::sin(phi)) * radius;
    };
    for (int i = 0; i < segments; ++i) {
        addTriangle(ring(i), ring(i + 1), b, tone, tone, tone, middle);
        addTriangle(a, ring(i + 1), ring(i), tone, tone, tone, middle);
    }
}

void MeshBuilder::addPrism(const std::vector<UV>& outline, float z0, float z1, UV tone) {
    const size_t n = outline.size();
    Vec3 centre{0, 0, (z0 + z1) * 0.5f};
    for (const auto& p : outline) centre = centre + Vec3{p.u / float(n), p.v / float(n), 0};
    auto at = [&](size_t i, float z) { return Vec3{outline[i % n].u, outline[i % n].v, z}; };
    for (size_t i = 0; i < n; ++i) {
        addTriangle(at(i, z0), at(i + 1, z0), at(i + 1, z1), tone, tone, tone, centre);
        addTriangle(at(i, z0), at(i + 1, z1), at(i, z1), tone, tone, tone, centre);
        if (i >= 1 && i + 1 < n) {
            addTriangle(at(0, z0), at(i, z0), at(i + 1, z0), tone, tone, tone, centre);
            addTriangle(at(0, z1), at(i, z1), at(i + 1, z1), tone, tone, tone, centre);
        }
    }
}

void MeshBuilder::addOctahedron(Vec3 centre, float radius, UV tone) {
    const Vec3 axes[6] = {{radius, 0, 0},  {-radius, 0, 0}, {0, radius, 0},
                          {0, -radius, 0}, {0, 0, radius},  {0, 0, -radius}};
    for (int x = 0; x < 2; ++x)
        for (int y = 2; y < 4; ++y)
            for (int z = 4; z < 6; ++z)
                addTriangle(centre + axes[x], centre + axes[y], centre + axes[z], tone, tone, tone,
                            centre);
}

}  // namespace brx::tools
