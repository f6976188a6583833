// Model files written byte by byte for the loader tests: the layout spelled out here, apart
// from the art generator's writer, so a shared mistake cannot hide.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace brx::testmodels {

struct AsvmLayout {
    std::vector<float> vertices;   // x, y, z
    std::vector<float> texCoords;  // u, v
    std::vector<int32_t> indices;  // as stored: 1-based
    int32_t faceCount = 0;
    std::string baseTexture;
    std::string detailTexture;
    // Counts written in the header instead of the true ones (-1: the true one).
    int32_t vertexCountField = -1;
    int32_t texCoordCountField = -1;
    int32_t faceCountField = -1;
};

inline void putInt(std::string& out, size_t at, int32_t value) {
    std::memcpy(out.data() + at, &value, 4);
}

inline void appendFloats(std::string& out, const std::vector<float>& values) {
    for (float v : values) out.append(reinterpret_cast<const char*>(&v), 4);
}

inline std::string asvmBytes(const AsvmLayout& layout) {
    std::string out(64, '\0');
    std::memcpy(out.data(), "ASVM3D", 6);
    const auto field = [](int32_t forced, size_t real) {
        return forced >= 0 ? forced : int32_t(real);
    };
    putInt(out, 16, field(layout.vertexCountField, layout.vertices.size() / 3));
    putInt(out, 20, field(layout.texCoordCountField, layout.texCoords.size() / 2));
    putInt(out, 24, int32_t(layout.indices.size()));
    putInt(out, 28, field(layout.faceCountField, size_t(layout.faceCount)));
    std::memcpy(out.data() + 32, layout.baseTexture.data(),
                std::min<size_t>(15, layout.baseTexture.size()));
    std::memcpy(out.data() + 48, layout.detailTexture.data(),
                std::min<size_t>(15, layout.detailTexture.size()));
    appendFloats(out, layout.vertices);
    appendFloats(out, layout.texCoords);
    out.append(60, '\0');
    for (int32_t i : layout.indices) out.append(reinterpret_cast<const char*>(&i), 4);
    return out;
}

// A unit square in the plane z = 0 from (0, 0) to (1, 1) as two triangles facing +z, with
// texture coordinates; corner numbers 1-based as stored.
inline AsvmLayout square(const std::string& baseTexture = {}, const std::string& detail = {}) {
    AsvmLayout layout;
    layout.vertices = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    layout.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
    layout.indices = {1, 1, 2, 2, 3, 3, 1, 1, 3, 3, 4, 4};
    layout.faceCount = 2;
    layout.baseTexture = baseTexture;
    layout.detailTexture = detail;
    return layout;
}

// A closed tetrahedron (four triangles, every edge shared), outward faces, no coordinates
// beyond one shared pair.
inline AsvmLayout tetrahedron() {
    AsvmLayout layout;
    layout.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    layout.texCoords = {0, 0};
    layout.indices = {1, 1, 3, 1, 2, 1,   // bottom (z = 0), facing -z
                      1, 1, 2, 1, 4, 1,   // y = 0, facing -y
                      1, 1, 4, 1, 3, 1,   // x = 0, facing -x
                      2, 1, 3, 1, 4, 1};  // slanted, facing +x+y+z
    layout.faceCount = 4;
    return layout;
}

// A cube of edge 2 centred on centre, 12 triangles, vertices shared between faces.
inline AsvmLayout cube(float cx = 0, float cy = 0, float cz = 0, float half = 1) {
    AsvmLayout layout;
    for (int i = 0; i < 8; ++i) {
        layout.vertices.push_back(cx + ((i & 1) ? half : -half));
        layout.vertices.push_back(cy + ((i & 2) ? half : -half));
        layout.vertices.push_back(cz + ((i & 4) ? half : -half));
    }
    layout.texCoords = {0, 0, 1, 0, 1, 1, 0, 1};
    // Quads as corner numbers (0-based), counter-clockwise seen from outside.
    const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& q : quads) {
        const int tri[2][3] = {{q[0], q[1], q[2]}, {q[0], q[2], q[3]}};
        const int uv[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (int t = 0; t < 2; ++t) {
            for (int c = 0; c < 3; ++c) {
                layout.indices.push_back(tri[t][c] + 1);
                layout.indices.push_back(uv[t][c] + 1);
            }
        }
    }
    layout.faceCount = 12;
    return layout;
}

}  // namespace brx::testmodels
