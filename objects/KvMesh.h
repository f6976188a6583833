// The raw triangles of one model file: positions, per-vertex normals, texture coordinates, the
// file's index list and one record per triangle that points into these arrays.
//
// Design note: the face records hold pointers into the mesh's own arrays, so a mesh is never
// copied or moved by value; owners keep it behind a pointer. A mesh whose file has no texture
// coordinates keeps one (0, 0) pair so that every record still points at a coordinate.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/FaceRecord.h"
#include "engine/Plane.h"
#include "engine/Vector3.h"

namespace brx {

class KvMesh {
public:
    // neighbours entry of an edge that no other triangle shares.
    static constexpr int32_t kNoNeighbour = -1;

    KvMesh() = default;
    KvMesh(const KvMesh&) = delete;
    KvMesh& operator=(const KvMesh&) = delete;
    virtual ~KvMesh() = default;

    // Vertex index of each corner (0-based), 3 per triangle.
    std::vector<int32_t> faceVertices;
    // Triangle across edge j (corners j and j + 1) of each triangle, or kNoNeighbour.
    std::vector<int32_t> neighbours;
    std::vector<Plane> planes;
    std::vector<float> vertices;   // x, y, z per vertex
    std::vector<float> normals;    // x, y, z per vertex
    std::vector<float> texCoords;  // u, v per coordinate
    // The file's index list, 0-based: per corner the vertex number, then (when the file has
    // texture coordinates) the coordinate number.
    std::vector<int32_t> indices;
    uint32_t vertexCount = 0;
    uint32_t normalCount = 0;
    int32_t texCoordCount = 0;
    uint32_t faceCount = 0;
    int32_t indexCount = 0;
    std::vector<FaceRecord> faces;

    // Sizes every array for the counts: contents zero, neighbours kNoNeighbour.
    void allocate(uint32_t triangles, uint32_t vertexTotal, int32_t texCoordTotal,
                  int32_t indexTotal);
    // Index-list numbers per corner: 2 (vertex, coordinate) or 1 when there are no coordinates.
    int cornerStride() const { return texCoordCount > 0 ? 2 : 1; }
    // Points every face record at its corners' vertices, normals and coordinates; the indices
    // must already be checked against the counts.
    void linkFaces();
    // Per-vertex normals from the face normals: summed (smooth) or the last triangle's (flat),
    // then normalised.
    void computeNormals(bool smooth);
    // Fills faceVertices and the triangle planes and links each face record to its plane.
    void buildPlanes();
    // Pairs every edge with the later triangle that shares its two vertices (either order).
    void buildNeighbours();

    bool isEmpty() const { return faceCount == 0; }
    // Vertex i as a vector.
    Vector3 vertex(uint32_t i) const {
        return {vertices[3 * i], vertices[3 * i + 1], vertices[3 * i + 2]};
    }
    // Vertex index of corner c (0..2) of triangle i.
    int32_t cornerVertex(uint32_t i, int c) const { return faceVertices[3 * i + uint32_t(c)]; }

    // Draws every triangle in one GL_TRIANGLES block: coordinate, normal, vertex per corner.
    void drawTriangles() const;
};

}  // namespace brx
