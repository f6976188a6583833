// Every effect and the glowing trail drawn for one frame under a real GL context and read
// back; one frame with everything running is saved as a picture for a look by eye. The game's
// own sprites are used when the built archive has them, small made-up sprites otherwise.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "engine/Matrix4.h"
#include "engine/TextureCache.h"
#include "objects/BigBomb.h"
#include "objects/Bonus100.h"
#include "objects/BoxExplosion.h"
#include "objects/EffectList.h"
#include "objects/EffectRegistry.h"
#include "objects/HVExplosion.h"
#include "objects/KvClip.h"
#include "objects/PathSet.h"
#include "objects/SplineTrail.h"
#include "objects/SuperBomb.h"
#include "tests/objects/PathFiles.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/PngFile.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Left in the build folder for a look by eye.
constexpr const char* kScreenshot = BRX_BINARY_DIR "/effects-screenshot.png";
const char* const kSprites[] = {"100.Tga",         "BmBlast.Tga",   "DirtPuf.Tga", "HVBlast.Tga",
                                "ParticleBit.Tga", "FireFlash.Jpg", "Spl.Tga",     "BlurPart.Tga"};

// A round glow of size x size texels: white, opaque in the middle, clear at the rim.
std::string glowTga(int size) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / size - 0.5, dy = (y + 0.5) / size - 0.5;
            const double alpha = std::max(0.0, 1.0 - 2.0 * std::sqrt(dx * dx + dy * dy));
            pixels.insert(pixels.end(), {255, 255, 255, uint8_t(255 * alpha)});
        }
    }
    return testsupport::makeTga(2, 32, uint16_t(size), uint16_t(size), pixels);
}

// An orange fire ball fading to black at the rim, for the additive sprites.
std::string fireJpeg(int size) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = (x + 0.5) / size - 0.5, dy = (y + 0.5) / size - 0.5;
            const double glow = std::max(0.0, 1.0 - 2.0 * std::sqrt(dx * dx + dy * dy));
            pixels.insert(pixels.end(),
                          {uint8_t(255 * glow), uint8_t(160 * glow), uint8_t(60 * glow)});
        }
    }
    return testsupport::encodeJpeg(pixels, size, size, 3);
}

bool builtArchiveHasSprites() {
    ResourceArchive& archive = ResourceArchive::instance();
    if (!archive.open()) return false;
    for (const char* sprite : kSprites)
        if (!archive.contains(std::string(TextureRef::kTextureFolder) + sprite)) return false;
    return archive.contains(PathSet::fileName(0));
}

class EffectsDrawGL : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        if (!builtArchiveHasSprites()) installMadeUpData();
        seedRandom(31);
        PathSet::instance().loadAll();
        registry.loadTextures();
        lookAtBoard();
    }
    void TearDown() override {
        EffectList::instance().clear();
        SplineTrail::instance().stop();
        SplineTrail::instance().releaseTexture();
        PathSet::instance().releaseAll();
    }

    void installMadeUpData() {
        testsupport::ArchiveBuilder archive;
        for (const char* sprite : kSprites) {
            const std::string name = std::string(TextureRef::kTextureFolder) + sprite;
            archive.add(name, std::string(sprite).ends_with(".Jpg") ? fireJpeg(32) : glowTga(32));
        }
        testpaths::addAllPaths(archive);
        ASSERT_TRUE(archive.install(folder));
    }

    // The game's view: the board plane z = 0 seen from 22 units in front, 45 degrees high.
    static void lookAtBoard() {
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(Matrix4::perspective(45.0f, float(kWidth) / kHeight, 1.0f, 256.0f).data());
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(Matrix4::translation({0, 0, -22}).data());
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        testsupport::clearTo(0, 0, 0);
    }

    // Draws the list as the game does (lighting and depth writes off) and counts lit pixels.
    static int drawAndCount() {
        testsupport::clearTo(0, 0, 0);
        glDepthMask(GL_FALSE);
        EffectList::instance().drawAll();
        glDepthMask(GL_TRUE);
        return testsupport::countPixelsDifferentFrom(testsupport::readPixels(0, 0, kWidth, kHeight),
                                                     0, 0, 0);
    }

    // A started effect of the key at p, added to the list.
    KvBaseBound& launch(int key, const Vector3& p, int16_t direction = 0) {
        auto effect = registry.create(key);
        effect->position = p;
        effect->tint = {0.3f, 0.5f, 1.0f, 1.0f};
        if (key == EffectRegistry::kHVExplosion) effect->setup(direction);
        effect->start();
        KvBaseBound& added = *effect;
        EffectList::instance().add(std::move(effect));
        return added;
    }

    testsupport::TempDir folder;
    EffectRegistry registry;
};

TEST_F(EffectsDrawGL, EveryEffectShowsInItsFirstFrame) {
    for (int key = EffectRegistry::kBonus100; key <= EffectRegistry::kSuperBomb; ++key) {
        launch(key, {0, 0, 0});
        EffectList::instance().updateAll(40.0);
        EXPECT_GT(drawAndCount(), 200) << "effect " << key;
        EffectList::instance().clear();
    }
}

TEST_F(EffectsDrawGL, AFinishedEffectIsDrawnOnceMoreThenGone) {
    KvBaseBound& sign = launch(EffectRegistry::kBonus100, {0, 0, 0});
    sign.update(1000.0);  // its second is over
    EffectList::instance().updateAll(1.0);
    EXPECT_FALSE(sign.alive);
    EXPECT_EQ(EffectList::instance().size(), 1u);
    EffectList::instance().updateAll(1.0);
    EXPECT_EQ(drawAndCount(), 0);
}

TEST_F(EffectsDrawGL, AClipShowsItsFrameUntilItEnds) {
    auto clip = std::make_unique<KvClip>();
    // Four frames, the quarters of the flash; the first shows its lower left quarter.
    clip->texture.load("BmBlast.Tga", true);
    clip->init("BmBlast.Tga", clip->texture.width() / 2, clip->texture.height() / 2, 2.0f, 10.0);
    KvClip* pointer = clip.get();
    EffectList::instance().add(std::move(clip));
    EXPECT_GT(drawAndCount(), 200);
    while (pointer->alive) pointer->update(11.0);
    EXPECT_EQ(drawAndCount(), 0);
}

TEST_F(EffectsDrawGL, TheTrailDrawsAStreakAndRestoresTheState) {
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({2, 1, 0.75f});
    ASSERT_TRUE(trail.isRunning());
    for (int i = 0; i < 20; ++i) trail.update(16.0);
    testsupport::clearTo(0, 0, 0);
    trail.draw();
    EXPECT_GT(testsupport::countPixelsDifferentFrom(testsupport::readPixels(0, 0, kWidth, kHeight),
                                                    0, 0, 0),
              100);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_EQ(depthWrites, GL_TRUE);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(EffectsDrawGL, EverythingRunningAtOnceIsSavedAsAPicture) {
    launch(EffectRegistry::kBonus100, {-6, 3, 1});
    launch(EffectRegistry::kBigBomb, {-4, -2, 0.5f});
    launch(EffectRegistry::kHVExplosion, {3, 4, 1}, HVExplosion::kRow);
    launch(EffectRegistry::kHVExplosion, {6, -1, 1}, HVExplosion::kCrossVertical);
    launch(EffectRegistry::kHVExplosion, {6, -1, 1}, HVExplosion::kCrossHorizontal);
    for (int column = 0; column < 4; ++column)
        launch(EffectRegistry::kBoxExplosion, {float(column) - 1.5f, 4, 0});
    launch(EffectRegistry::kSuperBomb, {2, -3, 0.5f});
    for (int i = 0; i < 4; ++i) EffectList::instance().updateAll(40.0);
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({0, -5, 0.75f});
    for (int i = 0; i < 30; ++i) trail.update(16.0);

    testsupport::clearTo(0, 0, 0);
    trail.draw();
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    EffectList::instance().drawAll();
    glDepthMask(GL_TRUE);
    const auto pixels = testsupport::readPixels(0, 0, kWidth, kHeight);
    EXPECT_GT(testsupport::countPixelsDifferentFrom(pixels, 0, 0, 0), 5000);
    EXPECT_TRUE(testsupport::writePng(kScreenshot, pixels, kWidth, kHeight));
}

}  // namespace
}  // namespace brx
