#include "game/PuzzleSolver.h"

#include <gtest/gtest.h>

#include "core/Random.h"

namespace brx {
namespace {

PuzzleBoard bottomRows(const std::vector<std::vector<int>>& rows) {
    std::vector<int> values(PuzzleBoard::kCells, 0);
    const int first = PuzzleBoard::kRows - static_cast<int>(rows.size());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            values[(first + r) * PuzzleBoard::kColumns + c] = rows[r][c];
    return PuzzleBoard(values);
}

TEST(PuzzleSolver, FindsTheOrderThatJoinsASplitColour) {
    // The two red pairs only meet once the greens between them are gone.
    const PuzzleBoard board = bottomRows({
        {0, 0, 0, 0, 1, 3, 1, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 1, 3, 1, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 2, 3, 2, 2, 0, 0, 0, 0},
    });
    const PuzzleSolution solution = PuzzleSolver().solve(board);
    ASSERT_TRUE(solution.solved);
    EXPECT_TRUE(PuzzleSolver::replay(board, solution.clicks));
    EXPECT_GE(solution.clicks.size(), 3u);
}

TEST(PuzzleSolver, ReportsBoardsThatCannotBeCleared) {
    const PuzzleBoard pairs = bottomRows({{0, 0, 0, 0, 1, 1, 2, 2, 2, 0, 0, 0}});
    EXPECT_TRUE(PuzzleSolver::isHopeless(pairs));
    EXPECT_FALSE(PuzzleSolver().solve(pairs).solved);
    const PuzzleBoard unmovable = bottomRows({{0, 0, 0, 0, 19, 16, 2, 0, 0, 0, 0, 0}});
    EXPECT_TRUE(PuzzleSolver::isHopeless(unmovable));
    const PuzzleBoard bombed = bottomRows({{0, 0, 0, 0, 19, 10, 2, 0, 0, 0, 0, 0}});
    EXPECT_FALSE(PuzzleSolver::isHopeless(bombed));
    EXPECT_TRUE(PuzzleSolver().solve(bombed).solved);
}

TEST(PuzzleSolver, ReplayRejectsClicksThatDoNothing) {
    const PuzzleBoard board = bottomRows({{0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, 0}});
    EXPECT_TRUE(PuzzleSolver::replay(board, {{5, 15}}));
    EXPECT_FALSE(PuzzleSolver::replay(board, {{0, 15}, {5, 15}}));
    EXPECT_FALSE(PuzzleSolver::replay(board, {}));
}

TEST(PuzzleSolver, FlatMoveListRoundTrips) {
    const std::vector<PuzzleCell> clicks = {{5, 15}, {0, 3}, {11, 0}};
    const std::vector<int> flat = PuzzleSolver::flatten(clicks);
    EXPECT_EQ(flat, (std::vector<int>{5, 15, 0, 3, 11, 0}));
    EXPECT_EQ(PuzzleSolver::unflatten(flat), clicks);
}

TEST(PuzzleSolver, PlayoutsTellForgivingFromDemandingBoards) {
    seedRandom(3);
    const PuzzleBoard single = bottomRows({{0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, 0}});
    EXPECT_DOUBLE_EQ(PuzzleSolver::playoutSuccess(single, 20), 1.0);
    const PuzzleBoard stuck = bottomRows({{0, 0, 0, 0, 3, 3, 1, 0, 0, 0, 0, 0}});
    EXPECT_DOUBLE_EQ(PuzzleSolver::playoutSuccess(stuck, 20), 0.0);
}

}  // namespace
}  // namespace brx
