// Advanced: a push lifts blocks past fixed blocks (whole runs, any length), never overwrites or
// moves a fixed block and never reads outside the board; every block keeps one owner; the game
// is lost only when row 0 is occupied after the settle; layouts come in a shuffled order, then
// at random without repeating, with 0 or 1 layouts handled; layouts are centred on wide boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/DataManifest.h"
#include "game/AdvancedPuzzle.h"
#include "game/LevelFiles.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::countBlocks;
using fourmodes::countColour;
using fourmodes::fixedBlock;
using fourmodes::plainBlock;

constexpr int kColumn = 3;

class AdvancedTest : public fourmodes::ModeTest {
protected:
    // An empty board with an empty next line, ready for a hand-made column.
    std::unique_ptr<AdvancedPuzzle> emptyBoard() {
        auto game = makeMode<AdvancedPuzzle>();
        game->clearBoard();
        game->resetNextLine();
        return game;
    }
    // Puts a fixed block into each row of [first, last] of the test column.
    static void fixRows(AdvancedPuzzle& game, int first, int last) {
        for (int r = first; r <= last; ++r) game.placeBlock(kColumn, r, fixedBlock(game));
    }
    // Puts plain blocks into [first, last] of the test column, colours cycling 1..5 so each
    // block can be told from its neighbours; returns them top first.
    static std::vector<Box*> stackRows(AdvancedPuzzle& game, int first, int last) {
        std::vector<Box*> placed;
        for (int r = first; r <= last; ++r) {
            game.placeBlock(kColumn, r, plainBlock(game, 1 + r % 5));
            placed.push_back(game.blockAt(kColumn, r));
        }
        return placed;
    }
    static std::vector<Box*> fixedOf(const AdvancedPuzzle& game) {
        std::vector<Box*> fixed;
        for (int r = 0; r < rows; ++r)
            if (Box* b = game.blockAt(kColumn, r); b && b->colour == Box::kFixed)
                fixed.push_back(b);
        return fixed;
    }
    static void expectColumn(const AdvancedPuzzle& game, int row, const Box* block) {
        EXPECT_EQ(game.blockAt(kColumn, row), block) << "row " << row;
        if (block) {
            EXPECT_EQ(block->position(), game.cellPosition(kColumn, row)) << row;
        }
    }
};

TEST_F(AdvancedTest, BlocksBelowARunOfFixedBlocksJumpItAndThoseAboveRiseOneRow) {
    auto game = emptyBoard();
    fixRows(*game, 8, 10);
    const std::vector<Box*> above = stackRows(*game, 6, 7);
    const std::vector<Box*> below = stackRows(*game, 11, 15);
    const std::vector<Box*> fixed = fixedOf(*game);
    const int linesLeft = game->linesLeft;
    game->pushLine();
    expectColumn(*game, 5, above[0]);
    expectColumn(*game, 6, above[1]);
    expectColumn(*game, 7, below[0]);  // directly under the run, now directly above it
    for (int r = 8; r <= 10; ++r) expectColumn(*game, r, fixed[r - 8]);
    for (int r = 11; r <= 14; ++r) expectColumn(*game, r, below[r - 10]);
    ASSERT_NE(game->blockAt(kColumn, 15), nullptr);  // the next line's block
    EXPECT_EQ(countBlocks(*game), 10 + columns);
    EXPECT_EQ(game->filledSlots(), 0);
    EXPECT_EQ(game->linesLeft, linesLeft - 1);
    EXPECT_EQ(gameState, GameState::Playing);
}

TEST_F(AdvancedTest, ARunOfNineIsJumpedAsAWhole) {
    auto game = emptyBoard();
    fixRows(*game, 5, 13);
    const std::vector<Box*> above = stackRows(*game, 4, 4);
    const std::vector<Box*> below = stackRows(*game, 14, 15);
    const std::vector<Box*> fixed = fixedOf(*game);
    game->pushLine();
    expectColumn(*game, 3, above[0]);
    expectColumn(*game, 4, below[0]);
    expectColumn(*game, 14, below[1]);
    for (int r = 5; r <= 13; ++r) expectColumn(*game, r, fixed[r - 5]);
    EXPECT_EQ(countColour(*game, Box::kFixed), 9);
    EXPECT_EQ(countBlocks(*game), 12 + columns);
}

TEST_F(AdvancedTest, AFixedBlockInTheTopRowIsNeverOverwrittenAndNoBlockIsLost) {
    auto game = emptyBoard();
    fixRows(*game, 0, 0);
    const std::vector<Box*> held = stackRows(*game, 1, 1);  // cannot rise past the top block
    stackRows(*game, 13, 15);
    Box* const top = game->blockAt(kColumn, 0);
    game->pushLine();
    EXPECT_EQ(game->blockAt(kColumn, 0), top);
    EXPECT_EQ(countBlocks(*game), 5 + columns);
    // The held block settled onto the stack, which rose one row.
    expectColumn(*game, 11, held[0]);
    // A fixed block in the top row ends the game at the push.
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
}

TEST_F(AdvancedTest, AFixedBlockInTheBottomRowTakesTheNextLinesBlockAboveIt) {
    auto game = emptyBoard();
    fixRows(*game, 15, 15);
    const std::vector<Box*> stack = stackRows(*game, 13, 14);
    Box* const bottom = game->blockAt(kColumn, 15);
    game->fillNextLine();
    Box* const incoming = game->slotBlock(kColumn);
    game->pushLine();
    expectColumn(*game, 15, bottom);
    expectColumn(*game, 12, stack[0]);
    expectColumn(*game, 13, stack[1]);
    expectColumn(*game, 14, incoming);
    EXPECT_EQ(countBlocks(*game), 3 + columns);
    EXPECT_EQ(game->filledSlots(), 0);
}

TEST_F(AdvancedTest, TheGameIsLostOnlyWhenRowZeroIsStillOccupiedAfterTheSettle) {
    auto game = emptyBoard();
    // Lifted into row 0 by the push, but the cell it left below stays empty, so it drops back.
    fixRows(*game, 2, 2);
    stackRows(*game, 1, 1);
    stackRows(*game, 14, 15);
    game->pushLine();
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game->blockAt(kColumn, 0), nullptr);
    EXPECT_NE(game->blockAt(kColumn, 1), nullptr);
    // A column full up to row 1 reaches row 0 for good.
    const int linesLeft = game->linesLeft;
    for (int r = 1; r < rows; ++r) game->placeBlock(8, r, plainBlock(*game, 1 + r % 3));
    game->pushLine();
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    EXPECT_EQ(resumeState, ResumeState::Normal) << "the end is told by the state and line phase";
    EXPECT_EQ(game->linesLeft, linesLeft);  // the losing push is not counted
}

TEST_F(AdvancedTest, AGameLostWithBlocksLeftInTheTrayFreesThemOnce) {
    // Column 8 is full, so its next-line block has nowhere to go and stays in the tray; the
    // game's destructor frees it (the sanitizer build checks for leaks and double frees).
    auto game = emptyBoard();
    for (int r = 0; r < rows; ++r) game->placeBlock(8, r, plainBlock(*game, 1 + r % 3));
    game->fillNextLine();
    game->pushLine();
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_NE(game->slotBlock(8), nullptr);
    EXPECT_EQ(game->filledSlots(), 1);
    EXPECT_EQ(countBlocks(*game), rows + columns - 1);
    game.reset();
}

TEST_F(AdvancedTest, LayoutsComeInAShuffledOrderThenAtRandomNeverTwiceInARow) {
    seedRandom(77);
    const std::vector<int> first = AdvancedPuzzle::shuffledOrder(12);
    seedRandom(77);
    EXPECT_EQ(AdvancedPuzzle::shuffledOrder(12), first);
    std::vector<int> sorted = first;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 12; ++i) EXPECT_EQ(sorted[i], i + 1);
    seedRandom(78);
    EXPECT_NE(AdvancedPuzzle::shuffledOrder(12), first);
    EXPECT_TRUE(AdvancedPuzzle::shuffledOrder(0).empty());
    EXPECT_EQ(AdvancedPuzzle::shuffledOrder(1), std::vector<int>{1});

    for (int count : {3, 5, 12}) {
        int lastPick = 0;
        for (int d = 0; d < count; ++d)
            EXPECT_EQ(AdvancedPuzzle::layoutPosition(count, d, lastPick), d);
        std::set<int> seen;
        int previous = -1;
        for (int d = count; d < count + 300; ++d) {
            const int p = AdvancedPuzzle::layoutPosition(count, d, lastPick);
            EXPECT_GE(p, 1);
            EXPECT_LE(p, count - 1);
            if (previous >= 0) {
                EXPECT_NE(p, previous) << count;
            }
            previous = p;
            seen.insert(p);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), count - 1);
    }
    // One layout is always used; none gives no layout; neither reads past the order.
    int lastPick = 0;
    for (int d = 0; d < 10; ++d) EXPECT_EQ(AdvancedPuzzle::layoutPosition(1, d, lastPick), 0);
    for (int d = 0; d < 10; ++d) EXPECT_EQ(AdvancedPuzzle::layoutPosition(0, d, lastPick), -1);
}

TEST_F(AdvancedTest, TheFirstLevelHasTheStartingRowsAndTheFirstLayoutCentredOnWideBoards) {
    for (int level :
         {int(Difficulty::Normal), int(Difficulty::Hard), int(Difficulty::Impossible)}) {
        difficulty = level;
        auto game = makeMode<AdvancedPuzzle>();
        EXPECT_EQ(game->modeNumber(), GameMode::Advanced);
        const int offset = level == Difficulty::Hard ? 1 : level == Difficulty::Impossible ? 2 : 0;
        ASSERT_EQ(game->layoutOrder().size(), size_t(DataManifest::kAdvancedLevelCount));
        const LevelFiles::Layout layout =
            LevelFiles::readLayout(DataManifest::advancedLevelFile(game->layoutOrder()[0]));
        int expectedFixed = 0;
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < rows; ++r) {
                const bool fixed = layout.at(c - offset, r) == 7;
                expectedFixed += fixed ? 1 : 0;
                const Box* block = game->blockAt(c, r);
                if (fixed) {
                    ASSERT_NE(block, nullptr);
                    EXPECT_EQ(block->colour, Box::kFixed);
                } else {
                    EXPECT_EQ(block != nullptr, r >= rows - 4) << c << "," << r;
                }
            }
        }
        EXPECT_GT(expectedFixed, 0);
        EXPECT_EQ(countColour(*game, Box::kFixed), expectedFixed);
    }
}

TEST_F(AdvancedTest, TheNextLevelAddsTheNextLayoutToWhatTheFillLeft) {
    auto game = makeMode<AdvancedPuzzle>();
    game->linesLeft = 1;
    game->fillNextLine();
    game->pushLine();
    ASSERT_EQ(gameState, GameState::LevelComplete);
    int frames = 0;
    while (gameState != GameState::Playing && frames++ < 3000) game->update(30);
    ASSERT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game->levelIndex, 1);
    const LevelFiles::Layout second =
        LevelFiles::readLayout(DataManifest::advancedLevelFile(game->layoutOrder()[1]));
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (second.at(c, r) == 7) {
                ASSERT_NE(game->blockAt(c, r), nullptr);
                EXPECT_EQ(game->blockAt(c, r)->colour, Box::kFixed);
            }
    EXPECT_EQ(game->linesLeft, 31);
}

}  // namespace
}  // namespace brx
