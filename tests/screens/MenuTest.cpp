// The main menu in the real shell: every button's screen, Continue only with a game, Escape
// taken and ignored (no screen change, no quit), Exit asking the program to end.
#include <gtest/gtest.h>

#include "game/BrixelRemover.h"
#include "game/GameVariables.h"
#include "platform/Platform.h"
#include "screens/Menu.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

// Quit requests waiting in the platform's event queue (the queue is emptied).
int takeQuitRequests() {
    int quits = 0;
    platform::Event event;
    while (platform::pollEvent(&event)) quits += event.type == platform::EventType::quit;
    return quits;
}

class MenuTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        mainMenu = startWithMainMenu(
            {kScreenOptions, kScreenCredits, kScreenSelectGame, kScreenHelp, kScreenHighScores});
        shell->setActiveScreen(kScreenMenu);
    }
    ScreenId activeId() const { return OApplication::activeScreen()->id(); }
    // A click on the button whose lower edge is at y.
    void clickButton(int y) { shell->clickAt(400, float(y) + 10.0f); }

    Menu* mainMenu = nullptr;
};

TEST_F(MenuTest, EveryButtonOpensItsScreen) {
    const std::pair<int, ScreenId> buttons[] = {{389, kScreenSelectGame},
                                                {347, kScreenOptions},
                                                {305, kScreenHighScores},
                                                {263, kScreenHelp},
                                                {221, kScreenCredits}};
    for (const auto& [y, id] : buttons) {
        clickButton(y);
        EXPECT_EQ(activeId(), id) << "button at y " << y;
        shell->setActiveScreen(kScreenMenu);
    }
    shell->step(16);
    shell->saveScreenshot("menu");
}

TEST_F(MenuTest, ContinueNeedsAGameAndReturnsToIt) {
    clickButton(431);
    EXPECT_EQ(activeId(), kScreenMenu) << "no game yet";

    auto* game = new BrixelRemover();
    currentGame = game;
    shell->addScreen(game);
    clickButton(431);
    EXPECT_EQ(OApplication::activeScreen(), game);
}

TEST_F(MenuTest, EscapeIsTakenAndNeitherLeavesNorQuits) {
    takeQuitRequests();  // anything start-up left
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    EXPECT_EQ(activeId(), kScreenMenu);
    EXPECT_EQ(takeQuitRequests(), 0) << "Escape asked the program to end";
    // Exit does ask, once: a quit would have been seen.
    clickButton(179);
    EXPECT_EQ(takeQuitRequests(), 1);
    EXPECT_EQ(activeId(), kScreenMenu);
}

}  // namespace
}  // namespace brx
