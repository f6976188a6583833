// The symbol atlas as shipped in the built archive: one cell per block colour, each holding a
// dark glyph in a light rim on a clear ground, and no two glyphs alike, so every pair of
// colours can be told apart by shape alone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "engine/DecodedImage.h"
#include "engine/TgaReader.h"

namespace brx {
namespace {

constexpr int kColours = DataManifest::kSymbolColourCount;

struct Atlas {
    DecodedImage image;
    int cell = 0;  // pixels per cell side

    const uint8_t* pixel(int colour, int x, int y) const {
        const size_t column = size_t((colour - 1) * cell + x);
        return &image.pixels[(size_t(y) * image.width + column) * 4];
    }
    // The glyph: opaque and dark.
    bool glyphAt(int colour, int x, int y) const {
        const uint8_t* p = pixel(colour, x, y);
        return p[3] > 200 && p[0] < 80 && p[1] < 80 && p[2] < 80;
    }
};

Atlas loadAtlas() {
    Atlas atlas;
    ResourceArchive& archive = ResourceArchive::instance();
    if (!archive.open()) return atlas;
    const ResourceBuffer file =
        archive.readFile(std::string(DataManifest::kTextureFolder) + DataManifest::kSymbolTexture);
    archive.close();
    if (!file || !TgaReader::decode(file.bytes.get(), file.size, &atlas.image)) return atlas;
    atlas.cell = int(atlas.image.height);
    return atlas;
}

TEST(SymbolAtlas, OneCellPerColourEachWithADistinctGlyph) {
    const Atlas atlas = loadAtlas();
    ASSERT_GT(atlas.cell, 0) << "no readable symbol atlas in the built archive";
    ASSERT_EQ(atlas.image.components, 4);
    ASSERT_EQ(int(atlas.image.width), atlas.cell * DataManifest::kSymbolCellCount);
    const int area = atlas.cell * atlas.cell;

    for (int colour = 1; colour <= kColours; ++colour) {
        int glyph = 0, rim = 0, edgeOpaque = 0;
        for (int y = 0; y < atlas.cell; ++y)
            for (int x = 0; x < atlas.cell; ++x) {
                const uint8_t* p = atlas.pixel(colour, x, y);
                glyph += atlas.glyphAt(colour, x, y);
                rim += p[3] > 200 && p[0] > 220 && p[1] > 220 && p[2] > 220;
                const bool edge = x < 2 || y < 2 || x >= atlas.cell - 2 || y >= atlas.cell - 2;
                edgeOpaque += edge && p[3] > 0;
            }
        // Big enough to read, framed in white, and clear at the cell's edge so mipmaps of a
        // neighbour never bleed in.
        EXPECT_GT(glyph, area / 10) << "colour " << colour;
        EXPECT_GT(rim, area / 20) << "colour " << colour;
        EXPECT_EQ(edgeOpaque, 0) << "colour " << colour;
    }
    for (int a = 1; a <= kColours; ++a)
        for (int b = a + 1; b <= kColours; ++b) {
            int apart = 0;
            for (int y = 0; y < atlas.cell; ++y)
                for (int x = 0; x < atlas.cell; ++x)
                    apart += atlas.glyphAt(a, x, y) != atlas.glyphAt(b, x, y);
            EXPECT_GT(apart, area / 20) << "glyphs " << a << " and " << b << " look alike";
        }
    // The cells past the five colours stay clear.
    for (int cell = kColours + 1; cell <= DataManifest::kSymbolCellCount; ++cell)
        for (int y = 0; y < atlas.cell; ++y)
            for (int x = 0; x < atlas.cell; ++x) ASSERT_EQ(atlas.pixel(cell, x, y)[3], 0);
}

}  // namespace
}  // namespace brx
