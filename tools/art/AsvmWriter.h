// Writes meshes in the game's ASVM3D model layout, all numbers little-endian:
//   0   "ASVM3D" and 10 bytes the game does not read (ours: format tag and zeros)
//   16  vertex count V, 20 texture-coordinate count T, 24 unread (ours: the index count),
//   28  triangle count F
//   32  base texture name, 16 bytes, NUL-terminated; 48 detail texture name, likewise
//   64  V x (x, y, z) floats, then T x (u, v) floats, then a 60-byte block the game skips
//       (zeros), then F x 3 corners x (vertex number, texture-coordinate number), 1-based.
#pragma once

#include <string>

#include "tools/art/Mesh.h"

namespace brx::tools {

class AsvmWriter {
public:
    static constexpr size_t kHeaderSize = 64;
    static constexpr size_t kSkippedBlockSize = 60;
    static constexpr size_t kNameSize = 16;

    // The file bytes. Texture names longer than 15 characters are cut (the game reads 16 bytes
    // with the terminator), so keep them short.
    static std::string encode(const Mesh& mesh);
};

}  // namespace brx::tools
