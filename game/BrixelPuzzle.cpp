#include "game/BrixelPuzzle.h"

#include <optional>
#include <string>

#include "core/DataManifest.h"
#include "core/ErrorLog.h"
#include "core/Random.h"
#include "game/BonusPrototypes.h"
#include "game/LevelFiles.h"
#include "game/NoticeBand.h"
#include "shell/ScreenHost.h"
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
    unplayableFile_.clear();
    if (levelIndex < 1) return;  // no puzzle chosen yet
    const std::string name = DataManifest::puzzleLevelFile(levelIndex);
    const std::optional<LevelFiles::Layout> layout = LevelFiles::tryReadLayout(name);
    for (int r = 0; r < kRows && layout; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            std::unique_ptr<Box> block = blockForValue(layout->at(c, r));
            if (!block) continue;
            placeBlock(c, r, std::move(block));
            blockAt(c, r)->computeBounds();
        }
    }
    if (layout && hasRemovableBlock()) return;
    BRX_LOG_ERROR(
        "Puzzle %i cannot be played: %s is missing, unreadable or deals no block to "
        "remove; back to game selection",
        levelIndex, name.c_str());
    unplayableFile_ = name;
    noticeTimer_ = 0;
}

bool BrixelPuzzle::hasRemovableBlock() const {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (const Box* block = blockAt(c, r); block && block->colour != Box::kFixed)
                return true;
    return false;
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
    if (unplayable()) {
        updateUnplayable(elapsedMs);
        return;
    }
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

// No end test runs: nothing was dealt that could be won or lost.
void BrixelPuzzle::updateUnplayable(int elapsedMs) {
    Game::update(elapsedMs);
    noticeTimer_ += elapsedMs;
    if (noticeTimer_ > kNoticeMs) returnToSelection();
}

void BrixelPuzzle::returnToSelection() {
    if (returning_) return;
    returning_ = true;
    leaveTo(kScreenSelectGame);
    if (currentGame == this) currentGame = nullptr;
    if (ScreenHost* host = screenHost()) host->retireScreen(this);
}

void BrixelPuzzle::draw() {
    BrixelRemover::draw();
    if (!unplayable()) return;
    if (ownCamera) ownCamera->apply2D(kVirtualWidth, kVirtualHeight);
    const NoticeBand notice({"Puzzle " + std::to_string(levelIndex) + " cannot be played:",
                             "its file is missing or damaged.", "Back to game selection."});
    notice.draw(screenHost() ? screenHost()->font() : nullptr);
}

bool BrixelPuzzle::onEvent(const InputEvent& event) {
    if (unplayable()) {
        // Any key or button press leaves at once (the menu button too).
        const bool leave = event.type == kInputButtonDown || event.type == kInputKeyDown;
        if (ORenderWindow::onEvent(event) || leave) {
            if (leave) returnToSelection();
            return true;
        }
        return false;
    }
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
