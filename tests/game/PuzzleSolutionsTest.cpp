// Every shipped puzzle is solvable by the game itself: its "Solution" clicks, replayed through
// the Puzzle mode's own group rule, click and frames, clear it to level complete.
#include <gtest/gtest.h>

#include <string>

#include "core/DataManifest.h"
#include "game/BrixelPuzzle.h"
#include "game/LevelFiles.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::settle;

class PuzzleSolutionsTest : public fourmodes::ModeTest {};

// What the board looks like, one letter per cell, for a failure message.
std::string picture(const Game& game) {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Box* block = game.blockAt(c, r);
            text += !block ? '.' : block->isBonus ? 'B' : char('0' + block->colour % 10);
        }
        text += '\n';
    }
    return text;
}

TEST_F(PuzzleSolutionsTest, EveryShippedSolutionClearsItsPuzzleInTheGame) {
    const LevelFiles::Counts counts = LevelFiles::readCounts();
    ASSERT_GT(counts.puzzles, 0);
    auto game = makeMode<BrixelPuzzle>();
    int clicksReplayed = 0, framesRun = 0;
    for (int number = 1; number <= counts.puzzles; ++number) {
        const std::string name = DataManifest::puzzleLevelFile(number);
        game->selectPuzzle(number);
        fourmodes::playIntro(*game);
        settle(*game);
        ASSERT_EQ(gameState, GameState::Playing) << name;
        const std::vector<int> clicks = LevelFiles::readSolution(name);
        ASSERT_FALSE(clicks.empty()) << name;
        for (size_t i = 0; i + 1 < clicks.size(); i += 2) {
            const int c = clicks[i], r = clicks[i + 1];
            const Box* block = game->blockAt(c, r);
            ASSERT_NE(block, nullptr)
                << name << " click " << i / 2 << " at " << c << "," << r << "\n"
                << picture(*game);
            const int removable = game->hover(c, r, block->colour);
            ASSERT_TRUE(removable >= minGroup || (removable == 1 && block->isBonus))
                << name << " click " << i / 2 << "\n"
                << picture(*game);
            const int blocksBefore = fourmodes::countBlocks(*game);
            game->click();
            ++clicksReplayed;
            ASSERT_LT(fourmodes::countBlocks(*game), blocksBefore) << name;
            framesRun += settle(*game);
            if (i + 2 < clicks.size()) {
                ASSERT_EQ(gameState, GameState::Playing) << name << " click " << i / 2 << "\n"
                                                         << picture(*game);
            }
        }
        EXPECT_EQ(gameState, GameState::LevelComplete) << name << "\n" << picture(*game);
        EXPECT_GT(game->score(), 0);
    }
    // Every puzzle takes a few clicks, and each click sets blocks falling or sliding.
    EXPECT_GE(clicksReplayed, 3 * counts.puzzles);
    EXPECT_GT(framesRun, 2 * clicksReplayed);
}

}  // namespace
}  // namespace brx
