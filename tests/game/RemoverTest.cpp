// Remover: pairs count, a cleared board pays its score blocks and full rows and deals a new
// board with the score kept, the game ends exactly when no pair and no bonus is left, and the
// high scores follow once the game-over picture has had its time.
#include <gtest/gtest.h>

#include "game/BrixelRemover.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::clickCell;
using fourmodes::countBlocks;
using fourmodes::countColour;
using fourmodes::plainBlock;
using fourmodes::settle;

class RemoverTest : public fourmodes::ModeTest {};

// Remover with its game-over time open to the test.
class TimedRemover : public BrixelRemover {
public:
    using BrixelRemover::gameOverTime;
};

TEST_F(RemoverTest, NewGameIsAFullBoardOfPlainBlocksAndTheFirstBoardIsCounted) {
    auto game = makeMode<BrixelRemover>();
    EXPECT_EQ(minGroup, 2);
    EXPECT_EQ(game->modeNumber(), GameMode::Remover);
    EXPECT_EQ(game->levelIndex, 1);
    EXPECT_EQ(countBlocks(*game), columns * rows);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            const Box* block = game->blockAt(c, r);
            EXPECT_FALSE(block->isBonus);
            EXPECT_GE(block->colour, Box::kRed);
            EXPECT_LE(block->colour, Box::kWhite);  // Normal: four colours
        }
}

TEST_F(RemoverTest, APairScoresOneAndASingleBlockDoesNothing) {
    auto game = makeMode<BrixelRemover>();
    game->clearBoard();
    game->placeBlock(0, 15, plainBlock(*game, Box::kRed));
    game->placeBlock(1, 15, plainBlock(*game, Box::kRed));
    game->placeBlock(3, 15, plainBlock(*game, Box::kBlue));
    game->placeBlock(5, 15, plainBlock(*game, Box::kGreen));
    EXPECT_FALSE(clickCell(*game, 3, 15));
    EXPECT_EQ(game->score(), 0);
    EXPECT_TRUE(clickCell(*game, 0, 15));
    EXPECT_EQ(game->score(), 1);
    EXPECT_EQ(countBlocks(*game), 2);
    settle(*game);
    // Blue and green were split; a single block is no move, so the game is lost.
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
}

TEST_F(RemoverTest, ClearingTheBoardPaysScoreBlocksAndFullRowsThenDealsAnotherBoard) {
    auto game = makeMode<BrixelRemover>();
    game->clearBoard();
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) game->placeBlock(c, r, plainBlock(*game, Box::kGreen));
    ASSERT_TRUE(clickCell(*game, 4, 9));
    const int groupPoints = Game::groupScore(12 * 16);
    ASSERT_EQ(game->score(), groupPoints);
    game->update(fourmodes::kFrameMs);
    ASSERT_EQ(gameState, GameState::LevelComplete);
    EXPECT_EQ(linePhase, LinePhase::Cleared);
    EXPECT_EQ(resumeState, ResumeState::LevelComplete);
    int frames = 0;
    while (gameState == GameState::LevelComplete && frames++ < 1000) game->update(36);
    ASSERT_EQ(gameState, GameState::NextLevel);
    EXPECT_EQ(game->score(), groupPoints + 168 + 1400);
    EXPECT_EQ(countColour(*game, Box::kNoColour), 168);
    for (int c = 0; c < columns; ++c) {
        EXPECT_EQ(game->blockAt(c, 0), nullptr);  // the fill leaves the top and bottom rows
        EXPECT_EQ(game->blockAt(c, rows - 1), nullptr);
    }
    EXPECT_FALSE(game->fillSoundRunning());
    game->update(fourmodes::kFrameMs);
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game->levelIndex, 2);
    EXPECT_EQ(countBlocks(*game), columns * rows);
    EXPECT_EQ(countColour(*game, Box::kNoColour), 0);
    EXPECT_EQ(game->score(), groupPoints + 168 + 1400);
}

TEST_F(RemoverTest, CheckerboardIsLostButAnyPairKeepsItAliveAndTheHighScoresFollowInTime) {
    auto game = makeMode<TimedRemover>();
    game->clearBoard();
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            game->placeBlock(c, r, plainBlock(*game, (c + r) % 2 ? Box::kRed : Box::kBlue));
    EXPECT_FALSE(game->hasMove());
    // The end test leaves the player's selection as it was.
    game->hover(0, 0, Box::kBlue);
    const Board::Selection before = game->selection;
    game->placeBlock(11, 15, plainBlock(*game, Box::kRed));  // pairs with (10, 15)
    EXPECT_TRUE(game->hasMove());
    EXPECT_FALSE(game->checkEnd());
    EXPECT_EQ(game->selection, before);
    game->placeBlock(11, 15, plainBlock(*game, Box::kBlue));
    gameState = GameState::Outro;
    EXPECT_FALSE(game->checkEnd());  // never during the outro
    gameState = GameState::Playing;
    EXPECT_TRUE(game->checkEnd());
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    // The game-over picture stays for "GameOverTime" (not a moment more), then the high scores
    // are asked for, once.
    game->gameOverTime = 250;
    for (int frame = 0; frame < 5; ++frame) game->update(50);
    EXPECT_TRUE(host.requests.empty()) << "the picture went before its time";
    game->update(1);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0], kScreenHighScores);
    EXPECT_EQ(gameState, GameState::GameOver) << "the picture stays until the screen goes";
}

}  // namespace
}  // namespace brx
