// Frames per second of a full 16 x 18 Classic game drawn as fast as the machine allows: the real
// start-up in the benchmark's own window, then a Classic game on "Impossible" whose board is
// kept full to the top. With effects, a group is clicked away every 20 frames, so blocks fly
// off, fall and close up while the score texts and effects run; still, nothing moves. Swap
// pacing is off and every frame is drawn (a still game would otherwise skip its frames). The
// still board is measured once more with the block symbols on.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "app/OBrixel.h"
#include "core/Random.h"
#include "core/SystemSettings.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "platform/Platform.h"
#include "screens/GameFactory.h"
#include "screens/SelectGame.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kFrameMs = 16;
constexpr int kClickEvery = 20;

std::unique_ptr<brx::OBrixel> startShell() {
    if (chdir(BRX_GAME_DIR) != 0) return nullptr;
    brx::SystemSettings::instance() = brx::SystemSettings{};
    brx::SystemSettings::instance().difficultyLevel = 3;  // 16 x 18
    auto shell = std::make_unique<brx::OBrixel>();
    if (!shell->create(brx::OBrixel::kClassName, brx::OBrixel::kTitle, 800, 600)) return nullptr;
    shell->init();
    return shell;
}

// Starts a Classic game and plays its intro; null when it cannot be made.
brx::Game* startClassic(brx::OBrixel& shell) {
    brx::difficulty = 3;
    brx::startLevel = 1;
    std::unique_ptr<brx::Game> made = brx::makeGame(brx::SelectGame::kClassicId, 0);
    if (!made) return nullptr;
    brx::Game* game = made.release();
    brx::currentGame = game;
    game->setBackground(brx::OBrixel::backgroundName(0), "");
    shell.addScreen(game);
    shell.setActiveScreen(brx::kScreenGame);
    for (int i = 0; i < 1000 && brx::gameState != brx::GameState::Playing; ++i)
        shell.frame(kFrameMs);
    return game;
}

// Fills every empty cell of a board at rest.
void fillBoard(brx::Game& game) {
    if (game.anyMoving()) return;
    for (int c = 0; c < brx::columns; ++c)
        for (int r = 0; r < brx::rows; ++r)
            if (!game.blockAt(c, r)) game.placeBlock(c, r, game.newBlock(false));
}

// Clicks away the group under a random block, when it is big enough.
void clickAGroup(brx::Game& game) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int column = brx::random(0, brx::columns - 1);
        const int row = brx::random(0, brx::rows - 1);
        const brx::Box* block = game.blockAt(column, row);
        if (!block) continue;
        if (game.hover(column, row, block->colour) >= brx::minGroup) {
            game.click();
            return;
        }
    }
}

void runFrames(benchmark::State& state, bool withEffects, bool withSymbols = false) {
    auto shell = startShell();
    brx::SystemSettings::instance().symbolsOnBlocks = withSymbols;
    brx::Game* game = shell ? startClassic(*shell) : nullptr;
    if (!game) {
        state.SkipWithError("the game could not start (display or data missing)");
        return;
    }
    brx::seedRandom(7u);
    platform::setSwapPacing(false);
    for (auto _ : state) {
        const auto start = Clock::now();
        int frames = 0;
        while (Clock::now() - start < std::chrono::seconds(3)) {
            if (frames % kClickEvery == 0) {
                fillBoard(*game);
                if (withEffects) clickAGroup(*game);
            }
            shell->requestRedraw();
            shell->frame(kFrameMs);
            ++frames;
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["fps"] = frames / wall;
    }
    platform::setSwapPacing(true);
}

void BM_ClassicFullBoardWithEffects(benchmark::State& state) {
    runFrames(state, true);
}
BENCHMARK(BM_ClassicFullBoardWithEffects)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_ClassicFullBoardStill(benchmark::State& state) {
    runFrames(state, false);
}
BENCHMARK(BM_ClassicFullBoardStill)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same still board with a symbol on every block: the cost of the colour-blind aid.
void BM_ClassicFullBoardStillWithSymbols(benchmark::State& state) {
    runFrames(state, false, true);
}
BENCHMARK(BM_ClassicFullBoardStillWithSymbols)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
