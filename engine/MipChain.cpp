#include "engine/MipChain.h"

#include <algorithm>

namespace brx {
namespace {

// Largest side a chain is made for here; beyond it GLU shrinks the image first.
constexpr uint32_t kMaxChainSide = 1u << 14;

bool isPowerOfTwo(uint32_t value) {
    return value != 0 && (value & (value - 1)) == 0;
}

// One level from the one above it. Where both sides halve, each texel is the rounded mean of a
// 2 x 2 block; where one side is already 1, the mean (rounded down) of two neighbours.
std::vector<uint8_t> halve(const std::vector<uint8_t>& above, uint32_t width, uint32_t height,
                           int components) {
    const uint32_t newWidth = std::max(width / 2, 1u), newHeight = std::max(height / 2, 1u);
    const size_t texel = size_t(components), row = size_t(width) * texel;
    std::vector<uint8_t> level(size_t(newWidth) * newHeight * texel);
    uint8_t* out = level.data();
    if (width > 1 && height > 1) {
        for (uint32_t y = 0; y < newHeight; ++y) {
            const uint8_t* top = above.data() + size_t(2 * y) * row;
            for (uint32_t x = 0; x < newWidth; ++x, top += 2 * texel)
                for (size_t c = 0; c < texel; ++c)
                    *out++ = uint8_t(
                        (top[c] + top[texel + c] + top[row + c] + top[row + texel + c] + 2) / 4);
        }
        return level;
    }
    // A single row or column: neighbours are one texel or one row apart.
    const size_t step = width > 1 ? texel : row;
    const uint8_t* in = above.data();
    for (uint32_t i = 0; i < newWidth * newHeight; ++i, in += 2 * step)
        for (size_t c = 0; c < texel; ++c) *out++ = uint8_t((in[c] + in[step + c]) / 2);
    return level;
}

}  // namespace

bool MipChain::fits(uint32_t width, uint32_t height, uint32_t maxSide) {
    const uint32_t limit = std::min(maxSide, kMaxChainSide);
    return isPowerOfTwo(width) && isPowerOfTwo(height) && width <= limit && height <= limit;
}

uint32_t MipChain::levelSide(uint32_t side, int level) {
    return std::max(side >> level, 1u);
}

std::vector<MipChain::Level> MipChain::build(const std::vector<uint8_t>& pixels, uint32_t width,
                                             uint32_t height, int components) {
    std::vector<Level> levels;
    if (!fits(width, height, kMaxChainSide) || components < 1 ||
        pixels.size() < size_t(width) * height * size_t(components))
        return levels;
    levels.reserve(32);  // a level is read while the next is made: no reallocation
    const std::vector<uint8_t>* above = &pixels;
    while (width > 1 || height > 1) {
        levels.push_back(halve(*above, width, height, components));
        above = &levels.back();
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
    return levels;
}

}  // namespace brx
