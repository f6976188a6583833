// The puzzle board plays by the game's own board rules: random boards played by random moves
// never gain, lose or duplicate a block beyond what the move removes, fixed blocks never move,
// every click leaves a settled board, and the group a click removes is the one the game's
// hover selects.
#include <gtest/gtest.h>

#include "core/Random.h"
#include "game/PuzzleBoard.h"

namespace brx {
namespace {

// A board of random stacks from the bottom: colours 1..4, now and then a fixed block, an
// unmovable block or a bonus.
PuzzleBoard randomBoard() {
    static const int kSpecials[] = {7, 10, 11, 12, 16, 17, 18, 19};
    PuzzleBoard board;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
        const int height = random(0, 12);
        for (int r = PuzzleBoard::kRows - height; r < PuzzleBoard::kRows; ++r)
            board.put(c, r, random(0, 19) == 0 ? kSpecials[random(0, 7)] : random(1, 4));
    }
    board.fall();
    board.settle();
    return board;
}

std::vector<PuzzleCell> fixedCells(const PuzzleBoard& board) {
    std::vector<PuzzleCell> cells;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c)
        for (int r = 0; r < PuzzleBoard::kRows; ++r)
            if (board.at(c, r) == PuzzleBoard::kFixed) cells.push_back({c, r});
    return cells;
}

TEST(PuzzleBoardRules, RandomPlayConservesBlocksKeepsFixedBlocksAndSettlesEveryClick) {
    seedRandom(515);
    int clicks = 0;
    for (int game = 0; game < 60; ++game) {
        PuzzleBoard board = randomBoard();
        const std::vector<PuzzleCell> fixed = fixedCells(board);
        for (std::vector<PuzzleCell> moves = board.moves(); !moves.empty(); moves = board.moves()) {
            const PuzzleCell move = moves[random(0, static_cast<int>(moves.size()) - 1)];
            const bool bonus = PuzzleBoard::isBonus(board.at(move.column, move.row));
            const std::vector<PuzzleCell> group = board.selectionAt(move.column, move.row);
            const int before = board.countBlocks();
            ASSERT_TRUE(board.click(move.column, move.row));
            ++clicks;
            if (!bonus) {
                ASSERT_GE(group.size(), 3u);
                EXPECT_EQ(board.countBlocks(), before - static_cast<int>(group.size()));
            } else {
                EXPECT_LT(board.countBlocks(), before);
            }
            EXPECT_TRUE(board.isSettled());
            EXPECT_EQ(fixedCells(board), fixed);
        }
        EXPECT_TRUE(board.isSolved() || board.isStuck());
    }
    EXPECT_GT(clicks, 200);
}

TEST(PuzzleBoardRules, ASelectionIsTheSideConnectedGroupAndBonusesStandAlone) {
    PuzzleBoard board;
    // Row 15: 1 1 2 1 ; row 14: 1 above the first, 13 (blue bomb) above the third.
    board.put(0, 15, 1);
    board.put(1, 15, 1);
    board.put(2, 15, 2);
    board.put(3, 15, 1);
    board.put(0, 14, 1);
    board.put(2, 14, 12);
    EXPECT_EQ(board.selectionAt(1, 15).size(), 3u);  // (3, 15) is cut off by blue
    EXPECT_EQ(board.selectionAt(2, 14), (std::vector<PuzzleCell>{{2, 14}}));
    EXPECT_EQ(board.selectionAt(2, 15).size(), 2u);  // the blue bomb joins blue
    EXPECT_TRUE(board.selectionAt(5, 5).empty());
}

}  // namespace
}  // namespace brx
