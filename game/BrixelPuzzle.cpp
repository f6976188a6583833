#include "game/BrixelPuzzle.h"

#include "core/DataManifest.h"
#include "core/Random.h"
#include "game/BonusPrototypes.h"
#include "game/LevelFiles.h"
#include "shell/ScreenId.h"

namespace brx {
namespace {

// Cell values of a puzzle file that make a block; every other value leaves the cell empty.
constexpr int kFirstColour = Box::kRed;
constexpr int kLastColour = Box::kYellow;
constexpr int kFirstBonusKey = 10;
constexpr int kLastBonusKey = 19;

}  // namespace

BrixelPuzzle::BrixelPuzzle() {
    optionsSensitive = false;
    minGroup = kMinGroup;
    levelIndex = 0;  // game selection picks the puzzle
    fillStep = kLevelCompleteMs;
    bonusBuilder = BonusPrototypes::builderFor(this);
    setBoardSize();
    loadBoardModel();
}

int BrixelPuzzle::modeNumber() const {
    return GameMode::Puzzle;
}

void BrixelPuzzle::setBoardSize() {
    columns = kColumns;
    rows = kRows;
    centreLeft = kCentreLeft;
    lastColumn = kColumns - 1;
    cameraDistance = kCameraDistance;
}

void BrixelPuzzle::selectPuzzle(int number) {
    levelIndex = number;
    newBoard();
}

int BrixelPuzzle::randomPuzzleNumber(int count) {
    if (count <= 0) return 0;
    return 1 + nextRandom() % count;
}

void BrixelPuzzle::newBoard() {
    setBoardSize();
    clearBoard();
    const LevelFiles::Layout layout =
        LevelFiles::readLayout(DataManifest::puzzleLevelFile(levelIndex));
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            std::unique_ptr<Box> block = blockForValue(layout.at(c, r));
            if (!block) continue;
            placeBlock(c, r, std::move(block));
            blockAt(c, r)->computeBounds();
        }
    }
}

std::unique_ptr<Box> BrixelPuzzle::blockForValue(int value) {
    if (value >= kFirstColour && value <= kLastColour) {
        std::unique_ptr<Box> block = prototypes().cloneBlock(BlockPrototypes::kPlainKey);
        if (!block) block = std::make_unique<Box>();
        block->colour = value;
        return block;
    }
    if (value == BlockPrototypes::kFixedKey) {
        std::unique_ptr<Box> block = prototypes().cloneBlock(BlockPrototypes::kFixedKey);
        if (!block) block = std::make_unique<Box>();
        block->colour = Box::kFixed;
        return block;
    }
    if (value >= kFirstBonusKey && value <= kLastBonusKey) return prototypes().cloneBonus(value);
    return nullptr;
}

void BrixelPuzzle::captureModeState(GameSnapshot& snapshot) const {
    snapshot.puzzleNumber = levelIndex;
}

// --- per frame ---------------------------------------------------------------------------------

void BrixelPuzzle::update(int elapsedMs) {
    updateScoreTextsAndTrail(elapsedMs);
    Game::update(elapsedMs);
    if (!anyMoving()) checkEnd();
    if (gameState == GameState::GameOver) updateEnded(elapsedMs, gameOverTimer, gameOverTime);
    if (gameState == GameState::LevelComplete) updateEnded(elapsedMs, fillTimer, fillStep);
}

// Either end picture: the game is finished; after limit ms the high scores follow.
void BrixelPuzzle::updateEnded(int elapsedMs, int& timer, int limit) {
    resumeState = ResumeState::GameOver;
    linePhase = LinePhase::Finished;
    timer += elapsedMs;
    if (timer <= limit) return;
    timer = 0;
    leaveTo(kScreenHighScores);
}

bool BrixelPuzzle::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    switch (event.type) {
        case kInputButtonDown: {
            const bool ended = gameState == GameState::GameOver || gameState == GameState::Intro ||
                               gameState == GameState::Outro || linePhase == LinePhase::Finished;
            if (!anyMoving() && !ended) click();
            afterClick();
            break;
        }
        case kInputPointerMove:
            mouseX = event.x;
            mouseY = event.y;
            break;
        case kInputKeyDown:
            if (handleGameKey(event)) return true;
            if (event.key != kKeyEscape) break;
            if (gameState == GameState::GameOver || gameState == GameState::LevelComplete ||
                gameState == GameState::NextLevel || linePhase == LinePhase::Finished) {
                leaveTo(kScreenHighScores);
                return true;
            }
            if (!closing()) deactivate();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace brx
