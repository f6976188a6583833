#include "tools/data/PuzzleBuilder.h"

#include <gtest/gtest.h>

#include "core/Random.h"
#include "game/PuzzleSolver.h"

namespace brx::tools {
namespace {

TEST(PuzzleBuilder, EveryStepKindBuildsProvenPuzzles) {
    const PuzzleStep kinds[] = {PuzzleStep::Group,        PuzzleStep::ColourBomb,
                                PuzzleStep::RowRemover,   PuzzleStep::ColumnRemover,
                                PuzzleStep::CrossRemover, PuzzleStep::BigBomb};
    for (PuzzleStep kind : kinds) {
        seedRandom(11 + static_cast<uint32_t>(kind));
        PuzzleRecipe recipe;
        recipe.colours = 4;
        recipe.steps = 8;
        recipe.maxHeight = 11;
        recipe.unmovablePercent = 40;
        recipe.weights[1] = recipe.weights[2] = recipe.weights[3] = 10;
        recipe.weights[4] = recipe.weights[5] = 10;
        recipe.required = {kind};
        BuiltPuzzle built;
        bool ok = false;
        for (int attempt = 0; attempt < 20 && !ok; ++attempt)
            ok = PuzzleBuilder(recipe).build(built);
        ASSERT_TRUE(ok) << static_cast<int>(kind);
        EXPECT_TRUE(built.board.isSettled());
        EXPECT_FALSE(built.board.isSolved());
        EXPECT_TRUE(PuzzleSolver::replay(built.board, built.solution));
        EXPECT_EQ(static_cast<int>(built.solution.size()), built.steps);
    }
}

TEST(PuzzleBuilder, FixedBlocksStayInTheSolvedBoard) {
    seedRandom(5);
    PuzzleRecipe recipe;
    recipe.steps = 6;
    recipe.fixedBlocks = 3;
    BuiltPuzzle built;
    bool ok = false;
    for (int attempt = 0; attempt < 20 && !ok; ++attempt) ok = PuzzleBuilder(recipe).build(built);
    ASSERT_TRUE(ok);
    EXPECT_EQ(built.board.countValue(PuzzleBoard::kFixed), 3);
    PuzzleBoard end = built.board;
    for (const PuzzleCell& click : built.solution) ASSERT_TRUE(end.click(click.column, click.row));
    EXPECT_TRUE(end.isSolved());
    EXPECT_EQ(end.countBlocks(), 3);
}

}  // namespace
}  // namespace brx::tools
