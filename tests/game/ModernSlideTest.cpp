// Modern's slide toward the middle on boards with gaps: every row ends packed against the two
// middle columns in its original order, nothing crosses between them, no block is lost at any
// frame step, stacks that already lean inward stay put, and everything else goes as in Classic.
#include <algorithm>

#include "objects/PathSet.h"
#include "objects/SplineTrail.h"
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

// What a line mode shows after each step: the board, the next line, lines left, state, score.
std::string snapshot(const BrixelGame& game) {
    std::string text = picture(game) + "next ";
    for (int i = 0; i < columns; ++i) {
        const Box* block = game.slotBlock(i);
        text += block ? std::to_string(block->colour) + " " : std::string(". ");
    }
    return text + "lines " + std::to_string(game.linesLeft) + " state " +
           std::to_string(gameState) + " score " + std::to_string(game.score());
}

// A game from a seed, left to itself at a quick pace, then pushed until it is lost. The run-wide
// trail draws from the generator when it starts; `trailStarted` tells whether it did.
template <class Mode>
std::vector<std::string> playAlone(Mode& game, bool& trailStarted) {
    game.speedTable = {40};  // a block every frame: a line every dozen frames
    SplineTrail::instance().stop();
    std::vector<std::string> steps;
    for (int frame = 0; frame < 90; ++frame) {
        game.update(50);
        trailStarted = trailStarted || SplineTrail::instance().isRunning();
        steps.push_back(snapshot(game));
    }
    for (int push = 0; push < 20 && gameState != GameState::GameOver; ++push) {
        game.fillNextLine();
        game.pushLine();
        steps.push_back(snapshot(game));
    }
    return steps;
}

TEST_F(ModernSlide, ModernKeepsClassicsEverythingElse) {
    // Full rows never slide, so from one seed both modes must go exactly the same way: the
    // same board, next lines, bonuses, pace, pushes, line count and end. The trail is run-wide
    // and draws from the generator too, when it starts; two starts are at least 10 s apart. So
    // the game time runs on until it starts (seen with the paths loaded), and both games play
    // in the quiet time after.
    struct LoadedPaths {
        LoadedPaths() { PathSet::instance().loadAll(); }
        ~LoadedPaths() {
            SplineTrail::instance().stop();
            PathSet::instance().releaseAll();
        }
    } paths;
    testkit::OpenClassic& idle = start<testkit::OpenClassic>(1);
    holdStill(idle);
    bool started = false;
    for (int frame = 0; frame < 1000 && !started; ++frame) {
        SplineTrail::instance().stop();
        idle.update(100);
        started = SplineTrail::instance().isRunning();
    }
    ASSERT_TRUE(started);
    games.clear();
    bool trailStarted = false;
    const std::vector<std::string> classic =
        playAlone(start<testkit::OpenClassic>(1, 9), trailStarted);
    games.clear();
    OpenModern& game = start<OpenModern>(1, 9);
    EXPECT_EQ(game.modeNumber(), GameMode::Modern);
    const std::vector<std::string> modern = playAlone(game, trailStarted);
    ASSERT_FALSE(trailStarted) << "the comparison ran longer than the trail keeps quiet";
    EXPECT_EQ(gameState, GameState::GameOver);
    ASSERT_EQ(modern.size(), classic.size());
    for (size_t i = 0; i < classic.size(); ++i) ASSERT_EQ(modern[i], classic[i]) << "step " << i;
}

TEST_F(ModernSlide, StacksThatAlreadyLeanInwardStayPutThoughEveryRowHasGaps) {
    // Heights rise toward the two middle columns: no block has an empty inner neighbour, while
    // every row but the bottom one has empty cells at its outer ends.
    OpenModern& game = start<OpenModern>(1);
    holdStill(game);
    const std::vector<std::string> stacks = {"1",      "23",    "312",  "1231", "23123", "312312",
                                             "123123", "23123", "3123", "123",  "23",    "3"};
    buildStacks(game, stacks);
    const std::string before = picture(game);
    for (int frame = 0; frame < 20; ++frame) {
        game.update(30);
        ASSERT_FALSE(game.anyMoving()) << "frame " << frame;
    }
    EXPECT_EQ(picture(game), before);
}

}  // namespace
}  // namespace brx
