#include "objects/KvMesh.h"

#include <GL/gl.h>

#include <algorithm>

namespace brx {

void KvMesh::allocate(uint32_t triangles, uint32_t vertexTotal, int32_t texCoordTotal,
                      int32_t indexTotal) {
    faceCount = triangles;
    vertexCount = vertexTotal;
    normalCount = vertexTotal;
    texCoordCount = texCoordTotal;
    indexCount = indexTotal;
    faceVertices.assign(size_t(triangles) * 3, 0);
    neighbours.assign(size_t(triangles) * 3, kNoNeighbour);
    planes.assign(triangles, Plane());
    vertices.assign(size_t(vertexTotal) * 3, 0.0f);
    normals.assign(size_t(vertexTotal) * 3, 0.0f);
    // One (0, 0) pair stands in when the file has none, so records always point somewhere.
    texCoords.assign(size_t(texCoordTotal > 0 ? texCoordTotal : 1) * 2, 0.0f);
    indices.assign(size_t(indexTotal > 0 ? indexTotal : 0), 0);
    faces.assign(triangles, FaceRecord());
}

void KvMesh::linkFaces() {
    const size_t stride = size_t(cornerStride());
    for (size_t i = 0; i < faces.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            const size_t at = (i * 3 + c) * stride;
            const size_t v = size_t(indices[at]);
            const size_t t = stride == 2 ? size_t(indices[at + 1]) : 0;
            faces[i].vertices[c] = &vertices[v * 3];
            faces[i].normals[c] = &normals[v * 3];
            faces[i].texCoords[c] = &texCoords[t * 2];
        }
    }
}

void KvMesh::computeNormals(bool smooth) {
    std::fill(normals.begin(), normals.end(), 0.0f);
    const size_t stride = size_t(cornerStride());
    for (size_t i = 0; i < faces.size(); ++i) {
        const Vector3 n =
            Plane::fromPoints(faces[i].corner(0), faces[i].corner(1), faces[i].corner(2)).normal;
        for (size_t c = 0; c < 3; ++c) {
            float* out = &normals[size_t(indices[(i * 3 + c) * stride]) * 3];
            if (smooth) {
                out[0] += n.x, out[1] += n.y, out[2] += n.z;
            } else {
                out[0] = n.x, out[1] = n.y, out[2] = n.z;
            }
        }
    }
    for (size_t v = 0; v + 2 < normals.size(); v += 3) {
        Vector3 n(normals[v], normals[v + 1], normals[v + 2]);
        n.normalize();
        normals[v] = n.x, normals[v + 1] = n.y, normals[v + 2] = n.z;
    }
}

void KvMesh::buildPlanes() {
    const size_t stride = size_t(cornerStride());
    for (size_t i = 0; i < faces.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) faceVertices[i * 3 + c] = indices[(i * 3 + c) * stride];
        planes[i] = Plane::fromPoints(faces[i].corner(0), faces[i].corner(1), faces[i].corner(2));
        faces[i].plane = &planes[i];
    }
}

void KvMesh::buildNeighbours() {
    const uint32_t count = uint32_t(faces.size());
    // Links edge j of triangle i with the first edge of a later triangle over the same vertices.
    const auto linkEdge = [&](uint32_t i, int j) {
        const int32_t a = cornerVertex(i, j);
        const int32_t b = cornerVertex(i, (j + 1) % 3);
        for (uint32_t k = i + 1; k < count; ++k) {
            for (int l = 0; l < 3; ++l) {
                const int32_t p = cornerVertex(k, l);
                const int32_t q = cornerVertex(k, (l + 1) % 3);
                if ((p == a && q == b) || (p == b && q == a)) {
                    neighbours[3 * i + uint32_t(j)] = int32_t(k);
                    neighbours[3 * k + uint32_t(l)] = int32_t(i);
                    return;
                }
            }
        }
    };
    for (uint32_t i = 0; i < count; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (neighbours[3 * i + uint32_t(j)] == kNoNeighbour) linkEdge(i, j);
        }
    }
}

void KvMesh::drawTriangles() const {
    glBegin(GL_TRIANGLES);
    for (const FaceRecord& face : faces) {
        for (int c = 0; c < 3; ++c) {
            glTexCoord2fv(face.texCoords[c]);
            glNormal3fv(face.normals[c]);
            glVertex3fv(face.vertices[c]);
        }
    }
    glEnd();
}

}  // namespace brx
