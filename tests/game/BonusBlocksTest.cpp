// What each bonus destroys on a real Classic board: the big bomb's rounded area (fixed blocks
// stay, the board's edge clips it), the colour bomb's colour everywhere, the line removers'
// lines by current position (falling blocks included, fixed and unmovable spared), one point
// per block, and the effects each one starts.
#include "game/Bonus.h"
#include "game/BonusChooser.h"
#include "game/ColorBomb.h"
#include "objects/BigBomb.h"
#include "objects/BoxExplosion.h"
#include "objects/HVExplosion.h"
#include "objects/SuperBomb.h"
#include "tests/game/ClassicTestKit.h"

namespace brx {
namespace {

using testkit::OpenClassic;
using testkit::put;
using testkit::putBonus;

class BonusBlocks : public testkit::LineModeGL {
protected:
    // An Easy Classic game whose whole board is full of plain blocks (colours by cell).
    OpenClassic& fullBoard() {
        OpenClassic& game = start<OpenClassic>(0, 3);
        holdStill(game);
        game.clearBoard();
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) put(game, c, r, 1 + (c + r) % 3);
        return game;
    }
    // Fires the bonus in a cell the way a click does, through the game's own rule.
    static void fire(Game& game, int column, int row) {
        game.selection = {{column, row}};
        game.click();
    }
    // Effects of a class among the running ones.
    template <class Effect>
    static int countEffects() {
        int count = 0;
        EffectList& list = EffectList::instance();
        for (size_t i = 0; i < list.size(); ++i)
            count += dynamic_cast<Effect*>(&list.at(i)) != nullptr;
        return count;
    }
};

TEST_F(BonusBlocks, TheBigBombClearsItsRoundedAreaButNotFixedBlocks) {
    OpenClassic& game = fullBoard();
    const int column = 5, row = 8;
    Box& bomb = putBonus(game, column, row, BonusChooser::kBigBomb);
    game.placeBlock(column - 2, row + 1, game.prototypes().cloneBlock(BlockPrototypes::kFixedKey));
    putBonus(game, column + 1, row - 3, BonusChooser::kUnmovable);
    putBonus(game, column + 3, row, BonusChooser::kRowRemover);
    const int scoreBefore = game.score();
    bomb.game = &game;
    bomb.activate();
    int launched = 0;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const int dc = c - column, dr = r - row;
            const bool inArea =
                std::abs(dc) <= 4 && std::abs(dr) <= 4 && Bonus::kPattern[dc + 4][dr + 4] == 1;
            const Box* block = game.blockAt(c, r);
            if (c == column - 2 && r == row + 1) {
                EXPECT_NE(block, nullptr);  // fixed
            } else if (inArea) {
                EXPECT_EQ(block, nullptr) << c << "," << r;
                ++launched;
            } else {
                EXPECT_NE(block, nullptr) << c << "," << r;
            }
        }
    }
    EXPECT_EQ(launched, 59);  // 60 cells but one fixed
    EXPECT_EQ(game.blockAt(column, row), &bomb);
    EXPECT_EQ(game.score() - scoreBefore, launched);
    EXPECT_EQ(int(game.flyingBlocks().size()), launched);
    EXPECT_TRUE(game.shaking());
    EXPECT_EQ(countEffects<SuperBomb>(), 1);
    for (const auto& flying : game.flyingBlocks()) EXPECT_EQ(flying->motion, Box::kFlyingAway);
}

TEST_F(BonusBlocks, TheBigBombPatternIsSymmetricAndCoversSixtyCells) {
    int covered = 0;
    for (int i = 0; i < Bonus::kSpan; ++i)
        for (int j = 0; j < Bonus::kSpan; ++j) {
            covered += Bonus::kPattern[i][j];
            EXPECT_EQ(Bonus::kPattern[i][j], Bonus::kPattern[j][i]);
            EXPECT_EQ(Bonus::kPattern[i][j], Bonus::kPattern[Bonus::kSpan - 1 - i][j]);
        }
    EXPECT_EQ(covered, 60);
    EXPECT_EQ(Bonus::kPattern[4][4], 0);
}

TEST_F(BonusBlocks, ABigBombInACornerClearsOnlyWhatLiesOnTheBoardAndGoesItself) {
    OpenClassic& game = fullBoard();
    putBonus(game, 0, rows - 1, BonusChooser::kBigBomb);
    const int before = game.board.blockCount();
    fire(game, 0, rows - 1);
    // Quarter of the pattern: dc 0..4, dr -4..0 without the centre.
    int expected = 0;
    for (int dc = 0; dc <= 4; ++dc)
        for (int dr = -4; dr <= 0; ++dr) expected += Bonus::kPattern[dc + 4][dr + 4];
    EXPECT_EQ(before - game.board.blockCount(), expected + 1);  // and the bomb, deleted
    EXPECT_EQ(game.score(), expected);
    EXPECT_TRUE(game.selection.empty());
}

TEST_F(BonusBlocks, AColourBombTakesItsColourEverywhereItselfAndOtherBombsIncluded) {
    OpenClassic& game = fullBoard();
    Box& bomb = putBonus(game, 2, 10, 10 + Box::kGreen);
    putBonus(game, 9, 3, 10 + Box::kGreen);
    putBonus(game, 7, 7, 10 + Box::kRed);
    int greens = 0;
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) greens += game.blockAt(c, r)->colour == Box::kGreen;
    const int total = game.board.blockCount();
    bomb.game = &game;
    bomb.activate();
    EXPECT_EQ(game.board.blockCount(), total - greens);
    EXPECT_EQ(game.score(), greens);
    EXPECT_EQ(game.blockAt(2, 10), nullptr);
    EXPECT_EQ(game.blockAt(9, 3), nullptr);
    EXPECT_NE(game.blockAt(7, 7), nullptr);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r)
            if (const Box* block = game.blockAt(c, r)) {
                EXPECT_NE(block->colour, Box::kGreen);
            }
    ASSERT_EQ(countEffects<BigBomb>(), 1);
    const Rgba tint = EffectList::instance().at(0).tint;
    const Rgba green = ColorBomb::burstTint(Box::kGreen);
    EXPECT_EQ(tint.g, green.g);
    EXPECT_EQ(tint.r, green.r);
}

TEST_F(BonusBlocks, ARowRemoverTakesFallingBlocksThroughItsRowAndSparesFixedOnes) {
    OpenClassic& game = start<OpenClassic>(0, 4);
    holdStill(game);
    game.clearBoard();
    const int row = 10;
    const float lineY = game.cellPosition(0, row).y;
    Box& remover = putBonus(game, 3, row, BonusChooser::kRowRemover);
    put(game, 0, row, Box::kRed);
    put(game, 11, row, Box::kBlue);
    game.placeBlock(5, row, game.prototypes().cloneBlock(BlockPrototypes::kFixedKey));
    putBonus(game, 6, row, BonusChooser::kUnmovable);
    // Falling toward lower cells, caught passing through the row.
    Box& passing = put(game, 7, 13, Box::kGreen);
    passing.motion = Box::kFalling;
    passing.setPosition({passing.position().x, lineY + 0.1f, 0.0f});
    Box& above = put(game, 8, 13, Box::kGreen);
    above.motion = Box::kFalling;
    above.setPosition({above.position().x, lineY + 0.2f, 0.0f});
    // Assigned to the row but still well above it.
    Box& late = put(game, 9, row, Box::kRed);
    late.motion = Box::kFalling;
    late.setPosition({late.position().x, lineY + 0.5f, 0.0f});
    put(game, 3, row + 1, Box::kRed);  // under the remover
    remover.game = &game;
    remover.activate();
    EXPECT_EQ(game.blockAt(3, row), nullptr);
    EXPECT_EQ(game.blockAt(0, row), nullptr);
    EXPECT_EQ(game.blockAt(11, row), nullptr);
    EXPECT_EQ(game.blockAt(7, 13), nullptr);
    EXPECT_NE(game.blockAt(5, row), nullptr);
    EXPECT_NE(game.blockAt(6, row), nullptr);
    EXPECT_NE(game.blockAt(8, 13), nullptr);
    EXPECT_NE(game.blockAt(9, row), nullptr);
    EXPECT_NE(game.blockAt(3, row + 1), nullptr);
    EXPECT_EQ(game.score(), 4);  // the remover, two on the row, one passing through
    EXPECT_EQ(countEffects<HVExplosion>(), 1);
    EXPECT_EQ(countEffects<BoxExplosion>(), 4);
    EXPECT_FALSE(game.shaking());
}

TEST_F(BonusBlocks, AColumnRemoverAndACrossRemoverFollowTheirLines) {
    OpenClassic& game = fullBoard();
    putBonus(game, 4, 6, BonusChooser::kColumnRemover);
    put(game, 4, 2, Box::kFixed);  // a colour id only: still a plain block of colour 7
    game.placeBlock(4, 9, game.prototypes().cloneBlock(BlockPrototypes::kFixedKey));
    const int before = game.board.blockCount();
    fire(game, 4, 6);
    EXPECT_EQ(before - game.board.blockCount(), rows - 2);
    EXPECT_NE(game.blockAt(4, 9), nullptr);
    EXPECT_EQ(game.score(), rows - 2);
    games.clear();
    EffectList::instance().clear();

    OpenClassic& cross = fullBoard();
    putBonus(cross, 6, 5, BonusChooser::kCrossRemover);
    const int all = cross.board.blockCount();
    fire(cross, 6, 5);
    EXPECT_EQ(all - cross.board.blockCount(), rows + columns - 1);
    EXPECT_EQ(cross.score(), rows + columns - 1);
    EXPECT_EQ(countEffects<HVExplosion>(), 2);
    EXPECT_EQ(countEffects<BoxExplosion>(), rows + columns - 1);
}

}  // namespace
}  // namespace brx
