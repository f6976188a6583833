// The smaller pictures of a mipmapped texture, made the way GLU's gluBuild2DMipmaps makes them
// for power-of-two images: each level halves the one before by averaging 2 x 2 texel blocks
// (two texels once a side is down to 1), with GLU's rounding. A texture whose levels are made
// here looks exactly as one built by GLU, and the work can run on any thread, ahead of the
// upload.
#pragma once

#include <cstdint>
#include <vector>

namespace brx {

class MipChain {
public:
    using Level = std::vector<uint8_t>;

    // True when the levels can be made here: both sides powers of two, neither above
    // maxSide. (GLU first rescales other images, which only it does.)
    static bool fits(uint32_t width, uint32_t height, uint32_t maxSide);
    // Levels 1, 2, ... down to 1 x 1 of a tightly packed image of `components` bytes a texel
    // (level 0 is the image itself); empty when the image does not fit or is too short.
    static std::vector<Level> build(const std::vector<uint8_t>& pixels, uint32_t width,
                                    uint32_t height, int components);
    // The size of level `level` of a width x height image (never below 1).
    static uint32_t levelSide(uint32_t side, int level);
};

}  // namespace brx
