// The model file reader against files written byte by byte: the layout, the 1-based index
// list, files without texture coordinates, and a corpus of damaged files that must be refused
// without reading past the buffer (the sanitizer build watches every read).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "objects/ModelFile.h"
#include "tests/objects/AsvmBytes.h"

namespace brx {
namespace {

using testmodels::asvmBytes;
using testmodels::AsvmLayout;

ModelFile::Result readBytes(const std::string& bytes, KvMesh* mesh,
                            ModelFile::Header* header = nullptr, std::string* reason = nullptr) {
    ModelFile::Header ignored;
    // A heap copy of exactly the file's length, so any read beyond it is caught.
    auto copy = std::make_unique<uint8_t[]>(bytes.size() + 1);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    return ModelFile::read(copy.get(), bytes.size(), header ? header : &ignored, mesh, reason);
}

TEST(ModelFile, ReadsCountsNamesAndTheOneBasedIndexList) {
    const std::string bytes = asvmBytes(testmodels::square("Skin.Tga", "Detail.Tga"));
    KvMesh mesh;
    ModelFile::Header header;
    ASSERT_EQ(readBytes(bytes, &mesh, &header), ModelFile::Result::ok);
    EXPECT_EQ(header.baseTexture, "Skin.Tga");
    EXPECT_EQ(header.detailTexture, "Detail.Tga");
    EXPECT_EQ(mesh.vertexCount, 4u);
    EXPECT_EQ(mesh.normalCount, 4u);
    EXPECT_EQ(mesh.texCoordCount, 4);
    EXPECT_EQ(mesh.faceCount, 2u);
    EXPECT_EQ(mesh.indexCount, 12);
    // Index value 1 addresses the first vertex.
    EXPECT_EQ(mesh.indices[0], 0);
    EXPECT_EQ(mesh.faces[0].vertices[0], &mesh.vertices[0]);
    EXPECT_EQ(mesh.faces[1].vertices[2], &mesh.vertices[9]);
    EXPECT_EQ(mesh.faces[1].texCoords[2], &mesh.texCoords[6]);
    EXPECT_EQ(mesh.faces[1].normals[1], &mesh.normals[6]);
    EXPECT_FLOAT_EQ(mesh.faces[0].texCoords[1][0], 1.0f);
}

TEST(ModelFile, NamesFillingAllSixteenBytesStopAtTheField) {
    std::string bytes = asvmBytes(testmodels::square());
    std::memset(bytes.data() + 32, 'A', 32);  // no terminator in either name field
    KvMesh mesh;
    ModelFile::Header header;
    ASSERT_EQ(readBytes(bytes, &mesh, &header), ModelFile::Result::ok);
    EXPECT_EQ(header.baseTexture, std::string(16, 'A'));
    EXPECT_EQ(header.detailTexture, std::string(16, 'A'));
}

TEST(ModelFile, WithoutTextureCoordinatesReadsOneNumberPerCorner) {
    AsvmLayout desc;
    desc.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    desc.indices = {1, 2, 3};
    desc.faceCount = 1;
    KvMesh mesh;
    ASSERT_EQ(readBytes(asvmBytes(desc), &mesh), ModelFile::Result::ok);
    EXPECT_EQ(mesh.indexCount, 3);
    EXPECT_EQ(mesh.cornerStride(), 1);
    EXPECT_EQ(mesh.faces[0].vertices[1], &mesh.vertices[3]);
    EXPECT_EQ(mesh.faces[0].vertices[2], &mesh.vertices[6]);
    // Every corner points at the stand-in coordinate (0, 0).
    EXPECT_EQ(mesh.faces[0].texCoords[2][0], 0.0f);
    mesh.buildPlanes();
    EXPECT_EQ(mesh.cornerVertex(0, 2), 2);
}

TEST(ModelFile, WrongMagicIsWrongFormat) {
    std::string bytes = asvmBytes(testmodels::square());
    bytes[5] = 'X';
    KvMesh mesh;
    EXPECT_EQ(readBytes(bytes, &mesh), ModelFile::Result::wrongFormat);
    EXPECT_EQ(readBytes("ASVM", &mesh), ModelFile::Result::wrongFormat);
    EXPECT_EQ(readBytes("", &mesh), ModelFile::Result::wrongFormat);
    EXPECT_TRUE(mesh.isEmpty());
}

TEST(ModelFile, EveryTruncationIsRefusedAndLeavesTheMeshEmpty) {
    const std::string whole = asvmBytes(testmodels::cube());
    for (size_t length = 6; length < whole.size(); ++length) {
        KvMesh mesh;
        std::string reason;
        ASSERT_EQ(readBytes(whole.substr(0, length), &mesh, nullptr, &reason),
                  ModelFile::Result::damaged)
            << "cut at " << length;
        EXPECT_FALSE(reason.empty());
        EXPECT_TRUE(mesh.isEmpty());
        EXPECT_TRUE(mesh.vertices.empty());
    }
    KvMesh mesh;
    EXPECT_EQ(readBytes(whole, &mesh), ModelFile::Result::ok);
}

TEST(ModelFile, NegativeAndHugeCountsAreRefused) {
    const int32_t bad[] = {-1, INT32_MIN, INT32_MAX, 1 << 28, 5};
    for (int32_t value : bad) {
        for (size_t field : {size_t(16), size_t(20), size_t(28)}) {
            std::string bytes = asvmBytes(testmodels::square());
            testmodels::putInt(bytes, field, value);
            KvMesh mesh;
            // 5 texture coordinates or 5 vertices no longer fit; 5 faces run past the end.
            EXPECT_NE(readBytes(bytes, &mesh), ModelFile::Result::ok)
                << "field " << field << " = " << value;
            EXPECT_TRUE(mesh.isEmpty());
        }
    }
}

TEST(ModelFile, IndicesOutsideTheirArraysAreRefused) {
    // Vertex numbers are checked against V, coordinate numbers against T, both 1-based.
    const struct {
        size_t position;
        int32_t value;
    } cases[] = {{0, 0}, {0, 5}, {0, -3}, {1, 0}, {1, 5}, {11, 5}, {10, INT32_MAX}};
    for (const auto& c : cases) {
        AsvmLayout desc = testmodels::square();
        desc.indices[c.position] = c.value;
        KvMesh mesh;
        EXPECT_EQ(readBytes(asvmBytes(desc), &mesh), ModelFile::Result::damaged)
            << "index " << c.position << " = " << c.value;
        EXPECT_TRUE(mesh.isEmpty());
    }
    // Without coordinates every number is a vertex number.
    AsvmLayout plain;
    plain.vertices = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    plain.indices = {1, 2, 4};
    plain.faceCount = 1;
    KvMesh mesh;
    EXPECT_EQ(readBytes(asvmBytes(plain), &mesh), ModelFile::Result::damaged);
}

TEST(ModelFile, AnEmptyModelAndTrailingBytesAreAccepted) {
    AsvmLayout empty;
    KvMesh mesh;
    EXPECT_EQ(readBytes(asvmBytes(empty), &mesh), ModelFile::Result::ok);
    EXPECT_TRUE(mesh.isEmpty());
    KvMesh padded;
    EXPECT_EQ(readBytes(asvmBytes(testmodels::square()) + "tail", &padded), ModelFile::Result::ok);
    EXPECT_EQ(padded.faceCount, 2u);
}

TEST(KvMesh, FlatNormalsTakeTheLastTriangleAndSmoothOnesAverage) {
    KvMesh mesh;
    ASSERT_EQ(readBytes(asvmBytes(testmodels::tetrahedron()), &mesh), ModelFile::Result::ok);
    mesh.computeNormals(false);
    // Vertex 4 (index 3) is last used by the slanted face.
    const float s = 1.0f / std::sqrt(3.0f);
    EXPECT_NEAR(mesh.normals[9], s, 1e-6);
    EXPECT_NEAR(mesh.normals[10], s, 1e-6);
    // Vertex 1 is last used by the x = 0 face.
    EXPECT_NEAR(mesh.normals[0], -1.0f, 1e-6);
    EXPECT_NEAR(mesh.normals[1], 0.0f, 1e-6);
    mesh.computeNormals(true);
    // The corner at the origin averages -x, -y and -z.
    EXPECT_NEAR(mesh.normals[0], -s, 1e-6);
    EXPECT_NEAR(mesh.normals[1], -s, 1e-6);
    EXPECT_NEAR(mesh.normals[2], -s, 1e-6);
}

TEST(KvMesh, PlanesAndNeighboursOfAClosedMesh) {
    KvMesh mesh;
    ASSERT_EQ(readBytes(asvmBytes(testmodels::tetrahedron()), &mesh), ModelFile::Result::ok);
    mesh.buildPlanes();
    EXPECT_EQ(mesh.faces[0].plane, &mesh.planes[0]);
    EXPECT_NEAR(mesh.planes[0].normal.z, -1.0f, 1e-6);
    EXPECT_NEAR(mesh.planes[3].offset, -1.0f / std::sqrt(3.0f), 1e-6);
    mesh.buildNeighbours();
    for (int32_t n : mesh.neighbours) EXPECT_NE(n, KvMesh::kNoNeighbour);
    // Edge 0 of the bottom (vertices 0-2) is shared with the x = 0 face (its edge 2-0).
    EXPECT_EQ(mesh.neighbours[0], 2);
    EXPECT_EQ(mesh.neighbours[2 * 3 + 2], 0);

    KvMesh open;
    ASSERT_EQ(readBytes(asvmBytes(testmodels::square()), &open), ModelFile::Result::ok);
    open.buildPlanes();
    open.buildNeighbours();
    // Only the diagonal is shared.
    EXPECT_EQ(open.neighbours, (std::vector<int32_t>{-1, -1, 1, 0, -1, -1}));
}

}  // namespace
}  // namespace brx
