#include "engine/TextureCache.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "engine/OException.h"
#include "engine/TextureRef.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

using testsupport::encodeJpeg;
using testsupport::makeTga;

const std::vector<uint8_t> kBgra2x2 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
const std::vector<uint8_t> kRgba2x2 = {3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16};

std::string texturePath(const std::string& name) {
    return std::string("Data/Textures/") + name;
}

// Level 0 of the bound texture as RGBA or luminance bytes.
std::vector<uint8_t> boundTexels(int width, int height, GLenum format, int components) {
    std::vector<uint8_t> texels(size_t(width) * size_t(height) * size_t(components));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint boundParameter(GLenum parameter) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
}

class TextureCacheTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        const std::string grey = makeTga(3, 8, 4, 2, {1, 2, 3, 4, 5, 6, 7, 8});
        const std::string jpeg = encodeJpeg(testsupport::patternPixels(16, 8, 3, 3), 16, 8, 3);
        std::string brokenJpeg = jpeg;
        brokenJpeg[brokenJpeg.find("\xFF\xC0") + 4] = 9;  // a sample precision of 9 bits
        testsupport::ArchiveBuilder archive;
        archive.add(texturePath("Font.Tga"), makeTga(2, 32, 2, 2, kBgra2x2))
            .add(texturePath("Interface/Grey.Tga"), grey)
            .add(texturePath("Odd.Tga"),
                 makeTga(2, 24, 3, 3, testsupport::patternPixels(3, 3, 3, 4)))
            .add(texturePath("Nature.Jpg"), jpeg)
            .add(texturePath("Lower.jpg"), jpeg)
            .add(texturePath("Broken.Jpg"), brokenJpeg)
            .add(texturePath("Cut.Jpg"), jpeg.substr(0, (jpeg.find("\xFF\xDA") + jpeg.size()) / 2))
            .add(texturePath("Deep16.Tga"), makeTga(2, 16, 2, 2, kBgra2x2))
            .add(texturePath("Short.Tga"), makeTga(2, 32, 2, 2, {1, 2, 3}));
        ASSERT_TRUE(archive.install(folder));
    }
    void TearDown() override { ResourceArchive::instance().close(); }

    TextureCache& cache = TextureCache::instance();
    testsupport::TempDir folder;
};

TEST_F(TextureCacheTest, HandlesShareOneImageAndTheLastOneDeletesIt) {
    GLuint texture = 0;
    {
        TextureRef first;
        first.load("Font.Tga", true);
        {
            TextureRef second;
            second.load("Font.Tga", true);
            EXPECT_EQ(first.image(), second.image());
            EXPECT_EQ(first.image()->referenceCount(), 2);
            texture = first.image()->textureName();
            ASSERT_NE(texture, 0u);
        }
        EXPECT_EQ(first.image()->referenceCount(), 1);
        EXPECT_EQ(cache.find("Font.Tga"), first.image());
        EXPECT_TRUE(glIsTexture(texture));
    }
    EXPECT_EQ(cache.find("Font.Tga"), nullptr);
    EXPECT_FALSE(glIsTexture(texture));
}

TEST_F(TextureCacheTest, CopiesCountAsHoldersAndMovesDoNot) {
    TextureRef original;
    original.load("Font.Tga", true);
    TextureRef copy = original;
    EXPECT_EQ(copy.image(), original.image());
    EXPECT_EQ(copy.name(), "Font.Tga");
    EXPECT_EQ(original.image()->referenceCount(), 2);
    TextureRef moved = std::move(copy);
    EXPECT_EQ(original.image()->referenceCount(), 2);
    moved = TextureRef();
    EXPECT_EQ(original.image()->referenceCount(), 1);
    original.load("Interface/Grey.Tga", true);  // loading again lets go of the old image
    EXPECT_EQ(cache.find("Font.Tga"), nullptr);
    EXPECT_EQ(original.image()->referenceCount(), 1);
}

TEST_F(TextureCacheTest, UploadsTgaAsRgbaAndGreyscaleAsLuminance) {
    TextureRef colour, grey;
    colour.load("Font.Tga", true);
    grey.load("Interface/Grey.Tga", true);
    colour.bind();
    EXPECT_EQ(boundTexels(2, 2, GL_RGBA, 4), kRgba2x2);
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(boundParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    grey.bind();
    EXPECT_EQ(grey.image()->components(), 1);
    EXPECT_EQ(boundTexels(4, 2, GL_LUMINANCE, 1), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(TextureCacheTest, OddWidthsUploadWithoutMipmapsIntact) {
    TextureRef odd;
    odd.load("Odd.Tga", false);
    odd.bind();
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(boundTexels(3, 3, GL_RGB, 3), odd.image()->pixels());
}

TEST_F(TextureCacheTest, TheFirstLoadDecidesMipmaps) {
    TextureRef mipmapped, plain;
    mipmapped.load("Font.Tga", true);
    plain.load("Font.Tga", false);
    EXPECT_TRUE(plain.image()->mipmaps());
    plain.bind();
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
}

TEST_F(TextureCacheTest, OnlyTheExactJpgSpellingIsDecodedAsJpeg) {
    TextureRef nature;
    nature.load("Nature.Jpg", true);
    EXPECT_EQ(nature.width(), 16);
    EXPECT_EQ(nature.height(), 8);
    EXPECT_EQ(nature.image()->format(), GLenum(GL_RGB));
    TextureRef lower;
    EXPECT_THROW(lower.load("Lower.jpg", true), OFileNotFound);
}

TEST_F(TextureCacheTest, UnreadableFilesThrowAndLeaveNothingBehind) {
    const size_t before = cache.size();
    for (const char* name : {"Missing.Tga", "Deep16.Tga", "Short.Tga", "Broken.Jpg"}) {
        TextureRef texture;
        try {
            texture.load(name, true);
            ADD_FAILURE() << name << " loaded";
        } catch (const OFileNotFound& error) {
            EXPECT_EQ(error.code(), 3);
            EXPECT_EQ(error.message(), "Required file missing. Please reinstall the game.");
            EXPECT_EQ(error.file(), texturePath(name));
        }
        EXPECT_FALSE(texture) << name;
        EXPECT_EQ(cache.find(name), nullptr) << name;
    }
    EXPECT_EQ(cache.size(), before);
}

TEST_F(TextureCacheTest, ATruncatedJpegShowsWhatWasDecodedAndIsLogged) {
    const int errorsBefore = ErrorLog::instance().errorCount();
    TextureRef cut;
    cut.load("Cut.Jpg", true);
    EXPECT_EQ(cut.width(), 16);
    EXPECT_EQ(cut.image()->pixels().size(), 16u * 8u * 3u);
    EXPECT_GT(ErrorLog::instance().errorCount(), errorsBefore);
}

TEST_F(TextureCacheTest, ReleaseAllAndRestoreAllRemakeTextureObjectsFromKeptPixels) {
    TextureRef colour, grey;
    colour.load("Font.Tga", true);
    grey.load("Interface/Grey.Tga", false);
    const GLuint oldColour = colour.image()->textureName();
    cache.releaseAll();
    EXPECT_EQ(colour.image()->textureName(), 0u);
    EXPECT_EQ(grey.image()->textureName(), 0u);
    EXPECT_FALSE(glIsTexture(oldColour));
    glBindTexture(GL_TEXTURE_2D, 0);
    colour.bind();
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR)
        << "bind() without a texture object leaves the default texture bound";

    glDisable(GL_TEXTURE_2D);
    cache.restoreAll();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    ASSERT_NE(colour.image()->textureName(), 0u);
    ASSERT_NE(grey.image()->textureName(), 0u);
    colour.bind();
    EXPECT_EQ(boundTexels(2, 2, GL_RGBA, 4), kRgba2x2);
    grey.bind();
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(boundTexels(4, 2, GL_LUMINANCE, 1), grey.image()->pixels());
}

TEST_F(TextureCacheTest, DrawsTheImageAsAQuadAndAsPixels) {
    TextureRef colour;
    colour.load("Font.Tga", false);
    testsupport::setUpPixelSpace2D();
    testsupport::clearTo(0.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glPushMatrix();
    glScalef(10.0f, 10.0f, 1.0f);  // corners (1, 1) and (2, 2) from (1, 1): pixels 20 to 30
    colour.draw(1.0f, 1.0f);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    colour.draw(40.6f, 40.2f, true);  // raster position truncated to (40, 40)

    const std::vector<uint8_t> quad = testsupport::readPixels(18, 18, 14, 14);
    EXPECT_EQ(testsupport::countPixelsDifferentFrom(quad, 0, 0, 0, 0), 100);
    const std::vector<uint8_t> copied = testsupport::readPixels(40, 40, 2, 2);
    for (size_t i = 0; i < copied.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) EXPECT_EQ(copied[i + c], kRgba2x2[i + c]);
}

}  // namespace
}  // namespace brx
