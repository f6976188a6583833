// One frame's rule work on a full 16 x 18 board of 288 blocks: the motion step of every
// block, the idle test and close-up pass, the pick of the block under the pointer among all
// of them and the group rule with its flood fill; once with random colours and once with one
// colour (the fill then visits every cell).
#include <benchmark/benchmark.h>

#include <memory>

#include "core/Random.h"
#include "game/Board.h"
#include "game/BoardHooks.h"
#include "game/GameVariables.h"
#include "objects/Box.h"

namespace {

class BenchHooks : public brx::BoardHooks {
public:
    brx::Board* board = nullptr;
    brx::Vector3 cellPosition(int column, int row) const override {
        return {column + 0.5f - brx::columns / 2.0f, brx::rows / 2.0f - row - 0.5f, 0.0f};
    }
    bool columnIsOpen(int column) override { return board->columnIsOpenDefault(column); }
    int closeUpLeft(int column) override { return board->closeUpLeftDefault(column); }
    int closeUpRight(int column) override { return board->closeUpRightDefault(column); }
};

void fillBoard(brx::Board& board, bool oneColour) {
    brx::seedRandom(11u);
    for (int c = 0; c < brx::columns; ++c)
        for (int r = 0; r < brx::rows; ++r) {
            auto block = std::make_unique<brx::Box>();
            block->colour = oneColour ? brx::Box::kRed : brx::random(1, 5);
            block->setBoxFromCorners({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
            board.place(c, r, std::move(block));
        }
}

void frameRuleWork(benchmark::State& state) {
    brx::columns = 16;
    brx::rows = 18;
    brx::minGroup = 3;
    brx::gameState = brx::GameState::Playing;
    BenchHooks hooks;
    brx::Board board(hooks);
    hooks.board = &board;
    board.setCentreFromColumns();
    fillBoard(board, state.range(0) != 0);
    // The pointer sits over the last column's bottom block, seen from the game's camera.
    const brx::Vector3 eye(0.0f, 0.0f, 25.0f);
    const brx::Vector3 direction = (hooks.cellPosition(15, 17) - eye).normalized();
    for (auto _ : state) {
        board.moveBlocks(16);
        if (!board.anyMoving()) board.closeUp();
        const brx::Board::Cell hit = board.pick(eye, direction);
        if (hit.column >= 0)
            board.hover(hit.column, hit.row, board.at(hit.column, hit.row)->colour, nullptr);
        board.markSelection(true);
        benchmark::DoNotOptimize(board.selection.data());
    }
    state.counters["group"] = double(board.selection.size());
}
BENCHMARK(frameRuleWork)->Arg(0)->Arg(1)->ArgNames({"oneColour"});

}  // namespace
