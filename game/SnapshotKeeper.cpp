#include "game/SnapshotKeeper.h"

#include <algorithm>
#include <array>

#include "core/Random.h"
#include "game/Game.h"
#include "game/ScoreTextList.h"
#include "game/SnapshotBlocks.h"
#include "objects/EffectList.h"
#include "objects/PathSet.h"
#include "objects/SplineTrail.h"

namespace brx {
namespace {

// Settling: motion steps (ms), and how many at most (a slide waiting for its cell needs more
// than one; the close-up goes one column per pass).
constexpr int kSettleStepMs = 1000;
constexpr int kSettlePasses = 64;

}  // namespace

// Flying blocks, effects, score texts, the trail and the shake only show; they go.
void SnapshotKeeper::endMotion(Game& game) {
    game.flying.clear();
    EffectList::instance().clear();
    ScoreTextList::instance().clear();
    SplineTrail::instance().stop();
    game.shaking_ = false;
    game.shakeTime = 0;
    game.shakePhase = 0.0;
}

void SnapshotKeeper::settle(Game& game) {
    endMotion(game);
    // One pass at least: it also ends the spin of a resting block.
    for (int pass = 0; pass < kSettlePasses; ++pass) {
        game.board.moveBlocks(kSettleStepMs);
        if (game.anyMoving()) continue;
        if (gameState != GameState::Playing) break;
        game.closeUp();
        if (!game.anyMoving()) break;
    }
    game.settleModeState();
    game.board.clearSelection();
    game.board.previousSelection.clear();
    game.board.markSelection(false);
}

void SnapshotKeeper::captureBoard(const Game& game, GameSnapshot& s) {
    for (int c = 0; c < columns && c < Game::kMaxColumns; ++c)
        for (int r = 0; r < rows && r < Game::kMaxRows; ++r)
            if (const Box* block = game.blockAt(c, r))
                s.blocks.push_back({c, r, SnapshotBlocks::kindOf(*block), block->colour});
}

void SnapshotKeeper::captureRunWide(GameSnapshot& s) {
    Game::trailTiming(&s.trailElapsedMs, &s.trailIntervalMs);
    const PathSet& paths = PathSet::instance();
    s.pathOrder.assign(paths.order().begin(), paths.order().end());
    s.pathCursor = paths.cursor();
    s.randomState = randomState();
}

GameSnapshot SnapshotKeeper::capture(const Game& game) {
    GameSnapshot s;
    s.mode = game.modeNumber();
    s.difficulty = difficulty;
    s.startLevel = startLevel;
    s.columns = columns;
    s.rows = rows;
    s.levelIndex = game.levelIndex;
    s.score = game.score_;
    s.linesLeft = game.linesLeft;
    s.linesTotal = game.linesTotal;
    s.gameState = gameState;
    s.linePhase = linePhase;
    s.resumeState = resumeState;
    captureBoard(game, s);
    s.blocksSinceBonus = game.blocksSinceBonus;
    s.nextBonusAfter = game.nextBonusAfter;
    s.lastBonusKind = game.lastBonusKind;
    s.spinTimer = game.spinTimer;
    s.fillTimer = game.fillTimer;
    s.gameOverTimer = game.gameOverTimer;
    s.practice = game.practice_;
    captureRunWide(s);
    game.captureModeState(s);
    return s;
}

bool SnapshotKeeper::fits(const Game& game, const GameSnapshot& snapshot, std::string* why) {
    const char* reason = nullptr;
    if (snapshot.mode != game.modeNumber()) {
        reason = "it is a game of another mode";
    } else if (snapshot.columns != columns || snapshot.rows != rows) {
        reason = "its board size differs";
    }
    if (reason && why) *why = reason;
    return reason == nullptr;
}

void SnapshotKeeper::restoreBoard(Game& game, const GameSnapshot& s) {
    game.board.clear();
    for (const GameSnapshot::Block& entry : s.blocks) {
        std::unique_ptr<Box> block =
            SnapshotBlocks::make(game.prototypes(), entry.kind, entry.colour);
        if (!block) continue;
        game.placeBlock(entry.column, entry.row, std::move(block));
        if (Box* placed = game.blockAt(entry.column, entry.row)) placed->computeBounds();
    }
}

void SnapshotKeeper::restoreRunWide(const GameSnapshot& s) {
    Game::setTrailTiming(s.trailElapsedMs, s.trailIntervalMs);
    if (s.pathOrder.size() == size_t(PathSet::kPathCount)) {
        std::array<int, PathSet::kPathCount> order{};
        std::copy(s.pathOrder.begin(), s.pathOrder.end(), order.begin());
        PathSet::instance().setOrder(order, s.pathCursor);
    }
}

void SnapshotKeeper::restore(Game& game, const GameSnapshot& s) {
    endMotion(game);
    game.stopFillSound();
    game.closing_ = false;
    game.introElapsed = 0;
    difficulty = s.difficulty;
    startLevel = s.startLevel;
    gameState = s.gameState;
    linePhase = s.linePhase;
    resumeState = s.resumeState;
    game.levelIndex = s.levelIndex;
    game.score_ = s.score;
    game.linesLeft = s.linesLeft;
    game.linesTotal = s.linesTotal;
    restoreBoard(game, s);
    game.blocksSinceBonus = s.blocksSinceBonus;
    game.nextBonusAfter = s.nextBonusAfter;
    game.lastBonusKind = s.lastBonusKind;
    game.spinTimer = s.spinTimer;
    game.fillTimer = s.fillTimer;
    game.gameOverTimer = s.gameOverTimer;
    // A practice game stays one, whatever state it goes back or forward to.
    game.practice_ = game.practice_ || s.practice;
    restoreRunWide(s);
    game.restoreModeState(s);
    // Last: nothing above may draw from the generator after it is put back.
    setRandomState(s.randomState);
    game.requestRedraw();
}

}  // namespace brx
