// The H key's hints: in Puzzle, following the hint from the start of every shipped puzzle
// clears it in the game itself; a dead board is told apart from one the search gave up on;
// in the other modes the hint is the group that scores most. Any hint makes the game practice.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/DataManifest.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/HintFinder.h"
#include "game/LevelFiles.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::layBottom;
using fourmodes::plainBlock;
using fourmodes::settle;

class HintTest : public fourmodes::ModeTest {
protected:
    static InputEvent keyH() { return fourmodes::keyDown(Game::kKeyHint); }
};

TEST_F(HintTest, FollowingThePuzzleHintSolvesEveryShippedPuzzle) {
    const LevelFiles::Counts counts = LevelFiles::readCounts();
    ASSERT_GT(counts.puzzles, 0);
    auto game = makeMode<BrixelPuzzle>();
    for (int number = 1; number <= counts.puzzles; ++number) {
        const std::string name = DataManifest::puzzleLevelFile(number);
        game->selectPuzzle(number);
        fourmodes::playIntro(*game);
        settle(*game);
        for (int step = 0; step < 200 && gameState == GameState::Playing; ++step) {
            const Hint hint = HintFinder::puzzleHint(game->board);
            ASSERT_EQ(hint.outcome, Hint::Outcome::Found) << name << " step " << step;
            ASSERT_FALSE(hint.cells.empty());
            // The hint leaves the game's board size and state as they were.
            ASSERT_EQ(columns, BrixelPuzzle::kColumns);
            ASSERT_EQ(gameState, GameState::Playing);
            const Board::Cell cell = hint.cells.front();
            ASSERT_TRUE(fourmodes::clickCell(*game, cell.column, cell.row)) << name;
            settle(*game);
        }
        EXPECT_EQ(gameState, GameState::LevelComplete) << name;
    }
}

TEST_F(HintTest, APuzzleThatCannotBeSolvedAnyMoreSaysSoUnlessTheSearchGaveUp) {
    auto game = makeMode<BrixelPuzzle>();
    // Three reds can go, but the two blues are left stranded whatever is clicked.
    layBottom(*game, {{0, 0, 0, 0, 1, 1, 1, 2, 0, 2, 0, 0}});
    const Hint dead = HintFinder::puzzleHint(game->board);
    EXPECT_EQ(dead.outcome, Hint::Outcome::NoSolution);
    EXPECT_TRUE(dead.cells.empty());

    // A solvable board the search is given no room for is not called dead.
    layBottom(*game, {{0, 0, 1, 2, 2, 2, 1, 1, 3, 3, 3, 0}, {0, 0, 3, 3, 3, 1, 2, 2, 2, 0, 0, 0}});
    EXPECT_EQ(HintFinder::puzzleHint(game->board, 1).outcome, Hint::Outcome::NotFound);
    const Hint found = HintFinder::puzzleHint(game->board);
    ASSERT_EQ(found.outcome, Hint::Outcome::Found);
    EXPECT_GE(static_cast<int>(found.cells.size()), BrixelPuzzle::kMinGroup);
}

TEST_F(HintTest, TheDeadPuzzleMessageShowsOnTheKeyAndTheGameBecomesPractice) {
    auto game = makeMode<BrixelPuzzle>();
    layBottom(*game, {{0, 0, 0, 0, 1, 1, 1, 2, 0, 2, 0, 0}});
    EXPECT_FALSE(game->isPractice());
    EXPECT_TRUE(game->onEvent(keyH()));
    EXPECT_TRUE(game->isPractice());
    const std::vector<std::string> texts = game->notice().texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), Game::kNoSolutionText), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), Game::kPracticeText), 1);
    game->onEvent(keyH());
    const std::vector<std::string> again = game->notice().texts();
    EXPECT_EQ(std::count(again.begin(), again.end(), Game::kPracticeText), 1)
        << "the practice notice shows once per game";
}

TEST_F(HintTest, OtherModesHintTheGroupThatScoresMostAndLightIt) {
    auto game = makeMode<BrixelRemover>();
    // A pair of reds, four blues, three greens: the blues score most.
    layBottom(*game, {{1, 1, 0, 2, 2, 0, 3, 0}, {0, 0, 0, 2, 2, 0, 3, 3}});
    const Hint hint = HintFinder::bestGroup(game->board);
    ASSERT_EQ(hint.outcome, Hint::Outcome::Found);
    ASSERT_EQ(hint.cells.size(), 4u);
    for (const Board::Cell& cell : hint.cells)
        EXPECT_EQ(game->blockAt(cell.column, cell.row)->colour, 2);
    EXPECT_TRUE(game->selection.empty()) << "the pointer's selection is left alone";

    game->showHint();
    ASSERT_EQ(game->hintedBlocks().size(), 4u);
    game->update(fourmodes::kFrameMs);
    int lit = 0;
    for (const Box* block : game->hintedBlocks()) lit += block->selected ? 1 : 0;
    EXPECT_EQ(lit, 4) << "lit as on hover at first";
    bool darkBeat = false;
    for (int ms = 0; ms < Game::kHintBlinkingMs; ms += fourmodes::kFrameMs) {
        game->update(fourmodes::kFrameMs);
        darkBeat = darkBeat || !game->hintedBlocks().front()->selected;
    }
    EXPECT_TRUE(darkBeat) << "the group blinks while the hint is fresh";
    for (int ms = 0; ms < Game::kHintMs; ms += fourmodes::kFrameMs)
        game->update(fourmodes::kFrameMs);
    EXPECT_TRUE(game->hintedBlocks().empty()) << "the hint goes out after its time";

    layBottom(*game, {{1, 2, 3, 1, 2, 3}});
    EXPECT_EQ(HintFinder::bestGroup(game->board).outcome, Hint::Outcome::NotFound);
}

TEST_F(HintTest, NoHintDuringTheIntroOrWhileBlocksMove) {
    auto game = makeMode<BrixelRemover>();
    game->activate();
    ASSERT_EQ(gameState, GameState::Intro);
    game->showHint();
    EXPECT_FALSE(game->isPractice());
    EXPECT_TRUE(game->hintedBlocks().empty());
}

}  // namespace
}  // namespace brx
