// The way textures reach the driver: mipmap levels made here exactly as GLU makes them, pictures
// decoded ahead on the start-up worker and handed to the loader, and decoded pixels let go after
// the upload yet read again when the rendering context is re-created.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <string>
#include <vector>

#include "core/ResourceArchive.h"
#include "engine/MipChain.h"
#include "engine/TextureCache.h"
#include "engine/TextureFile.h"
#include "engine/TexturePrefetch.h"
#include "engine/TextureRef.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"
#include "tests/support/ThreadCensus.h"

namespace brx {
namespace {

// Every level of the bound texture, as the driver holds it.
std::vector<std::vector<uint8_t>> boundLevels(uint32_t width, uint32_t height, GLenum format,
                                              int components) {
    std::vector<std::vector<uint8_t>> levels;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int level = 0;; ++level) {
        const uint32_t w = MipChain::levelSide(width, level),
                       h = MipChain::levelSide(height, level);
        levels.emplace_back(size_t(w) * h * size_t(components));
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, levels.back().data());
        if (w == 1 && h == 1) return levels;
    }
}

class MipChainTest : public testsupport::GLTest {};

// GLU's levels, read back, against the ones made here: square, wide, tall, single rows and
// columns, in RGBA, RGB and luminance.
TEST_F(MipChainTest, LevelsEqualGlusToTheLastTexel) {
    struct Case {
        uint32_t width, height;
        GLenum format;
        int components;
    };
    for (const Case& c :
         {Case{16, 16, GL_RGBA, 4}, Case{32, 4, GL_RGB, 3}, Case{2, 64, GL_LUMINANCE, 1},
          Case{8, 1, GL_RGB, 3}, Case{1, 16, GL_RGBA, 4}, Case{1, 1, GL_RGB, 3}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const std::vector<uint8_t> pixels =
            testsupport::patternPixels(int(c.width), int(c.height), c.components, 7);
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, c.components, GLint(c.width), GLint(c.height), c.format,
                          GL_UNSIGNED_BYTE, pixels.data());
        const auto glu = boundLevels(c.width, c.height, c.format, c.components);
        glDeleteTextures(1, &texture);

        const std::vector<MipChain::Level> ours =
            MipChain::build(pixels, c.width, c.height, c.components);
        ASSERT_EQ(ours.size() + 1, glu.size());
        for (size_t level = 0; level < ours.size(); ++level)
            EXPECT_EQ(ours[level], glu[level + 1]) << "level " << level + 1;
    }
}

TEST(MipChain, OnlyPowerOfTwoImagesOfTheirFullSizeGetLevels) {
    EXPECT_TRUE(MipChain::fits(1024, 256, 16384));
    EXPECT_FALSE(MipChain::fits(1024, 256, 512)) << "beyond the driver's largest side";
    EXPECT_FALSE(MipChain::fits(800, 600, 16384));
    EXPECT_FALSE(MipChain::fits(0, 4, 16384));
    EXPECT_TRUE(MipChain::build(std::vector<uint8_t>(12 * 3), 4, 3, 3).empty());
    EXPECT_TRUE(MipChain::build(std::vector<uint8_t>(15), 4, 4, 1).empty()) << "cut short";
    EXPECT_EQ(MipChain::build(std::vector<uint8_t>(16), 4, 4, 1).size(), 2u);
}

// --- decoded ahead and let go -----------------------------------------------------------------

const std::vector<uint8_t> kBgra2x2 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const std::vector<uint8_t> kRgba2x2 = {3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16};

class TexturePipelineTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        testsupport::ArchiveBuilder archive;
        archive.add("Data/Textures/Small.Tga", testsupport::makeTga(2, 32, 2, 2, kBgra2x2))
            .add("Data/Textures/Big.Tga",
                 testsupport::makeTga(2, 24, 64, 32, testsupport::patternPixels(64, 32, 3, 3)))
            .add("Data/Textures/Sky.Jpg",
                 testsupport::encodeJpeg(testsupport::patternPixels(16, 16, 3, 5), 16, 16, 3))
            .add("Data/Textures/Broken.Tga", "not a picture");
        ASSERT_TRUE(archive.install(folder));
    }
    void TearDown() override {
        TexturePrefetch::instance().stop();
        ResourceArchive::instance().close();
    }
    testsupport::TempDir folder;
};

TEST_F(TexturePipelineTest, PicturesDecodedAheadAreHandedOverOnceAndEqualAPlainDecode) {
    TexturePrefetch& prefetch = TexturePrefetch::instance();
    prefetch.start({"Big.Tga", "Sky.Jpg", "Broken.Tga", "Missing.Tga", "Big.Tga"});
    EXPECT_TRUE(prefetch.running());
    prefetch.waitForWorker();
    TexturePrefetch::Picture big;
    ASSERT_TRUE(prefetch.take("Big.Tga", &big));
    DecodedImage plain;
    std::string problem;
    ASSERT_TRUE(TextureFile::decode("Big.Tga", &plain, &problem));
    EXPECT_EQ(big.image.pixels, plain.pixels);
    EXPECT_EQ(big.mipLevels, MipChain::build(plain.pixels, 64, 32, 3));
    TexturePrefetch::Picture again;
    EXPECT_FALSE(prefetch.take("Big.Tga", &again)) << "handed over once";
    EXPECT_FALSE(prefetch.take("Small.Tga", &again)) << "never asked for";
    TexturePrefetch::Picture sky;
    EXPECT_TRUE(prefetch.take("Sky.Jpg", &sky));
    EXPECT_EQ(sky.image.width, 16u);
    EXPECT_FALSE(prefetch.take("Broken.Tga", &again)) << "the loader finds out why itself";
    EXPECT_FALSE(prefetch.take("Missing.Tga", &again));
    prefetch.stop();
    EXPECT_FALSE(prefetch.running());

    // A load takes the prefetched picture; one never prefetched decodes as before.
    prefetch.start({"Small.Tga"});
    TextureRef small, sky2;
    small.load("Small.Tga", true);
    sky2.load("Sky.Jpg", true);
    small.bind();
    std::vector<uint8_t> texels(16);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels, kRgba2x2);
    EXPECT_EQ(sky2.width(), 16);
}

TEST_F(TexturePipelineTest, AStoppedWorkerLeavesNothingToTakeAndFreesWhatItMade) {
    TexturePrefetch& prefetch = TexturePrefetch::instance();
    prefetch.start({"Big.Tga", "Small.Tga", "Sky.Jpg"});
    prefetch.stop();
    EXPECT_EQ(testsupport::runningWorkers(), 0) << "stop() joins the worker";
    TexturePrefetch::Picture picture;
    EXPECT_FALSE(prefetch.take("Small.Tga", &picture));
    TextureRef small;
    small.load("Small.Tga", true);  // decoded here instead
    EXPECT_EQ(small.width(), 2);
}

// Three-component pictures travel to the driver as four-component rows: every level must still
// hold exactly the picture's colours (no channel or row shifted) and read back opaque.
TEST_F(TexturePipelineTest, RgbPicturesReachTheDriverUnchangedAtEveryLevelAndOpaque) {
    for (const bool mipmaps : {true, false}) {
        SCOPED_TRACE(mipmaps ? "with levels" : "without");
        TextureRef big, sky;
        big.load("Big.Tga", mipmaps);  // 64 x 32, 24 bits: an odd row length in RGB bytes
        sky.load("Sky.Jpg", mipmaps);
        ASSERT_EQ(big.image()->format(), GLenum(GL_RGB));
        DecodedImage plain;
        std::string problem;
        ASSERT_TRUE(TextureFile::decode("Big.Tga", &plain, &problem));
        big.bind();
        const auto levels = boundLevels(64, 32, GL_RGB, 3);
        EXPECT_EQ(levels[0], plain.pixels);
        if (mipmaps) {
            const auto made = MipChain::build(plain.pixels, 64, 32, 3);
            ASSERT_EQ(levels.size(), made.size() + 1);
            for (size_t level = 0; level < made.size(); ++level)
                EXPECT_EQ(levels[level + 1], made[level]) << "level " << level + 1;
        }
        std::vector<uint8_t> rgba(64 * 32 * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        for (size_t texel = 0; texel < 64 * 32; ++texel)
            ASSERT_EQ(rgba[texel * 4 + 3], 0xFF) << "texel " << texel;
        DecodedImage skyPlain;
        ASSERT_TRUE(TextureFile::decode("Sky.Jpg", &skyPlain, &problem));
        sky.bind();
        EXPECT_EQ(boundLevels(16, 16, GL_RGB, 3)[0], skyPlain.pixels);
        big.release();
        sky.release();
    }
}

// Start-up hands over the first screen's names, then the rest once that screen is shown.
TEST_F(TexturePipelineTest, NamesAddedLaterAreDecodedTooAndOnlyOnce) {
    TexturePrefetch& prefetch = TexturePrefetch::instance();
    prefetch.start({"Small.Tga"});
    prefetch.waitForWorker();
    prefetch.add({"Big.Tga", "Small.Tga", "Sky.Jpg", "Broken.Tga"});
    prefetch.waitForWorker();
    TexturePrefetch::Picture picture;
    ASSERT_TRUE(prefetch.take("Big.Tga", &picture)) << "added after the worker had run dry";
    EXPECT_EQ(picture.image.width, 64u);
    EXPECT_FALSE(picture.mipLevels.empty());
    EXPECT_TRUE(prefetch.take("Small.Tga", &picture));
    EXPECT_FALSE(prefetch.take("Small.Tga", &picture)) << "listed twice, handed over once";
    EXPECT_TRUE(prefetch.take("Sky.Jpg", &picture));
    EXPECT_FALSE(prefetch.take("Broken.Tga", &picture));
    EXPECT_EQ(prefetch.bytesAhead(), 0u) << "everything decoded was taken";
    prefetch.stop();
    prefetch.add({"Big.Tga"});
    EXPECT_FALSE(prefetch.running()) << "a stopped worker does not come back";
    EXPECT_FALSE(prefetch.take("Big.Tga", &picture));
}

// Pictures ready but not yet taken never exceed the budget by more than one picture, and taking
// one lets the worker go on: every picture still reaches its taker.
TEST(TexturePrefetchBudget, TheWorkerWaitsForTakersInsteadOfDecodingEverythingAhead) {
    if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
    constexpr int kSide = 1024;
    constexpr int kCount = 8;  // 4 MiB each with levels: twice the budget and more
    const size_t onePicture = size_t(kSide) * kSide * 3 * 4 / 3 + 3;
    ASSERT_GT(size_t(kCount) * onePicture, TexturePrefetch::kAheadBudgetBytes + 2 * onePicture);
    testsupport::TempDir folder;
    testsupport::ArchiveBuilder archive;
    std::vector<std::string> names;
    for (int i = 0; i < kCount; ++i) {
        names.push_back("Large" + std::to_string(i) + ".Tga");
        archive.add("Data/Textures/" + names.back(),
                    testsupport::makeTga(2, 24, kSide, kSide,
                                         testsupport::patternPixels(kSide, kSide, 3, uint32_t(i))));
    }
    ASSERT_TRUE(archive.install(folder));
    TexturePrefetch& prefetch = TexturePrefetch::instance();
    prefetch.start(names);
    for (int i = 0; i < kCount; ++i) {
        prefetch.waitForWorker();
        const size_t ahead = prefetch.bytesAhead();
        EXPECT_LE(ahead, TexturePrefetch::kAheadBudgetBytes + onePicture) << "before " << i;
        if (kCount - i > 3) {  // enough left to fill the budget
            EXPECT_GE(ahead, TexturePrefetch::kAheadBudgetBytes) << "before " << i;
        }
        TexturePrefetch::Picture picture;
        ASSERT_TRUE(prefetch.take(names[size_t(i)], &picture)) << names[size_t(i)];
        EXPECT_EQ(picture.image.pixels.size(), size_t(kSide) * kSide * 3) << "a whole picture";
        EXPECT_EQ(picture.mipLevels.size(), 10u) << "with its levels";
    }
    EXPECT_EQ(prefetch.bytesAhead(), 0u);
    prefetch.stop();
    ResourceArchive::instance().close();
}

TEST_F(TexturePipelineTest, PixelsAreLetGoAfterTheUploadAndReadAgainForANewContext) {
    TextureRef big, small;
    big.load("Big.Tga", true);
    small.load("Small.Tga", false);
    EXPECT_FALSE(big.image()->hasPixels());
    EXPECT_FALSE(small.image()->hasPixels());
    big.bind();
    const auto before = boundLevels(64, 32, GL_RGB, 3);

    TextureCache::instance().releaseAll();
    TextureCache::instance().restoreAll();
    ASSERT_NE(big.image()->textureName(), 0u);
    EXPECT_FALSE(big.image()->hasPixels()) << "read for the upload, let go again";
    big.bind();
    EXPECT_EQ(boundLevels(64, 32, GL_RGB, 3), before);
    // Asked for, the pixels come back from the texture.
    EXPECT_EQ(small.image()->pixels(), kRgba2x2);
}

}  // namespace
}  // namespace brx
