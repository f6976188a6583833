// The board rules without GL: the score table, groups and the hover rule, the fall past fixed
// blocks, the close-up toward the middle with its arrivals at every frame step, the random spin
// choice, and a long random play that checks the board's invariants after every frame.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/Random.h"
#include "game/Board.h"
#include "game/BoardHooks.h"
#include "game/GameVariables.h"
#include "objects/Box.h"

namespace brx {
namespace {

// The base game's geometry and close-up, as Game forwards them.
class PlainHooks : public BoardHooks {
public:
    Board* board = nullptr;
    Vector3 cellPosition(int column, int row) const override {
        return {column + 0.5f - columns / 2.0f, rows / 2.0f - row - 0.5f, 0.0f};
    }
    bool columnIsOpen(int column) override { return board->columnIsOpenDefault(column); }
    int closeUpLeft(int column) override { return board->closeUpLeftDefault(column); }
    int closeUpRight(int column) override { return board->closeUpRightDefault(column); }
};

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override {
        columns = 12;
        rows = 16;
        minGroup = 3;
        gameState = GameState::Playing;
        hooks.board = &board;
        board.setCentreFromColumns();
    }

    // Puts a block of colour at (column, row).
    Box* put(int column, int row, int colour, bool bonus = false) {
        auto block = std::make_unique<Box>();
        block->colour = colour;
        block->isBonus = bonus;
        Box* raw = block.get();
        board.place(column, row, std::move(block));
        return raw;
    }

    // Fills the board from a picture: one string per row, top row first, one character per
    // column ('.' empty, digits colour ids, 'F' fixed, 'U' unmovable).
    void draw(const std::vector<std::string>& picture) {
        board.clear();
        const int top = rows - static_cast<int>(picture.size());
        for (size_t i = 0; i < picture.size(); ++i)
            for (size_t c = 0; c < picture[i].size(); ++c) {
                const char mark = picture[i][c];
                if (mark == '.') continue;
                const int colour = mark == 'F'   ? Box::kFixed
                                   : mark == 'U' ? Box::kUnmovable
                                                 : mark - '0';
                put(static_cast<int>(c), top + static_cast<int>(i), colour);
            }
    }

    // The bottom rows of the board as a picture, in the same notation.
    std::vector<std::string> picture(int rowCount) const {
        std::vector<std::string> lines;
        for (int r = rows - rowCount; r < rows; ++r) {
            std::string line;
            for (int c = 0; c < columns; ++c) {
                const Box* block = board.at(c, r);
                line += !block                             ? '.'
                        : block->colour == Box::kFixed     ? 'F'
                        : block->colour == Box::kUnmovable ? 'U'
                                                           : char('0' + block->colour);
            }
            lines.push_back(line);
        }
        return lines;
    }

    // Runs frames of stepMs until nothing moves and a close-up starts nothing new.
    int settle(int stepMs, int maxFrames = 20000) {
        int frames = 0;
        for (; frames < maxFrames; ++frames) {
            board.moveBlocks(stepMs);
            if (board.anyMoving()) continue;
            board.closeUp();
            if (!board.anyMoving()) break;
        }
        return frames;
    }

    // Every block rests at its own cell's centre and knows its cell.
    void expectAtRest() const {
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) {
                const Box* block = board.at(c, r);
                if (!block) continue;
                EXPECT_EQ(block->motion, Box::kResting) << c << "," << r;
                EXPECT_EQ(block->cell, (Box::Cell{c, r}));
                EXPECT_EQ(block->position(), hooks.cellPosition(c, r)) << c << "," << r;
            }
    }

    PlainHooks hooks;
    Board board{hooks};
};

TEST_F(BoardTest, GroupScoreFollowsTheTableAndStopsAt97) {
    EXPECT_EQ(Board::groupScore(2), 0) << "below minGroup";
    EXPECT_EQ(Board::groupScore(3), 3);
    EXPECT_EQ(Board::groupScore(10), 46);
    EXPECT_EQ(Board::groupScore(16), 142);
    EXPECT_EQ(Board::groupScore(97), 9108);
    EXPECT_EQ(Board::groupScore(98), 9108);
    EXPECT_EQ(Board::groupScore(360), 9108);
    EXPECT_EQ(Board::groupScore(0), 0);
    EXPECT_EQ(Board::groupScore(-5), 0);
    minGroup = 2;
    EXPECT_EQ(Board::groupScore(2), 1) << "Remover's pairs";
    EXPECT_EQ(Board::groupScore(1), 0);
    // The table never falls as groups grow.
    for (int n = 3; n < 100; ++n) EXPECT_GE(Board::groupScore(n + 1), Board::groupScore(n));
}

TEST_F(BoardTest, HoverSelectsTheSideConnectedGroupOfOneColour) {
    draw({"1.12",  //
          "1121",  //
          "3111"});
    bool changed = false;
    const int size = board.hover(0, 13, 1, &changed);
    EXPECT_EQ(size, 7) << "diagonal neighbours do not join";
    EXPECT_TRUE(changed);
    std::set<std::pair<int, int>> cells;
    for (const Box::Cell& cell : board.selection) cells.insert({cell.column, cell.row});
    const std::set<std::pair<int, int>> group{{0, 13}, {0, 14}, {1, 14}, {1, 15},
                                              {2, 15}, {3, 15}, {3, 14}};
    EXPECT_EQ(cells, group) << "(2,13) touches the group only at a corner";
    EXPECT_EQ(board.selection.front(), (Box::Cell{0, 13})) << "the hovered block comes first";

    // Hovering another block of the same group is no change; another group is.
    EXPECT_EQ(board.hover(1, 14, 1, &changed), 7);
    EXPECT_FALSE(changed);
    board.markSelection(true);
    EXPECT_TRUE(board.at(2, 15)->selected);
    EXPECT_TRUE(board.at(3, 14)->selected);
    EXPECT_FALSE(board.at(2, 13)->selected);
}

TEST_F(BoardTest, HoverOfBonusFixedUnmovableAndTooSmallGroups) {
    draw({"2F2U",  //
          "2112"});
    Box* bomb = put(5, 15, Box::kBlue, true);  // a colour bomb joins its colour's groups
    put(4, 15, Box::kBlue);
    put(6, 15, Box::kBlue);
    bool changed = true;

    EXPECT_EQ(board.hover(5, 15, Box::kBlue, &changed), 1) << "a bonus alone";
    EXPECT_FALSE(changed);
    board.markSelection(true);
    EXPECT_FALSE(bomb->selected) << "one block is below minGroup: nothing lights up";
    EXPECT_EQ(Board::groupScore(static_cast<int>(board.selection.size())), 0);

    EXPECT_EQ(board.hover(4, 15, Box::kBlue, &changed), 4) << "the bomb counts in a group";
    EXPECT_TRUE(changed);

    EXPECT_EQ(board.hover(1, 14, Box::kFixed, &changed), 0);
    EXPECT_TRUE(board.selection.empty());
    EXPECT_EQ(board.hover(3, 14, Box::kUnmovable, &changed), 0);
    EXPECT_TRUE(board.selection.empty());

    EXPECT_EQ(board.hover(1, 15, 1, &changed), 2) << "a pair with minGroup 3";
    EXPECT_FALSE(changed) << "no sound for a group too small to remove";
    board.markSelection(true);
    EXPECT_FALSE(board.at(1, 15)->selected);

    gameState = GameState::Intro;
    EXPECT_EQ(board.hover(0, 14, 2, &changed), 0) << "outside Playing nothing is selected";
    EXPECT_TRUE(board.selection.empty());
}

TEST_F(BoardTest, FloodFillIgnoresEmptyCellsAndTheVisitedMark) {
    draw({"11", "11"});
    board.snapshotColours();
    board.floodFill(0, 14, Board::kNoColour);  // would loop over visited cells forever
    EXPECT_TRUE(board.selection.empty());
    board.floodFill(5, 5, 1);
    EXPECT_TRUE(board.selection.empty());
    board.floodFill(-1, 40, 1);
    EXPECT_TRUE(board.selection.empty());
    board.floodFill(0, 15, 1);
    EXPECT_EQ(board.selection.size(), 4u);
}

TEST_F(BoardTest, FallPacksEachStretchDownAndFixedBlocksHoldUpWhatIsAbove) {
    draw({"1..2",  //
          "....",  //
          "F.3.",  //
          "2.F.",  //
          "....",  //
          "...."});
    const int before = board.blockCount();
    Box* high = board.at(0, 10);
    Box* low = board.at(0, 13);
    board.fall();
    EXPECT_EQ(board.at(0, 11), high) << "the grid changes at once";
    EXPECT_EQ(high->motion, Box::kFalling);
    EXPECT_EQ(high->target, hooks.cellPosition(0, 11));
    EXPECT_EQ(high->velocity, Vector3(0.0f, -0.0125f, 0.0f));
    EXPECT_EQ(board.at(0, 15), low);
    EXPECT_EQ(board.at(2, 12)->motion, Box::kResting) << "held up by the fixed block below";
    EXPECT_EQ(board.at(2, 13)->motion, Box::kResting) << "fixed blocks never fall";
    for (int frame = 0; frame < 1000 && board.anyMoving(); ++frame) board.moveBlocks(16);
    EXPECT_EQ(picture(6), (std::vector<std::string>({"............",  //
                                                     "1...........",  //
                                                     "F.3.........",  //
                                                     "..F.........",  //
                                                     "............",  //
                                                     "2..2........"})));
    EXPECT_EQ(board.blockCount(), before);
    expectAtRest();
}

TEST_F(BoardTest, CloseUpPullsTheOuterColumnsTowardTheMiddleAcrossAGap) {
    // Left half 0..5 with column 2 empty; right half 6..11 with column 9 empty.
    draw({"11.111111.11",  //
          "22.222222.22"});
    const int before = board.blockCount();
    settle(16);
    EXPECT_EQ(picture(2), (std::vector<std::string>({".1111111111.",  //
                                                     ".2222222222."})))
        << "columns 0 and 1 move one to the right, 10 and 11 one to the left";
    EXPECT_EQ(board.blockCount(), before);
    expectAtRest();
}

TEST_F(BoardTest, AFixedBlockStopsTheCloseUpOfTheColumnsBeyondIt) {
    draw({"1.....",  //
          "1F.2..",  //
          "1F.2.."});
    settle(16);
    // The blues close up to the middle; column 1 stands on fixed blocks, so the stack
    // beyond it stays where it is.
    EXPECT_EQ(picture(3), (std::vector<std::string>({"1...........",  //
                                                     "1F...2......",  //
                                                     "1F...2......"})));
}

TEST_F(BoardTest, ArrivalsNeverOverwriteABlockAtAnyFrameStep) {
    for (int step = 1; step <= 100; ++step) {
        // A full left half but for column 3: three columns slide at once.
        board.clear();
        for (int c = 0; c <= board.centreLeft; ++c) {
            if (c == 3) continue;
            for (int r = 0; r < rows; ++r) put(c, r, 1 + (c + r) % 5);
        }
        const int before = board.blockCount();
        std::multiset<int> coloursBefore;
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (board.at(c, r)) coloursBefore.insert(board.at(c, r)->colour * 100 + r);
        settle(step);
        ASSERT_EQ(board.blockCount(), before) << "frame step " << step << " ms";
        std::multiset<int> coloursAfter;
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (board.at(c, r)) coloursAfter.insert(board.at(c, r)->colour * 100 + r);
        EXPECT_EQ(coloursAfter, coloursBefore) << "each block kept its row, step " << step;
        for (int r = 0; r < rows; ++r) EXPECT_EQ(board.at(0, r), nullptr) << "step " << step;
        expectAtRest();
    }
}

TEST_F(BoardTest, AWaitingArrivalKeepsTheBoardMoving) {
    put(2, 15, 1);
    Box* outer = put(1, 15, 2);
    board.snapshotCloseGrid();
    board.startSlide({2, 15}, {3, 15});
    board.startSlide({1, 15}, {2, 15});
    // The outer block is faster, so it arrives while its new cell is still held.
    outer->velocity = {1.0f, 0.0f, 0.0f};
    board.at(2, 15)->velocity = {0.001f, 0.0f, 0.0f};
    board.moveBlocks(10);
    EXPECT_EQ(board.at(1, 15), outer) << "it waits in its old cell";
    EXPECT_TRUE(board.anyMoving());
    EXPECT_EQ(board.blockCount(), 2);
    board.at(2, 15)->velocity = {1.0f, 0.0f, 0.0f};
    board.moveBlocks(10);
    EXPECT_EQ(board.at(2, 15), outer);
    EXPECT_NE(board.at(3, 15), nullptr);
    EXPECT_FALSE(board.anyMoving());
}

TEST_F(BoardTest, SpinCandidateSkipsBonusesFixedAndUnmovableBlocks) {
    draw({"1F",  //
          "U2"});
    put(3, 15, 3, true);
    // Visit order: (0,14)=1, (0,15)=U, (1,14)=F, (1,15)=2, (3,15)=bonus.
    EXPECT_EQ(board.spinCandidate(0), board.at(0, 14));
    EXPECT_EQ(board.spinCandidate(1), board.at(1, 15)) << "k runs down over every block";
    EXPECT_EQ(board.spinCandidate(3), board.at(1, 15));
    EXPECT_EQ(board.spinCandidate(4), nullptr) << "only the bonus is left";
    EXPECT_EQ(board.spinCandidate(-3), board.at(0, 14));
}

TEST_F(BoardTest, PickFindsTheFirstBlockTheRayHitsColumnByColumn) {
    draw({"12", "34"});
    for (int c = 0; c < 2; ++c)
        for (int r = 14; r < 16; ++r)
            board.at(c, r)->setBoxFromCorners({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    const Vector3 target = hooks.cellPosition(1, 15);
    const Board::Cell hit = board.pick(target + Vector3(0, 0, 20), {0, 0, -1});
    EXPECT_EQ(hit, (Box::Cell{1, 15}));
    const Board::Cell miss = board.pick({100, 100, 20}, {0, 0, -1});
    EXPECT_EQ(miss, (Box::Cell{-1, -1}));
}

// A long random play on the board alone: hover a random cell, remove the group when it is big
// enough, let blocks fall and close up, with random frame steps. Every frame: blocks are only
// ever in one cell, none vanish except those removed, and the resting ones sit where they
// belong.
TEST_F(BoardTest, RandomPlayKeepsEveryBlockAccountedFor) {
    for (int size = 0; size < 3; ++size) {
        columns = 12 + 2 * size;
        rows = size == 2 ? 18 : 16;
        board.setCentreFromColumns();
        seedRandom(1234u + size);
        board.clear();
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r) {
                const int roll = random(0, 40);
                put(c, r, roll == 0 ? Box::kFixed : 1 + roll % 5);
            }
        int expected = board.blockCount();
        for (int frame = 0; frame < 4000; ++frame) {
            board.moveBlocks(random(1, 100));
            if (!board.anyMoving()) {
                board.closeUp();
                const int column = random(0, columns - 1);
                const int row = random(0, rows - 1);
                if (Box* block = board.at(column, row)) {
                    board.hover(column, row, block->colour, nullptr);
                    if (static_cast<int>(board.selection.size()) >= minGroup) {
                        for (const Box::Cell& cell : board.selection)
                            board.take(cell.column, cell.row);
                        expected -= static_cast<int>(board.selection.size());
                        board.selection.clear();
                        board.fall();
                    }
                }
            }
            ASSERT_EQ(board.blockCount(), expected) << "frame " << frame;
            std::set<const Box*> seen;
            for (int c = 0; c < columns; ++c)
                for (int r = 0; r < rows; ++r) {
                    const Box* block = board.at(c, r);
                    if (!block) continue;
                    ASSERT_TRUE(seen.insert(block).second);
                    if (block->motion == Box::kResting) {
                        ASSERT_EQ(block->position(), hooks.cellPosition(c, r));
                        ASSERT_EQ(block->cell, (Box::Cell{c, r}));
                    }
                }
        }
        settle(16);
        expectAtRest();
    }
}

}  // namespace
}  // namespace brx
