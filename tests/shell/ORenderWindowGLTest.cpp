// A screen drawn on a real context: background and overlay layers, and skinned and plain
// controls on top, checked by reading pixels back; and the layers drawn behind an opaque scene
// leave the very picture they leave drawn before it.
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

// A screen whose background can be drawn either way.
class LayeredScreen : public ORenderWindow {
public:
    LayeredScreen() : ORenderWindow(kScreenMenu) {}
    using ORenderWindow::drawBackground;
    using ORenderWindow::drawBackgroundBehind;
};

// An opaque green square at depth 0.5 (window pixels 300 to 500), over both layers' area, with
// the depth test on and depth written.
void drawOpaqueSquare() {
    testsupport::setUpPixelSpace2D();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(300.0f, 300.0f, 0.0f);
    glVertex3f(500.0f, 300.0f, 0.0f);
    glVertex3f(500.0f, 500.0f, 0.0f);
    glVertex3f(300.0f, 500.0f, 0.0f);
    glEnd();
}

float depthAt(int x, int y) {
    float depth = 0.0f;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

TEST_F(ScreenDrawTest, TheLayersDrawnBehindAnOpaqueSceneLeaveThePictureDrawnFirstLeaves) {
    LayeredScreen layered;
    layered.resize(800, 600);
    layered.setApplication(nullptr, &camera);
    ASSERT_TRUE(layered.setBackground("Back.Tga", "Over.Tga"));
    const float dim = 0.3f;

    testsupport::clearTo(0.0f, 0.0f, 0.0f);
    layered.drawBackground(dim);
    drawOpaqueSquare();
    const std::vector<uint8_t> first = testsupport::readPixels(0, 0, 800, 600);

    testsupport::clearTo(0.0f, 0.0f, 0.0f);
    drawOpaqueSquare();
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(7.0f, 0.0f, 0.0f);  // the caller's camera, to be kept
    layered.drawBackgroundBehind(dim);
    const std::vector<uint8_t> behind = testsupport::readPixels(0, 0, 800, 600);
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    EXPECT_EQ(pixelAt(400, 400), (std::vector<int>{0, 255, 0})) << "the square stays on top";
    const std::vector<int> around = pixelAt(100, 100);
    EXPECT_NEAR(around[0], 77, 2) << "the dimmed background around the square";
    EXPECT_EQ(around[1] + around[2], 0);
    EXPECT_TRUE(first == behind) << "the picture differs from the background drawn first";
    // Depth, depth writes, depth range and the model-view are left as they were.
    EXPECT_FLOAT_EQ(depthAt(100, 100), 1.0f);
    EXPECT_NEAR(depthAt(400, 400), 0.5f, 0.001f);
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_EQ(writes, GL_TRUE);
    float range[2] = {};
    glGetFloatv(GL_DEPTH_RANGE, range);
    EXPECT_EQ(range[0], 0.0f);
    EXPECT_EQ(range[1], 1.0f);
    float modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    EXPECT_EQ(modelView[12], 7.0f);
}

}  // namespace
}  // namespace brx
