// Re-creating the window and context (a change of resolution, depth or full screen) must bring
// back every texture and the font. Each case runs in a child process: the shell owns the one
// window of its process, which a test sharing it with other GL tests must not take away.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>

#include "app/OApplication.h"
#include "app/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/TextureRef.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

// A solid 8 x 8 TGA of one colour (B, G, R, A in file order).
std::string solidTga(uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 64; ++i) pixels.insert(pixels.end(), {b, g, r, 255});
    return testsupport::makeTga(2, 32, 8, 8, pixels);
}

// A 512 x 512 font sheet whose every cell holds a white block.
std::string fontTga() {
    std::vector<uint8_t> pixels(512 * 512 * 4, 0);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            if (x % 32 >= 4 && x % 32 < 20 && y % 32 >= 6 && y % 32 < 26)
                for (int c = 0; c < 4; ++c) pixels[size_t((y * 512 + x) * 4 + c)] = 255;
    return testsupport::makeTga(2, 32, 512, 512, pixels);
}

class ShellUnderTest : public OApplication {
public:
    // Draws the texture over the lower-left 8 x 8 pixels and reads one pixel back (RGBA).
    std::vector<uint8_t> drawTextureAndRead(const TextureRef& texture) {
        glViewport(0, 0, width(), height());
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera()->apply2D(float(width()), float(height()));
        glEnable(GL_TEXTURE_2D);
        texture.draw(0, 0);
        return testsupport::readPixels(4, 4, 1, 1);
    }
    // Draws a line of text and counts the lit pixels.
    int drawTextAndCount() {
        glClear(GL_COLOR_BUFFER_BIT);
        camera()->apply2D(float(width()), float(height()));
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        font()->drawText(10, 10, "HELLO");
        const auto pixels = testsupport::readPixels(0, 0, 200, 60);
        return testsupport::countPixelsDifferentFrom(pixels, 0, 0, 0);
    }
};

// Exit codes of the child: 0 all well, otherwise the first check that failed.
int recreateTenTimes() {
    testsupport::TempDir folder;
    testsupport::ArchiveBuilder archive;
    archive.add("Data/Textures/Font.Tga", fontTga())
        .add("Data/Textures/Cursor.Tga", solidTga(255, 255, 255))
        .add("Data/Textures/Red.Tga", solidTga(255, 0, 0));
    if (!archive.install(folder)) return 10;
    folder.enter();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    SystemSettings::instance() = SystemSettings{};
    ShellUnderTest app;
    if (!app.create("3D", "recreate", 800, 600)) return 11;
    app.init();
    if (!app.font()) return 12;
    TextureRef red;
    red.load("Red.Tga", true);
    if (app.drawTextureAndRead(red)[0] < 200 || app.drawTextAndCount() == 0) return 13;

    for (int round = 0; round < 10; ++round) {
        SystemSettings::instance().screenRes = round % 2 == 0 ? 0 : 1;
        app.recreateWindow();
        if (!app.hasContext()) return 20;
        const int expectedWidth = round % 2 == 0 ? 640 : 800;
        if (app.width() != expectedWidth) return 21;
        if (red.image()->textureName() == 0) return 22;
        const std::vector<uint8_t> pixel = app.drawTextureAndRead(red);
        if (pixel[0] < 200 || pixel[1] > 50) return 23;
        if (app.font()->listsReleased() || app.drawTextAndCount() == 0) return 24;
    }
    return 0;
}

// Full screen at 800 x 600: a real mode switch where the display offers that size, otherwise
// (a virtual X server offers only its own) a bare window; either way a working context.
int openFullScreen() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SystemSettings::instance() = SystemSettings{};
    SystemSettings::instance().fullScreen = true;
    SystemSettings::instance().screenRes = 1;
    OApplication app;
    if (!app.create("3D", "full screen", 800, 600)) return 30;
    if (!app.hasContext() || !app.isFullScreen()) return 31;
    if (!SystemSettings::instance().fullScreen) return 32;
    const bool offered = !app.resolutions()[1].refreshRatesHz.empty();
    if (offered && (app.width() != 800 || app.height() != 600)) return 33;
    return 0;
}

TEST(RecreateWindowTest, FullScreenOpensAWindowWithAContext) {
    if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(openFullScreen()), ::testing::ExitedWithCode(0), "");
}

TEST(RecreateWindowTest, TexturesAndFontSurviveTenRecreations) {
    if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(recreateTenTimes()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace brx
