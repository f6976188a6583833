#include "tools/art/TgaWriter.h"

#include <cstdint>

namespace brx::tools {

std::string TgaWriter::encode(const Image& image, bool withAlpha) {
    const int w = image.width(), h = image.height();
    const int components = withAlpha ? 4 : 3;
    std::string out(18, '\0');
    out[2] = 2;  // uncompressed true colour
    out[12] = char(w & 0xFF);
    out[13] = char(w >> 8);
    out[14] = char(h & 0xFF);
    out[15] = char(h >> 8);
    out[16] = char(components * 8);
    out[17] = char(withAlpha ? 8 : 0);  // alpha bits; origin at the lower left
    const std::vector<uint8_t> bytes = withAlpha ? image.rgba8() : image.rgb8();
    out.reserve(out.size() + bytes.size());
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = bytes.data() + size_t(y) * size_t(w) * size_t(components);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = row + x * components;
            out.push_back(char(p[2]));
            out.push_back(char(p[1]));
            out.push_back(char(p[0]));
            if (withAlpha) out.push_back(char(p[3]));
        }
    }
    return out;
}

}  // namespace brx::tools
