// Reads ASVM3D model files back into meshes the way the game's loader walks them, checking
// every count and length first. Used by the tests and by the contact sheet to look at what the
// generator wrote.
#pragma once

#include <string>

#include "tools/art/Mesh.h"

namespace brx::tools {

class AsvmReader {
public:
    // Parses the bytes into *mesh; false with a reason in *error when the file is malformed
    // (wrong magic, counts that do not fit the size, indices out of range).
    static bool decode(const std::string& bytes, Mesh* mesh, std::string* error);
};

}  // namespace brx::tools
