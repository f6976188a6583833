#include "game/BrixelRemover.h"

#include "objects/EffectList.h"
#include "objects/KvBaseBound.h"
#include "shell/ScreenId.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

// The row bonus sign rises in front of the row's last block (units).

}  // namespace

BrixelRemover::BrixelRemover() {
    minGroup = kMinGroup;
    fillTimer = 0;
    fillStep = kFillStepMs;
    levelIndex = 0;  // the board count: 1 once the first board is dealt
}

int BrixelRemover::modeNumber() const {
    return GameMode::Remover;
}

void BrixelRemover::newBoard() {
    clearBoard();
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) placeBlock(c, r, newBlock(false));
    gameState = GameState::Playing;
    linePhase = LinePhase::Idle;
    resumeState = ResumeState::Normal;
    levelIndex += 1;
}

// --- the end test ------------------------------------------------------------------------------

bool BrixelRemover::onlyFixedLeft() const {
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            const Box* block = blockAt(c, r);
            if (block && block->colour != Box::kFixed) return false;
        }
    }
    return true;
}

// A group of at least minGroup blocks grows from this cell (the selection is used as scratch).
bool BrixelRemover::groupFrom(int column, int row) {
    const Box* block = blockAt(column, row);
    if (!block || block->colour == Box::kFixed || block->colour == Box::kUnmovable) return false;
    snapshotColours();
    selection.clear();
    floodFill(column, row, block->colour);
    return static_cast<int>(selection.size()) >= minGroup;
}

bool BrixelRemover::hasMove() {
    const Board::Selection kept = selection;
    bool found = false;
    for (int c = 0; c < columns && !found; ++c) {
        for (int r = 0; r < rows && !found; ++r) {
            const Box* block = blockAt(c, r);
            found = block && (block->isBonus || groupFrom(c, r));
        }
    }
    selection = kept;
    return found;
}

bool BrixelRemover::checkEnd() {
    if (gameState == GameState::Outro) return false;
    if (onlyFixedLeft()) {
        gameState = GameState::LevelComplete;
        linePhase = LinePhase::Cleared;
        resumeState = ResumeState::LevelComplete;
        return false;
    }
    if (hasMove()) return false;
    gameState = GameState::GameOver;
    linePhase = LinePhase::Finished;
    return true;
}

// --- per frame ---------------------------------------------------------------------------------

void BrixelRemover::update(int elapsedMs) {
    updateScoreTextsAndTrail(elapsedMs);
    Game::update(elapsedMs);
    if (gameState == GameState::Playing && !anyMoving()) checkEnd();
    switch (gameState) {
        case GameState::LevelComplete:
            runClearedFill(elapsedMs);
            break;
        case GameState::GameOver:
            updateGameOver(elapsedMs);
            break;
        case GameState::NextLevel:
            newBoard();
            gameState = GameState::Playing;
            break;
        default:
            break;
    }
}

void BrixelRemover::updateGameOver(int elapsedMs) {
    gameOverTimer += elapsedMs;
    if (gameOverTimer <= gameOverTime) return;
    gameOverTimer = 0;
    linePhase = LinePhase::Finished;
    leaveTo(kScreenHighScores);
}

void BrixelRemover::runClearedFill(int elapsedMs) {
    startFillSound();
    fillTimer += elapsedMs;
    if (fillTimer <= fillStep) return;
    if (placeScoreBlock(elapsedMs)) return;
    stopFillSound();
    gameState = GameState::NextLevel;
    resumeState = ResumeState::Normal;
    fillTimer = 0;
}

void BrixelRemover::settleModeState() {
    if (gameState != GameState::NextLevel) return;
    newBoard();
    gameState = GameState::Playing;
}

// --- drawing -----------------------------------------------------------------------------------

void BrixelRemover::draw() {
    beginScene();
    drawBoardForState();
    drawFlyingAndEffects();
    drawStatePicture(true);
    drawHud();
    drawControls();
}

void BrixelRemover::drawHud() {
    drawSidePanel(levelIndex, -1, score());
}

}  // namespace brx
