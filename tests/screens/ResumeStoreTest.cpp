// Keeping a game across runs, in the real shell with the real menu and game selection: a game
// saved as the program ends comes back through Continue exactly as it was; Continue is dimmed
// and does nothing without a game; a damaged or impossible save is set aside and never offered;
// a new game, a finished game or the resumed game's end removes the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/Random.h"
#include "engine/OTextStack.h"
#include "game/BrixelRemover.h"
#include "game/GameVariables.h"
#include "game/ResumeFile.h"
#include "screens/Menu.h"
#include "screens/ResumeStore.h"
#include "screens/SelectGame.h"
#include "tests/screens/WindowlessShell.h"

namespace brx {
namespace {

namespace fs = std::filesystem;

class ResumeStoreTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        mainMenu =
            startWithMainMenu({kScreenOptions, kScreenCredits, kScreenHelp, kScreenHighScores});
        selection = new SelectGame();
        shell->addScreen(selection);
        difficulty = Difficulty::Normal;
        startLevel = 1;
        shell->setActiveScreen(kScreenMenu);
    }
    void TearDown() override {
        ResumeStore::discardSavedGame();  // also forgets a resume of this test
        ScreenTest::TearDown();
    }

    OTextStack* continueButton() const {
        for (size_t i = 0; i < mainMenu->controlCount(); ++i)
            if (mainMenu->control(i)->controlId() == Menu::kContinueId)
                return dynamic_cast<OTextStack*>(mainMenu->control(i));
        return nullptr;
    }
    void clickContinue() { shell->clickAt(400, 441); }
    void showMenu() { shell->setActiveScreen(kScreenMenu); }

    // A Remover game of this run, past its intro, with three groups taken.
    BrixelRemover* playRemover() {
        seedRandom(4242);
        auto* game = new BrixelRemover();
        currentGame = game;
        shell->addScreen(game);
        shell->setActiveScreen(kScreenGame);
        for (int i = 0; i < 500 && gameState == GameState::Intro; ++i) shell->step(16, false);
        for (int taken = 0; taken < 3; ++taken) {
            EXPECT_TRUE(clickAGroup(*game));
            for (int i = 0; i < 300 && game->anyMoving(); ++i) shell->step(16, false);
        }
        return game;
    }
    static bool clickAGroup(Game& game) {
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (const Box* block = game.blockAt(c, r);
                    block && game.hover(c, r, block->colour) >= minGroup && game.click())
                    return true;
        return false;
    }
    // The program ends: the game is saved, then taken down with the other screens.
    void endRun(Game* game) {
        EXPECT_TRUE(ResumeStore::saveRunningGame());
        dropGame(game);
    }
    // The game goes away (another screen shows first, as no screen deletes the active one).
    void dropGame(Game* game) {
        shell->setActiveScreen(kScreenHelp);
        currentGame = nullptr;
        shell->removeScreen(game);
        delete game;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    Menu* mainMenu = nullptr;
    SelectGame* selection = nullptr;
};

TEST_F(ResumeStoreTest, ASavedGameComesBackThroughContinueExactlyAsItWas) {
    ASSERT_NE(continueButton(), nullptr);
    EXPECT_FALSE(continueButton()->enabled()) << "nothing to continue yet";
    clickContinue();
    EXPECT_EQ(OApplication::activeScreen(), mainMenu);

    BrixelRemover* game = playRemover();
    endRun(game);
    ASSERT_TRUE(fs::exists(ResumeStore::path()));
    std::string why;
    std::optional<GameSnapshot> saved = loadResumeFile(ResumeStore::path(), &why);
    ASSERT_TRUE(saved.has_value()) << why;
    EXPECT_EQ(saved->mode, GameMode::Remover);
    EXPECT_GT(saved->score, 0);

    // The next run: another difficulty and sequence until the saved game is loaded.
    difficulty = Difficulty::Impossible;
    seedRandom(1);
    showMenu();
    EXPECT_TRUE(continueButton()->enabled());
    clickContinue();
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(OApplication::activeScreen(), currentGame);
    EXPECT_EQ(difficulty, saved->difficulty);
    GameSnapshot expected = *saved;
    expected.gameState = GameState::Intro;  // shown again, it flies in first
    EXPECT_TRUE(currentGame->captureSnapshot() == expected);
    EXPECT_TRUE(fs::exists(ResumeStore::path())) << "kept until the game ends";

    // A new game removes the saved one.
    showMenu();
    shell->setActiveScreen(kScreenSelectGame);
    InputEvent move = screentest::pointerAt(*shell, kInputPointerMove, 10, 10);
    shell->onEvent(move);  // no button held: the wait for the opening release ends
    shell->clickAt(400, 460);
    ASSERT_NE(currentGame, nullptr);
    EXPECT_FALSE(fs::exists(ResumeStore::path()));
}

TEST_F(ResumeStoreTest, AContinuedGameTakesBackMovesOfTheLastRunAndStaysPractice) {
    BrixelRemover* game = playRemover();
    const int scoreAfterTwo = [&] {
        EXPECT_TRUE(game->undoMove());
        return game->score();
    }();
    ASSERT_TRUE(game->canRedo());
    endRun(game);

    showMenu();
    clickContinue();
    Game* resumed = currentGame;
    ASSERT_NE(resumed, nullptr);
    EXPECT_TRUE(resumed->isPractice()) << "the practice mark survives the restart";
    for (int i = 0; i < 500 && gameState == GameState::Intro; ++i) shell->step(16, false);
    EXPECT_EQ(resumed->score(), scoreAfterTwo);
    ASSERT_TRUE(resumed->canRedo()) << "the step taken back can be done again";
    ASSERT_TRUE(resumed->undoMove());
    EXPECT_LT(resumed->score(), scoreAfterTwo);
    EXPECT_EQ(resumed->history().undoCount(), 1u);
    EXPECT_EQ(resumed->history().redoCount(), 2u);
}

TEST_F(ResumeStoreTest, DamagedOrImpossibleSavesAreSetAsideAndNeverOffered) {
    GameSnapshot impossible;
    impossible.mode = GameMode::Remover;
    impossible.columns = 12;
    impossible.rows = 16;
    impossible.gameState = GameState::Playing;
    impossible.linePhase = LinePhase::Idle;
    impossible.resumeState = ResumeState::Normal;
    impossible.blocks.push_back({12, 3, 1, 2});  // one column right of the board
    const std::string files[] = {"not a saved game at all",
                                 ResumeFile::encode(impossible).substr(0, 40),
                                 ResumeFile::encode(impossible)};
    for (const std::string& bytes : files) {
        folder.writeFile("Data/Resume.Kv", bytes);
        showMenu();
        EXPECT_FALSE(continueButton()->enabled());
        EXPECT_FALSE(fs::exists(ResumeStore::path()));
        EXPECT_EQ(read(ResumeStore::setAsidePath()), bytes) << "the player's file is kept aside";
        clickContinue();
        EXPECT_EQ(OApplication::activeScreen(), mainMenu);
        EXPECT_EQ(currentGame, nullptr);
    }
    // Refused only when Continue reads it: set aside the same way.
    folder.writeFile("Data/Resume.Kv", "BRX3DSAV but nothing more");
    clickContinue();
    EXPECT_EQ(OApplication::activeScreen(), mainMenu);
    EXPECT_TRUE(fs::exists(ResumeStore::setAsidePath()));
    EXPECT_FALSE(continueButton()->enabled());
}

TEST_F(ResumeStoreTest, AFinishedGameSavesNothingAndTakesTheFileAlong) {
    BrixelRemover* game = playRemover();
    EXPECT_TRUE(ResumeStore::saveRunningGame());
    gameState = GameState::GameOver;
    linePhase = LinePhase::Finished;
    EXPECT_FALSE(ResumeStore::saveRunningGame());
    EXPECT_FALSE(fs::exists(ResumeStore::path()));
    dropGame(game);
    EXPECT_FALSE(ResumeStore::saveRunningGame()) << "no game, nothing written";
    EXPECT_FALSE(fs::exists(ResumeStore::path()));
}

TEST_F(ResumeStoreTest, AResumedGameThatEndsIsNotOfferedAgainAndItsFileGoes) {
    endRun(playRemover());
    showMenu();
    clickContinue();
    Game* resumed = currentGame;
    ASSERT_NE(resumed, nullptr);
    // The game ends some other way (the options end it): it is not loaded a second time.
    dropGame(resumed);
    showMenu();
    EXPECT_FALSE(continueButton()->enabled());
    clickContinue();
    EXPECT_EQ(currentGame, nullptr);
    // The program ends with no game in progress: the file goes with the game.
    EXPECT_FALSE(ResumeStore::saveRunningGame());
    EXPECT_FALSE(fs::exists(ResumeStore::path()));
}

}  // namespace
}  // namespace brx
