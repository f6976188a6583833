#include "engine/BitmapFont.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "core/ResourceArchive.h"
#include "engine/OException.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

constexpr int kSide = 512;
constexpr int kCell = 32;

// The rightmost opaque column of a normal glyph cell; its advance is that less 7.
int rightmostColumn(int cell) {
    return 8 + cell % 20;
}
float expectedAdvance(int cell) {
    return cell == 0 ? 12.0f : float(rightmostColumn(cell) - 7);
}

// A font texture laid out like the game's: normal glyphs are white bars from column 7 to
// their rightmost column (cell 0, the space, stays empty); highlighted glyphs are red blocks.
std::string makeFontTga() {
    std::vector<uint8_t> bgra(size_t(kSide) * kSide * 4, 0);
    auto paint = [&](int x, int topDownY, uint8_t r, uint8_t g, uint8_t b) {
        const size_t at = (size_t(kSide - 1 - topDownY) * kSide + size_t(x)) * 4;
        bgra[at] = b;
        bgra[at + 1] = g;
        bgra[at + 2] = r;
        bgra[at + 3] = 255;
    };
    for (int cell = 1; cell < 256; ++cell) {
        const int left = (cell % 16) * kCell, top = (cell / 16) * kCell;
        const bool normal = cell < 128;
        const int right = normal ? rightmostColumn(cell) : 24;
        for (int row = 4; row < 28; ++row)
            for (int column = normal ? 7 : 2; column <= right; ++column)
                paint(left + column, top + row, 255, normal ? 255 : 0, normal ? 255 : 0);
    }
    return testsupport::makeTga(2, 32, kSide, kSide, bgra);
}

class BitmapFontTest : public testsupport::GLTest {
protected:
    static void SetUpTestSuite() { fontFile = new std::string(makeFontTga()); }
    static void TearDownTestSuite() {
        delete fontFile;
        fontFile = nullptr;
    }
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        testsupport::ArchiveBuilder archive;
        archive.add("Data/Textures/Font.Tga", *fontFile)
            .add("Data/Textures/Plain.Tga",
                 testsupport::makeTga(2, 24, 64, 64, std::vector<uint8_t>(64 * 64 * 3, 200)));
        ASSERT_TRUE(archive.install(folder));
        testsupport::setUpPixelSpace2D();
        testsupport::clearTo(0.0f, 0.0f, 0.0f);
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override { ResourceArchive::instance().close(); }

    // Pixels of the 64 x 64 square whose lower-left corner is (x, y).
    static std::vector<uint8_t> square(int x, int y) {
        return testsupport::readPixels(x, y, 64, 64);
    }
    static int countNear(const std::vector<uint8_t>& rgba, int r, int g, int b) {
        int count = 0;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            if (std::abs(rgba[i] - r) < 40 && std::abs(rgba[i + 1] - g) < 40 &&
                std::abs(rgba[i + 2] - b) < 40)
                ++count;
        return count;
    }

    static std::string* fontFile;
    testsupport::TempDir folder;
};
std::string* BitmapFontTest::fontFile = nullptr;

TEST_F(BitmapFontTest, MeasuresTheFirstSetFromTheAlphaChannel) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    for (int cell = 0; cell < 128; ++cell)
        EXPECT_EQ(font.advances()[size_t(cell)], expectedAdvance(cell)) << "cell " << cell;
    for (int cell = 128; cell < 256; ++cell)
        EXPECT_EQ(font.advances()[size_t(cell)], 10.0f) << "cell " << cell;
}

TEST_F(BitmapFontTest, MeasuresTextWithEveryByteInsideTheWidthTable) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    EXPECT_EQ(font.textWidth(""), 0);
    EXPECT_EQ(font.textWidth(" "), 12);
    EXPECT_EQ(font.textWidth(")"), 10);  // cell 9
    EXPECT_EQ(font.textWidth("!)"), 12);
    EXPECT_EQ(font.textWidth("\r\n\t)"), 10) << "codes below 32 have no glyph";
    // Bytes above 159, also as negative chars, use entry (code - 32) mod 128.
    EXPECT_EQ(font.textWidth(std::string(1, char(200))), uint16_t(expectedAdvance(40)));
    EXPECT_EQ(font.textWidth(std::string(1, char(-1))), uint16_t(expectedAdvance(95)));
    EXPECT_EQ(font.textWidth(std::string(20000, '3')), 65535) << "clamped, not wrapped";

    EXPECT_EQ(font.charsFitting("", 100), 0);
    EXPECT_EQ(font.charsFitting("))))))", 25), 2);
    EXPECT_EQ(font.charsFitting("))))))", 30), 3);
    EXPECT_EQ(font.charsFitting("))", 100), 2);
    EXPECT_EQ(font.charsFitting("))", -5), 0);
    EXPECT_EQ(font.charsFitting(")\r)", 20), 3);
}

TEST_F(BitmapFontTest, ATextureWithoutAlphaKeepsDefaultWidths) {
    BitmapFont font("Plain.Tga");
    ASSERT_TRUE(font.build());
    EXPECT_EQ(font.textWidth("ab"), 20);
    BitmapFont missing("Missing.Tga");
    EXPECT_THROW(missing.build(), OFileNotFound);
}

TEST_F(BitmapFontTest, ReleasedListsAreRebuiltOverTheSameTexture) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    const GLuint base = font.listBase();
    ASSERT_NE(base, 0u);
    EXPECT_TRUE(glIsList(base));
    EXPECT_TRUE(glIsList(base + 255));
    const OBaseImage* image = font.texture().image();

    font.releaseLists();
    EXPECT_TRUE(font.listsReleased());
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(base + 255));
    font.drawText(10, 10, "3");  // draws nothing while released

    ASSERT_TRUE(font.build());
    EXPECT_FALSE(font.listsReleased());
    EXPECT_TRUE(glIsList(font.listBase()));
    EXPECT_EQ(font.texture().image(), image);
    EXPECT_EQ(image->referenceCount(), 1);
    EXPECT_EQ(font.advances()[19], expectedAdvance(19));
}

TEST_F(BitmapFontTest, DrawsNormalAndHighlightedGlyphs) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    font.drawText(100, 100, "3", false, 1.0f, 0);  // cell 19: a white bar 21 pixels wide
    const std::vector<uint8_t> normal = square(100, 100);
    EXPECT_GT(countNear(normal, 255, 255, 255), 300);
    EXPECT_EQ(countNear(normal, 255, 0, 0), 0);

    testsupport::clearTo(0.0f, 0.0f, 0.0f);
    font.drawText(100, 100, "3", false, 1.0f, 1);  // cell 147: a red block
    const std::vector<uint8_t> highlighted = square(100, 100);
    EXPECT_GT(countNear(highlighted, 255, 0, 0), 300);
    EXPECT_EQ(countNear(highlighted, 255, 255, 255), 0);

    testsupport::clearTo(0.0f, 0.0f, 0.0f);
    font.setColour(0.0f, 1.0f, 0.0f, 1.0f);
    font.drawText(100, 100, "3", false, 2.0f, 0);  // twice the size, in green
    EXPECT_GT(countNear(square(100, 100), 0, 255, 0), 1200);
}

TEST_F(BitmapFontTest, DrawsAShadowOnePixelRightAndDown) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    testsupport::clearTo(0.5f, 0.5f, 0.5f);
    font.drawText(100, 100, "3", true);
    const std::vector<uint8_t> pixels = square(100, 96);
    EXPECT_GT(countNear(pixels, 255, 255, 255), 300);
    EXPECT_GT(countNear(pixels, 0, 0, 0), 20) << "the shadow shows along the right and bottom";
}

TEST_F(BitmapFontTest, NoByteCallsAListOutsideTheFont) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    const GLuint base = font.listBase();
    // Foreign lists right beside the font's: where set 1 with code 160 and set 0 with code 31
    // would land if bytes were used as list numbers unchecked.
    std::vector<GLuint> foreign;
    for (const GLuint list : {base + 256, base - 1}) {
        if (list == 0 || glIsList(list)) continue;
        glNewList(list, GL_COMPILE);
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.0f, 0.0f, 1.0f);
        glRectf(0.0f, 0.0f, 800.0f, 600.0f);
        glEnable(GL_TEXTURE_2D);
        glEndList();
        foreign.push_back(list);
    }
    ASSERT_FALSE(foreign.empty());
    font.drawText(100, 100, std::string("\x1f\r\n") + char(160) + char(255), false, 1.0f, 1);
    font.drawText(100, 100, std::string("\x1f\r\n"), false, 1.0f, 0);
    EXPECT_EQ(countNear(testsupport::readPixels(0, 0, 400, 300), 0, 0, 255), 0);
    for (const GLuint list : foreign) glDeleteLists(list, 1);
}

}  // namespace
}  // namespace brx
