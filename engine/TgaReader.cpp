#include "engine/TgaReader.h"

#include <cstring>

namespace brx {
namespace {

constexpr uint8_t kTrueColourHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kGreyscaleHeader[12] = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr size_t kWidthOffset = 12;
constexpr size_t kHeightOffset = 14;
constexpr size_t kBitsOffset = 16;

uint32_t readU16(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8;
}

// Format and component count from the header's image type and depth; false on a mismatch.
bool chooseFormat(bool greyscale, int bits, DecodedImage* image) {
    if (greyscale) {
        image->format = GL_LUMINANCE;
        image->components = 1;
    } else if (bits == 32) {
        image->format = GL_RGBA;
        image->components = 4;
    } else {
        image->format = GL_RGB;
        image->components = 3;
    }
    image->bytesPerPixel = bits / 8;
    return bits == image->components * 8;
}

// B G R A to R G B A, two pixels per step (little-endian words read B G R A as 0xAARRGGBB).
void copySwappingRgba(const uint8_t* from, size_t length, uint8_t* out) {
    constexpr uint64_t kKept = 0xFF00FF00FF00FF00ull;
    constexpr uint64_t kLow = 0x000000FF000000FFull;
    size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        uint64_t pair;
        std::memcpy(&pair, from + i, 8);
        pair = (pair & kKept) | (pair >> 16 & kLow) | (pair & kLow) << 16;
        std::memcpy(out + i, &pair, 8);
    }
    for (; i < length; i += 4) {
        out[i] = from[i + 2];
        out[i + 1] = from[i + 1];
        out[i + 2] = from[i];
        out[i + 3] = from[i + 3];
    }
}

// Copies file pixels B G R (A) as R G B (A); greyscale as it is.
void copyPixels(const uint8_t* from, size_t length, int components, std::vector<uint8_t>& to) {
    to.resize(length);
    uint8_t* out = to.data();
    if (components == 4) {
        copySwappingRgba(from, length, out);
    } else if (components == 3) {
        for (size_t i = 0; i < length; i += 3) {
            out[i] = from[i + 2];
            out[i + 1] = from[i + 1];
            out[i + 2] = from[i];
        }
    } else {
        std::memcpy(out, from, length);
    }
}

}  // namespace

bool TgaReader::decode(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (bytes == nullptr || size < kHeaderSize) return false;
    const bool trueColour = std::memcmp(bytes, kTrueColourHeader, 12) == 0;
    const bool greyscale = std::memcmp(bytes, kGreyscaleHeader, 12) == 0;
    if (!trueColour && !greyscale) return false;

    DecodedImage decoded;
    if (!chooseFormat(greyscale, bytes[kBitsOffset], &decoded)) return false;
    decoded.width = readU16(bytes + kWidthOffset);
    decoded.height = readU16(bytes + kHeightOffset);
    if (!acceptableImageSize(decoded.width, decoded.height)) return false;

    const size_t pixelBytes = decoded.rowBytes() * decoded.height;
    if (size - kHeaderSize < pixelBytes) return false;
    copyPixels(bytes + kHeaderSize, pixelBytes, decoded.components, decoded.pixels);
    *image = std::move(decoded);
    return true;
}

}  // namespace brx
