// A saved display mode this display cannot make (another monitor, another driver) must not keep
// the game from starting: it opens 800 x 600 in a window, says so in the log, and leaves the
// settings file as the player made it. Each case runs in a child process, because the shell
// owns the one window of its process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
#include "shell/OGLWindow.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

// A display that cannot make windows of one colour depth (or of any full-screen mode).
class PickyDisplay : public OGLWindow {
public:
    PickyDisplay(int refusedBits, bool refusesFullScreen)
        : refusedBits_(refusedBits), refusesFullScreen_(refusesFullScreen) {}
    int refusals = 0;

protected:
    const char* tryOpenDisplay() override {
        const SystemSettings& settings = SystemSettings::instance();
        if (settings.colorDepth == refusedBits_ || (refusesFullScreen_ && settings.fullScreen)) {
            ++refusals;
            return "Can't create window";
        }
        return OGLWindow::tryOpenDisplay();
    }

private:
    int refusedBits_;
    bool refusesFullScreen_;
};

// Exit codes of the child: 0 when the game opened 800 x 600 windowed at expectedBits.
int startWith(SystemSettings saved, int refusedBits, bool refusesFullScreen, int expectedBits) {
    testsupport::TempDir folder;
    folder.enter();
    SystemSettings::instance() = saved;
    const int errorsBefore = ErrorLog::instance().errorCount();
    PickyDisplay display(refusedBits, refusesFullScreen);
    if (!display.create("3D", "fallback", 800, 600)) return 10;
    if (display.refusals == 0) return 11;  // the saved mode was tried first
    if (!display.hasContext() || display.isFullScreen()) return 12;
    if (display.width() != 800 || display.height() != 600) return 13;
    const SystemSettings& now = SystemSettings::instance();
    if (now.screenRes != 1 || now.fullScreen || now.colorDepth != expectedBits) return 14;
    if (display.colorBits() != expectedBits) return 15;
    if (ErrorLog::instance().errorCount() != errorsBefore + 1) return 16;  // one line says why
    if (std::filesystem::exists("Data/System.Cfg")) return 17;  // the player's choice stays
    return 0;
}

TEST(StartupDisplayFallbackTest, ASavedModeTheDisplayRefusesOpensAPlainWindowInstead) {
    if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SystemSettings largeFullScreen;
    largeFullScreen.screenRes = 2;
    largeFullScreen.fullScreen = true;
    largeFullScreen.colorDepth = 16;
    EXPECT_EXIT(std::exit(startWith(largeFullScreen, 16, true, 32)), ::testing::ExitedWithCode(0),
                "");
    // The plain mode itself at true colour is refused: high colour is tried next.
    SystemSettings plain;
    plain.screenRes = 1;
    plain.colorDepth = 32;
    EXPECT_EXIT(std::exit(startWith(plain, 32, false, 16)), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace brx
