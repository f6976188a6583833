// Reads the two Truevision TGA kinds the game ships: uncompressed true-colour (24 or 32 bits)
// and uncompressed greyscale (8 bits), with no image-ID field, no colour map and origin 0, 0.
// Everything else (run-length encoding, colour maps, 16-bit colour) is refused. Rows are taken
// in file order as bottom-up rows; the descriptor byte is ignored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/DecodedImage.h"

namespace brx {

class TgaReader {
public:
    static constexpr size_t kHeaderSize = 18;

    // Decodes a whole file held in memory into *image (B G R (A) becomes R G B (A)).
    // False, with *image untouched, when the header is not accepted or the file is too short
    // to hold every pixel it announces.
    static bool decode(const uint8_t* bytes, size_t size, DecodedImage* image);
};

}  // namespace brx
