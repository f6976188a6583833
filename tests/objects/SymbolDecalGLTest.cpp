// The block symbols drawn for real: a lit, skinned block from the built archive, once bare and
// once with its decal, in every skin and every colour, read back from the frame. The symbol
// must change the block's face, and the five symbols must differ from one another by shape
// alone (which pixels are dark), at the size the game draws its blocks and smaller.
#include "objects/SymbolDecal.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/Matrix4.h"
#include "engine/TextureRef.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/ColorMaterials.h"
#include "objects/ColorTable.h"
#include "objects/ModelLibrary.h"
#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kArea = 28;           // pixels square around the block's centre
constexpr int kFaceLuminance = 20;  // darker is the background around the block
constexpr int kColours = 5;
using Shape = std::vector<bool>;

class SymbolDecalGL : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(ResourceArchive::instance().open()) << "the built archive is needed";
        ColorTable colours;
        ASSERT_TRUE(colours.load());
        colours.fillPlainColours(ColorMaterials::instance());
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        BlockPrototypes::ModelSetUp setUp;
        setUp.detailSwitched = true;
        BlockPrototypes::prepareModel(block, "FastBox.Asvm", setUp);
        for (int i = 0; i < DataManifest::kSkinCount; ++i)
            skins[size_t(i)].load(DataManifest::skinTexture(i), true);
    }
    void TearDown() override {
        decal.release();
        for (auto& skin : skins) skin.release();
        ResourceArchive::instance().close();
    }

    // The game's view of a board cell: lit from the front, seen from `distance` units.
    static void lookAtBlock(float distance) {
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(Matrix4::perspective(45.0f, float(kWidth) / kHeight, 1.0f, 256.0f).data());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const GLfloat light[] = {0.0f, 0.0f, 26.0f, 1.0f};
        const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f}, full[] = {1, 1, 1, 1};
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, full);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
        glEnable(GL_NORMALIZE);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_TRUE);
        glDisable(GL_BLEND);
        glEnable(GL_TEXTURE_2D);
        glLoadMatrixf(Matrix4::translation({0, 0, -distance}).data());
    }

    // The block's face around its centre, bare or with its symbol.
    std::vector<uint8_t> drawBlock(int skin, int colour, float distance, bool withSymbol) {
        testsupport::clearTo(0, 0, 0);
        lookAtBlock(distance);
        skins[size_t(skin)].bind();
        block.colour = colour;
        block.draw();
        if (withSymbol) {
            EXPECT_TRUE(decal.begin());
            decal.drawOn(block);
            decal.end();
        }
        return testsupport::readPixels((kWidth - kArea) / 2, (kHeight - kArea) / 2, kArea, kArea);
    }

    static int luminance(const uint8_t* p) { return (p[0] * 3 + p[1] * 6 + p[2]) / 10; }

    // The glyph's footprint: face pixels the symbol made at least twice as dark. Measured
    // against the bare block, so the colour and the skin's own dark facets do not count.
    static Shape glyphPixels(const std::vector<uint8_t>& bare, const std::vector<uint8_t>& marked) {
        Shape shape;
        for (size_t i = 0; i + 3 < bare.size(); i += 4) {
            const int before = luminance(&bare[i]), after = luminance(&marked[i]);
            shape.push_back(before >= kFaceLuminance && after * 2 < before);
        }
        return shape;
    }

    Box block{KvModel::kNoShadow};
    std::array<TextureRef, DataManifest::kSkinCount> skins;
    SymbolDecal decal;
};

TEST_F(SymbolDecalGL, EveryColourShowsItsOwnShapeInEverySkin) {
    for (const float distance : {22.0f, 30.0f}) {
        for (int skin = 0; skin < DataManifest::kSkinCount; ++skin) {
            std::vector<Shape> shapes;
            for (int colour = 1; colour <= kColours; ++colour) {
                const auto bare = drawBlock(skin, colour, distance, false);
                const auto marked = drawBlock(skin, colour, distance, true);
                int differing = 0;
                for (size_t i = 0; i < bare.size(); i += 4)
                    if (std::abs(bare[i] - marked[i]) + std::abs(bare[i + 1] - marked[i + 1]) +
                            std::abs(bare[i + 2] - marked[i + 2]) >
                        60)
                        ++differing;
                EXPECT_GT(differing, kArea * kArea / 8)
                    << "no symbol on colour " << colour << " skin " << skin << " at " << distance;
                const Shape glyph = glyphPixels(bare, marked);
                EXPECT_GT(std::count(glyph.begin(), glyph.end(), true), kArea * kArea / 20)
                    << "no readable glyph on colour " << colour << " skin " << skin;
                shapes.push_back(glyph);
            }
            for (int a = 0; a < kColours; ++a)
                for (int b = a + 1; b < kColours; ++b) {
                    int apart = 0;
                    for (size_t i = 0; i < shapes[size_t(a)].size(); ++i)
                        apart += shapes[size_t(a)][i] != shapes[size_t(b)][i];
                    EXPECT_GT(apart, kArea * kArea / 25)
                        << "colours " << a + 1 << " and " << b + 1 << " look alike in skin " << skin
                        << " at " << distance;
                }
        }
    }
}

TEST_F(SymbolDecalGL, OnlyColouredRestingBlocksCarryASymbolAndStateIsRestored) {
    float u0 = -1, u1 = -1;
    EXPECT_FALSE(SymbolDecal::cellOf(Box::kNoColour, u0, u1));
    EXPECT_FALSE(SymbolDecal::cellOf(0, u0, u1));
    ASSERT_TRUE(SymbolDecal::cellOf(Box::kYellow, u0, u1));
    EXPECT_FLOAT_EQ(u0, 4.0f / DataManifest::kSymbolCellCount);
    EXPECT_FLOAT_EQ(u1, 5.0f / DataManifest::kSymbolCellCount);

    // A block without a symbol, or one flying off, is drawn exactly as without decals.
    for (const int32_t colour : {Box::kFixed, Box::kNoColour, Box::kUnmovable}) {
        const auto bare = drawBlock(0, colour, 22.0f, false);
        EXPECT_EQ(drawBlock(0, colour, 22.0f, true), bare) << "colour " << colour;
    }
    block.motion = Box::kFlyingAway;
    const auto flying = drawBlock(0, Box::kRed, 22.0f, false);
    EXPECT_EQ(drawBlock(0, Box::kRed, 22.0f, true), flying);
    block.motion = Box::kResting;

    // What the pass changed is put back: lighting on, blending off, depth writes on.
    lookAtBlock(22.0f);
    ASSERT_TRUE(decal.begin());
    decal.end();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(SymbolDecalGL, TheSettingDecidesAndAMissingAtlasLeavesBlocksBare) {
    SystemSettings& settings = SystemSettings::instance();
    const bool before = settings.symbolsOnBlocks;
    settings.symbolsOnBlocks = false;
    EXPECT_FALSE(SymbolDecal::wanted());
    settings.symbolsOnBlocks = true;
    EXPECT_TRUE(SymbolDecal::wanted());
    settings.symbolsOnBlocks = before;

    // An archive without the atlas: no throw, nothing drawn, and asked again it stays quiet.
    decal.release();
    ResourceArchive::instance().close();
    SymbolDecal lost;
    EXPECT_FALSE(lost.begin());
    EXPECT_FALSE(lost.begin());
}

}  // namespace
}  // namespace brx
