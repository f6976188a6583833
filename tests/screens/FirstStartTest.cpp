// The very first start: with no settings file the menu invites the player to Help, in one line
// below its buttons; opening Help ends the invitation, and a second start (the settings file
// now written) never shows it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "game/GameVariables.h"
#include "screens/Menu.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

class FirstStartTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
    }
    void TearDown() override {
        ScreenTest::TearDown();
        Menu::invitePlayer = false;
    }
    // Starts the settings as the program does, then the shell with the menu and Help.
    void startGame() {
        Menu::invitePlayer = !SystemSettings::instance().load();
        shell = std::make_unique<screentest::WindowlessShell>();
        shell->init();
        menu = new Menu();
        shell->addScreen(menu);
        shell->addScreen(new screentest::StandIn(kScreenHelp));
        shell->setActiveScreen(kScreenMenu);
    }
    // Pixels of the band below the menu buttons that differ from black.
    int invitationPixels() {
        shell->step(16);
        const auto band = testsupport::readPixels(150, 130, 500, 40);
        int yellow = 0;
        for (size_t i = 0; i + 3 < band.size(); i += 4)
            yellow += band[i] > 180 && band[i + 1] > 180 && band[i + 2] < 80;
        return yellow;
    }

    Menu* menu = nullptr;  // owned by the shell
};

TEST_F(FirstStartTest, OnlyTheFirstStartInvitesToHelpUntilHelpIsOpened) {
    ASSERT_FALSE(std::filesystem::exists("Data/System.Cfg"));
    startGame();
    EXPECT_TRUE(Menu::invitePlayer);
    EXPECT_TRUE(std::filesystem::exists("Data/System.Cfg")) << "the defaults are written at once";
    const int shown = invitationPixels();
    shell->saveScreenshot("menu-first-start");
    EXPECT_GT(shown, 100);
    // The line fits between the side lines.
    const BitmapFont& font = *shell->font();
    EXPECT_LT(float(font.textWidth(Menu::kInvitation)) * 0.7f, 480.0f);

    shell->clickAt(400, 263 + 10);  // Help
    EXPECT_EQ(OApplication::activeScreen()->id(), kScreenHelp);
    EXPECT_FALSE(Menu::invitePlayer);
    shell->setActiveScreen(kScreenMenu);
    EXPECT_EQ(invitationPixels(), 0);

    // The settings saved by any screen keep it away; so does the next start.
    EXPECT_TRUE(SystemSettings::instance().save());
    shell.reset();
    startGame();
    EXPECT_FALSE(Menu::invitePlayer);
    EXPECT_EQ(invitationPixels(), 0);
}

}  // namespace
}  // namespace brx
