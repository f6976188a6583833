// Builds the game of a mode button of the game-selection screen.
#pragma once

#include <memory>

namespace brx {

class Game;

// The game for a button id (1000 Remover, 1001 Classic, 1002 Strategy, 1004 Advanced,
// 1005 Modern, 1003/4001/4002 Puzzle at puzzleLevel, 1-based); null for other ids.
std::unique_ptr<Game> makeGame(int buttonId, int puzzleLevel);
// The game of a mode number (GameMode), Puzzle at puzzleLevel; null for other numbers.
std::unique_ptr<Game> makeGameOfMode(int mode, int puzzleLevel);

}  // namespace brx
