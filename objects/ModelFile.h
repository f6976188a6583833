// The ASVM3D model layout, little-endian throughout:
//   0   magic "ASVM3D"; 6..15 unread
//   16  vertex count V, 20 texture-coordinate count T, 24 unread, 28 triangle count F
//   32  base texture name, 48 detail texture name (16 bytes each, NUL-terminated)
//   64  V x (x, y, z) floats, T x (u, v) floats, a 60-byte block nobody reads, then the index
//       list: per corner the vertex number and the coordinate number, 1-based (only the vertex
//       number when T is 0).
//
// Design note: every count, offset and index is checked against the file's length and the
// array sizes before anything is read, so a damaged file is refused instead of being read out
// of bounds; the mesh is filled only when the whole file is sound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/KvMesh.h"

namespace brx {

class ModelFile {
public:
    static constexpr const char* kMagic = "ASVM3D";
    static constexpr size_t kMagicLength = 6;
    static constexpr size_t kHeaderSize = 64;
    static constexpr size_t kNameSize = 16;
    static constexpr size_t kSkippedBlockSize = 60;

    enum class Result { ok, wrongFormat, damaged };

    struct Header {
        int32_t vertexCount = 0;
        int32_t texCoordCount = 0;
        int32_t faceCount = 0;
        std::string baseTexture;
        std::string detailTexture;
    };

    // Reads size bytes into *header and the empty *mesh (vertices, coordinates, 0-based
    // indices, linked face records). wrongFormat when the magic is missing, damaged (with a
    // reason) when a count, length or index does not fit; the mesh is then left untouched.
    static Result read(const uint8_t* bytes, size_t size, Header* header, KvMesh* mesh,
                       std::string* reason);
};

}  // namespace brx
