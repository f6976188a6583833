// Modern's slide toward the middle on boards with gaps: every row ends packed against the two
// middle columns in its original order, nothing crosses between them, and no block is lost
// at any frame step.
#include <algorithm>

#include "tests/game/ClassicTestKit.h"

namespace brx {
namespace {

using testkit::OpenModern;
using testkit::picture;
using testkit::put;

class ModernSlide : public testkit::LineModeGL {};

// Stacks resting on the bottom, by column: heights and colours from the bottom up.
void buildStacks(Game& game, const std::vector<std::string>& stacks) {
    game.clearBoard();
    for (int c = 0; c < int(stacks.size()) && c < columns; ++c)
        for (int i = 0; i < int(stacks[c].size()); ++i)
            put(game, c, rows - 1 - i, stacks[c][i] - '0');
}

// The board once every row is packed toward the middle, each half keeping its order.
std::string packedTowardTheMiddle(const std::string& board, int centreLeft) {
    std::string result;
    const int width = columns + 1;
    for (int r = 0; r < rows; ++r) {
        const std::string row = board.substr(size_t(r * width), size_t(columns));
        std::string left, right;
        for (int c = 0; c < columns; ++c) {
            if (row[c] == '.') continue;
            (c <= centreLeft ? left : right) += row[c];
        }
        result += std::string(size_t(centreLeft + 1) - left.size(), '.') + left + right +
                  std::string(size_t(columns - centreLeft - 1) - right.size(), '.') + '\n';
    }
    return result;
}

// Blocks in the left half and the right half; checks that no block slides toward the edge or
// further than the next column.
std::pair<int, int> countHalves(const Game& game) {
    int left = 0, right = 0;
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Box* block = game.blockAt(c, r);
            if (!block) continue;
            const bool inLeft = c <= game.centreLeft;
            (inLeft ? left : right) += 1;
            if (block->motion == Box::kSlidingRight) {
                EXPECT_TRUE(inLeft) << c << "," << r;
                EXPECT_LT(c, game.centreLeft);
                EXPECT_EQ(block->cell, (Box::Cell{c + 1, r}));
            }
            if (block->motion == Box::kSlidingLeft) {
                EXPECT_FALSE(inLeft) << c << "," << r;
                EXPECT_GT(c, game.centreLeft + 1);
                EXPECT_EQ(block->cell, (Box::Cell{c - 1, r}));
            }
        }
    }
    return {left, right};
}

TEST_F(ModernSlide, BlocksSlideIntoEmptyInnerCellsUntilEveryRowIsPackedAtEveryFrameStep) {
    // Easy: 12 columns, the middle between columns 5 and 6.
    const std::vector<std::string> stacks = {"123", "2",  "", "3121", "",     "1",
                                             "",    "22", "", "31",   "1232", "2"};
    for (int step : {1, 7, 16, 33, 50, 64, 81, 100}) {
        SCOPED_TRACE(step);
        OpenModern& game = start<OpenModern>(0);
        holdStill(game);
        buildStacks(game, stacks);
        const std::string before = picture(game);
        const auto halves = countHalves(game);
        int frames = 0;
        do {
            game.update(step);
            EXPECT_EQ(countHalves(game), halves);
        } while ((game.anyMoving() || frames < 3) && ++frames < 5000);
        testkit::settle(game, step);
        EXPECT_EQ(picture(game), packedTowardTheMiddle(before, game.centreLeft));
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (const Box* block = game.blockAt(c, r)) {
                    EXPECT_EQ(block->position(), game.cellPosition(c, r));
                    EXPECT_EQ(block->cell, (Box::Cell{c, r}));
                }
        games.clear();
    }
}

TEST_F(ModernSlide, AColumnThatIsNotEmptyStillLendsItsTopBlocksToALowerInnerNeighbour) {
    OpenModern& game = start<OpenModern>(3);  // 16 columns, middle between 7 and 8
    holdStill(game);
    std::vector<std::string> stacks(static_cast<size_t>(columns));
    stacks[6] = "1111";
    stacks[7] = "2";
    stacks[8] = "3";
    stacks[9] = "5555";
    buildStacks(game, stacks);
    ASSERT_TRUE(testkit::settle(game, 20));
    // Three blocks moved inward on each side, the bottom ones stayed.
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(game.blockAt(7, rows - 1 - i), nullptr) << i;
        EXPECT_NE(game.blockAt(8, rows - 1 - i), nullptr) << i;
    }
    EXPECT_EQ(game.blockAt(6, rows - 1)->colour, 1);
    EXPECT_EQ(game.blockAt(6, rows - 2), nullptr);
    EXPECT_EQ(game.blockAt(9, rows - 1)->colour, 5);
    EXPECT_EQ(game.blockAt(9, rows - 2), nullptr);
    EXPECT_EQ(game.blockAt(7, rows - 4)->colour, 1);
    EXPECT_EQ(game.blockAt(8, rows - 4)->colour, 5);
    EXPECT_EQ(game.board.blockCount(), 10);
}

TEST_F(ModernSlide, ModernKeepsClassicsEverythingElse) {
    OpenModern& game = start<OpenModern>(1, 9);
    EXPECT_EQ(game.modeNumber(), GameMode::Modern);
    EXPECT_EQ(game.linesLeft, 25);
    for (int c = 0; c < columns; ++c) EXPECT_TRUE(game.columnIsOpen(c));
    // The starting rows are already packed: nothing slides.
    const std::string before = picture(game);
    holdStill(game);
    ASSERT_TRUE(testkit::settle(game, 30));
    EXPECT_EQ(picture(game), before);
}

}  // namespace
}  // namespace brx
