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
#include "tests/screens/ControlLayoutKit.h"
#include "tests/screens/WindowlessShell.h"
#include "tests/support/ArchiveBuilder.h"

namespace brx {
namespace {

class SelectGameTest : public screentest::ScreenTest {
protected:
    void TearDown() override {
        ScreenTest::TearDown();
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

TEST_F(SelectGameTest, StartPlaysTheListedPuzzleAndTheListKeepsWhatThePlayerSet) {
    screentest::linkGameArchive(folder);
    openSelection();
    ASSERT_GE(selection->puzzleCount(), 4);
    wake();
    clickRightArrow();
    clickRightArrow();
    EXPECT_EQ(levelList()->currentKey(), 2);
    shell->clickAt(500, 78);  // Start
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->modeNumber(), 5);
    EXPECT_EQ(currentGame->levelIndex, 3);
    EXPECT_EQ(SelectGame::lastPuzzle, 2);

    // The list starts on the remembered puzzle only when it is made: a step taken without
    // starting stays for the next visit, and a random puzzle is remembered without moving it.
    shell->setActiveScreen(kScreenSelectGame);
    wake();
    clickRightArrow();
    shell->setActiveScreen(kScreenMenu);
    shell->setActiveScreen(kScreenSelectGame);
    EXPECT_EQ(levelList()->currentKey(), 3);
    wake();
    shell->clickAt(250, 85);  // Random
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(SelectGame::lastPuzzle, currentGame->levelIndex - 1);
    shell->setActiveScreen(kScreenSelectGame);
    EXPECT_EQ(levelList()->currentKey(), 3);
    shell->step(16);
    shell->saveScreenshot("select-game");

    // A screen made later starts on the puzzle remembered last.
    SelectGame::lastPuzzle = 1;
    shell->setActiveScreen(kScreenMenu);
    auto* second = new SelectGame();
    shell->removeScreen(selection);
    delete selection;
    selection = second;
    shell->addScreen(second);
    shell->setActiveScreen(kScreenSelectGame);
    EXPECT_EQ(levelList()->currentKey(), 1);
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

TEST_F(SelectGameTest, NoControlsOverlapAndEveryLevelNumberFitsItsBox) {
    screentest::linkGameArchive(folder);
    openSelection();
    const std::vector<screentest::Area> areas = screentest::controlAreas(*selection);
    ASSERT_GE(areas.size(), 11u) << "six modes, Done, the list, two arrows, Start, Random";
    for (std::size_t a = 0; a < areas.size(); ++a) {
        EXPECT_GE(areas[a].left, 0.0f) << screentest::describe(areas[a]);
        EXPECT_LE(areas[a].right, float(ORenderWindow::kVirtualWidth))
            << screentest::describe(areas[a]);
        for (std::size_t b = a + 1; b < areas.size(); ++b)
            EXPECT_FALSE(areas[a].overlaps(areas[b]))
                << screentest::describe(areas[a]) << " overlaps " << screentest::describe(areas[b]);
    }
    OTextStack* list = levelList();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(shell->font(), nullptr);
    ASSERT_GT(list->itemCount(), 0u);
    for (const std::string& text : screentest::itemTexts(*list))
        EXPECT_LE(float(shell->font()->textWidth(text)) * list->textScale(), list->width() - 8.0f)
            << "level " << text;
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
