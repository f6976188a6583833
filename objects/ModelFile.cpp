#include "objects/ModelFile.h"

#include <cstring>
#include <utility>

namespace brx {
namespace {

constexpr size_t kVertexCountOffset = 16;
constexpr size_t kTexCoordCountOffset = 20;
constexpr size_t kFaceCountOffset = 28;
constexpr size_t kBaseNameOffset = 32;
constexpr size_t kDetailNameOffset = 48;
constexpr size_t kVertexBytes = 12;
constexpr size_t kTexCoordBytes = 8;
constexpr size_t kIndexBytes = 4;

uint32_t readUint32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

int32_t readInt32(const uint8_t* at) {
    return int32_t(readUint32(at));
}

float readFloat(const uint8_t* at) {
    const uint32_t bits = readUint32(at);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A name field: up to 16 bytes, ended by the first NUL if there is one.
std::string readName(const uint8_t* at) {
    const void* end = std::memchr(at, 0, ModelFile::kNameSize);
    const size_t length =
        end ? size_t(static_cast<const uint8_t*>(end) - at) : ModelFile::kNameSize;
    return std::string(reinterpret_cast<const char*>(at), length);
}

ModelFile::Result refuse(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return ModelFile::Result::damaged;
}

// Index numbers of the file (1-based) into the mesh as 0-based, each checked against the
// array it addresses; false at the first number out of range.
bool readIndices(const uint8_t* at, KvMesh* mesh) {
    const int stride = mesh->cornerStride();
    for (size_t i = 0; i < mesh->indices.size(); ++i) {
        const int64_t number = readInt32(at + i * kIndexBytes);
        const bool isVertex = stride == 1 || i % 2 == 0;
        const int64_t limit = isVertex ? int64_t(mesh->vertexCount) : mesh->texCoordCount;
        if (number < 1 || number > limit) return false;
        mesh->indices[i] = int32_t(number - 1);
    }
    return true;
}

}  // namespace

ModelFile::Result ModelFile::read(const uint8_t* bytes, size_t size, Header* header, KvMesh* mesh,
                                  std::string* reason) {
    if (bytes == nullptr || size < kMagicLength || std::memcmp(bytes, kMagic, kMagicLength) != 0)
        return Result::wrongFormat;
    if (size < kHeaderSize) return refuse(reason, "shorter than its header");
    Header parsed;
    parsed.vertexCount = readInt32(bytes + kVertexCountOffset);
    parsed.texCoordCount = readInt32(bytes + kTexCoordCountOffset);
    parsed.faceCount = readInt32(bytes + kFaceCountOffset);
    parsed.baseTexture = readName(bytes + kBaseNameOffset);
    parsed.detailTexture = readName(bytes + kDetailNameOffset);
    if (parsed.vertexCount < 0 || parsed.texCoordCount < 0 || parsed.faceCount < 0)
        return refuse(reason, "negative count");

    // All in 64 bits: counts up to 2^31 cannot overflow, and nothing is allocated before the
    // file is known to hold every byte the counts promise.
    const uint64_t perCorner = parsed.texCoordCount > 0 ? 2 : 1;
    const uint64_t indexTotal = uint64_t(parsed.faceCount) * 3 * perCorner;
    const uint64_t vertexStart = kHeaderSize;
    const uint64_t texCoordStart = vertexStart + uint64_t(parsed.vertexCount) * kVertexBytes;
    const uint64_t indexStart =
        texCoordStart + uint64_t(parsed.texCoordCount) * kTexCoordBytes + kSkippedBlockSize;
    const uint64_t end = indexStart + indexTotal * kIndexBytes;
    if (end > size || indexTotal > uint64_t(INT32_MAX))
        return refuse(reason, "counts run past the end of the file");

    KvMesh filled;
    filled.allocate(uint32_t(parsed.faceCount), uint32_t(parsed.vertexCount), parsed.texCoordCount,
                    int32_t(indexTotal));
    for (size_t i = 0; i < filled.vertices.size(); ++i)
        filled.vertices[i] = readFloat(bytes + vertexStart + i * 4);
    for (size_t i = 0; i < size_t(parsed.texCoordCount) * 2; ++i)
        filled.texCoords[i] = readFloat(bytes + texCoordStart + i * 4);
    if (!readIndices(bytes + indexStart, &filled))
        return refuse(reason, "index outside the vertex or coordinate range");

    mesh->allocate(filled.faceCount, filled.vertexCount, filled.texCoordCount, filled.indexCount);
    mesh->vertices.swap(filled.vertices);
    mesh->texCoords.swap(filled.texCoords);
    mesh->indices.swap(filled.indices);
    mesh->linkFaces();
    *header = std::move(parsed);
    return Result::ok;
}

}  // namespace brx
