#include "tools/art/AsvmWriter.h"

#include <cstdint>
#include <cstring>

namespace brx::tools {
namespace {

void putInt(std::string& out, size_t at, int32_t value) {
    const uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

void appendInt(std::string& out, int32_t value) {
    out.append(4, '\0');
    putInt(out, out.size() - 4, value);
}

void appendFloat(std::string& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    appendInt(out, int32_t(bits));
}

void putName(std::string& out, size_t at, const std::string& name) {
    const size_t n = std::min(name.size(), AsvmWriter::kNameSize - 1);
    std::memcpy(out.data() + at, name.data(), n);
}

}  // namespace

std::string AsvmWriter::encode(const Mesh& mesh) {
    std::string out(kHeaderSize, '\0');
    std::memcpy(out.data(), "ASVM3D", 6);
    std::memcpy(out.data() + 6, "brx1", 4);
    const auto faces = int32_t(mesh.triangles.size());
    putInt(out, 16, int32_t(mesh.vertices.size()));
    putInt(out, 20, int32_t(mesh.texCoords.size()));
    putInt(out, 24, faces * 6);
    putInt(out, 28, faces);
    putName(out, 32, mesh.baseTexture);
    putName(out, 48, mesh.detailTexture);
    for (const auto& v : mesh.vertices) {
        appendFloat(out, v.x);
        appendFloat(out, v.y);
        appendFloat(out, v.z);
    }
    for (const auto& t : mesh.texCoords) {
        appendFloat(out, t.u);
        appendFloat(out, t.v);
    }
    out.append(kSkippedBlockSize, '\0');
    for (const auto& triangle : mesh.triangles)
        for (const auto& corner : triangle) {
            appendInt(out, corner.vertex + 1);
            appendInt(out, corner.texCoord + 1);
        }
    return out;
}

}  // namespace brx::tools
