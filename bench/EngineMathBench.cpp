// Mouse picking as the game does it every still frame: one camera ray, then the blocks of the
// board column by column until the first one the ray meets.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/O3D.h"
#include "engine/OCamera.h"

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 18;

std::vector<brx::O3D> makeBoard() {
    std::vector<brx::O3D> blocks(kColumns * kRows);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            brx::O3D& block = blocks[c * kRows + r];
            block.setBoxFromCorners({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
            block.setPosition({c - (kColumns - 1) / 2.0f, (kRows - 1) / 2.0f - r, 0});
        }
    }
    return blocks;
}

brx::OCamera makeCamera() {
    brx::OCamera camera(800, 600, 45, 1, 256);
    camera.setPosition({0, 0, 22});
    return camera;
}

// Index of the first block under the mouse, -1 for none.
int pick(const brx::OCamera& camera, const std::vector<brx::O3D>& blocks, float x, float y) {
    const brx::Vector3 ray = camera.pickRay(x, y);
    for (size_t i = 0; i < blocks.size(); ++i)
        if (blocks[i].hitByLine(camera.position(), ray)) return int(i);
    return -1;
}

void BM_PickOverBoard(benchmark::State& state) {
    const std::vector<brx::O3D> blocks = makeBoard();
    const brx::OCamera camera = makeCamera();
    float x = 0, y = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(pick(camera, blocks, x, y));
        x += 37;  // sweep the whole window, hits and misses alike
        if (x >= 800) {
            x -= 800;
            y = y + 29 >= 600 ? y + 29 - 600 : y + 29;
        }
    }
}
BENCHMARK(BM_PickOverBoard);

// Worst case: the ray misses every block, so all 288 are tested.
void BM_PickMissingEveryBlock(benchmark::State& state) {
    const std::vector<brx::O3D> blocks = makeBoard();
    const brx::OCamera camera = makeCamera();
    for (auto _ : state) benchmark::DoNotOptimize(pick(camera, blocks, 5, 5));
}
BENCHMARK(BM_PickMissingEveryBlock);

}  // namespace
