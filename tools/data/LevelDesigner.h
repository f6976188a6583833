// The level files: the Puzzle boards (built backwards by PuzzleBuilder, so each comes with a
// proven solution, then ordered from forgiving to demanding), the Advanced layouts of fixed
// blocks, and the counts file that tells the game how many of each exist.
#pragma once

#include <string>
#include <vector>

#include "core/DataManifest.h"
#include "game/PuzzleBoard.h"
#include "tools/data/PuzzleBuilder.h"

namespace brx::tools {

struct DesignedPuzzle {
    PuzzleBoard board;
    std::vector<PuzzleCell> solution;  // forward clicks, format of PuzzleSolver
    double success = 0.0;              // share of random playouts that clear it
    double difficulty = 0.0;           // grows with how rarely random play clears it
};

class LevelDesigner {
public:
    static constexpr int kPuzzleCount = DataManifest::kPuzzleLevelCount;
    static constexpr int kPlayouts = 80;

    // All puzzles, easiest first; reseeds the process-wide generator so the result is the same
    // on every build.
    std::vector<DesignedPuzzle> designPuzzles(int count) const;
    // The building parameters of puzzle index (0-based) out of count: more colours, steps,
    // fixed blocks and bonus kinds as the index grows.
    static PuzzleRecipe recipeFor(int index, int count);

    // The Advanced layouts, 192 values each (7 = fixed block, 0 = free).
    static std::vector<std::vector<int>> advancedLayouts();

    // "Data/Levels/Puzzle.%i.Cfg": the board under "Data" and its solution under "Solution".
    static std::string puzzleFile(const DesignedPuzzle& puzzle, int number);
    // "Data/Levels/Adv.%i.Cfg".
    static std::string advancedFile(const std::vector<int>& layout, int number);
    // "Data/Levels/Levels.Cfg".
    static std::string levelsFile(int puzzles, int advanced);

private:
    static DesignedPuzzle designOne(int index, int count);
};

}  // namespace brx::tools
