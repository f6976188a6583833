// The tuning files: "Data/Difficult.Cfg" (line speeds, bonus mix and spacing per difficulty),
// "Data/Effects.Cfg" (intro and outro flight, random spins, game-over pause) and
// "Data/Colors.Cfg" (the block materials). The numbers and the reasons for them live here.
#pragma once

#include <string>
#include <vector>

namespace brx::tools {

class TuningWriter {
public:
    // Difficulty order of every per-difficulty table: Easy, Normal, Hard, Impossible.
    static constexpr int kDifficulties = 4;

    static std::string difficultFile();
    static std::string effectsFile();
    static std::string colorsFile();

    // Milliseconds between two next-line blocks, by level, for one difficulty.
    static std::vector<int> speedTable(int difficulty);
    // Bonus weights w0..w4 (big bomb, colour bombs, row, column, cross remover; the rest up to
    // 100 becomes unmovable blocks) of Classic or Strategy for one difficulty.
    static std::vector<double> bonusWeights(bool strategy, int difficulty);

    // The material keys of the colours file, in the order written.
    static const std::vector<std::string>& materialKeys();
};

}  // namespace brx::tools
