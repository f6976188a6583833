// Controls drawn on a real context: skin rows chosen by state, the mirrored left arrow and the
// slider's thumb, checked by reading pixels back (an 800 x 600 window maps 1:1 to the controls'
// space).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/ResourceArchive.h"
#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "tests/engine/ControlTestKit.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

using Rgb = std::vector<int>;

// A TGA whose pixels are given row by row from the bottom (file order), as RGB colours.
std::string tgaFromRows(int width, const std::vector<Rgb>& rowColours) {
    std::vector<uint8_t> pixels;
    for (const Rgb& c : rowColours) {
        for (int x = 0; x < width; ++x)
            pixels.insert(pixels.end(), {uint8_t(c[2]), uint8_t(c[1]), uint8_t(c[0]), 255});
    }
    return testsupport::makeTga(2, 32, uint16_t(width), uint16_t(rowColours.size()), pixels);
}

// A TGA split into a dark left half and a bright right half.
std::string halvesTga(int width, int height) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t v = x < width / 2 ? 40 : 250;
            pixels.insert(pixels.end(), {v, v, v, 255});
        }
    }
    return testsupport::makeTga(2, 32, uint16_t(width), uint16_t(height), pixels);
}

Rgb pixelAt(int x, int y) {
    const std::vector<uint8_t> rgba = testsupport::readPixels(x, y, 1, 1);
    return {rgba[0], rgba[1], rgba[2]};
}

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};

class ControlDrawTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        // Two-row skin: highlighted row (red) at the bottom, normal row (green) on top.
        const std::vector<Rgb> buttonRows{kRed, kRed, kRed, kRed, kGreen, kGreen, kGreen, kGreen};
        testsupport::ArchiveBuilder archive;
        archive.add("Data/Textures/Interface/Button.Tga", tgaFromRows(64, buttonRows))
            .add("Data/Textures/Interface/HArrow.Tga", halvesTga(32, 32))
            .add("Data/Textures/Interface/Thumb.Tga", tgaFromRows(16, std::vector<Rgb>(32, kBlue)))
            .add("Data/Textures/Interface/CheckBox.Tga",
                 tgaFromRows(16, {kBlue, kBlue, kBlue, kBlue, kGreen, kGreen, kGreen, kGreen, kRed,
                                  kRed, kRed, kRed, kBlue, kBlue, kBlue, kBlue}));
        ASSERT_TRUE(archive.install(folder));
        glViewport(0, 0, 800, 600);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { ResourceArchive::instance().close(); }

    testsupport::TempDir folder;
    controltest::RecordingOwner owner;
};

TEST_F(ControlDrawTest, ButtonSkinShowsTheRowOfItsState) {
    OTextStack button(nullptr, 1, false, 1.0f);
    button.setOwner(&owner);
    button.setTexture("Interface/Button.Tga");
    button.setPosition(100, 100);
    button.draw();
    EXPECT_EQ(pixelAt(130, 102), kGreen);
    button.gainHighlight();
    button.draw();
    EXPECT_EQ(pixelAt(130, 102), kRed);
    button.setHidden(true);
    glClear(GL_COLOR_BUFFER_BIT);
    button.draw();
    EXPECT_EQ(pixelAt(130, 102), (Rgb{0, 0, 0}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ControlDrawTest, ADisabledButtonIsDrawnDimmedAndTheNextOneIsNot) {
    OTextStack button(nullptr, 1, false, 1.0f);
    button.setOwner(&owner);
    button.setTexture("Interface/Button.Tga");
    button.setPosition(100, 100);
    button.setEnabled(false);
    button.draw();
    const Rgb dimmed = pixelAt(130, 102);
    EXPECT_EQ(dimmed[0], 0);
    EXPECT_GT(dimmed[1], 30);
    EXPECT_LT(dimmed[1], 160);  // green, darkened and half seen over black
    OTextStack other(nullptr, 2, false, 1.0f);
    other.setOwner(&owner);
    other.setTexture("Interface/Button.Tga");
    other.setPosition(300, 100);
    other.draw();
    EXPECT_EQ(pixelAt(330, 102), kGreen);
}

// The keyboard focus shows on a box: the hover row while unchecked; checked (whose row wins
// over hover) it gets a ring around it instead.
TEST_F(ControlDrawTest, AFocusedCheckBoxShowsItsFocusCheckedOrNot) {
    KvCheckBox box(nullptr, 3, 1.0f);
    box.setOwner(&owner);
    box.setTexture("Interface/CheckBox.Tga");
    box.setPosition(200, 200);
    box.draw();
    EXPECT_EQ(pixelAt(208, 202), kBlue);
    box.setFocused(true);
    box.draw();
    EXPECT_EQ(pixelAt(208, 202), kRed) << "focused: the hover row";
    box.setChecked(true);
    box.setFocused(false);
    glClear(GL_COLOR_BUFFER_BIT);
    box.draw();
    EXPECT_EQ(pixelAt(208, 202), kGreen);
    EXPECT_EQ(pixelAt(208, 200), (Rgb{0, 0, 0})) << "no ring while not focused";
    box.setFocused(true);
    box.draw();
    EXPECT_EQ(pixelAt(208, 202), kGreen) << "checked still shows checked";
    const Rgb ring = pixelAt(208, 200);
    EXPECT_GT(ring[0], 200);
    EXPECT_GT(ring[1], 100);
    EXPECT_LT(ring[2], 100);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ControlDrawTest, LeftArrowIsTheMirrorOfTheRightOne) {
    OTextStack selector(nullptr, 2, false, 1.0f);
    selector.setTexture("Interface/Button.Tga");
    selector.setPosition(300, 200);
    KvIncDec arrows(3, false);
    arrows.setOwner(&owner);
    arrows.setAttached(&selector);
    arrows.setTexture("Interface/HArrow.Tga");
    arrows.draw();
    // Left arrow spans x 266..298, right arrow 366..398 (y 200..216).
    EXPECT_GT(pixelAt(270, 208)[0], 200);
    EXPECT_LT(pixelAt(294, 208)[0], 80);
    EXPECT_LT(pixelAt(370, 208)[0], 80);
    EXPECT_GT(pixelAt(394, 208)[0], 200);
}

TEST_F(ControlDrawTest, SliderDrawsItsThumbAtTheValue) {
    KvSlider slider(nullptr, 4, 0.0f, 48.0f, 1.0f);
    slider.setOwner(&owner);
    slider.setPosition(100, 300);
    slider.setTextures("Interface/Button.Tga", "Interface/Thumb.Tga");
    slider.setValue(24.0f);  // track 64 x 4 at y 300, thumb 16 x 16 at x 124, y 294
    slider.draw();
    EXPECT_EQ(pixelAt(131, 302), kBlue);
    EXPECT_EQ(pixelAt(110, 302), kGreen);
    EXPECT_EQ(pixelAt(155, 302), kGreen);
}

// A font whose normal glyphs are solid white squares and whose highlighted glyphs are solid
// red ones (the lower half of the texture, which comes first in the file).
std::string solidFontTga() {
    std::vector<Rgb> rows(256, kRed);
    rows.insert(rows.end(), 256, Rgb{255, 255, 255});
    return tgaFromRows(512, rows);
}

class TextDrawTest : public ControlDrawTest {
protected:
    void SetUp() override {
        ControlDrawTest::SetUp();
        if (IsSkipped()) return;
        testsupport::ArchiveBuilder archive;
        archive.add("Data/Textures/Font.Tga", solidFontTga());
        ASSERT_TRUE(archive.install(folder, "Data/Font.Kvr"));
        ASSERT_TRUE(font.build());
    }
    BitmapFont font{"Font.Tga"};
};

TEST_F(TextDrawTest, BareTextIsCentredAndLitInTheSecondGlyphSet) {
    OTextStack button(&font, 1, false, 1.0f);
    button.setOwner(&owner);
    button.addItem(0, "A");  // one 32 x 32 glyph, 24 units wide: drawn at (388, 284)
    button.setPosition(400, 300);
    button.draw();
    EXPECT_EQ(pixelAt(400, 300), (Rgb{255, 255, 255}));
    EXPECT_EQ(pixelAt(380, 300), (Rgb{0, 0, 0}));
    button.gainHighlight();
    button.draw();
    EXPECT_EQ(pixelAt(400, 300), kRed);
}

TEST_F(TextDrawTest, TextFieldWritesItsTextOverItsFill) {
    OTextField field(&font, "A", 103, false);
    field.setOwner(&owner);
    field.setPosition(100, 100);
    field.draw();
    EXPECT_EQ(pixelAt(115, 110), (Rgb{255, 255, 255}));  // glyph at (101, 94)
    const Rgb fill = pixelAt(200, 120);
    EXPECT_NEAR(fill[0], 128, 2);
}

}  // namespace
}  // namespace brx
