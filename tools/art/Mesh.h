// A triangle model as the game's model files store it: positions, texture coordinates and
// triangles whose corners index both lists separately. Normals are not stored; the game
// computes them at load, so flat-shaded parts get their own, unshared vertices.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace brx::tools {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct UV {
    float u = 0, v = 0;
};

struct Mesh {
    struct Corner {
        int vertex = 0;    // 0-based here; the file stores 1-based numbers
        int texCoord = 0;  // 0-based
    };
    using Triangle = std::array<Corner, 3>;

    std::vector<Vec3> vertices;
    std::vector<UV> texCoords;
    std::vector<Triangle> triangles;
    std::string baseTexture;    // relative to Data/Textures/, empty for none
    std::string detailTexture;  // empty for none
};

}  // namespace brx::tools
