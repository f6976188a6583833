// Display lists and drawing under a real GL context: the two-texture path, lists across a
// context change, the selection effects, the shrinking score block and the prototype set-up.
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/GLExtensions.h"
#include "engine/OException.h"
#include "objects/BlockPrototypes.h"
#include "objects/ColorMaterials.h"
#include "objects/FlyBox.h"
#include "objects/ModelLibrary.h"
#include "objects/ScoreBox.h"
#include "tests/objects/AsvmBytes.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

using testmodels::asvmBytes;

std::string whiteTga(int size) {
    return testsupport::makeTga(2, 32, uint16_t(size), uint16_t(size),
                                std::vector<uint8_t>(size_t(size * size * 4), 255));
}

// 2 x 2 texels: black and white alternating (B G R A).
std::string checkerTga() {
    return testsupport::makeTga(2, 32, 2, 2,
                                {0, 0, 0, 255, 255, 255, 255, 255,  //
                                 255, 255, 255, 255, 0, 0, 0, 255});
}

// How often a row of the frame crosses from dark to bright or back.
int brightnessChanges(const std::vector<uint8_t>& row) {
    int changes = 0;
    bool bright = row[0] > 127;
    for (size_t i = 4; i < row.size(); i += 4) {
        if ((row[i] > 127) != bright) ++changes, bright = !bright;
    }
    return changes;
}

class ModelDrawGL : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        initExtension(kMultitextureExtension);
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        testsupport::clearTo(0, 0, 0);
        unitSquareView();
    }
    void TearDown() override {
        SystemSettings::instance().selectEffect = 0;
        ResourceArchive::instance().close();
    }
    // The unit square fills the window; no lighting, depth or blending.
    static void unitSquareView() {
        testsupport::setUpPixelSpace2D();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 1, 0, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor4f(1, 1, 1, 1);
    }
    static int litPixels() {
        return testsupport::countPixelsDifferentFrom(testsupport::readPixels(0, 0, 800, 600), 0, 0,
                                                     0);
    }
    testsupport::TempDir folder;
};

TEST_F(ModelDrawGL, TheDetailLayerRepeatsEightTimesAndUnitOneIsLeftOff) {
    if (!hasMultitexture()) GTEST_SKIP() << "no multitexture";
    ASSERT_TRUE(
        testsupport::ArchiveBuilder()
            .add("Data/Models/Square.Asvm", asvmBytes(testmodels::square("Base.Tga", "Detail.Tga")))
            .add("Data/Textures/Base.Tga", whiteTga(4))
            .add("Data/Textures/Detail.Tga", checkerTga())
            .install(folder));
    KvModel model;
    model.load("Square.Asvm");
    ASSERT_TRUE(model.data().detailTexture);
    model.buildDisplayList();
    model.tint[3] = 1.0f;
    model.draw();
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE0_ARB);
    glActiveTextureARB(GL_TEXTURE1_ARB);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    // Two checker cells per repeat, eight repeats across the window.
    const int changes = brightnessChanges(testsupport::readPixels(0, 300, 800, 1));
    EXPECT_GE(changes, 14);
    EXPECT_LE(changes, 17);
    glDisable(GL_TEXTURE_2D);
}

TEST_F(ModelDrawGL, ListsAreDeletedAndRebuiltAroundAContextChange) {
    ASSERT_TRUE(testsupport::ArchiveBuilder()
                    .add("Data/Models/A.Asvm", asvmBytes(testmodels::square()))
                    .add("Data/Models/B.Asvm", asvmBytes(testmodels::cube()))
                    .install(folder));
    KvModel prepared, unprepared;
    prepared.load("A.Asvm");
    unprepared.load("B.Asvm");
    prepared.buildDisplayList();
    const uint32_t list = prepared.data().displayList;
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));
    ModelLibrary::instance().deleteAllLists();
    EXPECT_EQ(prepared.data().displayList, 0u);
    EXPECT_FALSE(glIsList(list));
    EXPECT_TRUE(prepared.data().prepared);
    // Without its list the model is still drawn, straight from the mesh.
    prepared.draw();
    EXPECT_GT(litPixels(), 400000);
    ModelLibrary::instance().rebuildAllLists();
    EXPECT_NE(prepared.data().displayList, 0u);
    EXPECT_TRUE(glIsList(prepared.data().displayList));
    EXPECT_EQ(unprepared.data().displayList, 0u);
}

TEST_F(ModelDrawGL, SelectedBlocksShowHalfTransparentOrShrunk) {
    ASSERT_TRUE(testsupport::ArchiveBuilder()
                    .add("Data/Models/Square.Asvm", asvmBytes(testmodels::square()))
                    .install(folder));
    Box box;
    box.load("Square.Asvm");
    box.buildDisplayList();
    box.colour = Box::kRed;
    box.tint[3] = 1.0f;
    box.selected = true;
    SystemSettings::instance().selectEffect = 0;
    box.draw();
    const std::vector<uint8_t> centre = testsupport::readPixels(400, 300, 1, 1);
    EXPECT_NEAR(centre[0], 128, 3);  // white at 50 % over black
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    testsupport::clearTo(0, 0, 0);
    SystemSettings::instance().selectEffect = 1;
    box.draw();
    // 85 % of the square, scaled about the origin corner.
    const int lit = litPixels();
    EXPECT_NEAR(lit, int(800 * 600 * 0.85 * 0.85), 3000);
    EXPECT_EQ(testsupport::readPixels(400, 300, 1, 1)[0], 255);
}

TEST_F(ModelDrawGL, AScoreBlockShrinksAwayAndStaysInvisible) {
    ASSERT_TRUE(testsupport::ArchiveBuilder()
                    .add("Data/Models/Square.Asvm", asvmBytes(testmodels::square()))
                    .install(folder));
    ScoreBox score;
    score.load("Square.Asvm");
    score.buildDisplayList();
    score.frameTime = 100.0;
    const double expected[] = {0.75, 0.5, 0.25, 0.0};
    for (double scale : expected) {
        testsupport::clearTo(0, 0, 0);
        score.draw();
        EXPECT_NEAR(score.scale, scale, 1e-9);
        EXPECT_NEAR(litPixels(), 800 * 600 * scale * scale, 3000);
    }
    // Drawn at 0.25 once more, then below the limit for good.
    testsupport::clearTo(0, 0, 0);
    score.draw();
    EXPECT_NEAR(score.scale, 0.0, 1e-9);
    EXPECT_EQ(litPixels(), 0);
}

TEST_F(ModelDrawGL, PrototypesLoadTheirModelsMaterialsAndLists) {
    const std::string colours =
        "Red=\"1,0,0,1,0,0,1,1,1,0.5\"\nBlue=\"0,0,1,0,0,1,1,1,1,0.5\"\n"
        "FlyColor=\"0.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8,0.9,0.25\"\n";
    testsupport::ArchiveBuilder archive;
    archive.add("Data/Colors.Cfg", colours);
    for (const char* name : {"FastBox.Asvm", "Box.Asvm", "FlyBox.Asvm", "ScoreBox.Asvm"})
        archive.add(std::string("Data/Models/Hi/") + name, asvmBytes(testmodels::cube()));
    ASSERT_TRUE(archive.install(folder));

    BlockPrototypes prototypes;
    int bonusCalls = 0;
    Game* const owner = reinterpret_cast<Game*>(0x2000);
    prototypes.setUp(owner, [&](BlockPrototypes& into, ColorTable& table) {
        ++bonusCalls;
        EXPECT_FLOAT_EQ(table.material("Red").diffuse[0], 1.0f);
        into.addBonus(19, std::make_unique<Box>());
    });
    EXPECT_EQ(bonusCalls, 1);
    ASSERT_NE(prototypes.bonus(19), nullptr);

    const Box* plain = prototypes.block(BlockPrototypes::kPlainKey);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->colour, Box::kRed);
    EXPECT_EQ(plain->game, owner);
    EXPECT_TRUE(plain->data().detailSwitched);
    EXPECT_FALSE(plain->data().ownMaterial);
    EXPECT_NE(plain->data().displayList, 0u);
    ASSERT_NE(plain->altModel, nullptr);
    EXPECT_EQ(plain->altModel->name(), "Box.Asvm");
    EXPECT_NE(plain->altModel->data().displayList, 0u);

    const Box* fixed = prototypes.block(BlockPrototypes::kFixedKey);
    ASSERT_NE(dynamic_cast<const FlyBox*>(fixed), nullptr);
    EXPECT_EQ(fixed->colour, Box::kFixed);
    EXPECT_TRUE(fixed->data().ownMaterial);
    EXPECT_FLOAT_EQ(fixed->data().material.specular[2], 0.9f);
    const Box* score = prototypes.block(BlockPrototypes::kScoreKey);
    ASSERT_NE(dynamic_cast<const ScoreBox*>(score), nullptr);
    EXPECT_EQ(score->colour, Box::kNoColour);
    // "ScoreColor" is missing from this file: the default material.
    EXPECT_EQ(score->data().material, Material());

    EXPECT_FLOAT_EQ(ColorMaterials::instance().get(Box::kBlue).diffuse[2], 1.0f);
    EXPECT_EQ(ColorMaterials::instance().get(Box::kGreen), Material());

    const std::unique_ptr<Box> block = prototypes.cloneBlock(BlockPrototypes::kPlainKey);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(&block->data(), &plain->data());
    EXPECT_EQ(block->life, 1);
    EXPECT_EQ(prototypes.cloneBlock(99), nullptr);
    prototypes.release();
    block->colour = Box::kBlue;
    block->draw();  // still drawable: the clone holds the data
    ColorMaterials::instance().clear();
}

TEST_F(ModelDrawGL, AMissingPrototypeModelEndsTheSetUp) {
    ASSERT_TRUE(testsupport::ArchiveBuilder()
                    .add("Data/Models/Hi/FastBox.Asvm", asvmBytes(testmodels::cube()))
                    .install(folder));
    BlockPrototypes prototypes;
    EXPECT_THROW(prototypes.setUp(nullptr), OFileNotFound);
    ColorMaterials::instance().clear();
}

}  // namespace
}  // namespace brx
