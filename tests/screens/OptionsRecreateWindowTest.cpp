// The options that change the display mode (resolution, colour depth, full screen on and off)
// re-create the real window and its context: afterwards every texture, every model's display
// list and the font work again, the preview shows its blocks, and the settings file on disk
// already holds the new mode. Each case runs in a child process, because the shell owns the one
// window of its process.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>

#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/OCamera.h"
#include "engine/OTextStack.h"
#include "objects/Box.h"
#include "screens/Help.h"
#include "screens/OSystemOptions.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

class WindowedShell : public OApplication {
public:
    void releaseSceneLists() override { ModelLibrary::instance().deleteAllLists(); }
    void restoreSceneLists() override { ModelLibrary::instance().rebuildAllLists(); }
};

// Everything a run needs: its folder with the game's archive, the shell with its real window,
// and the options, help and a stand-in menu added to it.
struct Run {
    testsupport::TempDir folder;
    WindowedShell app;
    OSystemOptions* options = nullptr;
    Help* help = nullptr;

    // 0 when the window and the screens are up, else the failing step.
    int start() {
        screentest::linkGameArchive(folder);
        folder.enter();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        SystemSettings::instance() = SystemSettings{};
        if (!app.create("3D", "options", 800, 600)) return 2;
        app.init();
        app.addScreen(new screentest::StandIn(kScreenMenu));
        options = new OSystemOptions;
        help = new Help;
        app.addScreen(options);
        app.addScreen(help);
        return app.setActiveScreen(kScreenOptions) ? 0 : 3;
    }
    void click(const O2D& control) {
        screentest::clickAt(app, control.x() + control.width() / 2.0f,
                            control.y() + control.height() / 2.0f);
    }
    // Presses OK on the options, which leave for the menu, then opens them again.
    bool confirm() {
        click(*options->controls().ok);
        if (OApplication::activeScreen() == options) return false;
        return app.setActiveScreen(kScreenOptions);
    }
    SystemSettings saved() const {
        SystemSettings settings;
        const auto path = folder.path() / "Data/System.Cfg";
        if (!std::filesystem::exists(path))
            settings.screenRes = -1;  // marks "never saved"
        else
            settings.load(path.string());
        return settings;
    }
};

// Pixels of a square of 2 * radius window pixels around (x, y), y upwards, whose red (or
// green) part clearly leads.
int leadingPixels(int x, int y, int radius, int channel) {
    const auto pixels = testsupport::readPixels(x - radius, y - radius, 2 * radius, 2 * radius);
    int count = 0;
    for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
        const int lead = pixels[i + size_t(channel)];
        const int others = pixels[i] + pixels[i + 1] + pixels[i + 2] - lead;
        if (lead > 100 && lead > others) ++count;
    }
    return count;
}

// After a re-creation: 0 when textures, lists, font and preview all work, else base + step.
int checkResources(Run& run, int base) {
    WindowedShell& app = run.app;
    if (!app.hasContext()) return base + 1;
    const OBaseImage* skin = run.options->controls().ok->skin().image();
    if (!skin || skin->textureName() == 0 || !glIsTexture(skin->textureName())) return base + 2;
    for (const auto& block : run.options->previewBlocks())
        if (!glIsList(block->data().displayList)) return base + 3;
    for (const auto& block : run.help->blocks())
        if (!glIsList(block->data().displayList)) return base + 4;
    if (!app.font() || app.font()->listsReleased()) return base + 5;
    run.options->draw();
    // The first preview block is red, the third green, where the preview camera shows them.
    OCamera camera(app.width(), app.height(), 45.0f, 1.0f, 256.0f);
    camera.setPosition(Vector3(0.0f, 0.0f, 22.0f));
    for (int index : {0, 2}) {
        float x = 0, y = 0;
        camera.projectToWindow(run.options->previewBlocks()[size_t(index)]->position(), &x, &y);
        const int channel = index == 0 ? 0 : 1;
        if (leadingPixels(int(x), app.height() - int(y), app.width() / 100, channel) < 20)
            return base + 6 + index;
    }
    // The caption "Screen Resolution " left of the first selector (font after the rebuild).
    const int captionX = app.width() * 200 / 800, captionY = app.height() * 552 / 600;
    const auto caption =
        testsupport::readPixels(captionX, captionY, app.width() / 4, app.height() / 30);
    if (testsupport::countPixelsDifferentFrom(caption, 0, 0, 0, 24) < 100) return base + 9;
    return 0;
}

int changeResolution() {
    Run run;
    if (int failed = run.start()) return failed;
    if (checkResources(run, 10)) return checkResources(run, 10);
    run.click(*run.options->controls().resolution);  // 800 x 600 -> 1024 x 768
    if (!run.confirm()) return 20;
    if (run.app.width() != 1024 || run.app.height() != 768) return 21;
    if (run.saved().screenRes != 2) return 22;
    if (int failed = checkResources(run, 30)) return failed;
    run.click(*run.options->controls().resolution);  // wraps to 640 x 480
    if (!run.confirm() || run.app.width() != 640 || run.saved().screenRes != 0) return 40;
    return checkResources(run, 50);
}

int changeColourDepth() {
    Run run;
    if (int failed = run.start()) return failed;
    run.click(*run.options->controls().colorDepth);  // 32 -> 16
    if (!run.confirm()) return 20;
    if (run.app.colorBits() != 16) return 21;
    if (run.saved().colorDepth != 16) return 22;
    return checkResources(run, 30);
}

int switchFullScreenOnAndOff() {
    Run run;
    if (int failed = run.start()) return failed;
    const KvCheckBox& box = *run.options->controls().fullScreen;
    run.click(box);
    if (!box.isChecked()) return 20;
    if (!run.confirm()) return 21;
    if (!run.app.isFullScreen() || !SystemSettings::instance().fullScreen) return 22;
    if (!run.saved().fullScreen) return 23;
    if (!box.isChecked()) return 24;
    if (int failed = checkResources(run, 30)) return failed;
    run.click(box);
    if (!run.confirm()) return 40;
    if (run.app.isFullScreen() || SystemSettings::instance().fullScreen) return 41;
    if (run.saved().fullScreen) return 42;
    // Where the display has no full-screen mode of the size the shell fell back to 640 x 480,
    // and the options show and saved what the window is.
    const int widths[] = {640, 800, 1024};
    const int mode = run.saved().screenRes;
    if (mode < 0 || mode > 2 || run.app.width() != widths[mode]) return 43;
    if (run.options->controls().resolution->currentKey() != mode) return 44;
    return checkResources(run, 50);
}

class OptionsRecreateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(OptionsRecreateWindowTest, ResolutionKeepsTexturesModelsAndFont) {
    EXPECT_EXIT(std::exit(changeResolution()), ::testing::ExitedWithCode(0), "");
}

TEST_F(OptionsRecreateWindowTest, ColourDepthKeepsTexturesModelsAndFont) {
    EXPECT_EXIT(std::exit(changeColourDepth()), ::testing::ExitedWithCode(0), "");
}

TEST_F(OptionsRecreateWindowTest, FullScreenOnAndOffKeepsTexturesModelsAndFont) {
    EXPECT_EXIT(std::exit(switchFullScreenOnAndOff()), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace brx
