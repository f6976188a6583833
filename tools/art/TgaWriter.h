// Writes pictures as the two TGA kinds the game reads: uncompressed true colour (24 bits without
// alpha, 32 with) and nothing else: no image-ID field, no colour map, origin 0, 0. Rows are
// written bottom row first, which is the order the game uploads them in.
#pragma once

#include <string>

#include "tools/art/Image.h"

namespace brx::tools {

class TgaWriter {
public:
    // The file bytes; withAlpha chooses 32 bits, else 24.
    static std::string encode(const Image& image, bool withAlpha);
};

}  // namespace brx::tools
