// The one way out: the menu's Exit (the host's quit), closing the window, Ctrl+Q and the three
// end signals each end the real main loop through endRun, which saves once, while every screen
// still lives, and then deletes them. Each way runs in a child process with a window of its own.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/SystemSettings.h"
#include "platform/Platform.h"
#include "shell/OApplication.h"
#include "shell/ORenderWindow.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace brx {
namespace {

enum class Way { exitButton, windowClose, ctrlQ, terminate, interrupt, hangUp };

std::vector<std::string> journal;

class SavingShell : public OApplication {
public:
    void saveBeforeQuit() override {
        journal.push_back("save with " + std::to_string(screens().size()) + " screen");
    }
};

// Ends the run its way in its third update; a plain Q in the second must not end it.
class EndingScreen : public ORenderWindow {
public:
    EndingScreen(SavingShell& shell, Way way)
        : ORenderWindow(kScreenMenu), shell_(shell), way_(way) {}
    ~EndingScreen() override { journal.push_back("screen deleted"); }
    void update(int elapsedMs) override {
        ORenderWindow::update(elapsedMs);
        if (++steps == 2) shell_.handleMessage(key('Q', 0));
        if (steps == 3) {
            journal.push_back("ending");
            end();
        }
    }
    int steps = 0;

private:
    static platform::Event key(int code, uint16_t state) {
        platform::Event event;
        event.type = platform::EventType::keyDown;
        event.key = code;
        event.state = state;
        return event;
    }
    void end() {
        switch (way_) {
            case Way::exitButton:
                application()->quit();
                break;
            case Way::windowClose: {
                platform::Event close;
                close.type = platform::EventType::closeRequested;
                shell_.handleMessage(close);
                break;
            }
            case Way::ctrlQ:
                shell_.handleMessage(key('Q', platform::kStateControl));
                break;
            case Way::terminate:
                raise(SIGTERM);
                break;
            case Way::interrupt:
                kill(getpid(), SIGINT);
                break;
            case Way::hangUp:
                kill(getpid(), SIGHUP);
                break;
        }
    }
    SavingShell& shell_;
    Way way_;
};

// Exit code 0 when the run ended the given way, through one save before the screens went.
int endTheRun(Way way) {
    testsupport::TempDir folder;
    testsupport::ArchiveBuilder archive;
    std::vector<uint8_t> pixels(8 * 8 * 4, 255);
    const std::string square = testsupport::makeTga(2, 32, 8, 8, pixels);
    archive.add("Data/Textures/Font.Tga", square).add("Data/Textures/Cursor.Tga", square);
    if (!archive.install(folder)) return 10;
    folder.enter();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SystemSettings::instance() = SystemSettings{};
    SavingShell shell;
    if (!shell.create("3D", "quit", 800, 600)) return 11;
    shell.init();
    auto* screen = new EndingScreen(shell, way);
    shell.addScreen(screen);
    shell.setActiveScreen(kScreenMenu);
    if (shell.run() != 0) return 20;
    const std::vector<std::string> expected = {"ending", "save with 1 screen", "screen deleted"};
    if (journal != expected) return 21;
    shell.endRun();  // a second end saves nothing more
    return journal == expected ? 0 : 22;
}

class QuitTest : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override {
        if (!testsupport::ensureGLContext()) GTEST_SKIP() << "no display for an OpenGL context";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_P(QuitTest, EndsThroughOneSaveBeforeTheScreensGo) {
    EXPECT_EXIT(std::exit(endTheRun(GetParam())), ::testing::ExitedWithCode(0), "");
}

std::string wayName(const ::testing::TestParamInfo<Way>& info) {
    static const char* const kNames[] = {"ExitButton", "WindowClose", "CtrlQ",
                                         "Sigterm",    "Sigint",      "Sighup"};
    return kNames[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryWayOut, QuitTest,
                         ::testing::Values(Way::exitButton, Way::windowClose, Way::ctrlQ,
                                           Way::terminate, Way::interrupt, Way::hangUp),
                         wayName);

}  // namespace
}  // namespace brx
