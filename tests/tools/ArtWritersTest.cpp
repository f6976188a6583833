// The file writers byte for byte against the layouts the game's loaders read, and the mesh
// and mask primitives the art is built from.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/JpegReader.h"
#include "engine/TgaReader.h"
#include "tools/art/AsvmReader.h"
#include "tools/art/AsvmWriter.h"
#include "tools/art/JpegWriter.h"
#include "tools/art/Mask.h"
#include "tools/art/MeshBuilder.h"
#include "tools/art/TgaWriter.h"

namespace brx::tools {
namespace {

int32_t intAt(const std::string& bytes, size_t at) {
    int32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

// Two rows: red on top, blue below, as the player should see them.
Image redOverBlue() {
    Image image(2, 2);
    image.fill([](int, int y) { return y == 0 ? Colour{1, 0, 0, 1} : Colour{0, 0, 1, 0.5f}; });
    return image;
}

TEST(TgaWriter, WritesTheHeaderTheGameAcceptsAndRowsBottomFirst) {
    const std::string file = TgaWriter::encode(redOverBlue(), true);
    const uint8_t expected[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(std::memcmp(file.data(), expected, 12), 0);
    EXPECT_EQ(uint8_t(file[16]), 32);
    DecodedImage image;
    ASSERT_TRUE(
        TgaReader::decode(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &image));
    // The first uploaded row is the bottom one: blue, half transparent.
    EXPECT_EQ(image.pixels[0], 0);
    EXPECT_EQ(image.pixels[2], 255);
    EXPECT_EQ(image.pixels[3], 128);
    EXPECT_EQ(image.pixels[8], 255);  // top row red
    EXPECT_EQ(TgaWriter::encode(redOverBlue(), false)[16], 24);
}

TEST(JpegWriter, CompressesTheBottomRowFirstSoTheGameShowsItUpright) {
    Image image(16, 16);
    image.fill([](int, int y) { return y < 8 ? Colour{1, 1, 1, 1} : Colour{0, 0, 0, 1}; });
    const std::string file = JpegWriter::encode(image, 95);
    DecodedImage decoded;
    ASSERT_TRUE(
        JpegReader::decode(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &decoded));
    ASSERT_EQ(decoded.width, 16u);
    EXPECT_LT(decoded.pixels[0], 30);                           // first row: the dark bottom
    EXPECT_GT(decoded.pixels[decoded.pixels.size() - 1], 220);  // last row: the light top
}

TEST(AsvmWriter, LaysOutHeaderArraysSkippedBlockAndOneBasedIndices) {
    Mesh mesh;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.texCoords = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    mesh.triangles = {{Mesh::Corner{0, 3}, Mesh::Corner{1, 1}, Mesh::Corner{2, 2}}};
    mesh.baseTexture = "Stone.Tga";
    const std::string file = AsvmWriter::encode(mesh);
    EXPECT_EQ(file.compare(0, 6, "ASVM3D"), 0);
    EXPECT_EQ(intAt(file, 16), 3);
    EXPECT_EQ(intAt(file, 20), 4);
    EXPECT_EQ(intAt(file, 28), 1);
    EXPECT_STREQ(file.data() + 32, "Stone.Tga");
    EXPECT_EQ(file[48], '\0');
    const size_t indices = 64 + 3 * 12 + 4 * 8 + 60;
    ASSERT_EQ(file.size(), indices + 6 * 4);
    EXPECT_EQ(intAt(file, indices), 1);      // vertex 0, stored 1-based
    EXPECT_EQ(intAt(file, indices + 4), 4);  // texture coordinate 3
    Mesh back;
    std::string error;
    ASSERT_TRUE(AsvmReader::decode(file, &back, &error)) << error;
    EXPECT_EQ(back.triangles[0][0].texCoord, 3);
    EXPECT_EQ(back.baseTexture, "Stone.Tga");
}

TEST(AsvmReader, RefusesMalformedFiles) {
    Mesh mesh;
    MeshBuilder(mesh).addOctahedron({0, 0, 0}, 1, {0, 0});
    const std::string good = AsvmWriter::encode(mesh);
    Mesh out;
    std::string error;
    EXPECT_FALSE(AsvmReader::decode(good.substr(0, good.size() - 1), &out, &error));
    std::string badMagic = good;
    badMagic[0] = 'X';
    EXPECT_FALSE(AsvmReader::decode(badMagic, &out, &error));
    std::string badIndex = good;
    badIndex[badIndex.size() - 8] = 100;  // a vertex number beyond the count
    EXPECT_FALSE(AsvmReader::decode(badIndex, &out, &error));
    EXPECT_FALSE(AsvmReader::decode("ASVM3D", &out, &error));
}

TEST(MeshBuilder, SolidsFaceOutwards) {
    Mesh mesh;
    MeshBuilder builder(mesh);
    builder.addBevelledBox({-1, -1, -1}, {1, 1, 1}, 0.2f);
    builder.addSphere({5, 0, 0}, 1, 8, 6, {0, 0});
    for (const auto& t : mesh.triangles) {
        const Vec3 a = mesh.vertices[size_t(t[0].vertex)], b = mesh.vertices[size_t(t[1].vertex)],
                   c = mesh.vertices[size_t(t[2].vertex)];
        const Vec3 centre = (a + b + c) * (1.0f / 3);
        const Vec3 solid = centre.x > 2.5f ? Vec3{5, 0, 0} : Vec3{0, 0, 0};
        EXPECT_GT(dot(cross(b - a, c - a), centre - solid), 0);
    }
}

TEST(Mask, ShapesAreAntiAliasedAtTheirEdges) {
    Mask mask(20, 20);
    mask.addCircle(10, 10, 5.3f);
    EXPECT_FLOAT_EQ(mask.at(10, 10), 1.0f);
    EXPECT_FLOAT_EQ(mask.at(0, 0), 0.0f);
    bool partial = false;
    for (int x = 0; x < 20; ++x) partial |= mask.at(x, 10) > 0.05f && mask.at(x, 10) < 0.95f;
    EXPECT_TRUE(partial);
    EXPECT_GT(mask.dilated(2).at(10, 4), 0.5f);  // grown beyond the circle's top
}

}  // namespace
}  // namespace brx::tools
