#include "game/BrixelGame.h"

#include <algorithm>

#include "core/ConfigFile.h"
#include "core/ErrorLog.h"
#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "game/BonusChooser.h"
#include "game/BonusPrototypes.h"
#include "game/SnapshotBlocks.h"
#include "objects/EffectList.h"
#include "objects/KvBaseBound.h"
#include "shell/ScreenId.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

constexpr const char* kDifficultFile = "Data/Difficult.Cfg";
constexpr const char* kSpacingKey = "BrixelBonusRand";
constexpr const char* kWeightKeys[] = {"ClassicRBonusEasy", "ClassicRBonusNormal",
                                       "ClassicRBonusHard", "ClassicRBonusVeryHard"};
constexpr char kListSeparator = ' ';
constexpr int kBonusDrawMax = 99;
// The bonus spacing after a timed bonus varies by this much either way.
constexpr int kSpacingSpread = 8;
// While stacks stand high, the next bonus comes after this many blocks.
constexpr int kDangerSpacingMin = 8;
constexpr int kDangerSpacingMax = 16;
// Completing the line at once varies the spacing from -8 to +32.
constexpr int kFillSpacingMin = -8;
constexpr int kFillSpacingMax = 32;
// Rows the finishing fill keeps (the three above the bottom row).
constexpr int kKeptRows = 3;
// From this level index on the pace stays between entries 7, 8 and 9.
constexpr int kLastRisingLevel = 9;
constexpr int kPickLow = 7;
constexpr int kPickHigh = 8;

int clampedDifficulty() {
    return std::clamp(difficulty, 0, 3);
}

}  // namespace

BrixelGame::BrixelGame() {
    resetNextLine();
    linePhase = LinePhase::Idle;
    levelIndex = startLevel - 1;
    linesLeft = linesTotal = linesForLevel(0);
    readBonusTuning(kWeightKeys[clampedDifficulty()], kSpacingKey);
    checkTables();
    speedPick = 0;
    fillStep = kFillStepMs;
    gameState = GameState::Playing;
    bonusBuilder = BonusPrototypes::builderFor(this);
}

BrixelGame::~BrixelGame() {
    clearNextLine();
}

int BrixelGame::modeNumber() const {
    return GameMode::Classic;
}

int BrixelGame::levelNumber() const {
    return levelIndex - startLevel + 2;
}

// --- tuning -----------------------------------------------------------------------------------

void BrixelGame::readBonusTuning(const std::string& weightKey, const std::string& spacingKey) {
    ConfigFile config;
    const ResourceBuffer buffer = ResourceArchive::instance().readFile(kDifficultFile);
    if (!buffer || config.loadBuffer(buffer.text(), buffer.size) != 0)
        BRX_LOG_ERROR("%s cannot be read; bonuses use no weights and the default spacing",
                      kDifficultFile);
    if (!config.has(weightKey))
        BRX_LOG_ERROR("%s: key %s is missing; all weights count as 0", kDifficultFile,
                      weightKey.c_str());
    BonusChooser::instance().configure(config.getFloatList(weightKey, kListSeparator), difficulty);
    bonusSpacingTable = config.getIntList(spacingKey, kListSeparator);
}

void BrixelGame::checkTables() const {
    if (int(speedTable.size()) < kSpeedEntries)
        BRX_LOG_ERROR(
            "%s: the speed table holds %zu of %d entries; the last one (or %d ms) "
            "stands in for the rest",
            kDifficultFile, speedTable.size(), kSpeedEntries, kDefaultSpeedMs);
    if (int(bonusSpacingTable.size()) <= clampedDifficulty())
        BRX_LOG_ERROR("%s: %s holds %zu values; the last one (or %d) stands in", kDifficultFile,
                      kSpacingKey, bonusSpacingTable.size(), kDefaultBonusSpacing);
}

int BrixelGame::speedAt(int i) const {
    if (speedTable.empty()) return kDefaultSpeedMs;
    return speedTable[std::clamp(i, 0, int(speedTable.size()) - 1)];
}

int BrixelGame::bonusSpacing() const {
    if (bonusSpacingTable.empty()) return kDefaultBonusSpacing;
    return bonusSpacingTable[std::min(clampedDifficulty(), int(bonusSpacingTable.size()) - 1)];
}

int BrixelGame::nextBlockInterval() {
    const double f = linesTotal > 0 ? double(linesLeft) / double(linesTotal) : 0.0;
    const auto lerp = [f](int a, int b) { return int(a + (b - a) * f); };
    const int level = std::max(levelIndex, 0);
    if (level == 0) return lerp(speedAt(1), speedAt(0));
    if (level < kLastRisingLevel) return lerp(speedAt(level + 1), speedAt(level - 1));
    speedPick = random(0, 2) != 0 ? kPickLow : kPickHigh;
    return lerp(speedAt(kLastRisingLevel), speedAt(speedPick));
}

// --- the board ---------------------------------------------------------------------------------

Vector3 BrixelGame::cellPosition(int column, int row) const {
    return {float(column) + 0.5f - float(columns) / 2.0f,
            float(rows) / 2.0f - float(row - 1) - 0.5f, 0.0f};
}

void BrixelGame::newBoard() {
    resetNextLine();
    clearBoard();
    for (int c = 0; c < columns; ++c)
        for (int r = rows - kFirstRows; r < rows; ++r) placeBlock(c, r, newBlock(true));
}

bool BrixelGame::checkEnd() {
    for (int c = 0; c < columns; ++c) {
        if (!blockAt(c, 1)) continue;
        gameState = GameState::GameOver;
        linePhase = LinePhase::Finished;
        return true;
    }
    return false;
}

void BrixelGame::levelDone() {
    if (linesLeft >= 1) return;
    gameState = GameState::LevelComplete;
    resumeState = ResumeState::LevelComplete;
    linesLeft = linesTotal = linesForLevel(levelIndex - startLevel + 2);
}

void BrixelGame::startNextLevel() {}

void BrixelGame::dropSelection() {
    board.clearSelection();
    board.previousSelection.clear();
    board.markSelection(false);
}

void BrixelGame::shiftRowsUp() {
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r + 1 < rows; ++r) {
            std::unique_ptr<Box> block = board.take(c, r + 1);
            if (block) placeBlock(c, r, std::move(block));
        }
    }
}

void BrixelGame::pushLine() {
    if (checkEnd()) return;
    SoundManager::instance().play(kSoundLinePushed, 0);
    // The cells the selection names now hold other blocks.
    dropSelection();
    shiftRowsUp();
    if (filledSlots() < columns) fillNextLine();
    for (int c = 0; c < columns; ++c)
        if (nextLine[c]) placeBlock(c, rows - 1, std::move(nextLine[c]));
    linesLeft -= 1;
    if (linesLeft == kFewLinesLeft) SoundManager::instance().play(kSoundFewLinesLeft, 0);
    levelDone();
    resetNextLine();
}

// --- the next line -----------------------------------------------------------------------------

Vector3 BrixelGame::slotPosition(int slot) const {
    return {float(slot) + 0.5f - float(columns) / 2.0f,
            float(rows) / 2.0f - float(rows - 1) - kNextLineDrop, 0.0f};
}

Box* BrixelGame::slotBlock(int slot) const {
    return slot >= 0 && slot < kMaxColumns ? nextLine[slot].get() : nullptr;
}

int BrixelGame::filledSlots() const {
    int count = 0;
    for (int i = 0; i < columns && i < kMaxColumns; ++i) count += nextLine[i] ? 1 : 0;
    return count;
}

void BrixelGame::putInSlot(int slot, std::unique_ptr<Box> block) {
    if (!block) return;
    block->game = this;
    block->setPosition(slotPosition(slot));
    block->computeBounds();
    nextLine[slot] = std::move(block);
}

void BrixelGame::clearNextLine() {
    for (auto& slot : nextLine) slot.reset();
}

void BrixelGame::resetNextLine() {
    clearNextLine();
    nextBlockTimer = 0;
}

std::unique_ptr<Box> BrixelGame::makeBonus(int kind) {
    std::unique_ptr<Box> bonus = prototypes().cloneBonus(kind);
    if (bonus) return bonus;
    BRX_LOG_ERROR("No bonus of kind %d; a plain block takes its place", kind);
    return newBlock(false);
}

int BrixelGame::drawBonusKind() {
    return BonusChooser::instance().choose(random(0, kBonusDrawMax));
}

void BrixelGame::addNextBlock() {
    int slot = 0;
    while (slot < columns && nextLine[slot]) ++slot;
    // A full line (the tray click completed it) takes nothing more.
    if (slot >= columns) return;
    SoundManager::instance().play(kSoundNextBlock, 0);
    blocksSinceBonus += 1;
    if (nextBonusAfter >= blocksSinceBonus) {
        putInSlot(slot, newBlock(false));
        return;
    }
    int kind = drawBonusKind();
    for (int draw = 1; draw < kRepeatDraws && kind == lastBonusKind; ++draw) kind = drawBonusKind();
    if (kind == lastBonusKind) {
        // The slot stays empty for one interval rather than repeat the last bonus.
        blocksSinceBonus = 0;
        return;
    }
    lastBonusKind = kind;
    putInSlot(slot, makeBonus(kind));
    blocksSinceBonus = 0;
    pickNextBonusSpacing();
}

void BrixelGame::pickNextBonusSpacing() {
    const int dangerRow = difficulty + 2;
    for (int c = 0; c < columns; ++c) {
        if (dangerRow < 0 || dangerRow >= rows || !blockAt(c, dangerRow)) continue;
        if (random(0, 3) < difficulty) {
            nextBonusAfter = random(kDangerSpacingMin, kDangerSpacingMax);
            return;
        }
    }
    nextBonusAfter = random(-kSpacingSpread, kSpacingSpread) + bonusSpacing();
}

void BrixelGame::fillNextLine() {
    for (int slot = 0; slot < columns; ++slot) {
        if (nextLine[slot]) continue;
        blocksSinceBonus += 1;
        if (nextBonusAfter < blocksSinceBonus) {
            putInSlot(slot, makeBonus(drawBonusKind()));
            blocksSinceBonus = 0;
            nextBonusAfter = random(kFillSpacingMin, kFillSpacingMax) + bonusSpacing();
        } else {
            putInSlot(slot, newBlock(false));
        }
    }
}

bool BrixelGame::trayHit() {
    const OCamera* camera = gameCamera();
    // While the board cursor shows, a click came from the keyboard: it is on a block.
    if (!trayModel || !camera || boardCursor.shown()) return false;
    trayModel->computeBounds();
    const Vector3 ray = camera->pickRay(float(mouseX), float(mouseY)).normalized();
    return trayModel->hitByLine(camera->position(), ray);
}

void BrixelGame::afterClick() {
    // In any state: a line called during the intro or a fill is pushed once play goes on.
    if (trayHit()) takeNextLine();
}

void BrixelGame::takeNextLine() {
    // Only a call in play is a step of the undo history (the history acts only in play).
    if (gameState == GameState::Playing) recordMove();
    fillNextLine();
}

// --- per frame ---------------------------------------------------------------------------------

void BrixelGame::update(int elapsedMs) {
    updateScoreTextsAndTrail(elapsedMs);
    Game::update(elapsedMs);
    // One step after the other: a fill that ends moves on to the next level in the same frame.
    if (gameState == GameState::Playing) updatePlaying(elapsedMs);
    if (gameState == GameState::GameOver) updateGameOver(elapsedMs);
    if (gameState == GameState::LevelComplete) runFinishingFill(elapsedMs);
    if (gameState == GameState::NextLevel) {
        levelIndex += 1;
        startNextLevel();
        gameState = GameState::Playing;
    }
}

void BrixelGame::updatePlaying(int elapsedMs) {
    if (linePhase != LinePhase::LineReady) {
        const int interval = nextBlockInterval();
        nextBlockTimer += elapsedMs;
        if (nextBlockTimer > interval) {
            addNextBlock();
            nextBlockTimer = 0;
            requestRedraw();  // the next line shows one more block
        }
    }
    if (nextLine[columns - 1]) linePhase = LinePhase::LineReady;
    if (linePhase == LinePhase::LineReady && !anyMoving()) {
        linePhase = LinePhase::Idle;
        pushLine();
    }
}

void BrixelGame::updateGameOver(int elapsedMs) {
    gameOverTimer += elapsedMs;
    if (gameOverTimer <= gameOverTime) return;
    gameOverTimer = 0;
    linePhase = LinePhase::Finished;
    leaveTo(kScreenHighScores);
}

// --- the finishing fill ------------------------------------------------------------------------

void BrixelGame::runFinishingFill(int elapsedMs) {
    // Started once, even when no channel was free, so a failed start is not retried.
    startFillSound();
    fillTimer += elapsedMs;
    if (fillTimer <= fillStep) return;
    if (!placeScoreBlock(elapsedMs)) finishFill();
}

void BrixelGame::finishFill() {
    stopFillSound();
    clearUpperRows();
    gameState = GameState::NextLevel;
    resumeState = ResumeState::Normal;
    fillTimer = 0;
}

void BrixelGame::clearUpperRows() {
    const int firstKept = rows - 1 - kKeptRows;
    for (int r = 1; r <= rows - 2; ++r) {
        for (int c = 0; c < columns; ++c) {
            Box* block = blockAt(c, r);
            if (!block) continue;
            const bool kept = r >= firstKept;
            if (block->colour == Box::kNoColour) {
                if (!kept || !block->isBonus) board.take(c, r);
            } else if (!kept) {
                std::unique_ptr<Box> leaving = board.take(c, r);
                leaving->leaveBoard();
                addFlying(std::move(leaving));
            }
        }
    }
    for (int r = firstKept; r <= rows - 2; ++r)
        for (int c = 0; c < columns; ++c)
            if (!blockAt(c, r)) placeBlock(c, r, newBlock(true));
}

// --- snapshot ----------------------------------------------------------------------------------

void BrixelGame::captureModeState(GameSnapshot& snapshot) const {
    for (int slot = 0; slot < columns && slot < kMaxColumns; ++slot)
        if (const Box* block = nextLine[slot].get())
            snapshot.nextLine.push_back({slot, 0, SnapshotBlocks::kindOf(*block), block->colour});
    snapshot.nextBlockTimer = nextBlockTimer;
    snapshot.speedPick = speedPick;
}

void BrixelGame::restoreModeState(const GameSnapshot& snapshot) {
    clearNextLine();
    for (const GameSnapshot::Block& entry : snapshot.nextLine)
        if (entry.column >= 0 && entry.column < columns && entry.column < kMaxColumns)
            putInSlot(entry.column, SnapshotBlocks::make(prototypes(), entry.kind, entry.colour));
    nextBlockTimer = snapshot.nextBlockTimer;
    speedPick = snapshot.speedPick;
}

// --- drawing -----------------------------------------------------------------------------------

void BrixelGame::draw() {
    Game::draw();
}

void BrixelGame::drawAfterBoard() {
    drawNextLine();
}

void BrixelGame::drawNextLine() {
    bindSkin();
    for (int i = 0; i < columns; ++i)
        if (nextLine[i]) nextLine[i]->draw();
    drawSymbols([this](auto&& draw) {
        for (int i = 0; i < columns; ++i)
            if (nextLine[i]) draw(*nextLine[i]);
    });
}

void BrixelGame::drawHud() {
    drawSidePanel(levelNumber(), linesLeft, score());
}

}  // namespace brx
