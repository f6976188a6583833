#include "tests/support/PngFile.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace testsupport {
namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBigEndian(std::string& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
}

void putChunk(std::string& out, const char* type, const std::string& data) {
    putBigEndian(out, uint32_t(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    putBigEndian(out, crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

// A zlib stream of stored deflate blocks (at most 65535 bytes each) with its Adler-32.
std::string storedZlib(const std::string& raw) {
    std::string out("\x78\x01", 2);
    uint32_t a = 1, b = 0;
    for (const char c : raw) {
        a = (a + uint8_t(c)) % 65521;
        b = (b + a) % 65521;
    }
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out += char(last ? 1 : 0);
        out += char(length & 0xFF);
        out += char(length >> 8);
        out += char(~length & 0xFF);
        out += char((~length >> 8) & 0xFF);
        out.append(raw, offset, length);
        offset += length;
    } while (offset < raw.size());
    putBigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

bool writePng(const std::string& path, const std::vector<uint8_t>& rgbaBottomUp, int width,
              int height) {
    if (width <= 0 || height <= 0 || rgbaBottomUp.size() != size_t(width) * size_t(height) * 4)
        return false;
    std::string raw;
    const size_t rowBytes = size_t(width) * 4;
    for (int row = height - 1; row >= 0; --row) {
        raw += '\0';  // filter: none
        raw.append(reinterpret_cast<const char*>(rgbaBottomUp.data()) + size_t(row) * rowBytes,
                   rowBytes);
    }
    std::string header;
    putBigEndian(header, uint32_t(width));
    putBigEndian(header, uint32_t(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no interlace
    std::string png("\x89PNG\r\n\x1a\n", 8);
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", storedZlib(raw));
    putChunk(png, "IEND", "");
    std::ofstream file(path, std::ios::binary);
    file.write(png.data(), std::streamsize(png.size()));
    return bool(file);
}

}  // namespace testsupport
