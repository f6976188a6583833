// Saves a frame read back from OpenGL as a PNG picture, so a test's output can be looked at.
// The image data goes into stored (uncompressed) deflate blocks: no compression library needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Writes width x height RGBA pixels, bottom row first as glReadPixels returns them, to path as
// an 8-bit RGBA PNG; false when the file cannot be written or the sizes do not match.
bool writePng(const std::string& path, const std::vector<uint8_t>& rgbaBottomUp, int width,
              int height);

}  // namespace testsupport
