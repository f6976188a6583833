// One triangle of a mesh as the renderer and the octree see it: pointers into the mesh's own
// arrays (x, y, z of a vertex or normal; u, v of a texture coordinate) and to its plane.
// Records are copied freely; the mesh that owns the data must outlive every copy.
#pragma once

#include "engine/Plane.h"
#include "engine/Vector3.h"

namespace brx {

struct FaceRecord {
    const float* vertices[3] = {nullptr, nullptr, nullptr};
    const float* normals[3] = {nullptr, nullptr, nullptr};
    const float* texCoords[3] = {nullptr, nullptr, nullptr};
    const Plane* plane = nullptr;

    // Corner i (0..2) as a vector.
    Vector3 corner(int i) const { return {vertices[i][0], vertices[i][1], vertices[i][2]}; }
};

}  // namespace brx
