// One row of a score table.
#pragma once

#include <string>

namespace brx {

struct ScoreEntry {
    std::string name;        // player name, spaces allowed
    std::string difficulty;  // "Easy", "Normal", "Hard" or "Impossible" at the time of the game
    int score = 0;
};

}  // namespace brx
