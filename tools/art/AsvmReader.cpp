#include "tools/art/AsvmReader.h"

#include <cstdint>
#include <cstring>

#include "tools/art/AsvmWriter.h"

namespace brx::tools {
namespace {

int32_t readInt(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(bytes[at + size_t(i)])) << (8 * i);
    return int32_t(v);
}

float readFloat(const std::string& bytes, size_t at) {
    const int32_t bits = readInt(bytes, at);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

std::string readName(const std::string& bytes, size_t at) {
    const std::string field = bytes.substr(at, AsvmWriter::kNameSize);
    return field.substr(0, field.find('\0'));
}

bool fail(std::string* error, const std::string& reason) {
    if (error) *error = reason;
    return false;
}

}  // namespace

bool AsvmReader::decode(const std::string& bytes, Mesh* mesh, std::string* error) {
    if (bytes.size() < AsvmWriter::kHeaderSize) return fail(error, "shorter than the header");
    if (bytes.compare(0, 6, "ASVM3D") != 0) return fail(error, "wrong magic");
    const int32_t v = readInt(bytes, 16), t = readInt(bytes, 20), f = readInt(bytes, 28);
    if (v <= 0 || t <= 0 || f <= 0) return fail(error, "empty or negative counts");
    const size_t indexStart =
        AsvmWriter::kHeaderSize + size_t(v) * 12 + size_t(t) * 8 + AsvmWriter::kSkippedBlockSize;
    const size_t expected = indexStart + size_t(f) * 6 * 4;
    if (bytes.size() != expected) return fail(error, "size does not match the counts");
    Mesh out;
    out.baseTexture = readName(bytes, 32);
    out.detailTexture = readName(bytes, 48);
    size_t at = AsvmWriter::kHeaderSize;
    for (int32_t i = 0; i < v; ++i, at += 12)
        out.vertices.push_back(
            {readFloat(bytes, at), readFloat(bytes, at + 4), readFloat(bytes, at + 8)});
    for (int32_t i = 0; i < t; ++i, at += 8)
        out.texCoords.push_back({readFloat(bytes, at), readFloat(bytes, at + 4)});
    at = indexStart;
    for (int32_t i = 0; i < f; ++i) {
        Mesh::Triangle triangle;
        for (auto& corner : triangle) {
            corner.vertex = readInt(bytes, at) - 1;
            corner.texCoord = readInt(bytes, at + 4) - 1;
            at += 8;
            if (corner.vertex < 0 || corner.vertex >= v || corner.texCoord < 0 ||
                corner.texCoord >= t)
                return fail(error, "index out of range");
        }
        out.triangles.push_back(triangle);
    }
    *mesh = std::move(out);
    return true;
}

}  // namespace brx::tools
