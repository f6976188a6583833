// Frames per second of a full 16 x 18 Classic game drawn as fast as the machine allows: the real
// start-up in the benchmark's own window, then a Classic game on "Impossible" whose board is
// kept full to the top. With effects, a group is clicked away every 20 frames, so blocks fly
// off, fall and close up while the score texts and effects run; still, nothing moves. Swap
// pacing is off and every frame is drawn (a still game would otherwise skip its frames). The
// still board is measured once more with the block symbols on.
// Besides frames per second it reports the processor time one frame costs, summed over every
// thread of the process (the driver's rasterising threads too): on a machine shared with other
// work that figure stays put while the frame rate swings with the load.
//
// With BRX_FRAMES_SHOT=DIR each benchmark also leaves the picture of its frame kShotFrame in
// DIR/effects.xwd, DIR/still.xwd and DIR/symbols.xwd (bench/shot_tools.py turns it into a PNG and
// compares two of them), so a change meant to make frames cheaper can be shown to leave them as
// they were. The random generator is seeded before the game starts, so two builds draw the same
// board.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

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

// Processor time used so far by every thread of the process, in milliseconds.
double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}
constexpr int kFrameMs = 16;
constexpr int kClickEvery = 20;
constexpr int kShotFrame = 90;  // late enough for a group or two to have gone
constexpr uint32_t kXwdHeaderBytes = 100;

// Writes the picture last shown (the front buffer) as an xwd dump (32 bits a pixel, blue first),
// the form shot_tools.py reads.
void saveShownPicture(const std::string& path, int width, int height) {
    std::vector<uint8_t> rgba(size_t(width) * size_t(height) * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    uint32_t header[25] = {};
    header[0] = kXwdHeaderBytes;
    header[1] = 7;   // file version
    header[2] = 2;   // ZPixmap
    header[3] = 24;  // depth
    header[4] = uint32_t(width);
    header[5] = uint32_t(height);
    header[7] = 0;    // least significant byte first
    header[11] = 32;  // bits per pixel
    header[12] = uint32_t(width) * 4;
    std::ofstream out(path, std::ios::binary);
    for (uint32_t field : header) {
        const char bigEndian[4] = {char(field >> 24), char(field >> 16), char(field >> 8),
                                   char(field)};
        out.write(bigEndian, 4);
    }
    for (int y = height - 1; y >= 0; --y) {  // GL rows run bottom up
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
            const char pixel[4] = {char(p[2]), char(p[1]), char(p[0]), 0};
            out.write(pixel, 4);
        }
    }
}

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
    brx::seedRandom(7u);
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
        const double cpuStartMs = processCpuMs();
        int frames = 0;
        // A slow or busy machine still reaches the frame of the picture.
        const bool shooting = std::getenv("BRX_FRAMES_SHOT") != nullptr;
        while (Clock::now() - start < std::chrono::seconds(3) ||
               (shooting && frames < kShotFrame)) {
            if (frames % kClickEvery == 0) {
                fillBoard(*game);
                if (withEffects) clickAGroup(*game);
            }
            shell->requestRedraw();
            shell->frame(kFrameMs);
            ++frames;
            if (frames == kShotFrame && shooting)
                saveShownPicture(std::string(std::getenv("BRX_FRAMES_SHOT")) + "/" +
                                     (withEffects   ? "effects"
                                      : withSymbols ? "symbols"
                                                    : "still") +
                                     ".xwd",
                                 shell->width(), shell->height());
        }
        const double wall = std::chrono::duration<double>(Clock::now() - start).count();
        state.counters["fps"] = frames / wall;
        state.counters["cpu_ms_per_frame"] = (processCpuMs() - cpuStartMs) / frames;
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
