#include "screens/GameFactory.h"

#include "game/AdvancedPuzzle.h"
#include "game/BrixelGame.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
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

}  // namespace brx
