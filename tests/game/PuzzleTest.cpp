// Puzzle: the file's values become the right blocks on a 12 x 16 board at any difficulty, a
// board of isolated blocks is lost even during the intro, pairs are no move, a board with only
// fixed blocks is solved, and the end pictures lead to the high scores (Esc at once).
#include <gtest/gtest.h>

#include "core/DataManifest.h"
#include "game/BrixelPuzzle.h"
#include "game/LevelFiles.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::clickCell;
using fourmodes::countBlocks;
using fourmodes::fixedBlock;
using fourmodes::plainBlock;
using fourmodes::settle;

// Puzzle with its game-over time open to the test.
class TimedPuzzle : public BrixelPuzzle {
public:
    using BrixelPuzzle::gameOverTime;
};

class PuzzleTest : public fourmodes::ModeTest {
protected:
    std::unique_ptr<TimedPuzzle> emptyPuzzle() {
        auto game = makeMode<TimedPuzzle>();
        game->clearBoard();
        return game;
    }
    // Runs frames of ms while no screen is asked for (at most limit ms); the time run.
    int runUntilAsked(Game& game, int ms, int limit) {
        int elapsed = 0;
        while (host.requests.empty() && elapsed < limit) {
            game.update(ms);
            elapsed += ms;
        }
        return elapsed;
    }
};

InputEvent key(int code) {
    InputEvent event;
    event.type = kInputKeyDown;
    event.key = code;
    return event;
}

TEST_F(PuzzleTest, EveryCellValueBecomesItsBlockOnATwelveBySixteenBoardAtAnyDifficulty) {
    difficulty = Difficulty::Impossible;
    auto game = makeMode<BrixelPuzzle>();
    EXPECT_EQ(columns, 12);
    EXPECT_EQ(rows, 16);
    EXPECT_EQ(game->centreLeft, 5);
    EXPECT_EQ(game->lastColumn, 11);
    EXPECT_EQ(minGroup, 3);
    EXPECT_FALSE(game->optionsSensitive);
    EXPECT_EQ(game->modeNumber(), GameMode::Puzzle);
    const LevelFiles::Counts counts = LevelFiles::readCounts();
    for (int number = 1; number <= counts.puzzles; ++number) {
        game->selectPuzzle(number);
        const LevelFiles::Layout layout =
            LevelFiles::readLayout(DataManifest::puzzleLevelFile(number));
        for (int c = 0; c < 12; ++c) {
            for (int r = 0; r < 16; ++r) {
                const int value = layout.at(c, r);
                const Box* block = game->blockAt(c, r);
                const bool makesBlock =
                    (value >= 1 && value <= 5) || value == 7 || (value >= 10 && value <= 19);
                ASSERT_EQ(block != nullptr, makesBlock) << number << " " << c << "," << r;
                if (!block) continue;
                const int colour = value <= 7                   ? value
                                   : value >= 11 && value <= 15 ? value - 10
                                   : value == 19                ? 19
                                                                : 8;
                EXPECT_EQ(block->colour, colour);
                EXPECT_EQ(block->isBonus, value >= 10 && value <= 18);
                EXPECT_EQ(block->position(), game->cellPosition(c, r));
            }
        }
    }
}

TEST_F(PuzzleTest, IsolatedBlocksAreLostEvenDuringTheIntro) {
    auto game = emptyPuzzle();
    for (int c = 0; c < 12; ++c)
        for (int r = 12; r < 16; ++r)
            game->placeBlock(c, r, plainBlock(*game, 1 + (c + r) % 2 + 2 * (r % 2)));
    game->activate();
    ASSERT_EQ(gameState, GameState::Intro);
    game->update(1);
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(resumeState, ResumeState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    // Esc on the finished puzzle asks for the high scores at once and is consumed.
    EXPECT_TRUE(game->onEvent(key(kKeyEscape)));
    EXPECT_EQ(host.requests, std::vector<ScreenId>{kScreenHighScores});
}

TEST_F(PuzzleTest, APairIsNoMoveButASingleBonusIs) {
    auto game = emptyPuzzle();
    game->placeBlock(4, 15, plainBlock(*game, Box::kRed));
    game->placeBlock(5, 15, plainBlock(*game, Box::kRed));
    game->placeBlock(6, 15, game->prototypes().cloneBonus(17));
    EXPECT_TRUE(game->hasMove());
    EXPECT_FALSE(clickCell(*game, 4, 15));
    EXPECT_EQ(countBlocks(*game), 3);
    // The column remover takes itself; the red pair is left and is no move.
    EXPECT_TRUE(clickCell(*game, 6, 15));
    game->gameOverTime = 300;
    settle(*game);
    EXPECT_EQ(countBlocks(*game), 2);
    EXPECT_EQ(gameState, GameState::GameOver);
    // The game-over picture stays for its time, then the high scores follow.
    EXPECT_TRUE(host.requests.empty());
    const int shown = runUntilAsked(*game, 20, 5000);
    EXPECT_GE(shown, 240);  // settle ran the first frames of the picture
    EXPECT_LE(shown, 320);
    EXPECT_EQ(host.requests, std::vector<ScreenId>{kScreenHighScores});
}

TEST_F(PuzzleTest, OnlyFixedBlocksLeftIsSolvedAndTheHighScoresFollowAfterFourSeconds) {
    auto game = emptyPuzzle();
    game->placeBlock(3, 15, fixedBlock(*game));
    game->placeBlock(3, 14, plainBlock(*game, Box::kGreen));
    game->placeBlock(4, 15, plainBlock(*game, Box::kGreen));
    game->placeBlock(5, 15, plainBlock(*game, Box::kGreen));
    game->placeBlock(4, 14, plainBlock(*game, Box::kGreen));
    ASSERT_TRUE(clickCell(*game, 4, 15));
    settle(*game);
    ASSERT_EQ(gameState, GameState::LevelComplete);
    EXPECT_EQ(resumeState, ResumeState::GameOver);  // filed like a finished game
    EXPECT_EQ(linePhase, LinePhase::Finished);
    EXPECT_EQ(countBlocks(*game), 1);
    // No score blocks in this mode: the picture shows, nothing is added.
    const int score = game->score();
    for (int t = 0; t < 3800; t += 100) game->update(100);
    EXPECT_EQ(game->score(), score);
    EXPECT_EQ(countBlocks(*game), 1);
    EXPECT_EQ(gameState, GameState::LevelComplete);
    // A click on the finished puzzle does nothing.
    InputEvent press;
    press.type = kInputButtonDown;
    EXPECT_FALSE(game->onEvent(press));
    EXPECT_TRUE(host.requests.empty()) << "the picture went before its four seconds";
    // The four seconds end within the next frames (settle ran the first ones): high scores.
    const int rest = runUntilAsked(*game, 10, 1000);
    EXPECT_GE(rest, 140);
    EXPECT_LE(rest, 210);
    EXPECT_EQ(host.requests, std::vector<ScreenId>{kScreenHighScores});
    EXPECT_EQ(gameState, GameState::LevelComplete) << "the picture stays until the screen goes";
    // Esc does the same at once.
    host.requests.clear();
    EXPECT_TRUE(game->onEvent(key(kKeyEscape)));
    EXPECT_EQ(host.requests, std::vector<ScreenId>{kScreenHighScores});
}

TEST_F(PuzzleTest, RandomPuzzleNumbersStayInRangeAndNoPuzzlesGiveNone) {
    EXPECT_EQ(BrixelPuzzle::randomPuzzleNumber(0), 0);
    EXPECT_EQ(BrixelPuzzle::randomPuzzleNumber(-3), 0);
    for (int i = 0; i < 200; ++i) {
        const int n = BrixelPuzzle::randomPuzzleNumber(24);
        EXPECT_GE(n, 1);
        EXPECT_LE(n, 24);
    }
    EXPECT_EQ(BrixelPuzzle::randomPuzzleNumber(1), 1);
}

}  // namespace
}  // namespace brx
