#include <chrono>
#include <cstdio>

#include "tools/data/LevelDesigner.h"
#include "tools/data/PuzzleSolver.h"

int main() {
    using namespace brx::tools;
    auto t0 = std::chrono::steady_clock::now();
    LevelDesigner designer;
    auto puzzles = designer.designPuzzles(LevelDesigner::kPuzzleCount);
    auto t1 = std::chrono::steady_clock::now();
    std::printf("design %.2fs\n", std::chrono::duration<double>(t1 - t0).count());
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const auto& p = puzzles[i];
        PuzzleSolver solver(300000);
        auto t2 = std::chrono::steady_clock::now();
        auto sol = solver.solve(p.board);
        auto t3 = std::chrono::steady_clock::now();
        int counts[20] = {};
        for (int v : p.board.fileValues()) counts[v]++;
        std::printf("%2zu succ %.3f diff %.2f blocks %3d moves %2zu fixed %d unm %d bb %d cb %d row %d col %d cross %d | solver %d nodes %ld %.2fs\n",
                    i, p.success, p.difficulty, p.board.countBlocks(), p.solution.size(), counts[7], counts[19], counts[10],
                    counts[11]+counts[12]+counts[13]+counts[14]+counts[15], counts[16], counts[17], counts[18], sol.solved, sol.nodes,
                    std::chrono::duration<double>(t3 - t2).count());
    }
    for (int k : {0, 10, 23}) {
        const auto& b = puzzles[k].board;
        for (int r = 0; r < 16; ++r) {
            for (int c = 0; c < 12; ++c) {
                int v = b.at(c, r);
                std::printf("%c", v == 0 ? '.' : v <= 5 ? "RBGWY"[v - 1] : v == 7 ? '#' : v == 19 ? 'U' : v == 10 ? '*' : v <= 15 ? "rbgwy"[v - 11] : v == 16 ? '-' : v == 17 ? '|' : '+');
            }
            std::printf("\n");
        }
        std::printf("\n");
    }
}
