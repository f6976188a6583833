// The result of decoding a picture file: tightly packed rows in upload order (the first row
// is the bottom one for OpenGL) and the OpenGL pixel format that describes them. Decoders fill
// it without touching OpenGL, so they run in tests and tools without a context.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brx {

// Largest side and pixel count a decoder accepts; a tiny damaged header must not be able to
// ask for gigabytes.
constexpr uint32_t kMaxImageSide = 16384;
constexpr size_t kMaxImagePixels = size_t(64) * 1024 * 1024;

struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    GLenum format = GL_RGB;  // GL_RGB, GL_RGBA or GL_LUMINANCE
    int components = 3;      // 3, 4 or 1, matching format
    int bytesPerPixel = 3;   // as the file stored them (TGA 1, 3 or 4; JPEG 24, as kept)
    std::vector<uint8_t> pixels;

    // Bytes of one tightly packed row.
    size_t rowBytes() const { return size_t(width) * size_t(components); }
};

// True when the sizes are positive and within the decoder limits.
inline bool acceptableImageSize(uint32_t width, uint32_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           size_t(width) * size_t(height) <= kMaxImagePixels;
}

}  // namespace brx
