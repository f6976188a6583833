// The real application shell for screen tests, drawing into the test process's hidden GL window
// instead of opening one of its own: screens are added, switched and fed input through it as
// in the game. It runs in a temporary folder holding the game's archive (or one a test built),
// so settings the screens save never reach the build tree.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/InputEvent.h"
#include "game/GameVariables.h"
#include "objects/ModelLibrary.h"
#include "screens/Menu.h"
#include "shell/OApplication.h"
#include "shell/ORenderWindow.h"
#include "tests/support/GLTestContext.h"
#include "tests/support/PngFile.h"
#include "tests/support/TempDir.h"

namespace screentest {

constexpr const char* kArchive = "Data/Resource.Kvr";

// The real archive the build made, linked into a folder.
inline void linkGameArchive(const testsupport::TempDir& folder) {
    std::filesystem::create_directories(folder.path() / "Data");
    std::filesystem::create_symlink(std::filesystem::path(BRX_GAME_DIR) / kArchive,
                                    folder.path() / kArchive);
}

// Reads a file of the real archive (for archives a test puts together).
inline std::string gameFile(const std::string& name) {
    brx::ResourceArchive& archive = brx::ResourceArchive::instance();
    archive.open((std::filesystem::path(BRX_GAME_DIR) / kArchive).string());
    const brx::ResourceBuffer buffer = archive.readFile(name);
    return buffer ? std::string(buffer.text(), buffer.size) : std::string();
}

// An input event at a point of the 800 x 600 virtual space of the application's window.
inline brx::InputEvent pointerAt(const brx::OApplication& app, int type, float vx, float vy) {
    brx::InputEvent event;
    event.type = type;
    event.button = brx::kButtonLeft;
    event.x = int16_t(vx * float(app.width()) / 800.0f);
    event.y = int16_t(float(app.height()) - vy * float(app.height()) / 600.0f);
    return event;
}

// Moves the pointer to a virtual point, presses and releases the left button there, each
// event going through the application as the window would send it.
inline void clickAt(brx::OApplication& app, float vx, float vy) {
    for (int type : {brx::kInputPointerMove, brx::kInputButtonDown, brx::kInputButtonUp}) {
        brx::InputEvent event = pointerAt(app, type, vx, vy);
        app.onEvent(event);
    }
}

// A key press (down) of a virtual key; true when the active screen consumed it.
inline bool pressKey(brx::OApplication& app, uint16_t key) {
    brx::InputEvent event;
    event.type = brx::kInputKeyDown;
    event.key = key;
    return app.onEvent(event);
}

class WindowlessShell : public brx::OApplication {
public:
    WindowlessShell() { setClientSize(800, 600); }
    void releaseSceneLists() override { brx::ModelLibrary::instance().deleteAllLists(); }
    void restoreSceneLists() override { brx::ModelLibrary::instance().rebuildAllLists(); }
    // This shell has no window of its own to re-create (the tests in a child process with a
    // real window cover that); it records the request and what the settings asked for, and
    // fails it when told to, as a display that cannot show the mode does.
    bool setFullScreen(bool on) override {
        ++displayModeSwitches;
        brx::SystemSettings::instance().fullScreen = on;
        return !failDisplayModes;
    }
    bool failDisplayModes = false;

    void clickAt(float vx, float vy) { screentest::clickAt(*this, vx, vy); }
    bool pressKey(uint16_t key) { return screentest::pressKey(*this, key); }

    int displayModeSwitches = 0;
    // One update and (unless told otherwise) draw of the active screen, as a frame runs them
    // (a paused screen is not updated, and drawn paused).
    void step(int elapsedMs, bool draw = true) {
        if (brx::ORenderWindow* screen = activeScreen()) screen->advance(elapsedMs);
        if (brx::ORenderWindow* screen = activeScreen(); screen && draw) screen->present();
    }
    // Saves the frame drawn last as name.png in $BRX_SCREENSHOT_DIR, when that is set, for a
    // person to look at.
    void saveScreenshot(const std::string& name) const {
        const char* folder = std::getenv("BRX_SCREENSHOT_DIR");
        if (!folder) return;
        const auto pixels = testsupport::readPixels(0, 0, width(), height());
        testsupport::writePng(std::string(folder) + "/" + name + ".png", pixels, width(), height());
    }
};

// A screen that only stands for one the test does not build (the main menu).
class StandIn : public brx::ORenderWindow {
public:
    explicit StandIn(brx::ScreenId id) : ORenderWindow(id) {}
    void activate() override { ++activations; }
    int activations = 0;
};

// Fixture: a GL context, a temporary working folder and the settings' defaults. Tests install
// an archive, then start the shell.
class ScreenTest : public testsupport::GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        if (IsSkipped()) return;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        folder.enter();
        brx::SystemSettings::instance() = brx::SystemSettings{};
    }
    void TearDown() override {
        shell.reset();
        brx::ResourceArchive::instance().close();
        brx::currentGame = nullptr;  // went with the shell's screens
    }
    // Starts the shell on the archive in the folder, with a stand-in main menu.
    void startShell() {
        shell = std::make_unique<WindowlessShell>();
        shell->init();
        menu = new StandIn(brx::kScreenMenu);
        shell->addScreen(menu);
    }
    // Starts the shell on the game's archive with the real main menu and a stand-in for each
    // screen listed; the caller adds what else it needs and makes the menu active.
    brx::Menu* startWithMainMenu(std::initializer_list<brx::ScreenId> standIns) {
        linkGameArchive(folder);
        shell = std::make_unique<WindowlessShell>();
        shell->init();
        auto* mainMenu = new brx::Menu();
        shell->addScreen(mainMenu);
        for (brx::ScreenId id : standIns) shell->addScreen(new StandIn(id));
        return mainMenu;
    }

    testsupport::TempDir folder;
    std::unique_ptr<WindowlessShell> shell;
    StandIn* menu = nullptr;  // owned by the shell
};

}  // namespace screentest
