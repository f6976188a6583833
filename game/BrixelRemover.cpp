#include "game/BrixelRemover.h"

#include "objects/EffectList.h"
#include "objects/KvBaseBound.h"
#include "shell/ScreenId.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

// The row bonus sign rises in front of the row's last block (units).
const Vector3 kRowBonusRise(0.0f, 0.0f, 1.0f);

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

// Puts one score block into the first empty cell of rows 1 to rows - 2; false when none is
// left (or no score block can be made, which ends the fill the same way).
bool BrixelRemover::placeScoreBlock(int elapsedMs) {
    for (int r = 1; r <= rows - 2; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (Box* block = blockAt(c, r)) {
                block->frameTime = elapsedMs;
                continue;
            }
            std::unique_ptr<Box> scoreBlock = prototypes().cloneBlock(BlockPrototypes::kScoreKey);
            if (!scoreBlock) return false;
            scoreBlock->frameTime = elapsedMs;
            placeBlock(c, r, std::move(scoreBlock));
            fillTimer = 0;
            addScore(1);
            if (c == columns - 1) awardFullRow(r);
            return true;
        }
    }
    return false;
}

void BrixelRemover::awardFullRow(int row) {
    for (int c = 0; c < columns; ++c) {
        const Box* block = blockAt(c, row);
        if (!block || block->colour != Box::kNoColour) return;
    }
    SoundManager::instance().play(kSoundRowFilled, 0);
    addScore(kRowFilledPoints);
    const EffectRegistry* registry = effectRegistry();
    if (!registry) return;
    std::unique_ptr<KvBaseBound> sign = registry->create(EffectRegistry::kBonus100);
    if (!sign) return;
    sign->position = blockAt(columns - 1, row)->position() + kRowBonusRise;
    sign->start();
    EffectList::instance().add(std::move(sign));
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
