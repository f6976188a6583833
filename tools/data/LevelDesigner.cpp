#include "tools/data/LevelDesigner.h"

#include <algorithm>
#include <cmath>

#include "core/Random.h"
#include "game/PuzzleSolver.h"
#include "tools/data/CfgWriter.h"

namespace brx::tools {

namespace {

constexpr uint32_t kPuzzleSeed = 20261207;
constexpr int kCandidates = 5;
constexpr long kSolverCheckNodes = 150000;
constexpr double kEasiestSuccess = 0.85;  // share of random playouts the first puzzle allows
constexpr double kHardestSuccess = 0.01;

using Layout = std::vector<const char*>;

// Layouts of fixed blocks ('#'), drawn as the board looks: row 0 (the overflow row above the
// visible board) first. They keep to the middle rows so the lines pushed in from below have
// room, and away from the three rows above the bottom, which keep their fixed blocks from one
// level to the next.
const std::vector<Layout>& layoutArt() {
    static const std::vector<Layout> art = {
        {"............", "............", "............", "............", "............",
         "............", "...#....#...", "...#....#...", "...#....#...", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "............", "............", ".###....###.", "............", "............",
         "....####....", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "............", ".....##.....", "....#..#....", ".....##.....", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         ".#........#.", "..#......#..", "...#....#...", "....#..#....", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "...#....#...", "..#.#..#.#..", "............", "............", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "............", "...#....#...", "..###..###..", "...#....#...", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "............", "............", "....#..#....", "...#....#...", "..#......#..",
         ".#........#.", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "............", "..#.#..#.#..", "..#......#..", "..#......#..", "..#......#..",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         "..#......#..", "............", "....#..#....", "............", ".#........#.",
         ".....##.....", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         ".....##.....", "#..........#", ".#........#.", "..#......#..", "............",
         "............", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         ".....##.....", "....#..#....", "............", "............", "....#..#....",
         ".....##.....", "............", "............", "............", "............",
         "............"},
        {"............", "............", "............", "............", "............",
         ".....##.....", ".....##.....", "............", ".#........#.", ".#........#.",
         ".#........#.", "............", "............", "............", "............",
         "............"},
    };
    return art;
}

double difficultyOf(double success, int blocks) {
    const double floor = 0.5 / LevelDesigner::kPlayouts;
    return -std::log(std::max(success, floor)) + 0.01 * blocks;
}

}  // namespace

PuzzleRecipe LevelDesigner::recipeFor(int index, int count) {
    const double t = count > 1 ? static_cast<double>(index) / (count - 1) : 0.0;
    PuzzleRecipe recipe;
    recipe.colours = index < 3 ? 2 : index < 8 ? 3 : index < 17 ? 4 : 5;
    recipe.steps = 5 + static_cast<int>(std::lround(t * 17));
    recipe.maxHeight = 8 + static_cast<int>(std::lround(t * 5));
    recipe.fixedBlocks = index >= 4 && index % 3 != 2 ? 2 + (index % 4) : 0;
    recipe.unmovablePercent = 30;
    const int group = 0, colourBomb = 1, row = 2, column = 3, cross = 4, bigBomb = 5;
    recipe.weights[group] = 70;
    recipe.weights[colourBomb] = index >= 2 ? 12 : 0;
    recipe.weights[row] = index >= 3 ? 8 : 0;
    recipe.weights[column] = index >= 5 ? 6 : 0;
    recipe.weights[cross] = index >= 8 ? 5 : 0;
    recipe.weights[bigBomb] = index >= 6 ? 7 : 0;
    // Each bonus is introduced by a puzzle of its own before it mixes with the others.
    static const PuzzleStep introduced[] = {PuzzleStep::ColourBomb, PuzzleStep::RowRemover,
                                            PuzzleStep::ColumnRemover, PuzzleStep::BigBomb,
                                            PuzzleStep::CrossRemover};
    if (index >= 2 && index <= 6) recipe.required.push_back(introduced[index - 2]);
    if (index >= 12 && index % 4 == 0) recipe.required.push_back(PuzzleStep::BigBomb);
    return recipe;
}

DesignedPuzzle LevelDesigner::designOne(int index, int count) {
    const double t = count > 1 ? static_cast<double>(index) / (count - 1) : 0.0;
    const double target = kEasiestSuccess * std::pow(kHardestSuccess / kEasiestSuccess, t);
    PuzzleBuilder builder(recipeFor(index, count));
    std::vector<DesignedPuzzle> candidates;
    for (int round = 0; round < kCandidates * 8 && candidates.size() < kCandidates; ++round) {
        BuiltPuzzle built;
        if (!builder.build(built)) continue;
        DesignedPuzzle designed{built.board, built.solution, 0.0, 0.0};
        designed.success = PuzzleSolver::playoutSuccess(built.board, kPlayouts);
        designed.difficulty = difficultyOf(designed.success, built.board.countBlocks());
        candidates.push_back(designed);
    }
    const auto distance = [target](const DesignedPuzzle& p) {
        return std::abs(std::log((p.success + 0.005) / target));
    };
    std::stable_sort(candidates.begin(), candidates.end(),
                     [&](const DesignedPuzzle& a, const DesignedPuzzle& b) {
                         return distance(a) < distance(b);
                     });
    // The construction already proves each candidate; the independent search must agree too,
    // so a puzzle whose solution only the builder knows is not shipped.
    const PuzzleSolver solver(kSolverCheckNodes);
    for (const DesignedPuzzle& candidate : candidates)
        if (solver.solve(candidate.board).solved) return candidate;
    return candidates.empty() ? DesignedPuzzle{} : candidates.front();
}

std::vector<DesignedPuzzle> LevelDesigner::designPuzzles(int count) const {
    seedRandom(kPuzzleSeed);
    std::vector<DesignedPuzzle> puzzles;
    for (int i = 0; i < count; ++i) puzzles.push_back(designOne(i, count));
    std::stable_sort(puzzles.begin(), puzzles.end(),
                     [](const DesignedPuzzle& a, const DesignedPuzzle& b) {
                         return a.difficulty < b.difficulty;
                     });
    return puzzles;
}

std::vector<std::vector<int>> LevelDesigner::advancedLayouts() {
    std::vector<std::vector<int>> layouts;
    for (const Layout& art : layoutArt()) {
        std::vector<int> values;
        for (const char* row : art)
            for (int c = 0; c < PuzzleBoard::kColumns; ++c)
                values.push_back(row[c] == '#' ? PuzzleBoard::kFixed : 0);
        layouts.push_back(values);
    }
    return layouts;
}

std::string LevelDesigner::puzzleFile(const DesignedPuzzle& puzzle, int number) {
    CfgWriter writer;
    writer.addComment("Puzzle " + std::to_string(number) +
                      ": 16 rows of 12 cells from the top row down");
    writer.addIntList("Data", puzzle.board.fileValues(), ',');
    writer.addComment("One way to clear it: column,row of each click (row 0 at the top)");
    writer.addIntList("Solution", PuzzleSolver::flatten(puzzle.solution), ',');
    return writer.text();
}

std::string LevelDesigner::advancedFile(const std::vector<int>& layout, int number) {
    CfgWriter writer;
    writer.addComment("Advanced layout " + std::to_string(number) + ": 7 marks a fixed block");
    writer.addIntList("Data", layout, ',');
    return writer.text();
}

std::string LevelDesigner::levelsFile(int puzzles, int advanced) {
    CfgWriter writer;
    writer.addComment("How many level files the game may ask for, numbered from 1");
    writer.addInt("Puzzle", puzzles);
    writer.addInt("Advanced", advanced);
    return writer.text();
}

}  // namespace brx::tools
