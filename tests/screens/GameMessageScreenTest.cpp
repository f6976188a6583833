// A running game in the real shell draws its messages over the board, in the game's font, in
// both drawing paths (Remover's own and the line modes'), and a message asks for frames until it
// has faded.
#include <gtest/gtest.h>

#include <memory>

#include "game/BrixelGame.h"
#include "game/BrixelRemover.h"
#include "game/GameMessageDrawing.h"
#include "game/GameVariables.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

class GameMessageScreenTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        startShell();
    }
    // Yellow pixels of the band where the message on a line (0 the first) stands.
    static int yellowInMessageBand(int line) {
        const float y = kMessageFirstY - kMessageLineStep * float(line);
        const auto band = testsupport::readPixels(250, int(y) - 2, 300, 32);
        int yellow = 0;
        for (size_t i = 0; i + 3 < band.size(); i += 4)
            yellow += band[i] > 200 && band[i + 1] > 170 && band[i + 2] < 90;
        return yellow;
    }
    template <typename Mode>
    void checkMode(const char* name) {
        auto* game = new Mode();
        currentGame = game;
        shell->addScreen(game);
        shell->setActiveScreen(kScreenGame);
        for (int frame = 0; frame < 200 && gameState == GameState::Intro; ++frame)
            shell->step(16, false);
        shell->step(16);
        EXPECT_GT(yellowInMessageBand(0), 150) << "the first level is announced: " << name;
        const int before = yellowInMessageBand(1);
        game->messages.post("Level 9");
        shell->step(16);
        shell->saveScreenshot(std::string("game-message-") + name);
        EXPECT_GT(yellowInMessageBand(1), before + 150) << name;
        EXPECT_TRUE(game->isAnimating()) << "a standing message needs frames: " << name;
        shell->setActiveScreen(kScreenMenu);
        shell->retireScreen(game);
        currentGame = nullptr;
    }
};

TEST_F(GameMessageScreenTest, RemoverAndClassicDrawTheirMessagesOverTheBoard) {
    checkMode<BrixelRemover>("remover");
    checkMode<BrixelGame>("classic");
}

}  // namespace
}  // namespace brx
