// Picture files made in tests: TGA files byte by byte and JPEG files with libjpeg's own
// compressor, so readers can be fed valid files and damaged copies of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A TGA file: the 18-byte header with the given image type (2 true-colour, 3 greyscale),
// depth and size, followed by the pixel bytes exactly as given (file order: B G R (A)).
std::string makeTga(uint8_t imageType, uint8_t bitsPerPixel, uint16_t width, uint16_t height,
                    const std::vector<uint8_t>& filePixels);

// A deterministic test pattern of width x height pixels with the given components per pixel.
std::vector<uint8_t> patternPixels(int width, int height, int components, uint32_t seed);

// Encodes top-row-first pixels with 1 (greyscale), 3 (RGB) or 4 (CMYK, stored inverted with
// an Adobe marker, as Adobe applications write it) components.
std::string encodeJpeg(const std::vector<uint8_t>& pixels, int width, int height, int components,
                       int quality = 90, bool progressive = false);

}  // namespace testsupport
