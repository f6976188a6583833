#include "game/GameMessages.h"

#include <algorithm>

#include "game/GameVariables.h"

namespace brx {
namespace {

GameMessages::RankLookup& rankLookup() {
    static GameMessages::RankLookup lookup;
    return lookup;
}

// States in which the board is in play (or has just been won or lost): not flying in or out.
bool inPlay(int state) {
    return state != GameState::Intro && state != GameState::Outro && state != 0;
}

}  // namespace

void GameMessages::setRankLookup(RankLookup lookup) {
    rankLookup() = std::move(lookup);
}

bool GameMessages::hasRankLookup() {
    return bool(rankLookup());
}

std::string GameMessages::levelText(int level) {
    return "Level " + std::to_string(level);
}

std::string GameMessages::puzzleText(int puzzle) {
    return "Puzzle " + std::to_string(puzzle);
}

std::string GameMessages::rankText(int rank) {
    return "New high score! Rank " + std::to_string(rank);
}

bool GameMessages::watchesForNoMoves(int mode) {
    return mode == GameMode::Classic || mode == GameMode::Strategy || mode == GameMode::Advanced ||
           mode == GameMode::Modern;
}

void GameMessages::post(const std::string& text) {
    shown_.push_back({text, 0});
    if (shown_.size() > kMaxShown) shown_.erase(shown_.begin());
    posted_.push_back(text);
}

void GameMessages::observe(const Snapshot& now) {
    if (inPlay(now.state)) announceStart(now);
    const int before = seen_ ? last_.state : 0;
    if (now.state == GameState::GameOver && before != GameState::GameOver) announceEnd(now, false);
    if (now.mode == GameMode::Puzzle && now.state == GameState::LevelComplete &&
        before != GameState::LevelComplete)
        announceEnd(now, true);
    if (watchesForNoMoves(now.mode) && now.stuck && !(seen_ && last_.stuck)) post(kNoMovesTakeLine);
    last_ = now;
    seen_ = true;
}

// The first level is announced when the intro ends (a game that never had one starts silently);
// after that every higher level number is.
void GameMessages::announceStart(const Snapshot& now) {
    if (!started_) {
        started_ = true;
        announcedLevel_ = now.level;
        if (!seen_ || last_.state != GameState::Intro) return;
        post(now.mode == GameMode::Puzzle ? puzzleText(now.level) : levelText(now.level));
        return;
    }
    if (now.level <= announcedLevel_) return;
    announcedLevel_ = now.level;
    post(levelText(now.level));
}

void GameMessages::announceEnd(const Snapshot& now, bool solved) {
    if (now.mode == GameMode::Puzzle) {
        post(solved ? kSolved : kStuck);
    } else if (now.mode == GameMode::Remover) {
        post(kNoMoves);
    } else {
        post(kReachedTop);
    }
    const RankLookup& lookup = rankLookup();
    if (now.score <= 0 || !lookup) return;
    if (const int rank = lookup(now.mode, now.score); rank > 0) post(rankText(rank));
}

void GameMessages::update(int elapsedMs) {
    for (Message& message : shown_) message.ageMs += std::max(elapsedMs, 0);
    std::erase_if(shown_, [](const Message& message) { return message.ageMs >= kShowMs; });
}

void GameMessages::clear() {
    shown_.clear();
}

float GameMessages::opacity(const Message& message) {
    const int left = kShowMs - message.ageMs;
    if (left <= 0) return 0.0f;
    if (left >= kFadeMs) return 1.0f;
    return float(left) / float(kFadeMs);
}

}  // namespace brx
