#include "game/StrategyGame.h"

#include <algorithm>

namespace brx {
namespace {

constexpr const char* kWeightKeys[] = {"SrategyRBonusEasy", "SrategyRBonusNormal",
                                       "SrategyRBonusHard", "StrategyRBonusVeryHard"};
constexpr const char* kSpacingKey = "StrategyBonusRand";
constexpr int kFirstLevelLines = 20;
constexpr int kLinesPerLevel = 5;

}  // namespace

StrategyGame::StrategyGame() {
    resetNextLine();
    linePhase = LinePhase::Idle;
    readBonusTuning(kWeightKeys[std::clamp(difficulty, 0, 3)], kSpacingKey);
    speedPick = 0;
    linesLeft = linesTotal = linesForLevel(0);
    linePrepared_ = false;
}

int StrategyGame::modeNumber() const {
    return GameMode::Strategy;
}

int StrategyGame::linesForLevel(int n) const {
    return kLinesPerLevel * n + kFirstLevelLines;
}

void StrategyGame::update(int elapsedMs) {
    const bool classicStep = gameState == GameState::GameOver ||
                             gameState == GameState::LevelComplete ||
                             gameState == GameState::NextLevel;
    if (classicStep) {
        BrixelGame::update(elapsedMs);
    } else {
        updateScoreTextsAndTrail(elapsedMs);
        Game::update(elapsedMs);
    }
    if (!linePrepared_) {
        fillNextLine();
        linePrepared_ = true;
    }
    const bool moveWaiting = linePhase == LinePhase::MoveMade || linePhase == LinePhase::LineReady;
    if (moveWaiting && gameState == GameState::Playing && !anyMoving()) {
        linePhase = LinePhase::Idle;
        pushLine();
        linePrepared_ = false;
    }
}

void StrategyGame::captureModeState(GameSnapshot& snapshot) const {
    BrixelGame::captureModeState(snapshot);
    snapshot.linePrepared = linePrepared_;
}

void StrategyGame::restoreModeState(const GameSnapshot& snapshot) {
    BrixelGame::restoreModeState(snapshot);
    linePrepared_ = snapshot.linePrepared;
}

void StrategyGame::afterClick() {
    if (trayHit()) takeNextLine();
}

void StrategyGame::takeNextLine() {
    if (gameState != GameState::Playing) return;
    recordMove();
    fillNextLine();
    linePhase = LinePhase::LineReady;
    linePrepared_ = false;
}

}  // namespace brx
