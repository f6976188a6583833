// A screen drawn on a real context: background and overlay layers, and skinned and plain
// controls on top, checked by reading pixels back.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/ResourceArchive.h"
#include "engine/KvCheckBox.h"
#include "engine/OCamera.h"
#include "engine/OTextField.h"
#include "engine/OTextStack.h"
#include "engine/TextureRef.h"
#include "shell/ORenderWindow.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

// A TGA of one opaque colour (file order B G R A).
std::string solidTga(int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), {b, g, r, 255});
    return testsupport::makeTga(2, 32, uint16_t(width), uint16_t(height), pixels);
}

// The RGB of one window pixel of the back buffer.
std::vector<int> pixelAt(int x, int y) {
    const std::vector<uint8_t> rgba = testsupport::readPixels(x, y, 1, 1);
    return {rgba[0], rgba[1], rgba[2]};
}

class ScreenDrawTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        testsupport::ArchiveBuilder archive;
        archive.add("Data/Textures/Back.Tga", solidTga(4, 4, 255, 0, 0))
            .add("Data/Textures/Over.Tga", solidTga(4, 4, 0, 0, 255))
            .add("Data/Textures/PLogo.Tga", solidTga(8, 4, 255, 255, 255))
            .add("Data/Textures/Interface/Button.Tga", solidTga(64, 32, 0, 255, 0))
            .add("Data/Textures/Interface/CheckBox.Tga", solidTga(16, 64, 255, 255, 0));
        ASSERT_TRUE(archive.install(folder));
        screen.resize(800, 600);
        screen.setApplication(nullptr, &camera);
    }
    void TearDown() override { ResourceArchive::instance().close(); }

    testsupport::TempDir folder;
    OCamera camera{800.0f, 600.0f, 60.0f, 1.0f, 1024.0f};
    ORenderWindow screen{kScreenMenu};
};

TEST_F(ScreenDrawTest, BackgroundAndOverlayFollowTheirNames) {
    EXPECT_TRUE(screen.setBackground("Back.Tga", "Over.Tga"));
    EXPECT_TRUE(screen.hasBackground());
    EXPECT_TRUE(screen.hasOverlay());
    EXPECT_TRUE(screen.setBackground("Back.Tga", "x"));  // too short: the overlay stays
    EXPECT_TRUE(screen.hasOverlay());
    EXPECT_FALSE(screen.setBackground("Back.Tga", "Missing.Tga"));
    EXPECT_FALSE(screen.hasOverlay());
    EXPECT_FALSE(screen.setBackground("Missing.Tga", ""));
    EXPECT_FALSE(screen.hasBackground());
    EXPECT_EQ(screen.logo().width(), 8);
}

TEST_F(ScreenDrawTest, DrawsLayersThenControls) {
    ASSERT_TRUE(screen.setBackground("Back.Tga", "Over.Tga"));
    auto* button = new OTextStack(nullptr, 100, false, 1.0f);
    button->setTexture("Interface/Button.Tga");
    button->setPosition(20, 500);
    screen.addControl(button);
    auto* box = new KvCheckBox(nullptr, 502, 1.0f);
    box->setTexture("Interface/CheckBox.Tga");
    box->setPosition(20, 400);
    screen.addControl(box);
    auto* field = new OTextField(nullptr, "", 103, false);
    field->setPosition(40, 100);
    screen.addControl(field);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    screen.draw();
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_EQ(pixelAt(100, 300), (std::vector<int>{255, 0, 0}));  // background only
    const std::vector<int> band = pixelAt(400, 300);              // half blue over red
    EXPECT_NEAR(band[0], 128, 4);
    EXPECT_NEAR(band[2], 127, 4);
    EXPECT_EQ(pixelAt(50, 508), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(pixelAt(28, 408), (std::vector<int>{255, 255, 0}));
    const std::vector<int> fill = pixelAt(110, 120);
    EXPECT_NEAR(fill[0], 128, 2);
    EXPECT_NEAR(fill[1], 128, 2);
    // The frame's left edge lies on x = 40, between two pixel columns.
    const std::vector<int> black{0, 0, 0};
    EXPECT_TRUE(pixelAt(39, 120) == black || pixelAt(40, 120) == black);
    const std::vector<uint8_t> all = testsupport::readPixels(0, 0, 800, 600);
    EXPECT_GT(testsupport::countPixelsDifferentFrom(all, 0, 0, 0), 400000);
}

}  // namespace
}  // namespace brx
