// Writes pictures as baseline JPEG through libjpeg. The game uploads a JPEG's rows in decoded
// order and OpenGL takes the first row as the bottom one, so the picture's bottom row is
// compressed first: the file looks upside down in a viewer and upright in the game.
#pragma once

#include <string>

#include "tools/art/Image.h"

namespace brx::tools {

class JpegWriter {
public:
    // The file bytes at the given quality (1..100), rows bottom row first.
    static std::string encode(const Image& image, int quality);
};

}  // namespace brx::tools
