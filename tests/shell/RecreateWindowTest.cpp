// Re-creating the window and context (a change of resolution, depth or full screen) must bring
// back every texture, every model's display list and the font. Each case runs in a child process:
// the shell owns the one window of its process, which a test sharing it with other GL tests must
// not take away.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/TextureRef.h"
#include "objects/KvModel.h"
#include "objects/ModelLibrary.h"
#include "shell/OApplication.h"
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

// A model file of one triangle over the lower-left corner of a 2D view (x, y in pixels), with
// texture coordinates and 1-based indices, in the layout the model loader reads.
std::string triangleModel() {
    std::string file(64, '\0');
    std::memcpy(file.data(), "ASVM3D", 6);
    const int32_t counts[4] = {3, 3, 0, 1};  // vertices, coordinates, unused, triangles
    std::memcpy(file.data() + 16, counts, sizeof counts);
    const float vertices[9] = {0, 0, 0, 300, 0, 0, 0, 300, 0};
    const float coordinates[6] = {0, 0, 1, 0, 0, 1};
    file.append(reinterpret_cast<const char*>(vertices), sizeof vertices);
    file.append(reinterpret_cast<const char*>(coordinates), sizeof coordinates);
    file.append(60, '\0');
    const int32_t indices[6] = {1, 1, 2, 2, 3, 3};
    file.append(reinterpret_cast<const char*>(indices), sizeof indices);
    return file;
}

class ShellUnderTest : public OApplication {
public:
    // The game fills these hooks the same way: the shell itself knows no models.
    void releaseSceneLists() override { ModelLibrary::instance().deleteAllLists(); }
    void restoreSceneLists() override { ModelLibrary::instance().rebuildAllLists(); }
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
    // Draws the model in flat green and reads one pixel inside its triangle back (RGBA).
    std::vector<uint8_t> drawModelAndRead(KvModel& model) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        camera()->apply2D(float(width()), float(height()));
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        model.tint[0] = 0.0f, model.tint[1] = 1.0f, model.tint[2] = 0.0f, model.tint[3] = 1.0f;
        model.draw();
        glEnable(GL_TEXTURE_2D);
        return testsupport::readPixels(20, 20, 1, 1);
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
        .add("Data/Textures/Red.Tga", solidTga(255, 0, 0))
        .add("Data/Models/Triangle.Asvm", triangleModel());
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
    KvModel model;
    model.load("Triangle.Asvm");
    model.buildDisplayList();
    if (app.drawModelAndRead(model)[1] < 200) return 14;

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
        const uint32_t list = model.data().displayList;
        if (list == 0 || !glIsList(list)) return 25;
        const std::vector<uint8_t> green = app.drawModelAndRead(model);
        if (green[1] < 200 || green[0] > 50) return 26;
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

TEST(RecreateWindowTest, TexturesModelsAndFontSurviveTenRecreations) {
    if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(recreateTenTimes()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace brx
