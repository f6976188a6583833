// Strategy: the next line is complete from the first frame, each move costs exactly one line
// once falls and close-ups have settled, a too-small group costs nothing, levels last 20 then
// 25 lines, and nothing is pushed once the outro runs.
#include <gtest/gtest.h>

#include "game/StrategyGame.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::clickCell;
using fourmodes::countBlocks;
using fourmodes::plainBlock;
using fourmodes::settle;

class StrategyTest : public fourmodes::ModeTest {
protected:
    // A board whose red group at the bottom of column 5 (the left middle column) leaves that
    // column empty, so its removal sets off falls and a close-up before the line may come.
    std::unique_ptr<StrategyGame> boardWithRedColumn() {
        auto game = makeMode<StrategyGame>();
        game->update(fourmodes::kFrameMs);
        game->clearBoard();
        for (int r = 13; r < 16; ++r) game->placeBlock(5, r, plainBlock(*game, Box::kRed));
        for (int r = 12; r < 16; ++r) game->placeBlock(4, r, plainBlock(*game, Box::kBlue));
        for (int r = 14; r < 16; ++r) game->placeBlock(3, r, plainBlock(*game, Box::kGreen));
        for (int r = 12; r < 16; ++r) game->placeBlock(6, r, plainBlock(*game, Box::kGreen));
        return game;
    }
};

TEST_F(StrategyTest, TheNextLineIsCompleteFromTheFirstFrameAndLevelsLastTwentyThenTwentyFive) {
    auto game = makeMode<StrategyGame>();
    EXPECT_EQ(game->modeNumber(), GameMode::Strategy);
    EXPECT_EQ(game->linesLeft, 20);
    EXPECT_EQ(game->linesForLevel(1), 25);
    game->update(fourmodes::kFrameMs);
    EXPECT_EQ(game->filledSlots(), columns);
    // No clock: however long nothing is clicked, no line comes.
    for (int i = 0; i < 300; ++i) game->update(50);
    EXPECT_EQ(game->linesLeft, 20);
    EXPECT_EQ(game->filledSlots(), columns);
}

TEST_F(StrategyTest, EachMovePushesExactlyOneLineOnceFallsAndCloseUpsHaveSettled) {
    auto game = boardWithRedColumn();
    const int blocks = countBlocks(*game);
    ASSERT_TRUE(clickCell(*game, 5, 14));
    EXPECT_EQ(linePhase, LinePhase::MoveMade);
    int pushes = 0;
    for (int frame = 0; frame < 400; ++frame) {
        const int before = game->linesLeft;
        game->update(fourmodes::kFrameMs);
        if (game->linesLeft == before) continue;
        ++pushes;
        EXPECT_EQ(game->linesLeft, before - 1);
        EXPECT_FALSE(game->anyMoving());
        // The close-up finished first: the blue column stands in column 5, one row higher.
        for (int r = 11; r < 15; ++r) {
            ASSERT_NE(game->blockAt(5, r), nullptr) << r;
            EXPECT_EQ(game->blockAt(5, r)->colour, Box::kBlue);
        }
        EXPECT_EQ(game->blockAt(4, 14)->colour, Box::kGreen);  // green followed it inward
    }
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(countBlocks(*game), blocks - 3 + columns);
    EXPECT_EQ(game->filledSlots(), columns);  // the next line is prepared again
    EXPECT_EQ(linePhase, LinePhase::Idle);
}

TEST_F(StrategyTest, AGroupTooSmallIsNoMoveAndPushesNothing) {
    auto game = boardWithRedColumn();
    game->placeBlock(10, 15, plainBlock(*game, Box::kYellow));
    game->placeBlock(11, 15, plainBlock(*game, Box::kYellow));
    EXPECT_FALSE(clickCell(*game, 10, 15));
    EXPECT_NE(linePhase, LinePhase::MoveMade);
    for (int frame = 0; frame < 200; ++frame) game->update(fourmodes::kFrameMs);
    EXPECT_EQ(game->linesLeft, 20);
}

TEST_F(StrategyTest, TheLastLineCompletesTheLevelAndTheNextHasTwentyFive) {
    auto game = boardWithRedColumn();
    game->linesLeft = 1;
    ASSERT_TRUE(clickCell(*game, 5, 14));
    settle(*game);
    EXPECT_EQ(gameState, GameState::LevelComplete);
    int frames = 0;
    while (gameState != GameState::Playing && frames++ < 2000) game->update(40);
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game->levelIndex, 1);
    EXPECT_EQ(game->linesLeft, 25);
    EXPECT_EQ(game->filledSlots(), columns);
}

TEST_F(StrategyTest, AMoveMadeAsTheOutroStartsPushesNothing) {
    auto game = boardWithRedColumn();
    game->linesLeft = 1;  // a push now would complete the level behind the outro
    ASSERT_TRUE(clickCell(*game, 5, 14));
    InputEvent escape;
    escape.type = kInputKeyDown;
    escape.key = kKeyEscape;
    game->onEvent(escape);
    ASSERT_EQ(gameState, GameState::Outro);
    for (int frame = 0; frame < 400; ++frame) game->update(fourmodes::kFrameMs);
    EXPECT_EQ(game->linesLeft, 1);
    EXPECT_NE(gameState, GameState::LevelComplete);
    EXPECT_NE(linePhase, LinePhase::Finished);
}

TEST_F(StrategyTest, APushWhileAColumnReachesTheTopEndsTheGame) {
    auto game = boardWithRedColumn();
    for (int r = 1; r < 16; ++r) game->placeBlock(11, r, plainBlock(*game, 1 + r % 2));
    ASSERT_TRUE(clickCell(*game, 5, 14));
    settle(*game);
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    EXPECT_EQ(game->linesLeft, 20);
}

}  // namespace
}  // namespace brx
