// Game selection in the real shell: the opening click ignored, each mode button building its
// game as screen 202 (the previous game deleted), the puzzle list, Start, Random, and a level
// file without puzzles.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/KvIncDec.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "screens/SelectGame.h"
#include "tests/screens/WindowlessShell.h"
#include "tests/support/ArchiveBuilder.h"

namespace brx {
namespace {

class SelectGameTest : public screentest::ScreenTest {
protected:
    void TearDown() override {
        ScreenTest::TearDown();
        currentGame = nullptr;
        SelectGame::lastPuzzle = 0;
    }
    void openSelection() {
        startShell();
        selection = new SelectGame();
        shell->addScreen(selection);
        shell->setActiveScreen(kScreenSelectGame);
    }
    // The release of the click that opened the screen (it is not heard).
    void wake() {
        InputEvent event = screentest::pointerAt(*shell, kInputButtonUp, 10, 10);
        shell->onEvent(event);
    }
    void clickMode(int buttonY) { shell->clickAt(400, float(buttonY) + 20.0f); }
    int gameScreens() const {
        const auto& list = shell->screens();
        return int(std::count_if(list.begin(), list.end(),
                                 [](const ORenderWindow* s) { return s->id() == kScreenGame; }));
    }
    template <class Control>
    Control* find() const {
        for (std::size_t i = 0; i < selection->controlCount(); ++i)
            if (auto* found = dynamic_cast<Control*>(selection->control(i))) return found;
        return nullptr;
    }
    OTextStack* levelList() const {
        for (std::size_t i = 0; i < selection->controlCount(); ++i)
            if (selection->control(i)->controlId() == SelectGame::kLevelListId)
                return static_cast<OTextStack*>(selection->control(i));
        return nullptr;
    }
    void clickRightArrow() {
        const KvIncDec* arrows = find<KvIncDec>();
        shell->clickAt(float(arrows->rightArrowX() + arrows->arrowWidth() / 2),
                       float(arrows->y() + arrows->arrowHeight() / 2));
    }

    SelectGame* selection = nullptr;
};

TEST_F(SelectGameTest, TheOpeningClickIsIgnoredThenAModeStartsAndReplacesTheLastGame) {
    screentest::linkGameArchive(folder);
    openSelection();
    // The button that opened the screen is still held: moves with it and its release go unheard.
    for (int i = 0; i < 3; ++i) {
        InputEvent drag = screentest::pointerAt(*shell, kInputPointerMove, 400, 460);
        drag.flags = kFlagLeftButton;
        shell->onEvent(drag);
    }
    InputEvent release = screentest::pointerAt(*shell, kInputButtonUp, 400, 460);
    shell->onEvent(release);
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_EQ(OApplication::activeScreen(), selection);

    clickMode(440);
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 1);
    EXPECT_EQ(OApplication::activeScreen(), currentGame);
    EXPECT_TRUE(currentGame->hasBackground());
    EXPECT_EQ(currentGame->id(), kScreenGame);

    shell->setActiveScreen(kScreenSelectGame);
    wake();
    clickMode(520);
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 0);
    EXPECT_EQ(gameScreens(), 1) << "the Classic game is gone";

    const std::pair<int, int> modes[] = {{360, 2}, {280, 3}, {200, 4}};
    for (const auto& [y, mode] : modes) {
        shell->setActiveScreen(kScreenSelectGame);
        wake();
        clickMode(y);
        ASSERT_NE(currentGame, nullptr);
        EXPECT_EQ(currentGame->modeNumber(), mode);
        EXPECT_EQ(gameScreens(), 1);
    }
}

// Opened by a key, there is no click to wait for: a quick press (no move before it) counts.
TEST_F(SelectGameTest, OpenedByAKeyAQuickClickCounts) {
    screentest::linkGameArchive(folder);
    openSelection();
    InputEvent press = screentest::pointerAt(*shell, kInputButtonDown, 400, 540);
    shell->onEvent(press);
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 0);
}

TEST_F(SelectGameTest, StartPlaysTheListedPuzzleAndTheListComesBackToIt) {
    screentest::linkGameArchive(folder);
    openSelection();
    ASSERT_GE(selection->puzzleCount(), 3);
    wake();
    clickRightArrow();
    clickRightArrow();
    EXPECT_EQ(levelList()->currentKey(), 2);
    shell->clickAt(500, 78);  // Start
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 5);
    EXPECT_EQ(currentGame->levelIndex, 3);
    EXPECT_EQ(SelectGame::lastPuzzle, 2);

    // Stepping the list without starting is forgotten on the next visit.
    shell->setActiveScreen(kScreenSelectGame);
    wake();
    clickRightArrow();
    shell->setActiveScreen(kScreenMenu);
    shell->setActiveScreen(kScreenSelectGame);
    EXPECT_EQ(levelList()->currentKey(), 2);
    shell->step(16);
    shell->saveScreenshot("select-game");
}

TEST_F(SelectGameTest, RandomPicksEveryPuzzleInRange) {
    screentest::linkGameArchive(folder);
    openSelection();
    const int count = selection->puzzleCount();
    std::vector<int> seen(std::size_t(count) + 2, 0);
    for (int round = 0; round < 2 * count; ++round) {
        shell->setActiveScreen(kScreenSelectGame);
        wake();
        shell->clickAt(250, 85);  // Random
        ASSERT_NE(currentGame, nullptr);
        const int level = currentGame->levelIndex;
        ASSERT_GE(level, 1);
        ASSERT_LE(level, count);
        ++seen[std::size_t(level)];
    }
    EXPECT_GT(std::count_if(seen.begin(), seen.end(), [](int n) { return n > 0; }), count / 2);
}

TEST_F(SelectGameTest, WithoutPuzzlesThePuzzleButtonsDoNothing) {
    testsupport::ArchiveBuilder archive;
    for (const char* name :
         {"Data/Textures/Font.Tga", "Data/Textures/Cursor.Tga", "Data/Textures/PLogo.Tga",
          "Data/Textures/Interface/Done.Tga", "Data/Textures/Games/Puzzle.Tga",
          "Data/Textures/Interface/SelectLN.Tga", "Data/Textures/Interface/HArrow.Tga",
          "Data/Textures/Interface/Start.Tga", "Data/Textures/Interface/Random.Tga"})
        archive.add(name, screentest::gameFile(name));
    archive.add("Data/Levels/Levels.Cfg", "Puzzle=0\nAdvanced=0\n");
    ASSERT_TRUE(archive.install(folder));
    openSelection();
    EXPECT_EQ(selection->puzzleCount(), 0);
    wake();
    shell->clickAt(400, 156);  // Puzzle
    shell->clickAt(500, 78);   // Start
    shell->clickAt(250, 85);   // Random
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_EQ(OApplication::activeScreen(), selection);
    EXPECT_TRUE(shell->pressKey(kKeyEscape));
    EXPECT_EQ(OApplication::activeScreen(), menu);
}

}  // namespace
}  // namespace brx
