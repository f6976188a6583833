#include "screens/GameFactory.h"

#include "game/AdvancedPuzzle.h"
#include "game/BrixelGame.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/GameVariables.h"
#include "game/PyramidPuzzle.h"
#include "game/StrategyGame.h"
#include "screens/SelectGame.h"

namespace brx {

std::unique_ptr<Game> makeGame(int buttonId, int puzzleLevel) {
    switch (buttonId) {
        case SelectGame::kRemoverId:
            return std::make_unique<BrixelRemover>();
        case SelectGame::kClassicId:
            return std::make_unique<BrixelGame>();
        case SelectGame::kStrategyId:
            return std::make_unique<StrategyGame>();
        case SelectGame::kAdvancedId:
            return std::make_unique<AdvancedPuzzle>();
        case SelectGame::kModernId:
            return std::make_unique<PyramidPuzzle>();
        case SelectGame::kPuzzleId:
        case SelectGame::kStartId:
        case SelectGame::kRandomId: {
            // The puzzle number is set before the screen's init deals the board.
            auto puzzle = std::make_unique<BrixelPuzzle>();
            puzzle->levelIndex = puzzleLevel;
            return puzzle;
        }
        default:
            return nullptr;
    }
}

std::unique_ptr<Game> makeGameOfMode(int mode, int puzzleLevel) {
    switch (mode) {
        case GameMode::Remover:
            return makeGame(SelectGame::kRemoverId, 0);
        case GameMode::Classic:
            return makeGame(SelectGame::kClassicId, 0);
        case GameMode::Strategy:
            return makeGame(SelectGame::kStrategyId, 0);
        case GameMode::Advanced:
            return makeGame(SelectGame::kAdvancedId, 0);
        case GameMode::Modern:
            return makeGame(SelectGame::kModernId, 0);
        case GameMode::Puzzle:
            return makeGame(SelectGame::kPuzzleId, puzzleLevel);
        default:
            return nullptr;
    }
}

}  // namespace brx
