// A whole Classic level, rules only: a Normal game from its first rows to the next level, at
// 16 ms per frame. A simple bot removes a group under a random block whenever the board is
// still and calls the next line at once every 25 frames, so the level's 25 lines come quickly
// and the board stays busy with falls, close-ups, bonuses and finally the finishing fill.
// Needs the built archive beside the benchmark (run it from the game folder) and a display.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "game/BrixelGame.h"
#include "objects/EffectList.h"
#include "objects/ModelLibrary.h"
#include "shell/ScreenHost.h"
#include "tests/support/GLTestContext.h"

namespace {

constexpr int kFrameMs = 16;
constexpr int kTrayEvery = 25;
constexpr int kMaxFrames = 200000;

// A host without a window: screen switches asked for by the game are ignored.
class QuietHost : public brx::ScreenHost {
public:
    void addScreen(brx::ORenderWindow*) override {}
    brx::ORenderWindow* removeScreen(brx::ORenderWindow* screen) override { return screen; }
    bool setActiveScreen(brx::ScreenId) override { return true; }
    void retireScreen(brx::ORenderWindow*) override {}
    void quit() override {}
    const std::vector<brx::ORenderWindow*>& screens() const override { return none_; }
    bool setFullScreen(bool) override { return true; }
    double pulse() const override { return 1.0; }
    brx::BitmapFont* font() const override { return nullptr; }
    brx::OCamera* camera() const override { return nullptr; }
    int windowWidth() const override { return 800; }
    int windowHeight() const override { return 600; }
    void recreateWindow() override {}

private:
    std::vector<brx::ORenderWindow*> none_;
};

// Hovers a random block and clicks its group when it is big enough.
void playOneMove(brx::BrixelGame& game) {
    const int column = brx::random(0, brx::columns - 1);
    const int row = brx::random(0, brx::rows - 1);
    const brx::Box* block = game.blockAt(column, row);
    if (!block) return;
    if (game.hover(column, row, block->colour) >= brx::minGroup || block->isBonus) game.click();
}

// Frames until the level is done (or lost).
int playLevel(brx::BrixelGame& game) {
    for (int frame = 1; frame <= kMaxFrames; ++frame) {
        game.update(kFrameMs);
        if (game.levelIndex > 0 || brx::gameState == brx::GameState::GameOver) return frame;
        if (brx::gameState != brx::GameState::Playing || game.anyMoving()) continue;
        playOneMove(game);
        if (frame % kTrayEvery == 0) game.fillNextLine();
    }
    return kMaxFrames;
}

void BM_ClassicWholeLevel(benchmark::State& state) {
    if (!testsupport::ensureGLContext() || !brx::ResourceArchive::instance().open()) {
        state.SkipWithError("needs a display and Data/Resource.Kvr in the working folder");
        return;
    }
    brx::ModelLibrary::instance().setDetail(brx::ModelLibrary::kHighDetail);
    QuietHost host;
    brx::setScreenHost(&host);
    int64_t frames = 0;
    int64_t levels = 0;
    uint32_t seed = 1;
    for (auto _ : state) {
        state.PauseTiming();
        brx::difficulty = brx::Difficulty::Normal;
        brx::startLevel = 1;
        brx::seedRandom(seed++);
        auto game = std::make_unique<brx::BrixelGame>();
        game->init();
        brx::gameState = brx::GameState::Playing;
        state.ResumeTiming();
        frames += playLevel(*game);
        levels += game->levelIndex > 0;
        state.PauseTiming();
        game.reset();
        brx::EffectList::instance().clear();
        state.ResumeTiming();
    }
    state.counters["frames"] =
        benchmark::Counter(double(frames), benchmark::Counter::kAvgIterations);
    state.counters["levelsWon"] =
        benchmark::Counter(double(levels), benchmark::Counter::kAvgIterations);
    state.counters["usPerFrame"] = benchmark::Counter(
        double(frames), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    brx::setScreenHost(nullptr);
}
BENCHMARK(BM_ClassicWholeLevel)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
