// Reads arbitrary bytes as a model file: no read may leave the buffer, and a file accepted must
// leave a mesh whose every face record points inside its own arrays, so normals, planes and
// neighbours can be built from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "objects/KvMesh.h"
#include "objects/ModelFile.h"

namespace {

bool inside(const float* p, const std::vector<float>& array, size_t width) {
    return p >= array.data() && p + width <= array.data() + array.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so reading one byte too far is caught.
    auto bytes = std::make_unique<uint8_t[]>(size);
    if (size > 0) std::memcpy(bytes.get(), data, size);
    brx::KvMesh mesh;
    brx::ModelFile::Header header;
    std::string reason;
    if (brx::ModelFile::read(bytes.get(), size, &header, &mesh, &reason) !=
        brx::ModelFile::Result::ok)
        return 0;
    for (const brx::FaceRecord& face : mesh.faces) {
        for (int c = 0; c < 3; ++c) {
            if (!inside(face.vertices[c], mesh.vertices, 3) ||
                !inside(face.normals[c], mesh.normals, 3) ||
                !inside(face.texCoords[c], mesh.texCoords, 2))
                std::abort();
        }
    }
    mesh.computeNormals(true);
    mesh.buildPlanes();
    if (mesh.faceCount <= 512) mesh.buildNeighbours();  // quadratic: keep runs fast
    return 0;
}
